// The size limits on pictures and the budget ImageMagick's pictures share.
#include "imagetools/picture_limits.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>

namespace orvanta {
namespace {

// The part of the budget taken, and the wait for it. Never destroyed: a
// worker may still hold some while the program ends.
struct Budget {
  std::mutex mutex;
  std::condition_variable freed;
  int64_t taken = 0;
};

Budget& TheBudget() {
  static Budget* budget = new Budget;
  return *budget;
}

}  // namespace

std::string TooLargeText(int64_t width, int64_t height) {
  return "too large to read safely (" + std::to_string(width) + "x" +
         std::to_string(height) + ")";
}

bool FarLargerThanPicture(uint64_t file_size, int64_t width, int64_t height) {
  const int64_t most = kMaxBytesPerPixel * std::max<int64_t>(width, 0) *
                           std::max<int64_t>(height, 0) +
                       kMetadataSlack;
  return file_size > static_cast<uint64_t>(most);
}

MagickMemory::MagickMemory(int64_t bytes)
    : bytes_(std::clamp<int64_t>(bytes, 0, kMagickBudgetBytes)) {
  Budget& budget = TheBudget();
  std::unique_lock<std::mutex> lock(budget.mutex);
  budget.freed.wait(
      lock, [&] { return budget.taken + bytes_ <= kMagickBudgetBytes; });
  budget.taken += bytes_;
}

MagickMemory::~MagickMemory() {
  Budget& budget = TheBudget();
  {
    const std::lock_guard<std::mutex> lock(budget.mutex);
    budget.taken -= bytes_;
  }
  budget.freed.notify_all();
}

}  // namespace orvanta
