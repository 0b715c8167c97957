// frmShowText: text box and Close button that follow the window's size.
#include "ui/show_text_window.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/placement.h"
#include "ui/window_placement.h"

namespace orvanta {

FrmShowText::FrmShowText(QWidget* parent)
    : QDialog(parent,
              Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                  Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("frmShowText"));
  setWindowTitle(QStringLiteral("Info"));
  resize(TwipsToPixels(9495), TwipsToPixels(7230));
  txt_info_ = new QPlainTextEdit(this);
  txt_info_->setObjectName(QStringLiteral("txtInfo"));
  txt_info_->setReadOnly(true);
  txt_info_->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                     Qt::TextSelectableByKeyboard);
  // Long lines wrap at the window's edge, at blanks where they can.
  txt_info_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  txt_info_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  txt_info_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  cmd_close_ = new QPushButton(QStringLiteral("Close"), this);
  cmd_close_->setObjectName(QStringLiteral("cmdClose"));
  cmd_close_->setAutoDefault(false);
  cmd_close_->resize(TwipsToPixels(1695), TwipsToPixels(375));
  setTabOrder(txt_info_, cmd_close_);
  connect(cmd_close_, &QPushButton::clicked, this, &QDialog::accept);
  SizeAndCenterWindow(this, kUpperThird, 9000, 6000, true, kCurrentMonitor);
  ArrangeControls();
}

void FrmShowText::SetText(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  txt_info_->setPlainText(shown);
}

void FrmShowText::ArrangeControls() {
  const TextReportLayout layout = LayoutTextReport(
      PixelsToTwips(width()), PixelsToTwips(height()),
      PixelsToTwips(cmd_close_->width()), PixelsToTwips(cmd_close_->height()));
  txt_info_->setGeometry(
      TwipsToPixels(layout.text_left), TwipsToPixels(layout.text_top),
      TwipsToPixels(layout.text_width), TwipsToPixels(layout.text_height));
  cmd_close_->move(TwipsToPixels(layout.button_left),
                   TwipsToPixels(layout.button_top));
}

void FrmShowText::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  ArrangeControls();
}

void FrmShowText::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ArrangeControls();
}

void ShowTextReport(QWidget* parent, const std::string& text) {
  FrmShowText window(parent);
  window.SetText(text);
  window.exec();
}

}  // namespace orvanta
