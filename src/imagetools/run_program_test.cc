// Tests of RunProgramAndWait with the stand-in converter: success, time
// limits, crashes, programs that cannot start, and calls from several
// threads; no test may leave a process behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "imagetools/process_runner.h"
#include "testing/temp_dir.h"
#include "testing/test_pictures.h"

namespace orvanta {
namespace {

using ::orvanta::testing::MakePicture;
using ::orvanta::testing::PictureSize;
using ::orvanta::testing::ReadPictureSize;
using ::orvanta::testing::TempDir;
using Clock = std::chrono::steady_clock;

// The stand-in converter, built next to this test program.
std::string ConverterPath() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path() /
         "orvanta-test-converter";
}

// True when this process has no child, running or unreaped.
bool HasNoChildren() {
  return waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD;
}

// True when the process is gone or only a zombie of another parent.
bool IsGone(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return true;
  size_t paren = line.rfind(')');
  return paren != std::string::npos && line.size() > paren + 2 &&
         line[paren + 2] == 'Z';
}

class RunProgramAndWaitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(std::filesystem::exists(ConverterPath())) << ConverterPath();
  }

  // Makes a picture named `name` and returns the converter's command line
  // for it with thumbnail "t_" + name.
  std::string Command(const std::string& name) {
    MakePicture(dir_.Path(name), 400, 300);
    return BuildConverterCommandLine(ConverterPath(), dir_.Path(name),
                                     dir_.Path("t_" + name), 100);
  }

  // Seconds the call took; its result goes to *result.
  double Timed(const std::string& command, int limit, bool* result) {
    auto start = Clock::now();
    *result = RunProgramAndWait(command, limit);
    return std::chrono::duration<double>(Clock::now() - start).count();
  }

  TempDir dir_;
};

TEST_F(RunProgramAndWaitTest, ConverterWritesTheThumbnail) {
  EXPECT_TRUE(RunProgramAndWait(Command("a b.jpg"), 30));
  EXPECT_EQ(ReadPictureSize(dir_.Path("t_a b.jpg")), (PictureSize{100, 75}));
  EXPECT_TRUE(RunProgramAndWait(Command("c.png"), 0));  // no limit
  EXPECT_EQ(ReadPictureSize(dir_.Path("t_c.png")), (PictureSize{100, 75}));
  EXPECT_TRUE(HasNoChildren());
}

TEST_F(RunProgramAndWaitTest, HangingProgramIsStoppedAtTheLimit) {
  bool result = true;
  double took = Timed(Command("hang.jpg"), 2, &result);
  EXPECT_FALSE(result);
  EXPECT_GE(took, 1.9);
  EXPECT_LT(took, 3.5);
  EXPECT_TRUE(HasNoChildren());
}

TEST_F(RunProgramAndWaitTest, ProgramIgnoringTerminationIsKilled) {
  bool result = true;
  double took = Timed(Command("stubborn.jpg"), 1, &result);
  EXPECT_FALSE(result);
  EXPECT_LT(took, 3.5);
  EXPECT_TRUE(HasNoChildren());
}

TEST_F(RunProgramAndWaitTest, HelpersLeftInTheProcessGroupAreKilled) {
  EXPECT_TRUE(RunProgramAndWait(Command("orphan.jpg"), 30));
  std::ifstream pid_file(dir_.Path("t_orphan.jpg.pid"));
  pid_t helper = 0;
  ASSERT_TRUE(pid_file >> helper);
  auto deadline = Clock::now() + std::chrono::seconds(2);
  while (!IsGone(helper) && Clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(IsGone(helper));
}

TEST_F(RunProgramAndWaitTest, EndingTooCloseToTheLimitCounts) {
  // 1.95 s of a 2 s limit is over 95 %; the exit status is not looked at.
  setenv("ORVANTA_TEST_CONVERTER_SLEEP_MS", "1950", 1);
  bool slow = RunProgramAndWait(Command("slow.jpg"), 2);
  setenv("ORVANTA_TEST_CONVERTER_SLEEP_MS", "200", 1);
  bool in_time = RunProgramAndWait(Command("fail.jpg"), 2);
  unsetenv("ORVANTA_TEST_CONVERTER_SLEEP_MS");
  EXPECT_FALSE(slow);
  EXPECT_TRUE(in_time);
  EXPECT_FALSE(std::filesystem::exists(dir_.Path("t_fail.jpg")));
  EXPECT_TRUE(HasNoChildren());
}

TEST_F(RunProgramAndWaitTest, CrashCountsAsEndedInTime) {
  EXPECT_TRUE(RunProgramAndWait(Command("crash.jpg"), 10));
  EXPECT_FALSE(std::filesystem::exists(dir_.Path("t_crash.jpg")));
  EXPECT_TRUE(HasNoChildren());
}

TEST_F(RunProgramAndWaitTest, ProgramsThatCannotStartGiveFalse) {
  std::string not_executable = dir_.Path("not-executable");
  testing::WriteFile(not_executable, "#!/bin/sh\nexit 0\n");
  ASSERT_EQ(chmod(not_executable.c_str(), 0644), 0);
  EXPECT_FALSE(RunProgramAndWait(
      BuildConverterCommandLine(not_executable, "a", "b", 10), 5));
  EXPECT_FALSE(RunProgramAndWait(
      BuildConverterCommandLine(dir_.Path("missing"), "a", "b", 10), 5));
  EXPECT_FALSE(RunProgramAndWait(
      BuildConverterCommandLine(dir_.path(), "a", "b", 10), 5));
  EXPECT_FALSE(RunProgramAndWait("", 5));
  EXPECT_FALSE(RunProgramAndWait("\"\" x", 5));
  EXPECT_TRUE(HasNoChildren());
}

TEST_F(RunProgramAndWaitTest, NameWithoutSlashIsLookedUpInPath) {
  EXPECT_TRUE(RunProgramAndWait("true ignored arguments", 5));
  EXPECT_FALSE(RunProgramAndWait("orvanta-no-such-program-here", 5));
}

TEST_F(RunProgramAndWaitTest, SeveralThreadsRunAtOnce) {
  std::vector<std::string> commands;
  for (int i = 0; i < 6; ++i) {
    commands.push_back(Command("p" + std::to_string(i) + ".jpg"));
  }
  commands.push_back(Command("hang.png"));
  std::vector<char> results(commands.size(), 0);
  std::vector<std::thread> threads;
  auto start = Clock::now();
  for (size_t i = 0; i < commands.size(); ++i) {
    threads.emplace_back([&, i] {
      int limit = i + 1 == commands.size() ? 2 : 20;
      results[i] = RunProgramAndWait(commands[i], limit) ? 1 : 0;
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(4));
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(results[i], 1) << commands[i];
    EXPECT_EQ(ReadPictureSize(dir_.Path("t_p" + std::to_string(i) + ".jpg")),
              (PictureSize{100, 75}));
  }
  EXPECT_EQ(results.back(), 0);
  EXPECT_TRUE(HasNoChildren());
}

}  // namespace
}  // namespace orvanta
