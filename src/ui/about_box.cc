// frmAboutBox: controls, splash timer and the hide-instead-of-close rule.
#include "ui/about_box.h"

#include <QCloseEvent>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "common/platform.h"
#include "common/version.h"
#include "ui/fit_text.h"
#include "ui/placement.h"
#include "ui/window_placement.h"

namespace orvanta {
namespace {

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top),
                      TwipsToPixels(width), TwipsToPixels(height));
}

QFont MakeFont(const char* family, double points, bool bold = false,
               bool italic = false) {
  QFont font;
  const QString name = QString::fromLatin1(family);
  if (name.startsWith(QLatin1String("Times"))) {
    font.setFamilies({name, QStringLiteral("Liberation Serif"),
                      QStringLiteral("Nimbus Roman"), QStringLiteral("Times")});
  } else {
    font.setFamilies({name, QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Arial"),
                      QStringLiteral("Liberation Sans"),
                      QStringLiteral("Nimbus Sans"), font.family()});
  }
  font.setPointSizeF(points);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text,
                 const QFont& font, int left, int top, int width, int height) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  label->setFont(font);
  PlaceTwips(label, left, top, width, height);
  return label;
}

// A multi-line text box that looks like a label: button-face background,
// no frame, text that can be selected and copied.
QPlainTextEdit* AddTextBox(QWidget* parent, const char* name,
                           const QString& text, int left, int top, int width,
                           int height) {
  auto* box = new QPlainTextEdit(text, parent);
  box->setObjectName(QLatin1String(name));
  box->setReadOnly(true);
  box->setFrameShape(QFrame::NoFrame);
  box->setFont(MakeFont("MS Sans Serif", 8.25));
  QPalette palette = box->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Button));
  box->setPalette(palette);
  box->setFocusPolicy(Qt::ClickFocus);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  PlaceTwips(box, left, top, width, height);
  return box;
}

}  // namespace

FrmAboutBox::FrmAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("frmAboutBox"));
  setWindowTitle(QStringLiteral("About"));
  setFixedSize(TwipsToPixels(5820), TwipsToPixels(4335));
  CreateControls();
  FitTextsToFont(this);
  tmr_splash_delay_ = new QTimer(this);
  tmr_splash_delay_->setObjectName(QStringLiteral("tmrSplashDelay"));
  tmr_splash_delay_->setInterval(250);
  connect(tmr_splash_delay_, &QTimer::timeout, this,
          [this] { SplashTimerTick(); });
  SizeAndCenterWindow(this, 0, -1, -1, true, kCurrentMonitor);
}

void FrmAboutBox::CreateControls() {
  AddLabel(this, "lblProgramTitle", QStringLiteral("Orvanta Cataloger"),
           MakeFont("Times New Roman", 18, true), 120, 120, 4665, 390);
  AddLabel(this, "lblOS", QLatin1String(Platform().system),
           MakeFont("Times New Roman", 12, true, true), 240, 600, 3375, 375);
  AddLabel(this, "lblVersion",
           QStringLiteral("Version ") + QLatin1String(kVersion),
           MakeFont("Times New Roman", 12), 3960, 600, 2175, 360);
  AddLabel(this, "lblBuild",
           QStringLiteral("(Build %1)").arg(QLatin1String(kBuildNumber)),
           MakeFont("Times New Roman", 9), 3960, 900, 2175, 240);
  AddLabel(this, "lblAuthor",
           QStringLiteral("by ") + QLatin1String(kAuthorName),
           MakeFont("Times New Roman", 13.5), 120, 1200, 2535, 375);
  AddLabel(this, "lblDate", QLatin1String(kReleaseDate),
           MakeFont("Times New Roman", 8.25, true), 3960, 1200, 1695, 255);
  AddTextBox(this, "txtEMail",
             QStringLiteral("gallery@example.org  and  orvanta@example.com"),
             120, 1560, 3015, 495);
  AddTextBox(this, "txtHTTP",
             QStringLiteral("https://orvanta.example.org/   "
                            "https://www.example.org/gallery/   "
                            "https://www.example.com/orvanta/"),
             120, 2100, 4455, 855);
  AddLabel(this, "lblFreeware", QString(), MakeFont("MS Sans Serif", 8.25), 120,
           3050, 5115, 255);
  auto* line = new QFrame(this);
  line->setObjectName(QStringLiteral("linLine1"));
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  line->setLineWidth(2);
  line->setGeometry(TwipsToPixels(120), TwipsToPixels(3350) - 1,
                    TwipsToPixels(5200 - 120), 2);
  AddLabel(this, "lblMicrosoft",
           QStringLiteral("Written in C++ with Qt Widgets and Magick++."),
           MakeFont("MS Sans Serif", 9.75), 120, 3400, 5205, 240);
  cmd_ok_ = new QPushButton(QStringLiteral("&OK"), this);
  cmd_ok_->setObjectName(QStringLiteral("cmdOK"));
  cmd_ok_->setFont(MakeFont("MS Sans Serif", 8.25));
  cmd_ok_->setDefault(true);
  PlaceTwips(cmd_ok_, 1800, 3900, 1155, 360);
  connect(cmd_ok_, &QPushButton::clicked, this, [this] { hide(); });
}

void FrmAboutBox::ShowSplash() {
  cmd_ok_->setVisible(false);
  setWindowTitle(QStringLiteral("Loading"));
  setModal(false);
  show();
  tmr_splash_delay_->start();
}

void FrmAboutBox::ShowAbout() {
  cmd_ok_->setVisible(true);
  cmd_ok_->setDefault(true);
  cmd_ok_->setFocus();
  exec();
}

void FrmAboutBox::SplashTimerTick() {
  ++ticks_;
  if (tag_ == QLatin1String("Loaded") && ticks_ >= 2) {
    tmr_splash_delay_->stop();
    setWindowTitle(QStringLiteral("About"));
    tag_ = QStringLiteral("Hidden");
    hide();
  }
}

void FrmAboutBox::closeEvent(QCloseEvent* event) {
  if (IsUnloading(this)) {
    tmr_splash_delay_->stop();
    event->accept();
    return;
  }
  hide();
  event->ignore();
}

void FrmAboutBox::reject() {
  // Escape is the OK button's: it does nothing while the button is hidden.
  if (cmd_ok_->isVisible()) hide();
}

}  // namespace orvanta
