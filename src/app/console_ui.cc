// The command line's user interface.
#include "app/console_ui.h"

#include <algorithm>
#include <cstdio>

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
                     bool interactive, bool show_progress)
    : in_(in),
      out_(out),
      err_(err),
      interactive_(interactive),
      show_progress_(show_progress) {}

Answer ConsoleUi::ShowMessage(const MessageBox& box) {
  ClearLine();
  std::ostream& stream = box.summary ? out_ : err_;
  stream << box.title << ": " << ConsoleText(box.text) << "\n";
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
  start_ = std::chrono::steady_clock::now();
  visible_ = true;
  ClearAbortRequest();
  Draw(true);
}

void ConsoleUi::InitializeSubtask(const std::string&, int32_t, int32_t) {
  Draw(false);
}

void ConsoleUi::UpdateProgressBar(double value, bool reset_start_time) {
  if (reset_start_time) start_ = std::chrono::steady_clock::now();
  value_ = std::clamp(value, minimum_, maximum_);
  Draw(false);
}

void ConsoleUi::UpdateSubtaskProgressBar(double, bool) { Draw(false); }

void ConsoleUi::UpdateCurrentTask(const std::string& task) {
  task_ = task;
  Draw(false);
}

void ConsoleUi::UpdateCurrentSubTask(const std::string&) { Draw(false); }

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

void ConsoleUi::Draw(bool force) {
  if (!show_progress_ || !visible_) return;
  auto now = std::chrono::steady_clock::now();
  if (!force && now - last_draw_ < std::chrono::milliseconds(100)) return;
  last_draw_ = now;
  const double fraction = (value_ - minimum_) / (maximum_ - minimum_);
  const double elapsed = std::chrono::duration<double>(now - start_).count();
  constexpr int kWidth = 30;
  int filled = static_cast<int>(fraction * kWidth);
  std::string bar(filled, '#');
  bar.resize(kWidth, ' ');
  // The task's last line names the folder being worked on.
  std::string task = ConsoleText(task_);
  if (size_t newline = task.rfind('\n'); newline != std::string::npos) {
    task.erase(0, newline + 1);
  }
  if (task.size() > 40) task = "..." + task.substr(task.size() - 37);
  std::string line = "\r[" + bar + "] " +
                     std::to_string(static_cast<int>(fraction * 100)) + "% " +
                     FormatMinutes(elapsed) + " elapsed";
  if (fraction > 0.01) {
    line += ", " + FormatMinutes(elapsed / fraction - elapsed) + " left";
  }
  line += "  " + task + "\x1b[K";
  err_ << line << std::flush;
  line_drawn_ = true;
}

void ConsoleUi::ClearLine() {
  if (!line_drawn_) return;
  err_ << "\r\x1b[K" << std::flush;
  line_drawn_ = false;
}

}  // namespace orvanta
