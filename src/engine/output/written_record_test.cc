// The record of written files behaves as a map of path to line through
// any mix of reading, naming and forgetting, and reads back what it wrote.
#include "engine/output/written_record.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "testing/mem_file_system.h"

namespace orvanta {
namespace {

using Lines = std::map<std::string, RecordLine, std::less<>>;

Lines Listed(const WrittenRecord& record) {
  Lines lines;
  record.ForEach([&](std::string_view path, const RecordLine& line) {
    EXPECT_TRUE(lines.empty() || lines.rbegin()->first < path) << path;
    lines.emplace(path, line);
  });
  return lines;
}

TEST(WrittenRecordTest, ActsAsAMapAndReadsBackWhatItWrote) {
  testing::MemFileSystem fs;
  // Written by hand: out of order, a path twice (the last counts), a line
  // feed and a backslash in names, lines that say nothing readable.
  fs.AddFile("/g/.orvanta-written",
             "# header\n7 - b/x.html\n3 5:6:1 a\\nb.jpg\n9 - b/x.html\n"
             "junk\n4 - ../out\n2 - c\\\\d.jpg\n");
  WrittenRecord record = ReadRecord(fs, "/g/");
  Lines expected = {{"a\nb.jpg", {3, SourceStamp{5, 6, true}}},
                    {"b/x.html", {9, std::nullopt}},
                    {"c\\d.jpg", {2, std::nullopt}}};
  EXPECT_EQ(Listed(record), expected);
  EXPECT_FALSE(record.Changed());

  std::mt19937 random(11);
  const std::vector<std::string> paths = {"a\nb.jpg",   "b/x.html", "c\\d.jpg",
                                          "b/new.html", "0.html",   "z/z.jpg"};
  for (int step = 0; step < 400; ++step) {
    const std::string& path = paths[random() % paths.size()];
    if (random() % 3 == 0) {
      record.Erase(path);
      expected.erase(path);
    } else {
      RecordLine line{random() % 4, std::nullopt};
      if (random() % 2 == 0) line.source = SourceStamp{random() % 3, 1, false};
      record.Set(path, line);
      expected[path] = line;
    }
    ASSERT_EQ(record.Find(path), expected.contains(path)
                                     ? std::optional(expected[path])
                                     : std::nullopt);
    ASSERT_EQ(record.Empty(), expected.empty());
  }
  EXPECT_TRUE(record.Changed());
  EXPECT_EQ(Listed(record), expected);
  WriteRecord(fs, "/g/", record);
  EXPECT_EQ(Listed(ReadRecord(fs, "/g/")), expected);
}

}  // namespace
}  // namespace orvanta
