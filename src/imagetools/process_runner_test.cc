// Tests of the converter's command line: splitting by the Windows rules and
// building it so that it splits back into the same arguments.
#include "imagetools/process_runner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvanta {
namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLineTest, BlanksAndTabsSeparate) {
  EXPECT_EQ(SplitCommandLine(""), Args{});
  EXPECT_EQ(SplitCommandLine("  \t "), Args{});
  EXPECT_EQ(SplitCommandLine("a b\t\tc  "), (Args{"a", "b", "c"}));
  EXPECT_EQ(SplitCommandLine("  one"), (Args{"one"}));
}

TEST(SplitCommandLineTest, QuotesGroupAndToggle) {
  EXPECT_EQ(SplitCommandLine(R"("a b" c)"), (Args{"a b", "c"}));
  EXPECT_EQ(SplitCommandLine(R"(ab"c d"e f)"), (Args{"abc de", "f"}));
  EXPECT_EQ(SplitCommandLine(R"("" x)"), (Args{"", "x"}));
  EXPECT_EQ(SplitCommandLine(R"("open ended)"), (Args{"open ended"}));
  EXPECT_EQ(SplitCommandLine(R"(/convert="C:\a b\t.jpg")"),
            (Args{R"(/convert=C:\a b\t.jpg)"}));
}

TEST(SplitCommandLineTest, BackslashesAreLiteralExceptBeforeAQuote) {
  EXPECT_EQ(SplitCommandLine(R"(C:\dir\file a\\b)"),
            (Args{R"(C:\dir\file)", R"(a\\b)"}));
  EXPECT_EQ(SplitCommandLine(R"(a\"b)"), (Args{R"(a"b)"}));
  EXPECT_EQ(SplitCommandLine(R"(a\\"b c")"), (Args{R"(a\b c)"}));
  EXPECT_EQ(SplitCommandLine(R"(a\\\"b)"), (Args{R"(a\"b)"}));
  EXPECT_EQ(SplitCommandLine(R"("C:\dir\\" next)"),
            (Args{R"(C:\dir\)", "next"}));
  EXPECT_EQ(SplitCommandLine(R"(trailing\\)"), (Args{R"(trailing\\)"}));
}

TEST(SplitCommandLineTest, TwoQuotesInsideQuotesMakeOne) {
  EXPECT_EQ(SplitCommandLine(R"("a""b" c)"), (Args{R"(a"b)", "c"}));
}

TEST(BuildConverterCommandLineTest, HasTheExactForm) {
  EXPECT_EQ(
      BuildConverterCommandLine(R"(C:\Program Files\IrfanView\i_view32.exe)",
                                R"(C:\Photos\a b.jpg)",
                                R"(C:\Photos\t_a b.jpg)", 150),
      R"("C:\Program Files\IrfanView\i_view32.exe" "C:\Photos\a b.jpg")"
      R"( /resample=(150,150) /aspectratio /convert="C:\Photos\t_a b.jpg")");
  EXPECT_EQ(BuildConverterCommandLine("/usr/bin/conv", "/p/x.png", "/p/t_x.png",
                                      1000),
            R"("/usr/bin/conv" "/p/x.png" /resample=(1000,1000) )"
            R"(/aspectratio /convert="/p/t_x.png")");
}

TEST(BuildConverterCommandLineTest, SplitsBackIntoTheArguments) {
  struct Case {
    std::string program, source, thumbnail;
  };
  for (const Case& c : std::vector<Case>{
           {"/opt/my tools/conv", "/p/a b.jpg", "/p/t_a b.jpg"},
           {R"(C:\x\conv.exe)", R"(C:\a\b.jpg)", R"(C:\a\t_b.jpg)"},
           {"/p/conv", R"(/p/say "hi".jpg)", R"(/p/t_say "hi".jpg)"},
           {"/p/conv", R"(/p/back\slash\.jpg)", R"(/p/ends in\)"},
           {"/p/conv", R"(/p/quote\"mix\\".gif)", "/p/t\t tab.gif"},
       }) {
    std::string line =
        BuildConverterCommandLine(c.program, c.source, c.thumbnail, 150);
    EXPECT_EQ(SplitCommandLine(line),
              (Args{c.program, c.source, "/resample=(150,150)", "/aspectratio",
                    "/convert=" + c.thumbnail}))
        << line;
  }
}

}  // namespace
}  // namespace orvanta
