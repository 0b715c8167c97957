// Shared pieces of the fuzz targets: a user interface that answers every
// question with its preselected button and counts the messages, and a
// scratch folder on a memory file system where one exists.
#ifndef ORVANTA_FUZZ_FUZZ_SUPPORT_H_
#define ORVANTA_FUZZ_FUZZ_SUPPORT_H_

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/user_interface.h"

namespace orvanta::fuzz {

// Answers like a person who always presses Enter; records the messages.
class QuietUi : public UserInterface {
 public:
  Answer ShowMessage(const MessageBox& box) override {
    ++message_count;
    last_message = box;
    return DefaultAnswer(box);
  }
  void InitializeForm(const std::string&, int32_t, int32_t, bool, bool,
                      bool) override {}
  void InitializeSubtask(const std::string&, int32_t, int32_t) override {}
  void UpdateProgressBar(double, bool) override {}
  void UpdateSubtaskProgressBar(double, bool) override {}
  void UpdateCurrentTask(const std::string&) override {}
  void UpdateCurrentSubTask(const std::string&) override {}
  void HideForm(bool) override {}
  void ShowReport(const std::string&) override {}
  void SetBusy(bool) override {}
  int KeyPressAbortProcess() override { return 0; }
  void SetKeyPressAbortProcess(int) override {}
  OptionControls ReadControls() override { return controls; }
  void SetIndexTemplateFile(const std::string&) override {}
  void SetPictureTemplateFile(const std::string&) override {}

  OptionControls controls;
  int message_count = 0;
  MessageBox last_message;
};

// A folder made once per process (in /dev/shm when there is one, so the
// many small files of a fuzz run stay in memory) and removed at exit.
const std::string& ScratchFolder();

// Writes `data` to `path`, replacing it; aborts when that fails, since the
// target could not test anything then.
void WriteScratchFile(const std::string& path, std::string_view data);

// Stops the run with `what` when `condition` is false: libFuzzer reports
// the input as a crash.
inline void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "Property violated: %s\n", what);
    std::abort();
  }
}

}  // namespace orvanta::fuzz

#endif  // ORVANTA_FUZZ_FUZZ_SUPPORT_H_
