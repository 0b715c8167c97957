// orvanta-cli end to end (the real program on real pictures) and the
// console interface's answers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

#include "app/cli_args.h"
#include "app/console_ui.h"
#include "testing/temp_dir.h"
#include "testing/test_pictures.h"

namespace orvanta::testing {
namespace {

using ::testing::HasSubstr;

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text)
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

class CliTest : public ::testing::Test {
 protected:
  CliTest() { MakeFolders(temp.Path("program")); }
  CliResult Cli(const std::vector<std::string>& args,
                const std::string& input = "") {
    const char* build = std::getenv("ORVANTA_BUILD_DIR");
    std::string command =
        Quote(std::string(build ? build : ".") + "/orvanta-cli") +
        " --program-folder " + Quote(temp.Path("program"));
    for (const std::string& arg : args) command += " " + Quote(arg);
    WriteFile(temp.Path("stdin"), input);
    command += " <" + Quote(temp.Path("stdin")) + " >" +
               Quote(temp.Path("stdout")) + " 2>" + Quote(temp.Path("stderr"));
    int raw = std::system(command.c_str());
    CliResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadFile(temp.Path("stdout"));
    result.err = ReadFile(temp.Path("stderr"));
    return result;
  }
  TempDir temp;
};

TEST_F(CliTest, MakesAGalleryAndReportsOnStandardOutput) {
  MakePicture(temp.Path("photos/one.jpg"), 320, 240);
  MakePicture(temp.Path("photos/two.png"), 100, 100);
  CliResult result = Cli({temp.Path("photos")});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "Gallery created: Orvanta created.  Processed 2 image files in 1 "
            "folder.\n");
  EXPECT_EQ(result.err, "");
  EXPECT_TRUE(PathExists(temp.Path("photos/index.html")));
  EXPECT_EQ(ReadPictureSize(temp.Path("photos/t_one.jpg")),
            (PictureSize{150, 113}));
  EXPECT_TRUE(PathExists(temp.Path("program/IndexTemplate.html")));
}

TEST_F(CliTest, SettingsAndQuestionsFromStandardInput) {
  MakePicture(temp.Path("photos/one.jpg"), 32, 24);
  WriteFile(temp.Path("photos/index.html"), "keep me");
  CliResult result = Cli({"--set", "OverwriteExistingFiles=False",
                          "--set=ThumbnailCreateMode=0", temp.Path("photos")},
                         "maybe\nc\n");
  EXPECT_EQ(result.status, 3) << result.err;
  EXPECT_THAT(result.err, HasSubstr("Overwrite file?: The file " +
                                    temp.Path("photos/index.html") +
                                    " exists.  Are you "
                                    "sure you want to overwrite it?\n"));
  EXPECT_THAT(result.err, HasSubstr("Please answer [yes/NO/cancel]"));
  EXPECT_EQ(result.out,
            "Process aborted: Orvanta creation aborted.  Processed 0 image "
            "files in 1 folder.\n");
  EXPECT_EQ(ReadFile(temp.Path("photos/index.html")), "keep me");
  EXPECT_FALSE(PathExists(temp.Path("photos/t_one.jpg")));
}

TEST_F(CliTest, ExitStatusForChecksAndUsage) {
  CliResult missing = Cli({temp.Path("nowhere")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err,
            "Invalid Path: The input folder path is invalid.  Aborting.\n");
  EXPECT_EQ(Cli({"--bogus"}).status, 2);
  CliResult no_folder = Cli({});
  EXPECT_EQ(no_folder.status, 2);
  EXPECT_THAT(no_folder.err, HasSubstr("no input folder given"));
  EXPECT_FALSE(PathExists(temp.Path("program/index.html")));
  // A folder saved in info.ini is used without one on the command line.
  MakeFolders(temp.Path("saved"));
  WriteFile(temp.Path("program/info.ini"),
            "SourceDirectory=" + temp.Path("saved") + "\r\n");
  CliResult saved = Cli({});
  EXPECT_EQ(saved.status, 0) << saved.err;
  EXPECT_TRUE(PathExists(temp.Path("saved/index.html")));
  CliResult unknown = Cli({"--set", "NoSuchKey=1", temp.path()});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_THAT(unknown.err, HasSubstr("unknown option key \"NoSuchKey\""));
  EXPECT_EQ(Cli({"--set", "ThumbnailCreateMode=7", temp.path()}).status, 2);
  CliResult help = Cli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_THAT(help.out, HasSubstr("Usage: orvanta-cli"));
}

TEST_F(CliTest, CtrlCWindsTheRunDown) {
  for (int i = 0; i < 12; ++i) {
    MakePicture(temp.Path("photos/p" + std::to_string(i) + ".jpg"), 40, 30);
  }
  const char* build = std::getenv("ORVANTA_BUILD_DIR");
  ASSERT_NE(build, nullptr);
  const std::string cli = std::string(build) + "/orvanta-cli";
  const std::string converter =
      std::string(build) + "/tests/orvanta-test-converter";
  // Each conversion takes a while, so the run is still busy when Ctrl+C
  // comes.
  setenv("ORVANTA_TEST_CONVERTER_SLEEP_MS", "400", 1);
  const std::string out = temp.Path("stdout");
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    freopen("/dev/null", "r", stdin);
    freopen(out.c_str(), "w", stdout);
    freopen(temp.Path("stderr").c_str(), "w", stderr);
    execl(cli.c_str(), cli.c_str(), "--program-folder",
          temp.Path("program").c_str(), "--set", "UseIrfanview=True", "--set",
          ("IrfanviewPath=" + converter).c_str(), temp.Path("photos").c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  unsetenv("ORVANTA_TEST_CONVERTER_SLEEP_MS");
  usleep(900 * 1000);
  kill(pid, SIGINT);
  int raw = 0;
  ASSERT_EQ(waitpid(pid, &raw, 0), pid);
  ASSERT_TRUE(WIFEXITED(raw));
  EXPECT_EQ(WEXITSTATUS(raw), 3) << ReadFile(temp.Path("stderr"));
  EXPECT_THAT(ReadFile(out),
              HasSubstr("Process aborted: Orvanta creation aborted."));
  EXPECT_FALSE(PathExists(temp.Path("photos/index.html")));
}

TEST(CliArgsTest, ParsesOptionsAndRejectsMistakes) {
  CliArgs args;
  std::string error;
  ASSERT_TRUE(ParseCliArgs(
      {"--program-folder=/p", "--set", "A=1", "-q", "--", "-folder"}, &args,
      &error));
  EXPECT_EQ(args.program_folder, "/p");
  EXPECT_EQ(args.settings, std::vector<std::string>{"A=1"});
  EXPECT_TRUE(args.quiet);
  EXPECT_EQ(args.input_folder, "-folder");
  CliArgs two;
  EXPECT_FALSE(ParseCliArgs({"a", "b"}, &two, &error));
  CliArgs no_value;
  EXPECT_FALSE(ParseCliArgs({"--set"}, &no_value, &error));
  CliArgs no_equals;
  EXPECT_FALSE(ParseCliArgs({"--set", "Key"}, &no_equals, &error));
}

TEST(ConsoleUiTest, AnswersAndDefaults) {
  std::istringstream in("YES\n n \ncancel\nwhat\n\n");
  std::ostringstream out, err;
  ConsoleUi ui(in, out, err, false, false);
  MessageBox box{"Q", "Line one\r\nline two", Buttons::kYesNoCancel,
                 Icon::kQuestion, 2};
  EXPECT_EQ(ui.ShowMessage(box), Answer::kYes);
  EXPECT_EQ(ui.ShowMessage(box), Answer::kNo);
  EXPECT_EQ(ui.ShowMessage(box), Answer::kCancel);
  EXPECT_EQ(ui.ShowMessage(box), Answer::kNo);  // "what", then empty
  EXPECT_EQ(ui.ShowMessage(box), Answer::kNo);  // end of input
  EXPECT_THAT(err.str(), HasSubstr("Q: Line one\nline two\n"));
  box.summary = true;
  box.buttons = Buttons::kOk;
  EXPECT_EQ(ui.ShowMessage(box), Answer::kOk);
  EXPECT_EQ(out.str(), "Q: Line one\nline two\n");
}

}  // namespace
}  // namespace orvanta::testing
