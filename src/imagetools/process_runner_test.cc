// The external converter's command line, split by the Windows rules and
// built so that it splits back into the same arguments; and running it as
// a child with a time limit that leaves no process behind.
#include "imagetools/process_runner.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <thread>

#include "testing/cli_runner.h"
#include "testing/temp_dir.h"
#include "testing/test_pictures.h"

namespace orvanta::testing {
namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLineTest, WindowsRules) {
  const std::pair<std::string, Args> cases[] = {
      {"  \t ", {}},
      {"a b\t\tc  ", {"a", "b", "c"}},
      {R"("a b" c)", {"a b", "c"}},
      {R"("" x)", {"", "x"}},
      {R"("open ended)", {"open ended"}},
      {R"(C:\dir a\\b)", {R"(C:\dir)", R"(a\\b)"}},
      {R"(a\"b)", {R"(a"b)"}},
      {R"(a\\"b c")", {R"(a\b c)"}},
      {R"(a\\\"b)", {R"(a\"b)"}},
      {R"("C:\dir\\" next)", {R"(C:\dir\)", "next"}},
      {R"("a""b" c)", {R"(a"b)", "c"}},
  };
  for (const auto& [line, args] : cases) {
    EXPECT_EQ(SplitCommandLine(line), args) << line;
  }
}

TEST(SplitCommandLineTest, ConverterCommandLineSplitsBackIntoItsArguments) {
  EXPECT_EQ(BuildConverterCommandLine("/usr/bin/conv", "/p/x.png", "/p/t_x.png",
                                      1000),
            R"("/usr/bin/conv" "/p/x.png" /resample=(1000,1000) )"
            R"(/aspectratio /convert="/p/t_x.png")");
  const Args paths[] = {
      {"/opt/my tools/conv", "/p/a b.jpg", "/p/t_a b.jpg"},
      {"/p/conv", R"(/p/say "hi".jpg)", R"(/p/t_say "hi".jpg)"},
      {"/p/conv", R"(/p/back\slash\.jpg)", R"(/p/ends in\)"},
      {"/p/conv", R"(/p/quote\"mix\\".gif)", "/p/t\t tab.gif"},
  };
  for (const Args& p : paths) {
    const std::string line = BuildConverterCommandLine(p[0], p[1], p[2], 150);
    EXPECT_EQ(SplitCommandLine(line),
              (Args{p[0], p[1], "/resample=(150,150)", "/aspectratio",
                    "/convert=" + p[2]}))
        << line;
  }
}

// True when this process has no child, running or unreaped.
bool HasNoChildren() {
  return waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD;
}

// True when the process is gone, or a zombie that its parent will reap.
bool IsGone(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return true;
  const size_t paren = line.rfind(')');
  return paren != std::string::npos && line.substr(paren + 2, 1) == "Z";
}

class RunProgramTest : public ::testing::Test {
 protected:
  // The converter's command line for a new picture `name`.
  std::string Command(const std::string& name) {
    MakePicture(dir_.Path(name), 400, 300);
    return BuildConverterCommandLine(TestConverterPath(), dir_.Path(name),
                                     dir_.Path("t_" + name), 100);
  }
  TempDir dir_;
};

TEST_F(RunProgramTest, ProgramsPastTheLimitAreKilledWithTheirHelpers) {
  EXPECT_FALSE(RunProgramAndWait(Command("hang.jpg"), 1));
  EXPECT_FALSE(RunProgramAndWait(Command("stubborn.jpg"), 1));  // no SIGTERM
  EXPECT_TRUE(HasNoChildren());
  // A helper left in the program's group goes with it.
  EXPECT_TRUE(RunProgramAndWait(Command("orphan.jpg"), 30));
  pid_t helper = 0;
  ASSERT_TRUE(std::ifstream(dir_.Path("t_orphan.jpg.pid")) >> helper);
  for (int i = 0; i < 500 && !IsGone(helper); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(IsGone(helper));
}

TEST_F(RunProgramTest, ProgramsAreFoundOnThePathOrGiveFalse) {
  const std::string not_executable = dir_.Path("not-executable");
  WriteFile(not_executable, "#!/bin/sh\nexit 0\n");
  for (const std::string& program :
       {not_executable, dir_.Path("missing"), dir_.path()}) {
    EXPECT_FALSE(
        RunProgramAndWait(BuildConverterCommandLine(program, "a", "b", 10), 5))
        << program;
  }
  EXPECT_TRUE(RunProgramAndWait("true ignored arguments", 5));  // from PATH
  EXPECT_FALSE(RunProgramAndWait("", 5));
  EXPECT_FALSE(RunProgramAndWait("orvanta-no-such-program-here", 5));
  EXPECT_TRUE(HasNoChildren());
}

}  // namespace
}  // namespace orvanta::testing
