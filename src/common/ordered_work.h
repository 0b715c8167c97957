// The run's pool of workers. OrderedWork runs a function over the items
// 0..n-1 on worker threads and hands the results back in item order, so
// that questions, the error list and the progress reports stay on the
// calling thread in order. Workers run a window of items ahead of the
// consumer, and only below a limit the consumer may raise (work that waits
// for the person's answer is not started before it); Stop() hands out no
// more work (items already in hand finish). An exception thrown by the
// work of an item is thrown again by Take() for that item, on the calling
// thread. ParallelFor runs quick independent work on as many threads.
#ifndef ORVANTA_COMMON_ORDERED_WORK_H_
#define ORVANTA_COMMON_ORDERED_WORK_H_

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace orvanta {

template <typename Result>
class OrderedWork {
 public:
  // `workers` <= 1 runs every item on the calling thread inside Take(),
  // unless `background`: then one worker thread runs them. Items from
  // `limit` on wait for OpenUpTo(); each worker may run `ahead` items ahead
  // of the consumer.
  OrderedWork(int count, int workers, std::function<Result(int)> work,
              int limit = -1, int ahead = 2, bool background = false)
      : count_(count),
        work_(std::move(work)),
        slots_(count),
        limit_(limit < 0 ? count : limit) {
    if (count < 1 || (!background && (workers <= 1 || count <= 1))) return;
    workers = std::max(workers, 1);
    window_ = workers * ahead;
    for (int w = 0; w < workers && w < count; ++w) {
      threads_.emplace_back([this] { WorkerLoop(); });
    }
  }
  ~OrderedWork() {
    Stop();
    for (std::thread& t : threads_) t.join();
  }
  OrderedWork(const OrderedWork&) = delete;
  OrderedWork& operator=(const OrderedWork&) = delete;

  // The result of item `index` (taken in order 0, 1, ...), waiting for it;
  // `idle` is called every `tick` while waiting.
  Result Take(int index, const std::function<void()>& idle,
              std::chrono::milliseconds tick = std::chrono::milliseconds(50)) {
    if (threads_.empty()) return work_(index);
    std::unique_lock<std::mutex> lock(mutex_);
    Slot& slot = slots_[index];
    while (!slot.result.has_value() && !slot.error) {
      awaited_ = index;
      if (done_.wait_for(lock, tick) == std::cv_status::timeout) {
        lock.unlock();
        idle();
        lock.lock();
      }
    }
    awaited_ = -1;
    taken_ = index + 1;
    // Waking costs a system call: only for a worker that waits for room.
    if (waiting_workers_ > 0) more_.notify_all();
    if (slot.error) std::rethrow_exception(std::exchange(slot.error, nullptr));
    Result result = std::move(*slot.result);
    slot.result.reset();
    return result;
  }

  // Lets workers start the items before `end`.
  void OpenUpTo(int end) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (end > limit_) limit_ = end;
    more_.notify_all();
  }

  // The items before `index` will not be taken: none of them is started
  // any more (those in hand finish and are dropped).
  void SkipTo(int index) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (index > next_) next_ = index;
    if (index > taken_) taken_ = index;
    more_.notify_all();
  }

  // Hands out no further items.
  void Stop() {
    std::lock_guard<std::mutex> lock(mutex_);
    stopped_ = true;
    more_.notify_all();
  }

 private:
  struct Slot {
    std::optional<Result> result;
    std::exception_ptr error;
  };

  void WorkerLoop() {
    while (true) {
      int index;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        ++waiting_workers_;
        more_.wait(lock, [this] {
          return stopped_ || next_ >= count_ ||
                 (next_ < taken_ + window_ && next_ < limit_);
        });
        --waiting_workers_;
        if (stopped_ || next_ >= count_) return;
        index = next_++;
      }
      std::optional<Result> result;
      std::exception_ptr error;
      try {
        result.emplace(work_(index));
      } catch (...) {
        error = std::current_exception();
      }
      std::lock_guard<std::mutex> lock(mutex_);
      slots_[index].result = std::move(result);
      slots_[index].error = error;
      if (index == awaited_) done_.notify_all();
    }
  }

  const int count_;
  std::function<Result(int)> work_;
  std::vector<Slot> slots_;
  std::vector<std::thread> threads_;
  std::mutex mutex_;
  std::condition_variable more_;
  std::condition_variable done_;
  int next_ = 0;
  int taken_ = 0;
  int window_ = 1;
  int limit_;
  int awaited_ = -1;         // the item Take() waits for
  int waiting_workers_ = 0;  // workers waiting for room in the window
  bool stopped_ = false;
};

// Runs `work` for the items 0..count-1 on up to `workers` threads, the
// calling one among them, which calls `idle` every 16 of its items.
inline void ParallelFor(int count, int workers,
                        const std::function<void(int)>& work,
                        const std::function<void()>& idle) {
  std::atomic<int> next{0};
  const auto run = [&](bool caller) {
    for (int i = next++; i < count; i = next++) {
      work(i);
      if (caller && i % 16 == 0) idle();
    }
  };
  std::vector<std::thread> helpers;
  for (int w = 1; w < workers && w < count; ++w)
    helpers.emplace_back(run, false);
  run(true);
  for (std::thread& helper : helpers) helper.join();
}

}  // namespace orvanta

#endif  // ORVANTA_COMMON_ORDERED_WORK_H_
