// The worker pool behind thumbnail creation: results in item order however
// the workers finish, never more than its window of items ahead of the
// consumer, a stop in the middle, and work that throws.
#include "common/ordered_work.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

namespace orvanta {
namespace {

void Wait(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

TEST(OrderedWorkTest, ResultsComeInOrderAndWorkStaysWithinTheWindow) {
  for (int workers : {1, 2, 3}) {
    std::atomic<int> started = 0;
    std::atomic<int> taken = 0;
    std::atomic<int> most_ahead = 0;
    OrderedWork<int> pool(20, workers, [&](int i) {
      const int ahead = ++started - taken;
      for (int seen = most_ahead; ahead > seen;) {
        most_ahead.compare_exchange_weak(seen, ahead);
      }
      Wait((20 - i) % 4);  // later items often finish first
      return i * i;
    });
    Wait(20);  // the workers run ahead while nothing is taken
    for (int i = 0; i < 20; ++i) {
      EXPECT_EQ(pool.Take(i, [] {}), i * i) << workers;
      ++taken;
      if (i == 0) {  // one item taken: room for one more, no more
        Wait(20);
        EXPECT_LE(started, workers <= 1 ? 1 : 1 + 2 * workers) << workers;
      }
    }
    EXPECT_EQ(started, 20);
    EXPECT_LE(most_ahead, workers <= 1 ? 1 : 2 * workers + 1) << workers;
  }
}

TEST(OrderedWorkTest, StopHandsOutNoMoreWork) {
  std::atomic<int> started = 0;
  {
    OrderedWork<int> pool(1000, 2, [&](int i) {
      ++started;
      return i;
    });
    EXPECT_EQ(pool.Take(0, [] {}), 0);
    EXPECT_EQ(pool.Take(1, [] {}), 1);
    pool.Stop();
  }                           // joins without waiting for the other items
  EXPECT_LE(started, 2 + 4);  // the two taken and a window of four
}

TEST(OrderedWorkTest, WhatTheWorkThrowsComesBackForItsItem) {
  for (int workers : {1, 2}) {
    OrderedWork<int> pool(4, workers, [](int i) -> int {
      if (i == 1) throw std::runtime_error("item 1");
      if (i == 2) throw 2;
      return i;
    });
    EXPECT_EQ(pool.Take(0, [] {}), 0);
    EXPECT_THROW(pool.Take(1, [] {}), std::runtime_error);
    EXPECT_THROW(pool.Take(2, [] {}), int);
    EXPECT_EQ(pool.Take(3, [] {}), 3);
  }
}

}  // namespace
}  // namespace orvanta
