// Helpers of the window tests: the recording interface answering the
// message boxes, a fixed answer to the folder picker, and acting on the
// modal window Qt shows next.
#ifndef ORVANTA_TESTING_GUI_SUPPORT_H_
#define ORVANTA_TESTING_GUI_SUPPORT_H_

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

#include "testing/recording_ui.h"
#include "ui/folder_picker.h"
#include "ui/message_boxes.h"

namespace orvanta::testing {

// While it lives, message boxes go to this recording interface.
class BoxRecorder : public RecordingUi {
 public:
  BoxRecorder() {
    previous_ = SetMessageBoxHook(
        [this](const MessageBox& box) { return ShowMessage(box); });
  }
  ~BoxRecorder() override { SetMessageBoxHook(previous_); }

 private:
  MessageBoxHook previous_;
};

// While it lives, folder pickers answer `folder` ("" = Cancel).
class FolderChooser {
 public:
  explicit FolderChooser(std::string folder) {
    previous_ = SetFolderPickerHook(
        [folder](const std::string&, const std::string&) { return folder; });
  }
  ~FolderChooser() { SetFolderPickerHook(previous_); }

 private:
  FolderPickerHook previous_;
};

// Runs `action` on the next modal window, from inside its event loop.
inline void WhenModalShown(std::function<void(QWidget*)> action) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, action] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal->isVisible()) {
      timer->stop();
      timer->deleteLater();
      action(modal);
    }
  });
  timer->start(20);
}

}  // namespace orvanta::testing

#endif  // ORVANTA_TESTING_GUI_SUPPORT_H_
