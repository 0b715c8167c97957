// Helper programs run as children with a time limit that leaves no process
// behind, found on the PATH or reported as not started; and the converter
// behind the image tool, given each path as one argument whatever it holds
// (its failures: the orvanta-cli table).
#include "imagetools/process_runner.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <thread>

#include "common/error.h"
#include "imagetools/image_tool.h"
#include "testing/cli_runner.h"
#include "testing/temp_dir.h"
#include "testing/test_pictures.h"

namespace orvanta::testing {
namespace {

using Outcome = ProgramRun::Outcome;

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
  // The converter's arguments for a new picture `name`.
  std::vector<std::string> Convert(const std::string& name) {
    MakePicture(dir_.Path(name), 400, 300);
    return {TestConverterPath(), dir_.Path(name), "/resample=(100,100)",
            "/aspectratio", "/convert=" + dir_.Path("t_" + name)};
  }
  TempDir dir_;
};

TEST_F(RunProgramTest, ProgramsPastTheLimitAreKilledWithTheirHelpers) {
  EXPECT_EQ(RunProgram(Convert("hang.jpg"), 1).outcome, Outcome::kTimedOut);
  EXPECT_EQ(RunProgram(Convert("stubborn.jpg"), 1).outcome,
            Outcome::kTimedOut);  // ignores SIGTERM
  EXPECT_TRUE(HasNoChildren());
  // A helper left in the program's group goes with it.
  EXPECT_EQ(RunProgram(Convert("orphan.jpg"), 30).outcome, Outcome::kEnded);
  pid_t helper = 0;
  ASSERT_TRUE(std::ifstream(dir_.Path("t_orphan.jpg.pid")) >> helper);
  for (int i = 0; i < 500 && !IsGone(helper); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(IsGone(helper));
}

TEST_F(RunProgramTest, ProgramsAreFoundOnThePathOrNotStarted) {
  WriteFile(dir_.Path("not-executable"), "#!/bin/sh\nexit 0\n");
  for (const std::string& program :
       {dir_.Path("not-executable"), dir_.path(), std::string(),
        std::string("orvanta-no-such-program-here")}) {
    EXPECT_EQ(RunProgram({program, "a"}, 5).outcome, Outcome::kNotStarted)
        << program;
  }
  // No limit; the last 64 KiB of the output are kept.
  const ProgramRun run = RunProgram({"sh", "-c",
                                     "head -c 99999 /dev/zero | tr '\\0' x; "
                                     "echo out; echo err >&2; exit 3"},
                                    0);
  EXPECT_EQ(run.outcome, Outcome::kEnded);
  EXPECT_EQ(run.exit_status, 3);
  EXPECT_TRUE(run.output == std::string(65528, 'x') + "out\nerr\n");
  EXPECT_TRUE(HasNoChildren());
}

TEST_F(RunProgramTest, TheConverterGetsEachPathWhole) {
  PosixFileSystem fs;
  auto tool = CreateConverterImageTool(fs, TestConverterPath(), 30);
  for (const std::string name :
       {"a b.jpg", "say \"hi\".jpg", "back\\slash\\.jpg", "-dash.jpg"}) {
    MakePicture(dir_.Path(name), 400, 200);
    tool->MakeThumbnail(dir_.Path(name), dir_.Path("t_" + name), 100);
    EXPECT_EQ(ReadPictureSize(dir_.Path("t_" + name)), (PictureSize{100, 50}))
        << name;
  }
}

}  // namespace
}  // namespace orvanta::testing
