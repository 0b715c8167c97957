// The progress window's state and arithmetic: ranges, clamping, the time
// line, the pause state machine and the close rule.
#include "ui/progress_model.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace orvanta {
namespace {

// A number with two decimals and the given separator; a value that rounds
// to zero is written without a sign.
std::string TwoDecimals(double value, char decimal_point) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.2f", value);
  std::string text = buffer;
  if (text == "-0.00") text = "0.00";
  for (char& c : text) {
    if (c == '.') c = decimal_point;
  }
  return text;
}

}  // namespace

ProgressRange NormaliseRange(int32_t minimum, int32_t maximum) {
  ProgressRange range{minimum, maximum};
  if (range.minimum > range.maximum) std::swap(range.minimum, range.maximum);
  if (range.minimum < 0) range.minimum = 0;
  if (range.minimum > range.maximum) range.maximum = range.minimum + 1;
  if (range.maximum < 1) range.maximum = 1;
  return range;
}

double ClampToProgressRange(double value, const ProgressRange& range) {
  if (value < range.minimum) value = range.minimum;
  if (value > range.maximum) value = range.maximum;
  return value;
}

double RangeFraction(double value, const ProgressRange& range) {
  if (range.maximum <= range.minimum) return 0;
  double fraction = (value - range.minimum) /
                    (static_cast<double>(range.maximum) - range.minimum);
  if (fraction < 0) fraction = 0;
  if (fraction > 1) fraction = 1;
  return fraction;
}

std::string FormatTimeLine(double elapsed_minutes, double fraction,
                           std::string_view words, char decimal_point) {
  // Until some of the work is done there is no estimate: none is shown.
  const std::string remaining =
      fraction <= 0 ? std::string("--")
                    : TwoDecimals(elapsed_minutes / fraction - elapsed_minutes,
                                  decimal_point);
  return TwoDecimals(elapsed_minutes, decimal_point) + " : " + remaining + " " +
         std::string(words);
}

void ProgressModel::SetOverallRange(int32_t minimum, int32_t maximum) {
  overall_ = NormaliseRange(minimum, maximum);
}

void ProgressModel::SetSubtaskRange(int32_t minimum, int32_t maximum) {
  subtask_ = NormaliseRange(minimum, maximum);
}

void ProgressModel::ResetSubtaskRange() { subtask_ = ProgressRange{0, 1}; }

double ProgressModel::UpdateOverall(double* value, bool do_not_store) {
  *value = ClampToProgressRange(*value, overall_);
  const double fraction = RangeFraction(*value, overall_);
  if (!do_not_store) overall_value_ = *value;
  return fraction;
}

double ProgressModel::UpdateSubtask(double value, bool fractionally_increase,
                                    std::optional<double>* overall_fraction) {
  overall_fraction->reset();
  subtask_value_ = ClampToProgressRange(value, subtask_);
  const double fraction = RangeFraction(subtask_value_, subtask_);
  const double span = static_cast<double>(subtask_.maximum) - subtask_.minimum;
  if (span > 0 && fractionally_increase) {
    const double step = (subtask_value_ - subtask_.minimum) / span;
    double candidate = overall_value_ + step;
    if (candidate > overall_value_) {
      *overall_fraction = UpdateOverall(&candidate, true);
    }
  }
  return fraction;
}

std::string ProgressModel::TimeLine(double now_ms, double fraction,
                                    char decimal_point) {
  last_update_ms_ = now_ms;
  const double elapsed_minutes = (last_update_ms_ - start_ms_) / 60000.0;
  return FormatTimeLine(elapsed_minutes, fraction,
                        texts_.minutes_elapsed_remaining, decimal_point);
}

bool ProgressModel::ClickPause() {
  switch (pause_state_) {
    case PauseState::kRunning:
      pause_state_ = PauseState::kPauseRequested;
      button_caption_ = texts_.preparing_to_pause;
      return true;
    case PauseState::kPaused:
      pause_state_ = PauseState::kResuming;
      button_caption_ = texts_.resuming;
      return true;
    default:
      return false;
  }
}

bool ProgressModel::BeginWait() {
  switch (pause_state_) {
    case PauseState::kPauseRequested:
      pause_state_ = PauseState::kPaused;
      button_caption_ = texts_.paused;
      return true;
    case PauseState::kResuming:
      EndWait();
      return false;
    default:
      return false;
  }
}

void ProgressModel::EndWait() {
  pause_state_ = PauseState::kRunning;
  button_caption_ = texts_.click_to_pause;
}

bool ProgressModel::ShouldAskBeforeClosing(uint32_t now_tick) const {
  if (last_close_tick_ == 0) return true;
  const uint32_t elapsed = now_tick - last_close_tick_;  // wraps harmlessly
  return elapsed > kCloseConfirmWindowMs;
}

void ProgressModel::RecordCloseAnswer(bool confirmed, uint32_t now_tick) {
  last_close_tick_ = confirmed ? (now_tick == 0 ? 1 : now_tick) : 0;
}

}  // namespace orvanta
