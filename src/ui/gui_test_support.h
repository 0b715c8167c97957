// Helpers of the window tests: answering message boxes and folder pickers
// in place of a person, waiting on the event loop, and finding the modal
// window Qt shows.
#ifndef ORVANTA_UI_GUI_TEST_SUPPORT_H_
#define ORVANTA_UI_GUI_TEST_SUPPORT_H_

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "common/prompter.h"
#include "ui/folder_picker.h"
#include "ui/message_boxes.h"

namespace orvanta::testing {

// Records every message box and answers it: with the queued answers
// first, then with the box's default answer.
class BoxRecorder {
 public:
  BoxRecorder() {
    previous_ = SetMessageBoxHook([this](const MessageBox& box) {
      boxes.push_back(box);
      if (!answers.empty()) {
        Answer answer = answers.front();
        answers.pop_front();
        return answer;
      }
      return DefaultAnswer(box);
    });
  }
  ~BoxRecorder() { SetMessageBoxHook(previous_); }
  std::vector<std::string> Titles() const {
    std::vector<std::string> titles;
    for (const MessageBox& box : boxes) titles.push_back(box.title);
    return titles;
  }

  std::vector<MessageBox> boxes;
  std::deque<Answer> answers;

 private:
  MessageBoxHook previous_;
};

// Answers folder pickers with a fixed folder ("" = Cancel).
class FolderChooser {
 public:
  explicit FolderChooser(std::string folder) : folder_(std::move(folder)) {
    previous_ = SetFolderPickerHook(
        [this](const std::string& start, const std::string& prompt, bool) {
          starts.push_back(start);
          prompts.push_back(prompt);
          return folder_;
        });
  }
  ~FolderChooser() { SetFolderPickerHook(previous_); }

  std::vector<std::string> starts;
  std::vector<std::string> prompts;

 private:
  std::string folder_;
  FolderPickerHook previous_;
};

// Processes events until `done` or `timeout_ms` has passed; returns done().
inline bool WaitUntil(const std::function<bool()>& done,
                      int timeout_ms = 5000) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < timeout_ms) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return done();
}

// Runs `action` on the modal window Qt shows next (polled every 20 ms for
// up to 5 s), from inside that window's event loop.
inline void WhenModalShown(std::function<void(QWidget*)> action) {
  auto* timer = new QTimer;
  auto* elapsed = new QElapsedTimer;
  elapsed->start();
  timer->setInterval(20);
  QObject::connect(timer, &QTimer::timeout, [timer, elapsed, action] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal->isVisible()) {
      timer->stop();
      action(modal);
      timer->deleteLater();
      delete elapsed;
    } else if (elapsed->elapsed() > 5000) {
      timer->stop();
      timer->deleteLater();
      delete elapsed;
    }
  });
  timer->start();
}

}  // namespace orvanta::testing

#endif  // ORVANTA_UI_GUI_TEST_SUPPORT_H_
