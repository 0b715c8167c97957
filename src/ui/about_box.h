// frmAboutBox: the about box, which is also the splash window at start-up.
// Start-up and the window meet through the window's tag: start-up writes
// "Loaded" when it has finished loading; the splash timer hides the window
// at the first tick that sees "Loaded" once at least two ticks have passed,
// and writes "Hidden".
#ifndef ORVANTA_UI_ABOUT_BOX_H_
#define ORVANTA_UI_ABOUT_BOX_H_

#include <QDialog>
#include <QString>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace orvanta {

// The texts of the about box that are ours to choose.
inline constexpr char kAuthorName[] = "Orvanta developers";
inline constexpr char kReleaseDate[] = "May 3, 2004";

class FrmAboutBox : public QDialog {
 public:
  explicit FrmAboutBox(QWidget* parent = nullptr);

  // Start-up's part before loading: OK button hidden, caption "Loading",
  // shown modeless, splash timer running.
  void ShowSplash();
  // Help > About Program: OK button visible, shown modal until OK, Enter,
  // Escape or the close box hides it.
  void ShowAbout();

  const QString& tag() const { return tag_; }
  void set_tag(const QString& tag) { tag_ = tag; }
  int tick_count() const { return ticks_; }
  QTimer* splash_timer() const { return tmr_splash_delay_; }
  QPushButton* ok_button() const { return cmd_ok_; }

  // One tick of the splash timer.
  void SplashTimerTick();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void CreateControls();

  QString tag_;
  int ticks_ = 0;
  QTimer* tmr_splash_delay_;
  QPushButton* cmd_ok_ = nullptr;
};

}  // namespace orvanta

#endif  // ORVANTA_UI_ABOUT_BOX_H_
