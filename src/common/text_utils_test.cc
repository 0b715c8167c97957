// The ordinal order of file names and the splitting of extension lists.
#include "common/text_utils.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

using Strings = std::vector<std::string>;

TEST(TextUtilsTest, SortGoesByUnsignedByteValue) {
  // Digits one by one, "_" between the cases, UTF-8 after ASCII.
  Strings names = {"\xC3\xA9t\xC3\xA9", "img2", "img10", "Img_3", "img_1", "~"};
  SortStrings(names);
  EXPECT_EQ(names, (Strings{"Img_3", "img10", "img2", "img_1", "~",
                            "\xC3\xA9t\xC3\xA9"}));
}

TEST(TextUtilsTest, SplitCombinesDelimiterRuns) {
  Strings parts;
  std::string rest = "stale";
  ASSERT_EQ(SplitText(",jpg;;, gif,", &parts, 100, ",;", &rest), 3);
  EXPECT_EQ(parts[0], "");
  EXPECT_EQ(parts[1], "jpg");
  EXPECT_EQ(parts[2], " gif");
  EXPECT_EQ(rest, "");
  EXPECT_EQ(SplitText("a,b,c", &parts, 2, ",", &rest), 2);
  EXPECT_EQ(rest, "c");
  EXPECT_EQ(SplitText("a,b", &parts, -1, ",", &rest), 0);
  EXPECT_EQ(rest, "a,b");
}

}  // namespace
}  // namespace orvanta
