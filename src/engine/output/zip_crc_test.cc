// The fast CRC-32 gives zlib's for every length and start, carried on in
// pieces or at once.
#include "engine/output/zip_crc.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>

namespace orvanta {
namespace {

TEST(ZipCrcTest, GivesZlibsCrcForEveryLengthAndStart) {
  std::mt19937 random(3);
  std::string bytes(1 << 16, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random());
  auto zlib = [](uint32_t crc, const char* data, size_t size) {
    return static_cast<uint32_t>(
        crc32_z(crc, reinterpret_cast<const Bytef*>(data), size));
  };
  for (size_t size = 0; size < 300; ++size) {
    const size_t at = random() % 64;
    ASSERT_EQ(ZipCrc(0, bytes.data() + at, size),
              zlib(0, bytes.data() + at, size))
        << size;
  }
  const uint32_t whole = zlib(0, bytes.data(), bytes.size());
  EXPECT_EQ(ZipCrc(0, bytes.data(), bytes.size()), whole);
  uint32_t pieces = 0;
  for (size_t at = 0; at < bytes.size(); at += 1000) {
    pieces = ZipCrc(pieces, bytes.data() + at,
                    std::min<size_t>(1000, bytes.size() - at));
  }
  EXPECT_EQ(pieces, whole);
}

}  // namespace
}  // namespace orvanta
