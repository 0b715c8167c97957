// Placeholder expansion, the default templates and the navigation script.
#include "engine/templates.h"

#include <gtest/gtest.h>

#include "engine/nav_script.h"
#include "testing/engine_fixture.h"

namespace orvanta::testing {
namespace {

class TemplatesTest : public EngineTest {
 protected:
  // Expands `line`; returns the expanded line and stores the block code.
  std::string Expand(const std::string& line, std::string* code = nullptr) {
    RunContext& ctx = context ? *context : Context();
    std::string result = line;
    std::string block;
    ExpandTemplateLine(ctx, &result, &block, "My <b>Title</b>", "T.html");
    if (code) *code = block;
    return result;
  }
};

TEST_F(TemplatesTest, InlineCodesIgnoreCaseAndKeepTheRestOfTheLine) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const std::string date = FormatLongDate(local);
  EXPECT_EQ(Expand("%DATE%"), date);
  EXPECT_EQ(Expand("%Date%"), date);
  std::string made = Expand("Made on %date% at %time%.");
  EXPECT_EQ(made.rfind("Made on " + date + " at ", 0), 0u) << made;
  EXPECT_EQ(made.back(), '.');
  EXPECT_EQ(Expand("<T>%DirectoryTitle%|%picturetitle%</T>"),
            "<T>My <b>Title</b>|My <b>Title</b></T>");
  EXPECT_EQ(Expand("%navindex%"),
            "<a href=\"index.html\" name=\"navIndex\">Index</a>");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(TemplatesTest, KeyDownCodeFollowsTheKeyboardOption) {
  EXPECT_EQ(Expand("<BODY %NavigationOnKeyDownEvent%>"),
            "<BODY onkeydown=navHandler();>");
  program.options.include_keyboard_navigation = false;
  EXPECT_EQ(Expand("<BODY BGCOLOR=\"#FFFFFF\" %NavigationOnKeyDownEvent%>"),
            "<BODY BGCOLOR=\"#FFFFFF\" >");
}

TEST_F(TemplatesTest, BlockCodeReplacesTheWholeLine) {
  std::string code;
  EXPECT_EQ(Expand("  <P>%SubdirNav%</P>", &code), "");
  EXPECT_EQ(code, "subdirnav");
  EXPECT_EQ(Expand("%date% %THUMBNAILS%", &code), "");
  EXPECT_EQ(code, "thumbnails");
  EXPECT_FALSE(context->state.abort_processing);
}

TEST_F(TemplatesTest, TitleHoldingPercentIsNotScannedAgain) {
  RunContext& ctx = Context();
  std::string line = "<T>%directorytitle%</T>";
  std::string code;
  ExpandTemplateLine(ctx, &line, &code, "100% sure", "T.html");
  EXPECT_EQ(line, "<T>100% sure</T>");
  EXPECT_FALSE(ctx.state.abort_processing);
}

TEST_F(TemplatesTest, BadCodesStopTheRunWithTheirMessage) {
  for (const std::string bad : {"100%", "100%% sure", "a %foo% b"}) {
    RunContext& ctx = Context();
    ui.messages.clear();
    std::string line = bad;
    std::string code;
    ExpandTemplateLine(ctx, &line, &code, "t", "/p/IndexTemplate.html");
    EXPECT_TRUE(ctx.state.abort_processing) << bad;
    ASSERT_EQ(ui.messages.size(), 1u) << bad;
    EXPECT_EQ(ui.LastMessage().title, "Orvanta");
    EXPECT_EQ(ui.LastMessage().icon, Icon::kNone);
    EXPECT_EQ(ui.LastMessage().text, "Bad code in line \r\n" + bad +
                                         "\r\n of header file "
                                         "/p/IndexTemplate.html");
    EXPECT_EQ(line, bad.substr(0, bad.find('%')));
  }
}

TEST_F(TemplatesTest, DateAndTimeFormats) {
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

TEST_F(TemplatesTest, DefaultTemplatesAreWrittenWithCrLf) {
  RunContext& ctx = Context();
  const std::string path = temp.Path("program/IndexTemplate.html");
  WriteDefaultIndexTemplate(ctx, path);
  std::string text = ReadFile(path);
  EXPECT_EQ(DefaultIndexTemplateLines().size(), 21u);
  EXPECT_EQ(DefaultPictureTemplateLines().size(), 34u);
  EXPECT_EQ(text.rfind("<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 3.2//EN\">\r\n"
                       "<HTML>\r\n  <HEAD>\r\n",
                       0),
            0u);
  EXPECT_NE(text.find("charset=utf-8"), std::string::npos);
  EXPECT_NE(text.find("\r\n    %Thumbnails%\r\n"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 9), "</HTML>\r\n");
}

TEST_F(TemplatesTest, FailingToWriteATemplateIsReported) {
  RunContext& ctx = Context();
  const std::string path = temp.Path("no/such/folder/IndexTemplate.html");
  WriteDefaultPictureTemplate(ctx, path);
  EXPECT_TRUE(ctx.state.abort_processing);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.LastMessage().title, "Error");
  EXPECT_EQ(ui.LastMessage().text.rfind(
                "Error Creating HTML Picture Template File: ", 0),
            0u);
  EXPECT_NE(ui.LastMessage().text.find(
                "\r\nBe sure you have write permission for the drive where "
                "the Orvanta program resides \r\n(" +
                path + ")"),
            std::string::npos);
}

TEST(NavScriptTest, IncludeTagClimbsToTheRoot) {
  EXPECT_EQ(BuildScriptIncludeTag(1),
            "<Script Src=\"NavFunctions.js\" Language=\"javascript\">"
            "</Script>");
  EXPECT_EQ(BuildScriptIncludeTag(3),
            "<Script Src=\"../../NavFunctions.js\" Language=\"javascript\">"
            "</Script>");
  EXPECT_EQ(BuildScriptIncludeTag(0), BuildScriptIncludeTag(1));
}

}  // namespace
}  // namespace orvanta::testing
