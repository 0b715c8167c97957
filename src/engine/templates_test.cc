// Placeholder expansion in template lines: inline codes in any case, block
// codes and the dates and times they write. (Bad codes: the template-line
// fuzzer and the gallery table.)
#include "engine/templates.h"

#include <gtest/gtest.h>

#include "testing/recording_ui.h"

namespace orvanta::testing {
namespace {

class TemplatesTest : public ::testing::Test {
 protected:
  // The expanded line; the block code goes to *code.
  std::string Expand(std::string line, std::string* code = nullptr) {
    std::string block;
    ExpandTemplateLine(ctx, &line, &block, "T", "/p/IndexTemplate.html");
    if (code) *code = block;
    return line;
  }
  RecordingUi ui;
  PosixFileSystem fs;
  GalleryOptions options;
  RunSettings settings;
  RunContext ctx{ui, fs, options, settings};
};

TEST_F(TemplatesTest, DateAndBlockCodesIgnoreCase) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const std::string date = FormatLongDate(local);
  EXPECT_EQ(Expand("%DATE%"), date);
  const std::string made = Expand("Made on %date% at %time%.");
  EXPECT_TRUE(made.starts_with("Made on " + date + " at ")) << made;
  EXPECT_EQ(made.back(), '.');
  std::string code;
  EXPECT_EQ(Expand("  <P>%SubdirNav%</P>", &code), "");
  EXPECT_EQ(code, "subdirnav");
  EXPECT_EQ(Expand("%date% %THUMBNAILS%", &code), "");
  EXPECT_EQ(code, "thumbnails");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(TemplatesTest, DateAndTime) {
  std::tm when{};
  when.tm_year = 126;
  when.tm_mon = 11;
  when.tm_mday = 5;
  when.tm_wday = 6;
  when.tm_hour = 13;
  when.tm_min = 5;
  EXPECT_EQ(FormatLongDate(when), "Saturday, December 5, 2026");
  EXPECT_EQ(FormatShortTime(when), "1:05 pm");
  when.tm_hour = 0;
  EXPECT_EQ(FormatShortTime(when), "12:05 am");
}

}  // namespace
}  // namespace orvanta::testing
