// The engine's only way to the person: message boxes, the progress display,
// the text report, the busy pointer, the abort request and the option
// controls as they stand at the moment the engine looks. The desktop window,
// the command line and the tests each implement it.
#ifndef ORVANTA_ENGINE_USER_INTERFACE_H_
#define ORVANTA_ENGINE_USER_INTERFACE_H_

#include <cstdint>
#include <string>

#include "common/prompter.h"
#include "options/options.h"

namespace orvanta {

// KeyPressAbortProcess value meaning "the person asked to abort".
inline constexpr int kAbortRequested = 2;

class UserInterface : public Prompter {
 public:
  // --- Progress display. Every update may yield to the person (pause,
  // Escape) and may hold the run while it is paused.
  // Shows the display with a task text and the overall range, and resets
  // the abort request to 0.
  virtual void InitializeForm(const std::string& task, int32_t minimum,
                              int32_t maximum, bool show_time_stats,
                              bool show_subtask, bool show_pause_button) = 0;
  virtual void InitializeSubtask(const std::string& subtask, int32_t minimum,
                                 int32_t maximum) = 0;
  virtual void UpdateProgressBar(double value, bool reset_start_time) = 0;
  virtual void UpdateSubtaskProgressBar(double value,
                                        bool fractionally_increase_overall) = 0;
  virtual void UpdateCurrentTask(const std::string& task) = 0;
  virtual void UpdateCurrentSubTask(const std::string& subtask) = 0;
  // Hides the display; with `reset_abort` the abort request goes back to 0.
  virtual void HideForm(bool reset_abort) = 0;

  // Shows a long text (the thumbnail error list); returns when the person
  // has closed it.
  virtual void ShowReport(const std::string& text) = 0;
  // The busy (hourglass) pointer on or off.
  virtual void SetBusy(bool busy) = 0;
  // Called now and then while the run waits for background work (the
  // thumbnail workers), so a window can handle its events. Default: nothing.
  virtual void KeepAlive() {}

  // --- The abort request (KeyPressAbortProcess): 2 once the person asked
  // to abort, 0 otherwise. Anything above 1 means abort.
  virtual int KeyPressAbortProcess() = 0;
  virtual void SetKeyPressAbortProcess(int value) = 0;

  // --- The option controls as they stand now. The engine reads the input
  // folder, the converter choice and path, and per folder the thumbnail
  // prefix and the create mode at the moment of use.
  virtual OptionControls ReadControls() = 0;
  // Resets a template name box to the default name.
  virtual void SetIndexTemplateFile(const std::string& name) = 0;
  virtual void SetPictureTemplateFile(const std::string& name) = 0;
};

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_USER_INTERFACE_H_
