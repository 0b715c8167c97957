// frmShowText: a resizable window that shows a long, read-only text (the
// thumbnail errors of a run) with one Close button.
#ifndef ORVANTA_UI_SHOW_TEXT_WINDOW_H_
#define ORVANTA_UI_SHOW_TEXT_WINDOW_H_

#include <QDialog>
#include <string>

class QPlainTextEdit;
class QPushButton;

namespace orvanta {

class FrmShowText : public QDialog {
 public:
  // Loads the window: the first time in a program run it is sized to
  // 9000 x 6000 twips and placed in the upper third of the screen.
  explicit FrmShowText(QWidget* parent = nullptr);

  // Puts `text` (lines separated by CR LF or LF) into the text box.
  void SetText(const std::string& text);

  // Lays the controls out for the current inner size.
  void ArrangeControls();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QPlainTextEdit* txt_info_;
  QPushButton* cmd_close_;
};

// Shows `text` in a text report window, modal over `parent`; returns when
// the person has closed it.
void ShowTextReport(QWidget* parent, const std::string& text);

}  // namespace orvanta

#endif  // ORVANTA_UI_SHOW_TEXT_WINDOW_H_
