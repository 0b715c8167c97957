// The resampler's loops built for this processor give the plain loops'
// results (the pictures of the other tests go through the fastest only).
#include "imagetools/row_loops.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace orvanta {
namespace {

TEST(RowLoopsTest, TheFastestGiveThePlainResults) {
  const RowLoops& fast = FastestRowLoops();
  const RowLoops& plain = PlainRowLoops();
  std::mt19937 random(7);
  std::uniform_real_distribution<float> weight(-0.2f, 1.0f);
  constexpr size_t kLength = 3 * 101;  // not a multiple of any vector
  std::vector<uint8_t> bytes(kLength);
  for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
  std::vector<float> a(kLength + 16), b(kLength + 16);
  fast.to_floats(bytes.data(), kLength, a.data());
  plain.to_floats(bytes.data(), kLength, b.data());
  EXPECT_EQ(a, b);

  std::vector<std::vector<float>> rows(5, std::vector<float>(kLength + 16));
  std::vector<const float*> taps;
  for (auto& row : rows) {
    for (float& value : row) value = static_cast<float>(random() % 256);
    taps.push_back(row.data());
  }
  const std::vector<float> weights = {0.1f, 0.2f, 0.4f, 0.2f, 0.1f};
  fast.filter_down(taps.data(), weights.data(), 5, kLength, a.data());
  plain.filter_down(taps.data(), weights.data(), 5, kLength, b.data());
  for (size_t i = 0; i < kLength; ++i) ASSERT_NEAR(a[i], b[i], 1e-3) << i;

  FilterAxis axis;
  axis.taps = 3;
  for (int x = 0; x < 40; ++x) {
    axis.first.push_back(std::min(x * 2, 98));
    for (int t = 0; t < 3; ++t) axis.weights.push_back(weight(random));
  }
  std::vector<float> across_a(3 * 40 + 1), across_b(3 * 40 + 1);
  fast.filter_across_rgb(axis, rows[0].data(), across_a.data());
  plain.filter_across_rgb(axis, rows[0].data(), across_b.data());
  for (size_t i = 0; i < 3 * 40; ++i) {
    ASSERT_NEAR(across_a[i], across_b[i], 1e-3) << i;
  }

  for (size_t i = 0; i < kLength; ++i) a[i] = weight(random) * 400 - 60;
  std::vector<uint8_t> stored_a(kLength), stored_b(kLength);
  fast.store_bytes(a.data(), kLength, stored_a.data());
  plain.store_bytes(a.data(), kLength, stored_b.data());
  EXPECT_EQ(stored_a, stored_b);

  // 37 pixels from 74 columns of luma and 37 of chroma, in two rows each.
  std::vector<uint8_t> samples(2 * 74 + 4 * 37);
  for (uint8_t& sample : samples) sample = static_cast<uint8_t>(random());
  const uint8_t* at = samples.data();
  const YccPair pair{{at, at + 74}, {at + 148, at + 185}, {at + 222, at + 259}};
  fast.ycc_pairs_to_floats(pair, 37, a.data());
  plain.ycc_pairs_to_floats(pair, 37, b.data());
  for (size_t i = 0; i < 3 * 37; ++i) ASSERT_NEAR(a[i], b[i], 1e-3) << i;
}

}  // namespace
}  // namespace orvanta
