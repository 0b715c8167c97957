// Placeholder expansion in template lines: inline codes in any case, block
// codes and the dates and times they write. (Bad codes: the gallery
// table.)
#include "engine/styles/templates.h"

#include <gtest/gtest.h>

namespace orvanta::testing {
namespace {

class TemplatesTest : public ::testing::Test {
 protected:
  TemplatesTest() {
    now.tm_year = 126;
    now.tm_mon = 11;
    now.tm_mday = 5;
    now.tm_wday = 6;
    now.tm_hour = 13;
    now.tm_min = 5;
  }
  // The expanded line; the block code goes to *code.
  std::string Expand(std::string line, std::string* code = nullptr) {
    std::string block;
    PageContext page{"T"};
    page.now = now;
    EXPECT_TRUE(ExpandTemplateLine(page, &line, &block));
    if (code) *code = block;
    return line;
  }
  std::tm now{};
};

TEST_F(TemplatesTest, DatesTimesAndBlockCodesInAnyCase) {
  EXPECT_EQ(Expand("%DATE%"), "Saturday, December 5, 2026");
  EXPECT_EQ(Expand("Made on %date% at %Time%."),
            "Made on Saturday, December 5, 2026 at 1:05 pm.");
  now.tm_hour = 0;
  EXPECT_EQ(Expand("%time%"), "12:05 am");
  std::string code;
  EXPECT_EQ(Expand("  <P>%SubdirNav%</P>", &code), "");
  EXPECT_EQ(code, "subdirnav");
  EXPECT_EQ(Expand("%date% %THUMBNAILS%", &code), "");
  EXPECT_EQ(code, "thumbnails");
}

}  // namespace
}  // namespace orvanta::testing
