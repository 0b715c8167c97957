// The engine's only way to the person: message boxes and questions, the
// progress display, the report of errors at the end, the busy pointer and
// the abort request. The progress window, the command line and the tests
// each implement it.
//
// Threads: the engine calls every member from the run's thread only,
// KeepAlive included (the thumbnail workers and the metadata readers
// never see the UserInterface; their results are handled on the run's
// thread), so an implementation needs no locks of its own. The abort
// request alone may be set and read from any thread.
#ifndef ORVANTA_ENGINE_USER_INTERFACE_H_
#define ORVANTA_ENGINE_USER_INTERFACE_H_

#include <atomic>
#include <cstdint>
#include <string>

#include "common/prompter.h"

namespace orvanta {

class UserInterface : public Prompter {
 public:
  // --- Progress display. Every update may yield to the person (pause,
  // Escape) and may hold the run while it is paused.
  // Shows the display with a task text and the overall range, and clears
  // the abort request.
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
  // Long work on one file (a movie's web copy): its name and the share of
  // it done (0 to 1), shown again as it goes on; "" when it is over.
  virtual void ShowFileProgress(const std::string& file, double done) = 0;
  // Hides the display; with `clear_abort` the abort request is cleared.
  virtual void HideForm(bool clear_abort) = 0;

  // Shows a long text (the thumbnail error list); returns when the person
  // has closed it.
  virtual void ShowReport(const std::string& text) = 0;
  // Shows the list of files a dry run would write and remove, one a line.
  virtual void ShowListing(const std::string& text) { ShowReport(text); }
  // The busy (hourglass) pointer on or off.
  virtual void SetBusy(bool busy) = 0;
  // Called now and then while the run waits for background work (the
  // thumbnail workers), so a window can handle its events.
  virtual void KeepAlive() {}

  // --- The abort request: set when the person asks the run to stop
  // (Escape, closing the progress display, Ctrl+C), read by the run
  // between its steps. Safe from any thread and from a signal handler.
  bool AbortRequested() const { return abort_.load(); }
  // Sets the request; returns whether it was set already.
  bool RequestAbort() { return abort_.exchange(true); }
  void ClearAbortRequest() { abort_.store(false); }

 private:
  std::atomic<bool> abort_{false};
};

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_USER_INTERFACE_H_
