// The POSIX file system on real files: lines across block boundaries,
// unchanged pages left alone, replacements that replace links instead of
// writing through them, keep permission bits and never open a FIFO,
// partial reads, and copies.
#include "common/file_system.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "common/error.h"
#include "common/replacement_file.h"
#include "testing/temp_dir.h"

namespace orvanta::testing {
namespace {

std::vector<std::string> ReadLines(FileSystem& fs, const std::string& path) {
  std::unique_ptr<TextReader> reader = fs.OpenTextFile(path);
  std::vector<std::string> lines;
  for (std::string line; reader->ReadLine(&line);) lines.push_back(line);
  return lines;
}

class FileSystemTest : public ::testing::Test {
 protected:
  void Write(const std::string& name, const std::vector<std::string>& lines) {
    std::unique_ptr<TextWriter> writer = fs.CreateTextFile(dir.Path(name));
    for (const std::string& line : lines) writer->WriteLine(line);
    writer->Close();
    writer->Close();  // a second close does nothing
  }
  TempDir dir;
  PosixFileSystem fs;
};

TEST_F(FileSystemTest, LinesEndInLfOrCrLfAcrossBlocks) {
  const std::string first(64 * 1024 - 1, 'a'), longer(200 * 1024, 'b');
  WriteFile(dir.Path("t.txt"), "one\r\ntwo\nthree\rstill\r\n\r\n" + first +
                                   "\r\n" + longer + "\r\nlast\r");
  EXPECT_EQ(ReadLines(fs, dir.Path("t.txt")),
            (std::vector<std::string>{"one", "two", "three\rstill", "", first,
                                      longer, "last\r"}));
  WriteFile(dir.Path("empty.txt"), "");
  EXPECT_TRUE(ReadLines(fs, dir.Path("empty.txt")).empty());
  EXPECT_THROW(fs.OpenTextFile(dir.path()), Error);
  EXPECT_THROW(fs.CreateTextFile(dir.Path("no/such/folder.txt")), Error);
}

TEST_F(FileSystemTest, WritingTheSameTextLeavesTheFileUntouched) {
  WriteFile(dir.Path("page.html"), "old contents that are longer");
  Write("page.html", {"<HTML>", "", "same"});
  EXPECT_EQ(ReadFile(dir.Path("page.html")), "<HTML>\r\n\r\nsame\r\n");
  struct timespec old_times[2] = {{1000000000, 0}, {1000000000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, dir.Path("page.html").c_str(), old_times, 0),
            0);
  Write("page.html", {"<HTML>", "", "same"});
  struct stat status;
  ASSERT_EQ(stat(dir.Path("page.html").c_str(), &status), 0);
  EXPECT_EQ(status.st_mtim.tv_sec, 1000000000);
  for (const std::vector<std::string>& lines :
       {std::vector<std::string>{"<HTML>", "", "SAME"},
        {"<H>"},
        {"<HTML>", "a longer text than before"}}) {
    Write("page.html", lines);
    std::string expected;
    for (const std::string& line : lines) expected += line + "\r\n";
    EXPECT_EQ(ReadFile(dir.Path("page.html")), expected);
  }
}

TEST_F(FileSystemTest, ReplacingNeverWritesThroughALinkOrIntoAFifo) {
  WriteFile(dir.Path("real.html"), "old");
  ASSERT_EQ(chmod(dir.Path("real.html").c_str(), 0640), 0);
  ASSERT_EQ(symlink("real.html", dir.Path("page.html").c_str()), 0);
  ASSERT_EQ(symlink("missing", dir.Path("dangling.html").c_str()), 0);
  fs.WriteFile(dir.Path("page.html"), "new");
  fs.CopyFile(dir.Path("page.html"), dir.Path("dangling.html"));
  struct stat status;
  for (const char* replaced : {"page.html", "dangling.html"}) {
    ASSERT_EQ(lstat(dir.Path(replaced).c_str(), &status), 0);
    EXPECT_TRUE(S_ISREG(status.st_mode)) << replaced;
    EXPECT_EQ(ReadFile(dir.Path(replaced)), "new");
  }
  EXPECT_EQ(ReadFile(dir.Path("real.html")), "old");
  EXPECT_FALSE(PathExists(dir.Path("missing")));
  fs.WriteFile(dir.Path("real.html"), "mine");  // a file keeps its bits
  ASSERT_EQ(stat(dir.Path("real.html").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  // A FIFO is never opened, for writing or reading: nothing waits.
  ASSERT_EQ(mkfifo(dir.Path("fifo.html").c_str(), 0644), 0);
  for (const auto& use : std::vector<std::function<void()>>{
           [&] { fs.WriteFile(dir.Path("fifo.html"), "x"); },
           [&] { fs.CreateTextFile(dir.Path("fifo.html")); },
           [&] { fs.ReadFile(dir.Path("fifo.html"), kWholeFile, nullptr); }}) {
    try {
      use();
      ADD_FAILURE() << "a FIFO was used";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::kNotRegularFile);
      EXPECT_EQ(e.what(),
                dir.Path("fifo.html") + ": not a regular file, left alone");
    }
  }
  { ReplacementFile abandoned(dir.Path("never.html")); }
  EXPECT_FALSE(PathExists(dir.Path("never.html")));
  bool whole = true;
  EXPECT_EQ(fs.ReadFile(dir.Path("page.html"), 2, &whole), "ne");
  EXPECT_FALSE(whole);
  EXPECT_EQ(fs.ReadFile(dir.Path("page.html"), 10, &whole), "new");
  EXPECT_TRUE(whole);
  // Files that say they are empty are read to their end or the limit.
  EXPECT_EQ(fs.ReadFile("/proc/self/status", 5, &whole), "Name:");
  EXPECT_FALSE(whole);
  EXPECT_THAT(fs.ReadFile("/proc/self/status", kWholeFile, &whole),
              ::testing::EndsWith("\n"));
  EXPECT_TRUE(whole);
}

TEST_F(FileSystemTest, CopiesReplaceTheTargetButNeverTheSource) {
  const std::string payload(300000, 'p');
  WriteFile(dir.Path("src.bin"), payload);
  WriteFile(dir.Path("dst.bin"), std::string(500000, 'x'));
  fs.CopyFile(dir.Path("src.bin"), dir.Path("dst.bin"));
  EXPECT_EQ(ReadFile(dir.Path("dst.bin")), payload);
  EXPECT_THROW(fs.CopyFile(dir.Path("src.bin"), dir.Path("src.bin")), Error);
  EXPECT_EQ(ReadFile(dir.Path("src.bin")), payload);
  EXPECT_THROW(fs.CopyFile(dir.Path("missing"), dir.Path("x")), Error);
  EXPECT_FALSE(PathExists(dir.Path("x")));
  WriteFile(dir.Path("small"), "payload");
  EXPECT_THROW(fs.CopyFile(dir.Path("small"), "/dev/full"), Error);
  EXPECT_EQ(access("/dev/full", F_OK), 0);  // the device is left alone
  // From a file the kernel can neither copy nor send: read and written.
  fs.CopyFile("/proc/self/status", dir.Path("status"));
  EXPECT_TRUE(ReadFile(dir.Path("status")).starts_with("Name:"));
  // From another kind of file system, where the kernel will not copy.
  const std::string shm = "/dev/shm/orvanta-test-" + std::to_string(getpid());
  if (!PathExists("/dev/shm")) return;
  WriteFile(shm, payload);
  fs.CopyFile(shm, dir.Path("from_shm"));
  std::remove(shm.c_str());
  EXPECT_EQ(ReadFile(dir.Path("from_shm")), payload);
}

// The root in its spellings; a path whose end is missing is resolved as
// far as it exists, the rest by its names.
TEST_F(FileSystemTest, RootFolderAndPathsWithMissingParts) {
  for (const char* root :
       {"/", "//", "/.", "/a/..", "/a/../..", "/./a/b/../../"})
    EXPECT_TRUE(fs.IsRootFolder(root)) << root;
  for (const char* other : {"", "a", "/a", "/a/./", "/../a", "/a/b/.."})
    EXPECT_FALSE(fs.IsRootFolder(other)) << other;
  MakeFolders(dir.Path("real"));
  EXPECT_EQ(fs.ResolvePath(dir.Path("real/new/./more/../x//")),
            fs.ResolvePath(dir.path()) + "/real/new/x");
  EXPECT_EQ(fs.ResolvePath("/no-such-orvanta-folder/.."), "/");
}

}  // namespace
}  // namespace orvanta::testing
