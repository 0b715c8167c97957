// Message boxes as modal QMessageBoxes, with the answering hook.
#include "ui/message_boxes.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QUrl>
#include <utility>
#include <vector>

namespace orvanta {
namespace {

MessageBoxHook& Hook() {
  static MessageBoxHook hook;
  return hook;
}

std::vector<QMessageBox::StandardButton> ButtonsOf(Buttons buttons) {
  switch (buttons) {
    case Buttons::kYesNo:
      return {QMessageBox::Yes, QMessageBox::No};
    case Buttons::kYesNoCancel:
      return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case Buttons::kOk:
    default:
      return {QMessageBox::Ok};
  }
}

QMessageBox::Icon IconOf(Icon icon) {
  switch (icon) {
    case Icon::kInformation:
      return QMessageBox::Information;
    case Icon::kWarning:
      return QMessageBox::Warning;
    case Icon::kQuestion:
      return QMessageBox::Question;
    case Icon::kNone:
    default:
      return QMessageBox::NoIcon;
  }
}

// Opens the page in the person's browser, or says why it could not.
void OpenGallery(QWidget* parent, const std::string& page) {
  const QString path =
      QFileInfo(QString::fromStdString(page)).absoluteFilePath();
  if (QDesktopServices::openUrl(QUrl::fromLocalFile(path))) return;
  ShowMessageBox(parent, {"Error",
                          "The gallery could not be opened in a browser: " +
                              path.toStdString(),
                          Buttons::kOk, Icon::kWarning, 1});
}

}  // namespace

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) {
  MessageBoxHook previous = std::move(Hook());
  Hook() = std::move(hook);
  return previous;
}

void ConfigureMessageBox(const MessageBox& box, QMessageBox* dialog) {
  QString text = QString::fromStdString(box.text);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  dialog->setWindowTitle(QString::fromStdString(box.title));
  dialog->setTextFormat(Qt::PlainText);
  dialog->setText(text);
  dialog->setIcon(IconOf(box.icon));
  const auto buttons = ButtonsOf(box.buttons);
  QMessageBox::StandardButtons all;
  for (auto b : buttons) all |= b;
  dialog->setStandardButtons(all);
  const int index =
      box.default_button >= 1 &&
              box.default_button <= static_cast<int>(buttons.size())
          ? box.default_button - 1
          : 0;
  dialog->setDefaultButton(buttons[index]);
  if (box.buttons == Buttons::kYesNoCancel) {
    dialog->setEscapeButton(QMessageBox::Cancel);
  } else if (box.buttons == Buttons::kOk) {
    dialog->setEscapeButton(QMessageBox::Ok);
  }
  if (!box.open_page.empty()) {
    dialog->addButton(QStringLiteral("Open gallery"), QMessageBox::ActionRole)
        ->setObjectName(QLatin1String(kOpenGalleryButton));
  }
}

Answer ShowMessageBox(QWidget* parent, const MessageBox& box) {
  if (Hook()) return Hook()(box);
  QMessageBox dialog(parent);
  ConfigureMessageBox(box, &dialog);
  dialog.exec();
  QAbstractButton* clicked = dialog.clickedButton();
  if (clicked != nullptr &&
      clicked->objectName() == QLatin1String(kOpenGalleryButton)) {
    OpenGallery(parent, box.open_page);
    return DefaultAnswer(box);
  }
  switch (dialog.standardButton(clicked)) {
    case QMessageBox::Ok:
      return Answer::kOk;
    case QMessageBox::Yes:
      return Answer::kYes;
    case QMessageBox::No:
      return Answer::kNo;
    case QMessageBox::Cancel:
      return Answer::kCancel;
    default:
      return ClosedAnswer(box);
  }
}

}  // namespace orvanta
