// Faults run end to end through orvanta-cli: folders that cannot be
// written, full disks, files that vanish during a run, link loops, very
// deep trees, converters that hang, crash or cannot run, and bad info.ini
// files.
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "hardening/hardening_fixture.h"
#include "testing/test_pictures.h"

namespace orvanta::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr int kNobody = 65534;

// Makes `path` unwritable for the run: as root the run is made as user
// "nobody" (returned in *uid), otherwise the folder loses its write bit.
void MakeUnwritable(const std::string& path, int* uid) {
  if (::geteuid() == 0) {
    *uid = kNobody;
    ASSERT_EQ(::chmod(path.c_str(), 0755), 0);
  } else {
    *uid = -1;
    ASSERT_EQ(::chmod(path.c_str(), 0555), 0);
  }
}

// Fills the file system of `folder` up to the last byte.
void FillUp(const std::string& folder) {
  std::ofstream filler(folder + "/filler", std::ios::binary);
  std::string block(4096, 'f');
  while (filler.write(block.data(), block.size())) filler.flush();
  std::ofstream small(folder + "/filler2", std::ios::binary);
  while (small.put('f')) small.flush();
}

TEST_F(HardeningTest, UnwritableGalleryFolderStopsWithAClearMessage) {
  MakePicture(Gallery("a.jpg"), 40, 30);
  WriteFile(Gallery("DirInfo.txt"), "DirectoryTitle=Kept\r\n");
  int uid = -1;
  MakeUnwritable(Gallery(""), &uid);
  if (uid >= 0) {
    ASSERT_EQ(::chown(Program("").c_str(), uid, uid), 0);
  }
  const auto before = SnapshotTree(Gallery(""));
  CliRun run = Run();
  run.run_as_uid = uid;
  CliResult result = RunCli(run);
  ::chmod(Gallery("").c_str(), 0755);

  EXPECT_EQ(result.status, 3) << result.err;
  EXPECT_THAT(result.err,
              HasSubstr("Error Creating Javascript Navigation File File: "
                        "Permission denied"));
  EXPECT_THAT(result.err, HasSubstr("Error Creating Thumbnails: "));
  EXPECT_THAT(result.err, HasSubstr("Error creating Orvanta: Permission "
                                    "denied\nBe sure you have write "
                                    "permission for the folder " +
                                    Gallery("") + "/"));
  EXPECT_THAT(result.out, HasSubstr("Orvanta creation aborted."));
  EXPECT_EQ(SnapshotTree(Gallery("")), before);  // nothing written at all
}

TEST_F(HardeningTest, FullDiskStopsTheRunAndKeepsExistingFiles) {
  const std::string disk = temp.Path("disk");
  MakeFolders(disk);
  if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=256k") != 0) {
    GTEST_SKIP() << "cannot mount a small tmpfs here (" << std::strerror(errno)
                 << "); FullDeviceStopsTheRunAndKeepsExistingFiles covers "
                    "the same with /dev/full";
  }
  MakePicture(disk + "/a.jpg", 200, 150);
  WriteFile(disk + "/DirInfo.txt", "DirectoryTitle=Kept\r\n");
  WriteFile(disk + "/NavFunctions.js", "// my own\r\n");
  FillUp(disk);
  const auto before = SnapshotTree(disk);
  CliRun run = Run();
  run.args.back() = disk;
  CliResult result = RunCli(run);
  const auto after = SnapshotTree(disk);
  ::umount2(disk.c_str(), MNT_DETACH);

  EXPECT_EQ(result.status, 3) << result.err;
  EXPECT_THAT(result.err, HasSubstr("No space left on device"));
  EXPECT_THAT(result.out, HasSubstr("Orvanta creation aborted."));
  ExpectInputsUntouched(before, after);
  EXPECT_EQ(after.at("NavFunctions.js"), "// my own\r\n");
  // A thumbnail that could not be copied whole is not left behind.
  if (after.count("t_a.jpg")) {
    EXPECT_EQ(after.at("t_a.jpg"), before.at("a.jpg"));
  }
}

TEST_F(HardeningTest, FullDeviceStopsTheRunAndKeepsExistingFiles) {
  MakePicture(Gallery("a.jpg"), 40, 30);
  ASSERT_EQ(::symlink("/dev/full", Gallery("index.html").c_str()), 0);
  const auto before = SnapshotTree(Gallery(""));
  CliResult result = Cli({"ThumbnailCreateMode=0"});
  EXPECT_EQ(result.status, 3) << result.err;
  EXPECT_THAT(result.err, HasSubstr("Error creating Orvanta: No space left on "
                                    "device"));
  EXPECT_THAT(result.out, HasSubstr("Orvanta creation aborted."));
  ExpectInputsUntouched(before, SnapshotTree(Gallery("")));
  // The link still points at the device; nothing was put in its place.
  EXPECT_EQ(SnapshotTree(Gallery("")).at("index.html"), "-> /dev/full");
}

TEST_F(HardeningTest, FileAndFolderVanishingAfterTheCount) {
  MakePicture(Gallery("stays.jpg"), 40, 30);
  MakePicture(Gallery("goes.jpg"), 40, 30);
  MakePicture(Gallery("sub/inside.jpg"), 40, 30);
  WriteFile(Gallery("index.html"), "old page");
  CliRun run = Run({"OverwriteExistingFiles=False"});
  // The question about the existing page comes after the count and before
  // the listing: the file and the folder go while it waits.
  run.wait_for = "Overwrite file?";
  run.then = [&] {
    std::filesystem::remove(Gallery("goes.jpg"));
    std::filesystem::remove_all(Gallery("sub"));
  };
  run.answer = "y\n";
  CliResult result = RunCli(run);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "Gallery created: Orvanta created.  Processed 1 image files in 1 "
            "folder.\n");
  EXPECT_TRUE(PathExists(Gallery("stays.html")));
  EXPECT_FALSE(PathExists(Gallery("goes.html")));
  EXPECT_FALSE(PathExists(Gallery("sub")));
  EXPECT_THAT(ReadFile(Gallery("index.html")), HasSubstr("stays.html"));
}

TEST_F(HardeningTest, SymbolicLinkLoopsAreNotFollowed) {
  MakePicture(Gallery("a.jpg"), 40, 30);
  MakePicture(Gallery("sub/b.jpg"), 40, 30);
  ASSERT_EQ(::symlink("..", Gallery("sub/up").c_str()), 0);
  ASSERT_EQ(::symlink(".", Gallery("self").c_str()), 0);
  ASSERT_EQ(::symlink("y.jpg", Gallery("x.jpg").c_str()), 0);
  ASSERT_EQ(::symlink("x.jpg", Gallery("y.jpg").c_str()), 0);
  const auto before = SnapshotTree(Gallery(""));
  CliRun run = Run();
  run.timeout_seconds = 60;
  CliResult result = RunCli(run);
  EXPECT_FALSE(result.timed_out);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "Gallery created: Orvanta created.  Processed 2 image files in 2 "
            "folders.\n");
  EXPECT_FALSE(PathExists(Gallery("x.html")));
  ExpectInputsUntouched(before, SnapshotTree(Gallery("")));
}

// 1,000 nested folders "d/d/d/...", the deepest holding one picture.
std::string MakeDeepTree(const std::string& root, int depth) {
  std::string path = root;
  for (int i = 0; i < depth; ++i) path += "/d";
  MakeFolders(path);
  return path;
}

TEST_F(HardeningTest, ThousandFoldersDeep) {
  const std::string deepest = MakeDeepTree(Gallery(""), 1000);
  MakePicture(deepest + "/deep.jpg", 40, 30);
  struct rlimit limit;
  ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &limit), 0);
  CliResult result = Cli();
  if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max < 1100) {
    // The program may not hold 1,000 pages open here: it says so.
    EXPECT_EQ(result.status, 3) << result.err;
    EXPECT_THAT(result.err, HasSubstr("Too many open files"));
    return;
  }
  EXPECT_EQ(result.signal, 0);
  EXPECT_EQ(result.status, 0) << result.err.substr(0, 2000);
  EXPECT_EQ(result.out,
            "Gallery created: Orvanta created.  Processed 1 image files in "
            "1001 folders.\n");
  EXPECT_TRUE(PathExists(deepest + "/index.html"));
  EXPECT_TRUE(PathExists(deepest + "/deep.html"));
  // The deepest page reaches the script at the top.
  std::string climb;
  for (int i = 0; i < 1000; ++i) climb += "../";
  EXPECT_THAT(ReadFile(deepest + "/deep.html"),
              HasSubstr("<Script Src=\"" + climb + "NavFunctions.js\""));
}

TEST_F(HardeningTest, DeepTreeBeyondTheOpenFileLimitFailsWithAMessage) {
  MakeDeepTree(Gallery(""), 200);
  CliRun run = Run({"ThumbnailCreateMode=0"});
  run.open_file_limit = 64;  // soft and hard: the program cannot raise it
  CliResult result = RunCli(run);
  EXPECT_EQ(result.signal, 0);
  EXPECT_EQ(result.status, 3) << result.err;
  EXPECT_THAT(result.err, HasSubstr("Too many open files"));
  EXPECT_THAT(result.out, HasSubstr("Orvanta creation aborted."));
}

TEST_F(HardeningTest, ConvertersThatHangCrashOrFailAreStoppedAndReported) {
  for (const char* name : {"good.jpg", "hang.jpg", "crash.jpg", "fail.jpg"}) {
    MakePicture(Gallery(name), 64, 48);
  }
  const auto before = SnapshotTree(Gallery(""));
  CliResult result =
      Cli({"UseIrfanview=True", "IrfanviewPath=" + TestConverterPath()});
  EXPECT_EQ(result.status, 0) << result.err;
  // Each converter that overran its time, crashed or left no thumbnail
  // asks; the preselected answer (end of input) goes on.
  EXPECT_EQ(CountOccurrences(result.err,
                             "Error calling IrfanView using command line: "),
            3)
      << result.err;
  for (const char* name : {"hang.jpg", "crash.jpg", "fail.jpg"}) {
    EXPECT_THAT(result.err, HasSubstr(name));
  }
  EXPECT_EQ(ReadPictureSize(Gallery("t_good.jpg")), (PictureSize{150, 113}));
  for (const char* name : {"t_hang.jpg", "t_crash.jpg", "t_fail.jpg"}) {
    EXPECT_FALSE(PathExists(Gallery(name))) << name;
  }
  EXPECT_LT(result.seconds, 90);
  // The hanging converter was ended, not left behind.
  EXPECT_THAT(ProcessesMentioning(Gallery("hang.jpg")), IsEmpty());
  ExpectInputsUntouched(before, SnapshotTree(Gallery("")));
}

TEST_F(HardeningTest, ConverterThatIsNotExecutable) {
  MakePicture(Gallery("a.jpg"), 64, 48);
  WriteFile(Program("converter"), "#!/bin/sh\nexit 0\n");
  ::chmod(Program("converter").c_str(), 0644);
  CliResult result = Cli(
      {"UseIrfanview=True", "IrfanviewPath=" + Program("converter")}, "n\n");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_THAT(result.err, HasSubstr("Error: Error calling IrfanView using "
                                    "command line: \n\"" +
                                    Program("converter") + "\" \""));
  EXPECT_THAT(result.err, HasSubstr("Skipping this picture.  Prompt on "
                                    "additional errors?"));
  EXPECT_FALSE(PathExists(Gallery("t_a.jpg")));
  EXPECT_TRUE(PathExists(Gallery("a.html")));

  CliResult missing =
      Cli({"UseIrfanview=True", "IrfanviewPath=" + Program("nothing")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err,
            "Error: Invalid path specified for the IrfanView "
            "software: " +
                Program("nothing") + "\n");
}

TEST_F(HardeningTest, EmptyInfoIniIsReportedAndLeftAlone) {
  WriteFile(Program("info.ini"), "");
  MakePicture(Gallery("a.jpg"), 40, 30);
  CliResult result = Cli();
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_THAT(result.err,
              HasSubstr("Error Loading General Program Information (Info.ini) "
                        "File: Input past end of file"));
  EXPECT_THAT(result.err, HasSubstr("(" + Program("") + ")"));
  EXPECT_EQ(ReadFile(Program("info.ini")), "");
  EXPECT_FALSE(PathExists(Program("info.BAK")));
  EXPECT_TRUE(PathExists(Gallery("index.html")));
}

TEST_F(HardeningTest, BinaryInfoIniIsReadWithoutHarmAndLeftAlone) {
  std::mt19937 random(11);
  std::string garbage;
  for (int i = 0; i < 65536; ++i) garbage += static_cast<char>(random());
  WriteFile(Program("info.ini"), garbage);
  MakePicture(Gallery("a.jpg"), 40, 30);
  CliResult result = Cli();
  EXPECT_EQ(result.signal, 0);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadFile(Program("info.ini")), garbage);
  EXPECT_FALSE(PathExists(Program("info.BAK")));
  EXPECT_TRUE(PathExists(Gallery("index.html")));
}

TEST_F(HardeningTest, UnwritableInfoIniIsReadAndNeverWritten) {
  WriteFile(Program("info.ini"),
            "ThumbnailsPerRow=2\r\nThumbnailFilePrefix=small_\r\n");
  WriteFile(Program("IndexTemplate.html"),
            "<HTML>%DirectoryTitle%\r\n<TABLE>%Thumbnails%</TABLE></HTML>\r\n");
  WriteFile(Program("PictureTemplate.html"),
            "<HTML>%PictureTitle%\r\n%PictureSource%\r\n</HTML>\r\n");
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
    MakePicture(Gallery(name), 40, 30);
  }
  ::chmod(Program("info.ini").c_str(), 0444);
  int uid = -1;
  MakeUnwritable(Program(""), &uid);
  if (uid >= 0) {
    ASSERT_EQ(::chown(Gallery("").c_str(), uid, uid), 0);
  }
  const auto program_before = SnapshotTree(Program(""));
  CliRun run = Run();
  run.run_as_uid = uid;
  CliResult result = RunCli(run);
  ::chmod(Program("").c_str(), 0755);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  // The options were read: two thumbnails a row, the "small_" prefix.
  EXPECT_TRUE(PathExists(Gallery("small_a.jpg")));
  EXPECT_EQ(CountOccurrences(ReadFile(Gallery("index.html")), "<TR>"), 2);
  EXPECT_EQ(SnapshotTree(Program("")), program_before);
}

}  // namespace
}  // namespace orvanta::testing
