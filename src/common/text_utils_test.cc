// The ordinal sort of file names, long lists included, and the splitting
// of extension lists.
#include "common/text_utils.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orvanta {
namespace {

using Strings = std::vector<std::string>;

TEST(TextUtilsTest, SortIsOrdinalAndKeepsWhatLiesOutside) {
  // By unsigned byte: digits one by one, "_" between cases, UTF-8 last.
  Strings mixed = {"x", "\xC3\xA9t\xC3\xA9", "img2", "img10", "Img_3", "img_1",
                   "~"};
  SortStrings(mixed, 1, 6, false);
  EXPECT_EQ(mixed, (Strings{"x", "Img_3", "img10", "img2", "img_1", "~",
                            "\xC3\xA9t\xC3\xA9"}));
  for (int count : {13, 14, 41, 200}) {  // long ranges start with wider gaps
    Strings names;
    for (int i = 0; i < count; ++i) {
      names.push_back("n" + std::to_string(i * 7919 % 101) +
                      (i % 3 ? "a" : "A"));
    }
    Strings expected = names;
    std::sort(expected.begin(), expected.end());
    SortStrings(names, 0, count + 5, false);  // past the end: clipped
    EXPECT_EQ(names, expected) << count;
  }
}

TEST(TextUtilsTest, SplitCombinesDelimiterRuns) {
  Strings parts;
  std::string rest = "stale";
  ASSERT_EQ(
      SplitText(",jpg;;, gif,", &parts, 100, ",;", &rest, false, true, false),
      3);
  EXPECT_EQ(parts[0], "");
  EXPECT_EQ(parts[1], "jpg");
  EXPECT_EQ(parts[2], " gif");
  EXPECT_EQ(rest, "");
  EXPECT_EQ(SplitText("a,b,c", &parts, 2, ",", &rest, false, true, false), 2);
  EXPECT_EQ(rest, "c");
  EXPECT_EQ(SplitText("a,b", &parts, -1, ",", &rest, false, true, false), 0);
  EXPECT_EQ(rest, "a,b");
  EXPECT_EQ(FindDelimiter("a;,;b", ",;", false, true), 4);
  EXPECT_EQ(FindDelimiter("a;b,c", ",;", false, false), 2);
  EXPECT_EQ(FindDelimiter("abc", ",", false, false), 0);
}

}  // namespace
}  // namespace orvanta
