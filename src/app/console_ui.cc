// The command line's user interface.
#include "app/console_ui.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "common/html_text.h"
#include "common/text_utils.h"

namespace orvanta {
namespace {

std::string Choices(const MessageBox& box) {
  Answer preselected = DefaultAnswer(box);
  auto label = [&](Answer answer, const char* word) {
    std::string text = word;
    if (answer == preselected) text = ToUpperAscii(text);
    return text;
  };
  std::string choices =
      label(Answer::kYes, "yes") + "/" + label(Answer::kNo, "no");
  if (box.buttons == Buttons::kYesNoCancel) {
    choices += "/" + label(Answer::kCancel, "cancel");
  }
  return "[" + choices + "] ";
}

// The terminal's width (standard error's), else $COLUMNS, else 80.
int TerminalColumns() {
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
    return size.ws_col;
  }
  const char* columns = std::getenv("COLUMNS");
  const int value = columns != nullptr ? std::atoi(columns) : 0;
  return value > 0 ? value : 80;
}

double SteadySeconds() {
  return std::chrono::duration<double>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::string FormatMinutes(double seconds) {
  long total = static_cast<long>(seconds + 0.5);
  char text[32];
  std::snprintf(text, sizeof text, "%ld:%02ld", total / 60, total % 60);
  return text;
}

}  // namespace

std::string ConsoleText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

ConsoleUi::ConsoleUi(std::istream& in, std::ostream& out, std::ostream& err,
                     bool interactive, bool show_progress,
                     std::function<int()> columns,
                     std::function<double()> seconds)
    : in_(in),
      out_(out),
      err_(err),
      interactive_(interactive),
      show_progress_(show_progress),
      columns_(columns ? std::move(columns) : TerminalColumns),
      seconds_(seconds ? std::move(seconds) : SteadySeconds) {}

Answer ConsoleUi::ShowMessage(const MessageBox& box) {
  ClearLine();
  std::ostream& stream = box.summary ? out_ : err_;
  stream << box.title << ": " << ConsoleText(box.text) << "\n";
  if (!box.open_page.empty()) {
    gallery_address_ = FileAddress(
        std::filesystem::absolute(box.open_page).lexically_normal().string());
    stream << "Root page: " << gallery_address_ << "\n";
  }
  stream.flush();
  if (box.buttons == Buttons::kOk) return Answer::kOk;
  while (true) {
    if (interactive_) err_ << Choices(box) << std::flush;
    std::string line;
    if (!std::getline(in_, line)) return DefaultAnswer(box);
    std::string word = ToLowerAscii(TrimBlanks(line));
    if (!word.empty() && word.back() == '\r') word.pop_back();
    if (word.empty()) return DefaultAnswer(box);
    if (word == "y" || word == "yes") return Answer::kYes;
    if (word == "n" || word == "no") return Answer::kNo;
    if (box.buttons == Buttons::kYesNoCancel &&
        (word == "c" || word == "cancel")) {
      return Answer::kCancel;
    }
    err_ << "Please answer " << Choices(box) << "\n";
  }
}

void ConsoleUi::InitializeForm(const std::string& task, int32_t minimum,
                               int32_t maximum, bool, bool, bool) {
  task_ = task;
  minimum_ = std::min(minimum, maximum);
  maximum_ = std::max({minimum, maximum, minimum + 1});
  value_ = minimum_;
  start_ = seconds_();
  visible_ = true;
  ClearAbortRequest();
  Draw(true);
}

void ConsoleUi::InitializeSubtask(const std::string&, int32_t, int32_t) {
  Draw(false);
}

void ConsoleUi::UpdateProgressBar(double value, bool reset_start_time) {
  if (reset_start_time) start_ = seconds_();
  value_ = std::max(value_, std::clamp(value, minimum_, maximum_));
  Draw(false);
}

void ConsoleUi::UpdateSubtaskProgressBar(double, bool) { Draw(false); }

void ConsoleUi::UpdateCurrentTask(const std::string& task) {
  task_ = task;
  Draw(false);
}

void ConsoleUi::UpdateCurrentSubTask(const std::string&) { Draw(false); }

void ConsoleUi::ShowFileProgress(const std::string& file, double done) {
  file_ = file;
  file_done_ = done;
  Draw(file.empty());
}

void ConsoleUi::HideForm(bool clear_abort) {
  if (clear_abort) ClearAbortRequest();
  ClearLine();
  visible_ = false;
}

void ConsoleUi::ShowReport(const std::string& text) {
  ClearLine();
  err_ << ConsoleText(text);
  if (!text.empty() && text.back() != '\n') err_ << "\n";
  err_.flush();
}

void ConsoleUi::ShowListing(const std::string& text) {
  ClearLine();
  out_ << ConsoleText(text);
  out_.flush();
}

// One line: the bar, the share done, the times and the task's last line
// (the folder being worked on), or a file long at work with its own share
// done, cut in the middle to fit the terminal. A
// remaining time is shown once the estimate is steady: a twentieth of the
// work done and two seconds gone.
void ConsoleUi::Draw(bool force) {
  if (!show_progress_ || !visible_) return;
  const double now = seconds_();
  if (!force && now - last_draw_ < 0.1) return;
  last_draw_ = now;
  const double fraction = (value_ - minimum_) / (maximum_ - minimum_);
  const double elapsed = now - start_;
  constexpr int kWidth = 30;
  std::string bar(static_cast<int>(fraction * kWidth), '#');
  bar.resize(kWidth, ' ');
  std::string line = "[" + bar + "] " +
                     std::to_string(static_cast<int>(fraction * 100)) + "% " +
                     FormatMinutes(elapsed) + " elapsed";
  if (fraction >= 0.05 && elapsed >= 2) {
    line += ", " + FormatMinutes(elapsed / fraction - elapsed) + " left";
  }
  std::string task = ConsoleText(task_);
  if (size_t newline = task.rfind('\n'); newline != std::string::npos) {
    task.erase(0, newline + 1);
  }
  std::string share;
  if (!file_.empty()) {
    task = file_;
    share = ": " + std::to_string(static_cast<int>(file_done_ * 100)) + "%";
  }
  // The task gets the room the rest leaves, cut in the middle.
  const size_t room = static_cast<size_t>(std::max(columns_() - 1, 20));
  const size_t used = line.size() + 2 + share.size();
  const size_t left = room > used ? room - used : 0;
  if (task.size() > left) {
    const size_t keep = left > 3 ? left - 3 : 0;
    task = keep == 0 ? ""
                     : task.substr(0, keep / 2) + "..." +
                           task.substr(task.size() - (keep - keep / 2));
  }
  if (!task.empty()) line += "  " + task + share;
  if (line.size() > room) line.resize(room);
  err_ << "\r" << line << "\x1b[K" << std::flush;
  line_drawn_ = true;
}

void ConsoleUi::ClearLine() {
  if (!line_drawn_) return;
  err_ << "\r\x1b[K" << std::flush;
  line_drawn_ = false;
}

}  // namespace orvanta
