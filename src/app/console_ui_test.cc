// The command line's progress line as a person sees it on a terminal: the
// task in full, a bar that never goes back, no remaining time before the
// estimate is steady, and never wider than the terminal.
#include "app/console_ui.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <sstream>

namespace orvanta {
namespace {

// The lines drawn so far, in order.
std::vector<std::string> Lines(const std::string& drawn) {
  std::vector<std::string> lines;
  std::stringstream stream(drawn);
  for (std::string line; std::getline(stream, line, '\r');) {
    const size_t erase = line.find("\x1b[K");
    if (erase != std::string::npos) line.erase(erase);
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

// Lines that fit 100 columns, a bar that never goes back, and no estimate
// before a twentieth is done and two seconds are gone.
void ExpectProgressLines(const std::vector<std::string>& lines) {
  int last_percent = -1;
  for (const std::string& line : lines) {
    EXPECT_LE(line.size(), 99u) << line;
    const int percent = std::stoi(line.substr(line.find("] ") + 2));
    EXPECT_GE(percent, last_percent) << line;
    last_percent = percent;
    if (line.find(" 0:00 elapsed") != std::string::npos ||
        line.find("] 1% ") != std::string::npos) {
      EXPECT_EQ(line.find("left"), std::string::npos) << line;
    }
  }
}

TEST(ConsoleUiTest, ProgressLine) {
  std::istringstream in;
  std::ostringstream out, err;
  double now = 0;
  int columns = 100;
  ConsoleUi ui(
      in, out, err, false, true, [&] { return columns; }, [&] { return now; });
  ui.InitializeForm("Determining number of files in photo gallery", 0, 100,
                    false, false, false);
  ASSERT_EQ(Lines(err.str()).size(), 1u);
  EXPECT_NE(Lines(err.str())[0].find(
                "  Determining number of files in photo gallery"),
            std::string::npos);
  ui.InitializeForm("Creating photo gallery", 0, 1000, true, true, true);
  const double steps[][2] = {{0.5, 10}, {1.0, 11},  {3.0, 300},
                             {3.5, 0},  {4.0, 290}, {9.0, 500}};
  for (const auto& [seconds, value] : steps) {
    now = seconds;
    ui.UpdateCurrentTask("Creating photo gallery\r\n/photos/" +
                         std::string(seconds * 20, 'd') + "/Beach");
    now += 0.2;  // the line is drawn at most ten times a second
    ui.UpdateProgressBar(value, false);
  }
  const std::vector<std::string> lines = Lines(err.str());
  ExpectProgressLines(lines);
  EXPECT_NE(lines.back().find("50% 0:09 elapsed, 0:09 left"), std::string::npos)
      << lines.back();
  EXPECT_NE(lines.back().find("/Beach"), std::string::npos);
  columns = 40;  // a narrow terminal
  now = 10.5;
  ui.UpdateProgressBar(600, false);
  EXPECT_LE(Lines(err.str()).back().size(), 39u);
  // Within a tenth of a second no call draws again.
  const size_t drawn = err.str().size();
  ui.InitializeSubtask("Processing", 1, 2);
  ui.UpdateCurrentSubTask("a.jpg");
  ui.UpdateSubtaskProgressBar(1, false);
  ui.UpdateCurrentTask("Creating photo gallery");
  ui.UpdateProgressBar(700, false);
  EXPECT_EQ(err.str().size(), drawn);
  // A movie's web copy long at work shows its own share; the line goes
  // before the error list.
  columns = 100;
  now = 11;
  ui.ShowFileProgress("clip.mov", 0.5);
  EXPECT_TRUE(Lines(err.str()).back().ends_with("  clip.mov: 50%"))
      << Lines(err.str()).back();
  ui.HideForm(true);
  ui.ShowReport("a.jpg: broken");
  EXPECT_TRUE(
      err.str().ends_with("clip.mov: 50%\x1b[K\r\x1b[Ka.jpg: broken\n"));
}

// Without a terminal to ask, $COLUMNS gives the width of the lines.
TEST(ConsoleUiTest, ColumnsFromTheEnvironment) {
  if (isatty(STDERR_FILENO)) GTEST_SKIP() << "the terminal's width counts";
  setenv("COLUMNS", "40", 1);
  std::istringstream in;
  std::ostringstream out, err;
  ConsoleUi ui(in, out, err, false, true, nullptr, [] { return 1.0; });
  ui.InitializeForm("Creating photo gallery", 0, 100, true, true, true);
  ui.UpdateCurrentTask("Creating photo gallery\r\n/photos/" +
                       std::string(80, 'd'));
  ui.UpdateProgressBar(50, false);
  unsetenv("COLUMNS");
  ASSERT_FALSE(Lines(err.str()).empty());
  EXPECT_LE(Lines(err.str()).back().size(), 39u) << Lines(err.str()).back();
}

// On a terminal the choices are shown, the preselected one in capitals;
// what is no answer is asked again, an empty line or the end of input takes
// the preselected one.
TEST(ConsoleUiTest, QuestionsReadTheirAnswers) {
  std::istringstream in("maybe\r\n  YES \n\nc\nCancel\n");
  std::ostringstream out, err;
  ConsoleUi ui(in, out, err, true, false);
  MessageBox box{"Overwrite file?", "a.html\r\nexists", Buttons::kYesNoCancel,
                 Icon::kQuestion, 2};
  const Answer answers[] = {ui.ShowMessage(box), ui.ShowMessage(box)};
  EXPECT_EQ(answers[0], Answer::kYes);
  EXPECT_EQ(answers[1], Answer::kNo);
  box.buttons = Buttons::kYesNo;
  box.default_button = 1;
  EXPECT_EQ(ui.ShowMessage(box), Answer::kYes);  // "c" asked again, then EOF
  EXPECT_EQ(err.str(),
            "Overwrite file?: a.html\nexists\n[yes/NO/cancel] Please answer "
            "[yes/NO/cancel] \n[yes/NO/cancel] Overwrite file?: a.html\n"
            "exists\n[yes/NO/cancel] Overwrite file?: a.html\nexists\n"
            "[YES/no] Please answer [YES/no] \n[YES/no] Please answer [YES/no] "
            "\n[YES/no] ");
  EXPECT_EQ(ui.ShowMessage({"Done", "ok", Buttons::kOk, Icon::kNone, 1, true,
                            "/g/a b/../index.html"}),
            Answer::kOk);
  EXPECT_EQ(out.str(), "Done: ok\nRoot page: file:///g/index.html\n");
  EXPECT_EQ(ui.gallery_address(), "file:///g/index.html");
}

}  // namespace
}  // namespace orvanta
