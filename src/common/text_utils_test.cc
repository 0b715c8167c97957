// Tests of the text routines: the ordinal Shell sort, splitting at
// delimiters and finding delimiter runs.
#include "common/text_utils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace orvanta {
namespace {

using Strings = std::vector<std::string>;

TEST(CaseAndTrimTest, AsciiOnly) {
  EXPECT_EQ(ToUpperAscii("abc\xC3\xA9z"), "ABC\xC3\xA9Z");
  EXPECT_EQ(ToLowerAscii("ABC_Z"), "abc_z");
  EXPECT_TRUE(EqualsIgnoreCase("Sunset.JPG", "sunset.jpg"));
  EXPECT_FALSE(EqualsIgnoreCase("a", "ab"));
  EXPECT_TRUE(StartsWithIgnoreCase("T_rex.jpg", "t_"));
  EXPECT_TRUE(StartsWithIgnoreCase("x", ""));
  EXPECT_FALSE(StartsWithIgnoreCase("t", "t_"));
  EXPECT_EQ(TrimBlanks("  a b \t "), "a b \t");
  EXPECT_EQ(TrimBlanks("   "), "");
}

TEST(SortStringsTest, OrdinalOrder) {
  Strings names = {"b.jpg", "A.jpg", "a.jpg"};
  SortStrings(names, 0, 2, false);
  EXPECT_EQ(names, (Strings{"A.jpg", "a.jpg", "b.jpg"}));

  // By unsigned byte: digits one by one, "_" between cases, UTF-8 last.
  Strings mixed = {"\xC3\xA9t\xC3\xA9", "img2", "img10", "Img_3", "img_1", "~"};
  SortStrings(mixed, 0, 5, false);
  EXPECT_EQ(mixed, (Strings{"Img_3", "img10", "img2", "img_1", "~",
                            "\xC3\xA9t\xC3\xA9"}));
}

TEST(SortStringsTest, OnlyTheRangeIsSorted) {
  Strings names = {"unused", "d", "c", "b", "a", "z0"};
  SortStrings(names, 1, 4, false);
  EXPECT_EQ(names, (Strings{"unused", "a", "b", "c", "d", "z0"}));
  SortStrings(names, 4, 100, false);  // past the end: clipped
  EXPECT_EQ(names.back(), "z0");
}

TEST(SortStringsTest, LongRangesUseTheGapsAndMatchAStableSort) {
  // 14 items or more start with larger gaps; the result must still be the
  // plain ordinal order.
  for (int count : {13, 14, 40, 41, 200}) {
    Strings names;
    for (int i = 0; i < count; ++i) {
      names.push_back("n" + std::to_string((i * 7919) % 101) +
                      (i % 3 == 0 ? "A" : "a"));
    }
    Strings expected = names;
    std::sort(expected.begin(), expected.end());
    SortStrings(names, 0, count - 1, false);
    EXPECT_EQ(names, expected) << count;
  }
}

TEST(SortStringsTest, NumericOrderReadsLeadingNumbers) {
  Strings items = {"10 apples", "9", " 2 0", "x", "-3", "1.5e1", "2"};
  SortStrings(items, 0, 6, true);
  // -3, 0 (x), 2, 9, 10, 15, 20; " 2 0" reads as 20 (blanks skipped).
  EXPECT_EQ(items,
            (Strings{"-3", "x", "2", "9", "10 apples", "1.5e1", " 2 0"}));

  // Equal keys keep their order in a plain insertion pass.
  Strings equal = {"5b", "5a", "1", "5c"};
  SortStrings(equal, 0, 3, true);
  EXPECT_EQ(equal, (Strings{"1", "5b", "5a", "5c"}));
}

TEST(FindDelimiterTest, PositionsAndRuns) {
  EXPECT_EQ(FindDelimiter("abc", "", false, false), 0);
  EXPECT_EQ(FindDelimiter("abc", ",", false, false), 0);
  EXPECT_EQ(FindDelimiter("a;b,c", ",;", false, false), 2);
  EXPECT_EQ(FindDelimiter("a;,;b", ",;", false, true), 4);
  EXPECT_EQ(FindDelimiter("a,;b", ",;", true, false), 2);
  EXPECT_EQ(FindDelimiter("a;,b", ",;", true, false), 0);
  EXPECT_EQ(FindDelimiter("a,,,b", ",", false, true), 4);
  EXPECT_EQ(FindDelimiter("a,,,b", ",", false, false), 2);
  // A whole delimiter run steps over whole delimiters.
  EXPECT_EQ(FindDelimiter("x<><>y", "<>", true, true), 4);
  EXPECT_EQ(FindDelimiter("x<>>y", "<>", true, true), 2);
}

TEST(SplitTextTest, ExtensionListExample) {
  Strings parts;
  std::string rest = "stale";
  int count =
      SplitText("mov, avi", &parts, 100, ",;", &rest, false, true, false);
  ASSERT_EQ(count, 2);
  EXPECT_EQ(parts.size(), 102u);
  EXPECT_EQ(parts[0], "mov");
  EXPECT_EQ(parts[1], " avi");
  EXPECT_EQ(rest, "");
}

TEST(SplitTextTest, CombineRunsAndLeadingDelimiter) {
  Strings parts;
  std::string rest;
  int count =
      SplitText(",jpg;;, gif,", &parts, 100, ",;", &rest, false, true, false);
  ASSERT_EQ(count, 2 + 1);
  EXPECT_EQ(parts[0], "");
  EXPECT_EQ(parts[1], "jpg");
  EXPECT_EQ(parts[2], " gif");

  // Without combine every delimiter separates.
  count = SplitText("a,,b", &parts, 10, ",", &rest, false, false, false);
  ASSERT_EQ(count, 3);
  EXPECT_EQ(parts[1], "");
  EXPECT_EQ(parts[2], "b");
}

TEST(SplitTextTest, NegativeLimitLeavesEverythingInTheRemainder) {
  for (bool one_based : {false, true}) {
    for (int limit : {-1, -2, -100}) {
      Strings parts;
      std::string rest;
      EXPECT_EQ(
          SplitText("a,b", &parts, limit, ",", &rest, false, true, one_based),
          0);
      EXPECT_EQ(rest, "a,b");
      EXPECT_EQ(parts.size(), 2u);
    }
  }
}

TEST(SplitTextTest, OneBasedAndRemainder) {
  Strings parts;
  std::string rest;
  int count = SplitText("a b c d", &parts, 2, " ", &rest, false, false, true);
  ASSERT_EQ(count, 2);
  EXPECT_EQ(parts.size(), 4u);
  EXPECT_EQ(parts[0], "");
  EXPECT_EQ(parts[1], "a");
  EXPECT_EQ(parts[2], "b");
  EXPECT_EQ(rest, "c d");

  count = SplitText("a b", &parts, 2, " ", &rest, false, false, true);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(parts[2], "b");
  EXPECT_EQ(rest, "");

  count = SplitText("", &parts, 5, ",", &rest, false, false, false);
  EXPECT_EQ(count, 0);
}

TEST(SplitTextTest, WholeDelimiter) {
  Strings parts;
  std::string rest;
  int count = SplitText("one<>two<><>three", &parts, 10, "<>", &rest, true,
                        false, false);
  ASSERT_EQ(count, 4);
  EXPECT_EQ(parts[0], "one");
  EXPECT_EQ(parts[1], "two");
  EXPECT_EQ(parts[2], "");
  EXPECT_EQ(parts[3], "three");

  // Combined, the run separates once and no part keeps a delimiter.
  count = SplitText("one<>two<><>three||x", &parts, 10, "<>", &rest, true, true,
                    false);
  ASSERT_EQ(count, 3);
  EXPECT_EQ(parts[1], "two");
  EXPECT_EQ(parts[2], "three||x");
  count = SplitText("a||b", &parts, 10, "|", &rest, true, true, false);
  ASSERT_EQ(count, 2);
  EXPECT_EQ(parts[0], "a");
  EXPECT_EQ(parts[1], "b");
}

}  // namespace
}  // namespace orvanta
