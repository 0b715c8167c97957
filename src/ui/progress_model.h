// What the progress window knows, without the window: the two bar ranges
// and values with their normalising and clamping, the time line text, the
// pause state machine with the Pause button's caption, and the rule that
// decides whether a close request is asked about. Pure C++, no toolkit; the
// window draws what this computes.
#ifndef ORVANTA_UI_PROGRESS_MODEL_H_
#define ORVANTA_UI_PROGRESS_MODEL_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvanta {

// The pause states; the numbers are the window's PauseState values.
enum class PauseState : int {
  kRunning = 0,
  kPauseRequested = 1,
  kPaused = 2,
  kResuming = 3,
};

struct ProgressRange {
  int32_t minimum = 0;
  int32_t maximum = 0;
};

// Normalises a range: swap when reversed, raise a negative minimum to 0,
// then make the maximum at least minimum + 1 (when the minimum passed it)
// and at least 1.
ProgressRange NormaliseRange(int32_t minimum, int32_t maximum);

// The fraction of `value` in the range, within 0..1; 0 when the range is
// empty.
double RangeFraction(double value, const ProgressRange& range);

// `value` clamped into the range.
double ClampToProgressRange(double value, const ProgressRange& range);

// The time line: elapsed and remaining minutes with two decimals, e.g.
// "1.50 : 4.50 min. elapsed/remaining" for 1.5 minutes at fraction 0.25.
// At fraction 0 there is no estimate yet and "--" stands for the remaining
// time. `decimal_point` is the locale's separator.
std::string FormatTimeLine(double elapsed_minutes, double fraction,
                           std::string_view words, char decimal_point = '.');

// The six texts the window can be given in another language.
struct ProgressTexts {
  std::string minutes_elapsed_remaining = "min. elapsed/remaining";
  std::string preparing_to_pause = "Preparing to Pause";
  std::string resuming = "Resuming";
  std::string click_to_pause = "Click to Pause";
  std::string paused = "Paused";
  std::string press_escape_to_abort = "(Press Escape to abort)";
};

// How long a confirmed close request lets a second one through unasked.
inline constexpr uint32_t kCloseConfirmWindowMs = 20000;

class ProgressModel {
 public:
  // --- Ranges and values.
  void SetOverallRange(int32_t minimum, int32_t maximum);
  void SetSubtaskRange(int32_t minimum, int32_t maximum);
  // Resets the sub-task range to 0..1 without normalising anything else.
  void ResetSubtaskRange();
  const ProgressRange& overall() const { return overall_; }
  const ProgressRange& subtask() const { return subtask_; }

  // Clamps *value into the overall range (written back), stores it unless
  // `do_not_store`, and returns the overall bar's fraction.
  double UpdateOverall(double* value, bool do_not_store);

  // Clamps and stores the sub-task value and returns the sub-task bar's
  // fraction. When `fractionally_increase` and the sub-task range is not
  // empty, *overall_fraction receives the fraction at which the overall bar
  // is to be drawn (the stored overall value plus the sub-task's share of
  // one unit, not stored); otherwise it is left empty.
  double UpdateSubtask(double value, bool fractionally_increase,
                       std::optional<double>* overall_fraction);

  // --- Timing, in milliseconds of any steady clock.
  void ResetStartTime(double now_ms) { start_ms_ = now_ms; }
  // Records an update at `now_ms` and returns the time line for
  // `fraction`.
  std::string TimeLine(double now_ms, double fraction,
                       char decimal_point = '.');

  // --- Texts.
  void SetTexts(const ProgressTexts& texts) { texts_ = texts; }

  // --- Pause state machine. The Pause button's caption follows it.
  const std::string& button_caption() const { return button_caption_; }
  // Forces a state (the window sets 3 before its first wait).
  void SetPauseState(PauseState state) { pause_state_ = state; }
  // Pause button clicked: running -> pause requested, paused -> resuming.
  // Returns true when the state changed (the caller then yields once);
  // a click while a request is pending is ignored and returns false.
  bool ClickPause();
  // Start of a wait (every update call): a pending pause request becomes
  // paused and true is returned (the caller loops while IsPaused());
  // resuming becomes running; running stays. Returns false then.
  bool BeginWait();
  bool IsPaused() const { return pause_state_ == PauseState::kPaused; }
  // End of the wait loop: back to running.
  void EndWait();

  // --- Close requests, by 32-bit millisecond tick counts that may wrap.
  // True when the request must be asked about: no close was confirmed
  // within the last 20000 ms (0 means none).
  bool ShouldAskBeforeClosing(uint32_t now_tick) const;
  // Stores the answer: Yes remembers `now_tick` (never 0), No forgets.
  void RecordCloseAnswer(bool confirmed, uint32_t now_tick);
  void ClearCloseRequest() { last_close_tick_ = 0; }

 private:
  ProgressRange overall_;
  ProgressRange subtask_;
  double overall_value_ = 0;
  double subtask_value_ = 0;
  double start_ms_ = 0;
  double last_update_ms_ = 0;
  ProgressTexts texts_;
  PauseState pause_state_ = PauseState::kRunning;
  std::string button_caption_ = ProgressTexts().click_to_pause;
  uint32_t last_close_tick_ = 0;
};

}  // namespace orvanta

#endif  // ORVANTA_UI_PROGRESS_MODEL_H_
