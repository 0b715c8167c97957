// Placeholder expansion in template lines: inline codes in any case, block
// codes and the dates and times they write. (Bad codes: the gallery
// table.)
#include "engine/templates.h"

#include <gtest/gtest.h>

#include "testing/mem_file_system.h"
#include "testing/recording_ui.h"

namespace orvanta::testing {
namespace {

class TemplatesTest : public ::testing::Test {
 protected:
  TemplatesTest() {
    fs.now.tm_year = 126;
    fs.now.tm_mon = 11;
    fs.now.tm_mday = 5;
    fs.now.tm_wday = 6;
    fs.now.tm_hour = 13;
    fs.now.tm_min = 5;
  }
  // The expanded line; the block code goes to *code.
  std::string Expand(std::string line, std::string* code = nullptr) {
    std::string block;
    ExpandTemplateLine(ctx, &line, &block, PageContext{"T"},
                       "/p/IndexTemplate.html");
    if (code) *code = block;
    return line;
  }
  RecordingUi ui;
  MemFileSystem fs;
  RunSettings settings;
  RunContext ctx{ui, fs, settings};
};

TEST_F(TemplatesTest, DatesTimesAndBlockCodesInAnyCase) {
  EXPECT_EQ(Expand("%DATE%"), "Saturday, December 5, 2026");
  EXPECT_EQ(Expand("Made on %date% at %Time%."),
            "Made on Saturday, December 5, 2026 at 1:05 pm.");
  fs.now.tm_hour = 0;
  EXPECT_EQ(Expand("%time%"), "12:05 am");
  std::string code;
  EXPECT_EQ(Expand("  <P>%SubdirNav%</P>", &code), "");
  EXPECT_EQ(code, "subdirnav");
  EXPECT_EQ(Expand("%date% %THUMBNAILS%", &code), "");
  EXPECT_EQ(code, "thumbnails");
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace orvanta::testing
