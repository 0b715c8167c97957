// Faults a user can meet, made to happen for real under orvanta-cli, the
// proof that the real file system reports them as the one in memory of the
// engine's tests does: a full disk, a very deep tree with few file handles.
// Snapshots of the trees show what the run changed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "testing/cli_runner.h"
#include "testing/temp_dir.h"
#include "testing/test_pictures.h"

namespace orvanta::testing {
namespace {

using ::testing::HasSubstr;
using Tree = std::map<std::string, std::string>;

class FaultsTest : public ::testing::Test {
 protected:
  FaultsTest() {
    MakeFolders(Program(""));
    MakeFolders(Gallery(""));
  }
  std::string Program(const std::string& rel) const {
    return temp.Path("program/" + rel);
  }
  std::string Gallery(const std::string& rel) const {
    return temp.Path("gallery/" + rel);
  }
  CliRun Run(std::vector<std::string> settings = {}) {
    CliRun run;
    run.program_folder = Program("");
    for (const std::string& setting : settings) {
      run.args.insert(run.args.end(), {"--set", setting});
    }
    run.args.insert(run.args.end(), {"--quiet", Gallery("")});
    return run;
  }
  TempDir temp;
};

TEST_F(FaultsTest, FullDiskStopsTheRunAndKeepsExistingFiles) {
  const std::string disk = temp.Path("disk");
  MakeFolders(disk);
  if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=256k") != 0) {
    GTEST_SKIP() << "no small tmpfs here (" << std::strerror(errno) << ")";
  }
  MakePicture(disk + "/a.jpg", 200, 150);
  WriteFile(disk + "/DirInfo.txt", "DirectoryTitle=Kept\r\n");
  WriteFile(disk + "/NavFunctions.js", "// my own\r\n");
  {
    std::ofstream filler(disk + "/filler", std::ios::binary);
    while (filler.put('f')) filler.flush();
  }
  const Tree before = SnapshotTree(disk);
  CliRun run = Run();
  run.args.back() = disk;
  CliResult result = RunCli(run);
  const Tree after = SnapshotTree(disk);
  ::umount2(disk.c_str(), MNT_DETACH);
  EXPECT_EQ(result.status, 3) << result.err;
  EXPECT_THAT(result.err, HasSubstr("No space left on device"));
  EXPECT_THAT(result.out, HasSubstr("Orvanta creation aborted."));
  for (const char* kept :
       {"a.jpg", "DirInfo.txt", "NavFunctions.js", "filler"}) {
    EXPECT_EQ(after.at(kept), before.at(kept)) << kept;
  }
  // No thumbnail fits, nor a full-size copy in its place.
  EXPECT_EQ(after.count("t_a.jpg"), 0u);
}

TEST_F(FaultsTest, DeepTreesGetTheirPagesWithFewFileHandles) {
  std::string deepest = Gallery("");
  for (int i = 0; i < 300; ++i) deepest += "d/";
  MakePicture(deepest + "deep.jpg", 40, 30);
  CliRun run = Run();
  run.open_file_limit = 16;  // soft and hard: the program cannot raise it
  CliResult result = RunCli(run);
  EXPECT_EQ(result.status, 0) << result.err.substr(0, 2000);
  EXPECT_THAT(result.out, HasSubstr("Processed 1 image files in 301 folders."));
  std::string climb;
  for (int i = 0; i < 300; ++i) climb += "../";
  EXPECT_THAT(ReadFile(deepest + "deep.html"),
              HasSubstr("<Script Src=\"" + climb + "NavFunctions.js\""));
}

}  // namespace
}  // namespace orvanta::testing
