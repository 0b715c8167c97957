// Runs a function over the items 0..n-1 on worker threads and hands the
// results back in item order, so that questions, the error list and the
// progress reports stay on the calling thread in order. Workers run at most
// a few items ahead of the consumer; Stop() hands out no more work (items
// already in hand finish).
#ifndef ORVANTA_ENGINE_ORDERED_WORK_H_
#define ORVANTA_ENGINE_ORDERED_WORK_H_

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace orvanta {

template <typename Result>
class OrderedWork {
 public:
  // `workers` <= 1 runs every item on the calling thread inside Take().
  OrderedWork(int count, int workers, std::function<Result(int)> work)
      : count_(count), work_(std::move(work)), results_(count) {
    if (workers <= 1 || count <= 1) return;
    window_ = workers * 2;
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
    while (!results_[index].has_value()) {
      if (done_.wait_for(lock, tick) == std::cv_status::timeout) {
        lock.unlock();
        idle();
        lock.lock();
      }
    }
    taken_ = index + 1;
    more_.notify_all();
    Result result = std::move(*results_[index]);
    results_[index].reset();
    return result;
  }

  // Hands out no further items.
  void Stop() {
    std::lock_guard<std::mutex> lock(mutex_);
    stopped_ = true;
    more_.notify_all();
  }

 private:
  void WorkerLoop() {
    while (true) {
      int index;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        more_.wait(lock, [this] {
          return stopped_ || next_ >= count_ || next_ < taken_ + window_;
        });
        if (stopped_ || next_ >= count_) return;
        index = next_++;
      }
      Result result = work_(index);
      std::lock_guard<std::mutex> lock(mutex_);
      results_[index] = std::move(result);
      done_.notify_all();
    }
  }

  const int count_;
  std::function<Result(int)> work_;
  std::vector<std::optional<Result>> results_;
  std::vector<std::thread> threads_;
  std::mutex mutex_;
  std::condition_variable more_;
  std::condition_variable done_;
  int next_ = 0;
  int taken_ = 0;
  int window_ = 1;
  bool stopped_ = false;
};

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_ORDERED_WORK_H_
