// Tests of the POSIX file system against real files in a temporary folder:
// listings, line reading and writing, copies, renames and error reports.
#include "common/file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <map>

#include "common/error.h"
#include "testing/temp_dir.h"

namespace orvanta {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

std::vector<std::string> ReadAllLines(FileSystem& fs, const std::string& path) {
  std::unique_ptr<TextReader> reader = fs.OpenTextFile(path);
  std::vector<std::string> lines;
  std::string line;
  while (reader->ReadLine(&line)) lines.push_back(line);
  return lines;
}

TEST(PosixFileSystemTest, ErrorsCarryTheSystemText) {
  Error missing = SystemError(ENOENT);
  EXPECT_EQ(missing.kind(), ErrorKind::kFileNotFound);
  EXPECT_STREQ(missing.what(), "No such file or directory");
  Error full = SystemError(ENOSPC);
  EXPECT_EQ(full.kind(), ErrorKind::kGeneral);
  EXPECT_STREQ(full.what(), "No space left on device");
}

TEST(PosixFileSystemTest, ListFolderClassifiesEntries) {
  TempDir dir;
  WriteFile(dir.Path("photo.jpg"), "x");
  WriteFile(dir.Path(".hidden"), "x");
  testing::MakeFolders(dir.Path("sub"));
  ASSERT_EQ(symlink("photo.jpg", dir.Path("link.jpg").c_str()), 0);
  ASSERT_EQ(symlink("sub", dir.Path("linkdir").c_str()), 0);
  ASSERT_EQ(symlink("nowhere", dir.Path("broken").c_str()), 0);
  PosixFileSystem fs;
  std::map<std::string, FolderEntry> by_name;
  for (FolderEntry& entry : fs.ListFolder(dir.path())) {
    by_name[entry.name] = entry;
  }
  ASSERT_EQ(by_name.size(), 6u);
  auto flags = [&](const std::string& name) {
    const FolderEntry& e = by_name.at(name);
    return std::string() + (e.is_file ? "F" : "-") + (e.is_folder ? "D" : "-") +
           (e.is_link ? "L" : "-") + (e.is_hidden ? "H" : "-");
  };
  EXPECT_EQ(flags("photo.jpg"), "F---");
  EXPECT_EQ(flags(".hidden"), "F--H");
  EXPECT_EQ(flags("sub"), "-D--");
  EXPECT_EQ(flags("link.jpg"), "F-L-");
  EXPECT_EQ(flags("linkdir"), "--L-");
  EXPECT_EQ(flags("broken"), "--L-");
  EXPECT_THROW(fs.ListFolder(dir.Path("missing")), Error);
}

TEST(PosixFileSystemTest, ExistenceAndRoot) {
  TempDir dir;
  WriteFile(dir.Path("a.txt"), "");
  ASSERT_EQ(symlink("a.txt", dir.Path("l.txt").c_str()), 0);
  PosixFileSystem fs;
  EXPECT_TRUE(fs.FileExists(dir.Path("a.txt")));
  EXPECT_TRUE(fs.FileExists(dir.Path("l.txt")));
  EXPECT_FALSE(fs.FileExists(dir.path()));
  EXPECT_FALSE(fs.FileExists(""));
  EXPECT_TRUE(fs.FolderExists(dir.path()));
  EXPECT_FALSE(fs.FolderExists(dir.Path("a.txt")));
  for (const char* root : {"/", "//", "/.", "/./", "/tmp/..", "/.."}) {
    EXPECT_TRUE(fs.IsRootFolder(root)) << root;
  }
  for (const char* other : {"/tmp", "", ".", "tmp/..", "/tmp/../usr"}) {
    EXPECT_FALSE(fs.IsRootFolder(other)) << other;
  }
}

TEST(PosixFileSystemTest, ReadsLinesEndingInLfOrCrLf) {
  TempDir dir;
  WriteFile(dir.Path("t.txt"), "one\r\ntwo\nthree\rstill\r\n\r\nlast\r");
  PosixFileSystem fs;
  EXPECT_EQ(
      ReadAllLines(fs, dir.Path("t.txt")),
      (std::vector<std::string>{"one", "two", "three\rstill", "", "last\r"}));
  WriteFile(dir.Path("empty.txt"), "");
  EXPECT_TRUE(ReadAllLines(fs, dir.Path("empty.txt")).empty());
  WriteFile(dir.Path("one.txt"), "\n");
  EXPECT_EQ(ReadAllLines(fs, dir.Path("one.txt")).size(), 1u);
}

TEST(PosixFileSystemTest, ReadsAcrossBlockBoundaries) {
  // A CR LF split between two blocks, and a line longer than a block.
  TempDir dir;
  std::string first(64 * 1024 - 1, 'a');
  std::string longer(200 * 1024, 'b');
  WriteFile(dir.Path("big.txt"), first + "\r\n" + longer + "\r\nend");
  PosixFileSystem fs;
  std::vector<std::string> lines = ReadAllLines(fs, dir.Path("big.txt"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], first);
  EXPECT_EQ(lines[1], longer);
  EXPECT_EQ(lines[2], "end");
}

TEST(PosixFileSystemTest, OpenFailures) {
  TempDir dir;
  PosixFileSystem fs;
  try {
    fs.OpenTextFile(dir.Path("missing.txt"));
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.kind(), ErrorKind::kFileNotFound);
  }
  EXPECT_THROW(fs.OpenTextFile(dir.path()), Error);
  EXPECT_THROW(fs.CreateTextFile(dir.Path("no/such/folder.txt")), Error);
}

TEST(PosixFileSystemTest, WritesCrLfLinesAndReplaces) {
  TempDir dir;
  WriteFile(dir.Path("out.txt"), "old contents that are longer");
  PosixFileSystem fs;
  std::unique_ptr<TextWriter> writer = fs.CreateTextFile(dir.Path("out.txt"));
  writer->WriteLine("first");
  writer->WriteLine("");
  std::string big(100 * 1024, 'z');
  writer->WriteLine(big);
  writer->Close();
  writer->Close();  // a second close does nothing
  EXPECT_EQ(ReadFile(dir.Path("out.txt")), "first\r\n\r\n" + big + "\r\n");
}

TEST(PosixFileSystemTest, RewritingTheSameTextLeavesTheFileUntouched) {
  TempDir dir;
  const std::string path = dir.Path("page.html");
  PosixFileSystem fs;
  auto write = [&](const std::vector<std::string>& lines) {
    std::unique_ptr<TextWriter> writer = fs.CreateTextFile(path);
    for (const std::string& line : lines) writer->WriteLine(line);
    writer->Close();
  };
  write({"<HTML>", "same"});
  // Date the file back; an unchanged rewrite must keep that date.
  struct timespec old_times[2] = {{1000000000, 0}, {1000000000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), old_times, 0), 0);
  write({"<HTML>", "same"});
  struct stat status;
  ASSERT_EQ(stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mtim.tv_sec, 1000000000);
  // Same length, other bytes; then shorter; then longer.
  write({"<HTML>", "SAME"});
  EXPECT_EQ(ReadFile(path), "<HTML>\r\nSAME\r\n");
  write({"<H>"});
  EXPECT_EQ(ReadFile(path), "<H>\r\n");
  write({"<HTML>", "a longer text than before"});
  EXPECT_EQ(ReadFile(path), "<HTML>\r\na longer text than before\r\n");
  ASSERT_EQ(stat(path.c_str(), &status), 0);
  EXPECT_GT(status.st_mtim.tv_sec, 1000000000);
}

TEST(PosixFileSystemTest, FullDiskIsReported) {
  PosixFileSystem fs;
  if (!fs.FileExists("/dev/full") && access("/dev/full", W_OK) != 0) {
    GTEST_SKIP() << "no /dev/full";
  }
  std::unique_ptr<TextWriter> writer = fs.CreateTextFile("/dev/full");
  writer->WriteLine("small enough to stay in the buffer");
  try {
    writer->Close();
    FAIL() << "a full disk went unnoticed";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "No space left on device");
  }
  TempDir dir;
  WriteFile(dir.Path("src.bin"), "payload");
  EXPECT_THROW(fs.CopyFile(dir.Path("src.bin"), "/dev/full"), Error);
  EXPECT_EQ(access("/dev/full", F_OK), 0);  // the device is left alone
}

TEST(PosixFileSystemTest, CopyReplacesTheTarget) {
  TempDir dir;
  std::string payload;
  for (int i = 0; i < 300000; ++i) payload += static_cast<char>(i * 31);
  WriteFile(dir.Path("src.bin"), payload);
  WriteFile(dir.Path("dst.bin"), std::string(500000, 'x'));
  PosixFileSystem fs;
  fs.CopyFile(dir.Path("src.bin"), dir.Path("dst.bin"));
  EXPECT_EQ(ReadFile(dir.Path("dst.bin")), payload);
  fs.CopyFile(dir.Path("src.bin"), dir.Path("new.bin"));
  EXPECT_EQ(ReadFile(dir.Path("new.bin")), payload);

  // Onto itself: refused, and the file keeps its contents.
  EXPECT_THROW(fs.CopyFile(dir.Path("src.bin"), dir.Path("src.bin")), Error);
  EXPECT_EQ(ReadFile(dir.Path("src.bin")), payload);
  try {
    fs.CopyFile(dir.Path("missing"), dir.Path("x"));
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.kind(), ErrorKind::kFileNotFound);
  }
  EXPECT_FALSE(testing::PathExists(dir.Path("x")));
}

TEST(PosixFileSystemTest, RenameAndRemove) {
  TempDir dir;
  WriteFile(dir.Path("a"), "new");
  WriteFile(dir.Path("b"), "old");
  PosixFileSystem fs;
  fs.RenameFile(dir.Path("a"), dir.Path("b"));
  EXPECT_EQ(ReadFile(dir.Path("b")), "new");
  EXPECT_FALSE(testing::PathExists(dir.Path("a")));
  EXPECT_THROW(fs.RenameFile(dir.Path("a"), dir.Path("c")), Error);
  fs.RemoveFile(dir.Path("b"));
  EXPECT_FALSE(testing::PathExists(dir.Path("b")));
  EXPECT_NO_THROW(fs.RemoveFile(dir.Path("b")));
  testing::MakeFolders(dir.Path("d"));
  EXPECT_THROW(fs.RemoveFile(dir.Path("d")), Error);
}

}  // namespace
}  // namespace orvanta
