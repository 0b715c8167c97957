// Saving info.ini when things go wrong: writes that fail half-way, a full
// disk, a folder that cannot be written, and stale links where the
// temporary file and the backup go. The old file must survive whole and no
// file outside the program folder may be written through a link.
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

#include "common/error.h"
#include "hardening/hardening_fixture.h"
#include "options/options_file.h"
#include "testing/recording_prompter.h"

namespace orvanta::testing {
namespace {

using ::testing::HasSubstr;

// The real file system, except that the text files it creates fail with
// "No space left on device" after `good_lines` lines.
class FailingWritesFileSystem : public PosixFileSystem {
 public:
  explicit FailingWritesFileSystem(int good_lines) : good_lines_(good_lines) {}
  std::unique_ptr<TextWriter> CreateTextFile(const std::string& path) override {
    return std::make_unique<Writer>(PosixFileSystem::CreateTextFile(path),
                                    good_lines_);
  }

 private:
  class Writer : public TextWriter {
   public:
    Writer(std::unique_ptr<TextWriter> real, int good_lines)
        : real_(std::move(real)), left_(good_lines) {}
    void WriteLine(std::string_view line) override {
      if (left_-- <= 0) throw SystemError(ENOSPC);
      real_->WriteLine(line);
    }
    void Close() override { real_->Close(); }

   private:
    std::unique_ptr<TextWriter> real_;
    int left_;
  };
  int good_lines_;
};

class OptionsSaveTest : public HardeningTest {
 protected:
  OptionsSaveTest() {
    SetDefaultOptions(Program(""), &controls, &options);
    controls.input_folder = "/photos/new";
    WriteFile(Program("info.ini"), kOldFile);
  }
  bool Save(FileSystem& fs) {
    return SaveOptions(Program(""), controls, options.known_extensions, fs,
                       prompter);
  }
  static constexpr char kOldFile[] =
      "; Info.ini\r\nSourceDirectory=/photos/old\r\nThumbnailsPerRow=6\r\n";
  OptionControls controls;
  GalleryOptions options;
  RecordingPrompter prompter;
};

TEST_F(OptionsSaveTest, WriteFailingHalfWayLeavesTheOldFileWhole) {
  FailingWritesFileSystem fs(5);
  EXPECT_FALSE(Save(fs));
  EXPECT_EQ(ReadFile(Program("info.ini")), kOldFile);
  EXPECT_EQ(ReadFile(Program("info.BAK")), kOldFile);
  EXPECT_FALSE(PathExists(Program("info.ini.tmp")));
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].text,
            "Error Saving Program Information (Info.ini) File: No space left "
            "on device\r\nBe sure you have write permission for the drive "
            "where the Orvanta program resides \r\n(" +
                Program("") + ")");
}

TEST_F(OptionsSaveTest, FullDiskLeavesTheOldFileWhole) {
  if (::mount("tmpfs", Program("").c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "cannot mount a small tmpfs here (" << std::strerror(errno)
                 << "); WriteFailingHalfWayLeavesTheOldFileWhole covers the "
                    "same through a failing writer";
  }
  WriteFile(Program("info.ini"), kOldFile);
  {
    std::ofstream filler(Program("filler"), std::ios::binary);
    while (filler.put('f')) filler.flush();
  }
  controls.irfanview_path = std::string(8192, 'p');  // more than fits
  PosixFileSystem fs;
  const bool saved = Save(fs);
  const std::string info = ReadFile(Program("info.ini"));
  const bool temporary_left = PathExists(Program("info.ini.tmp"));
  ::umount2(Program("").c_str(), MNT_DETACH);
  EXPECT_FALSE(saved);
  EXPECT_EQ(info, kOldFile);
  EXPECT_FALSE(temporary_left);
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_THAT(prompter.boxes[0].text, HasSubstr("No space left on device"));
}

TEST_F(OptionsSaveTest, UnwritableFolderLeavesTheOldFileWhole) {
  // As root the save runs as user "nobody" in a child process.
  ::chmod(Program("").c_str(), ::geteuid() == 0 ? 0755 : 0555);
  int pipe_fds[2];
  ASSERT_EQ(::pipe(pipe_fds), 0);
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(pipe_fds[0]);
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
      ::_exit(2);
    }
    PosixFileSystem fs;
    bool saved = Save(fs);
    std::string text = prompter.boxes.empty() ? "" : prompter.boxes[0].text;
    ssize_t ignored = ::write(pipe_fds[1], text.data(), text.size());
    (void)ignored;
    ::_exit(saved ? 1 : 0);
  }
  ::close(pipe_fds[1]);
  std::string message;
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipe_fds[0], buffer, sizeof buffer)) > 0;) {
    message.append(buffer, n);
  }
  ::close(pipe_fds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  ::chmod(Program("").c_str(), 0755);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "saving did not report the failure";
  EXPECT_THAT(message, HasSubstr("Error Saving Program Information (Info.ini) "
                                 "File: Permission denied"));
  EXPECT_EQ(ReadFile(Program("info.ini")), kOldFile);
  EXPECT_FALSE(PathExists(Program("info.ini.tmp")));
}

TEST_F(OptionsSaveTest, StaleLinksAreReplacedNotWrittenThrough) {
  WriteFile(temp.Path("elsewhere/photo.jpg"), "precious picture");
  WriteFile(temp.Path("elsewhere/notes.txt"), "precious notes");
  ASSERT_EQ(::symlink(temp.Path("elsewhere/photo.jpg").c_str(),
                      Program("info.ini.tmp").c_str()),
            0);
  ASSERT_EQ(::symlink(temp.Path("elsewhere/notes.txt").c_str(),
                      Program("info.BAK").c_str()),
            0);
  PosixFileSystem fs;
  EXPECT_TRUE(Save(fs));
  EXPECT_EQ(ReadFile(temp.Path("elsewhere/photo.jpg")), "precious picture");
  EXPECT_EQ(ReadFile(temp.Path("elsewhere/notes.txt")), "precious notes");
  struct stat status;
  ASSERT_EQ(::lstat(Program("info.ini").c_str(), &status), 0);
  EXPECT_TRUE(S_ISREG(status.st_mode));
  EXPECT_THAT(ReadFile(Program("info.ini")),
              HasSubstr("SourceDirectory=/photos/new\r\n"));
  EXPECT_EQ(ReadFile(Program("info.BAK")), kOldFile);
  EXPECT_FALSE(PathExists(Program("info.ini.tmp")));
}

}  // namespace
}  // namespace orvanta::testing
