// The key filter and the focus rules as event filters on QLineEdit.
#include "ui/text_box_rules.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <utility>

namespace orvanta {
namespace {

class KeyFilterObject : public QObject {
 public:
  KeyFilterObject(QLineEdit* box, const KeyFilterFlags& flags)
      : QObject(box), box_(box), flags_(flags) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != box_ || event->type() != QEvent::KeyPress) return false;
    const int code = KeyPressCode(*static_cast<QKeyEvent*>(event));
    if (code < 0) return false;
    const KeyFilterResult result = FilterTextBoxKeyPress(code, flags_);
    if (result.select_all) box_->selectAll();
    if (result.clear_text) box_->setText(QString());
    if (result.key_code == 0) return true;  // dropped
    if (result.key_code != code) {
      box_->insert(QString(QChar(result.key_code)));
      return true;
    }
    return false;  // kept: the box handles the key as usual
  }

 private:
  QLineEdit* box_;
  KeyFilterFlags flags_;
};

class FocusRuleObject : public QObject {
 public:
  FocusRuleObject(QLineEdit* box, std::function<void()> rule)
      : QObject(box), box_(box), rule_(std::move(rule)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == box_ && event->type() == QEvent::FocusOut) {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason &&
          reason != Qt::PopupFocusReason) {
        rule_();
      }
    }
    return false;
  }

 private:
  QLineEdit* box_;
  std::function<void()> rule_;
};

}  // namespace

int KeyPressCode(const QKeyEvent& event) {
  const Qt::KeyboardModifiers mods = event.modifiers();
  const int key = event.key();
  if (mods & (Qt::AltModifier | Qt::MetaModifier)) return -1;
  if (mods & Qt::ControlModifier) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return key - Qt::Key_A + 1;
    return -1;
  }
  switch (key) {
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
      return -1;
    default:
      break;
  }
  const QString text = event.text();
  if (text.size() != 1 || !text.at(0).isPrint()) return -1;
  return text.at(0).unicode();
}

void BindKeyFilter(QLineEdit* box, const KeyFilterFlags& flags) {
  box->installEventFilter(new KeyFilterObject(box, flags));
}

void OnFocusLeave(QLineEdit* box, std::function<void()> rule) {
  box->installEventFilter(new FocusRuleObject(box, std::move(rule)));
}

}  // namespace orvanta
