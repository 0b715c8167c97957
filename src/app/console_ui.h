// The command line's user interface: message boxes on standard error as
// "TITLE: TEXT", questions answered on standard input, the summary on
// standard output (then, when the run made a gallery, its root page's
// file:// address), and a progress bar on a terminal.
#ifndef ORVANTA_APP_CONSOLE_UI_H_
#define ORVANTA_APP_CONSOLE_UI_H_

#include <functional>
#include <istream>
#include <ostream>
#include <string>

#include "engine/user_interface.h"

namespace orvanta {

class ConsoleUi : public UserInterface {
 public:
  // `in` answers questions; `out` gets the summary; `err` every other box,
  // the error list and the progress bar. `interactive` shows the choices
  // before a question; `show_progress` draws the bar, one line of at most
  // `columns()` characters; `seconds()` is the clock the bar's times come
  // from (default: the terminal's width and a steady clock).
  ConsoleUi(std::istream& in, std::ostream& out, std::ostream& err,
            bool interactive, bool show_progress,
            std::function<int()> columns = nullptr,
            std::function<double()> seconds = nullptr);

  Answer ShowMessage(const MessageBox& box) override;
  void InitializeForm(const std::string& task, int32_t minimum, int32_t maximum,
                      bool show_time_stats, bool show_subtask,
                      bool show_pause_button) override;
  void InitializeSubtask(const std::string& subtask, int32_t minimum,
                         int32_t maximum) override;
  void UpdateProgressBar(double value, bool reset_start_time) override;
  void UpdateSubtaskProgressBar(double value,
                                bool fractionally_increase_overall) override;
  void UpdateCurrentTask(const std::string& task) override;
  void UpdateCurrentSubTask(const std::string& subtask) override;
  void ShowFileProgress(const std::string& file, double done) override;
  void HideForm(bool reset_abort) override;
  void ShowReport(const std::string& text) override;
  // On standard output, to be read by programs.
  void ShowListing(const std::string& text) override;
  void SetBusy(bool) override {}

  // The file:// address of the gallery's root page that the summary
  // named; "" when it named none.
  const std::string& gallery_address() const { return gallery_address_; }

 private:
  void Draw(bool force);
  void ClearLine();

  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  bool interactive_;
  bool show_progress_;
  std::function<int()> columns_;
  std::function<double()> seconds_;
  bool visible_ = false;
  bool line_drawn_ = false;
  std::string task_;
  std::string file_;  // a file long at work, shown instead of the task
  double file_done_ = 0;
  double minimum_ = 0;
  double maximum_ = 1;
  double value_ = 0;  // the most done so far: the bar never goes back
  double start_ = 0;
  double last_draw_ = -1;
  std::string gallery_address_;
};

// Message text with CR LF turned into newlines.
std::string ConsoleText(const std::string& text);

}  // namespace orvanta

#endif  // ORVANTA_APP_CONSOLE_UI_H_
