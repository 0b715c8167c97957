// The options file: what loading reads and how it reports a bad file, and
// saving with a backup that never leaves a half-written file, writes
// through a stale link, or loses the old file on a full disk.
#include "options/options_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>

#include "testing/recording_ui.h"
#include "testing/temp_dir.h"

namespace orvanta::testing {
namespace {

using ::testing::HasSubstr;

constexpr char kOldFile[] = "; Info.ini\r\nThumbnailsPerRow=9\r\n";

class OptionsFileTest : public ::testing::Test {
 protected:
  OptionsFileTest() { SetDefaultOptions(dir_.path(), &controls_, &options_); }
  std::string Path(const std::string& name) const { return dir_.Path(name); }
  void Load(const std::string& contents) {
    WriteFile(Path("info.ini"), contents);
    LoadOptions(dir_.path(), &controls_, &options_, fs_, ui_);
  }
  bool Save() {
    return SaveOptions(dir_.path(), controls_, options_.known_extensions, fs_,
                       ui_);
  }
  std::string Message(const std::string& what, const std::string& error) {
    return "Error: Error " + what +
           " Program Information (Info.ini) File: " + error +
           "\r\nBe sure you have " + (what == "Saving" ? "write" : "read") +
           " permission for the drive where the Orvanta program resides "
           "\r\n(" +
           dir_.path() + ")\n";
  }

  TempDir dir_;
  PosixFileSystem fs_;
  RecordingUi ui_;
  OptionControls controls_;
  GalleryOptions options_;
};

TEST_F(OptionsFileTest, SaveThenLoadRestoresEveryControl) {
  // clang-format off
  const OptionControls saved = {
      "/photos/My Trip", "i.html", "p.html", "Info=here.txt", 0, 0, "6", "222",
      2, "th-", "png", "tif,jpg", "mp4", 0, 0, 0, 0, 4, 1, "/usr/bin/i_view", 1};
  // clang-format on
  controls_ = saved;
  CaptureOptions(controls_, dir_.path(), &options_);
  ASSERT_TRUE(Save());
  SetDefaultOptions(dir_.path(), &controls_, &options_);
  controls_.include_picture_files = controls_.include_movie_files = 1;
  LoadOptions(dir_.path(), &controls_, &options_, fs_, ui_);
  EXPECT_EQ(ui_.Transcript(), "");
  EXPECT_EQ(controls_, saved);
  EXPECT_EQ(options_.known_extensions.ExtensionListText(true), "mp4");
  // The backup holds the version before, and only that.
  controls_.thumbnails_per_row = "5";
  const std::string first = ReadFile(Path("info.ini"));
  ASSERT_TRUE(Save());
  EXPECT_EQ(ReadFile(Path("info.BAK")), first);
  EXPECT_FALSE(PathExists(Path("info.ini.tmp")));
}

TEST_F(OptionsFileTest, ReadingRules) {
  Load(
      "\xEF\xBB\xBFthumbnailsperrow=7\r\n"
      "ThumbnailsPerRow =8\r\n"
      "   ; ThumbnailMaximumWidthOrHeight=300\r\n"
      "'ThumbnailMaximumWidthOrHeight=301\n"
      "\r\nno equals sign here\r\n"
      "ThumbnailMaximumWidthOrHeight= 12.70abc\r\n"
      "SourceDirectory=\r\n"
      "IrfanviewPath=C:\\a=b\\i.exe  \r\n"
      "UseIrfanview=yes\r\n"
      "  IncludeMidSizePicture=0\r\n"
      "\tIncludeMovieFiles=False\r\n"
      "RecurseSubdirectories=1\r\nRecurseSubdirectories=0\r\n"
      "ThumbnailCreateMode=1.5\r\n"
      "TargetResolutionIndex=-1\r\n"
      "PictureFilesToMatch=jpg,.png\r\nMovieFilesToMatch=\r\n"
      "picturefilestomatch=gif\r\n"
      "DirectoryInfoFile= spaced.txt");
  EXPECT_EQ(ui_.Transcript(), "");
  EXPECT_EQ(controls_.thumbnails_per_row, "7");
  EXPECT_EQ(controls_.thumbnail_maximum_width_or_height, "12.7");
  EXPECT_EQ(controls_.input_folder, "");
  EXPECT_EQ(controls_.irfanview_path, "C:\\a=b\\i.exe");
  EXPECT_EQ(controls_.use_irfanview, 0);
  EXPECT_EQ(controls_.include_mid_size_picture, 0);
  EXPECT_EQ(controls_.include_movie_files, 1);  // a tab is not trimmed
  EXPECT_EQ(controls_.recurse_subfolders, 0);
  EXPECT_EQ(controls_.create_thumbnails_index, 2);
  EXPECT_EQ(controls_.target_screen_resolution_index, -1);
  EXPECT_EQ(controls_.directory_info_file, " spaced.txt");
  EXPECT_EQ(controls_.picture_file_extensions, "jpg,png,gif");
  EXPECT_EQ(controls_.movie_file_extensions, "");
}

TEST_F(OptionsFileTest, BadFilesAreReportedAndKeepWhatWasRead) {
  for (const char* bad : {"5", "-2", "99999", "1e9"}) {
    SetDefaultOptions(dir_.path(), &controls_, &options_);
    ui_.messages.clear();
    Load(
        "ThumbnailsPerRow=7\r\nPictureFilesToMatch=tif\r\n"
        "TargetResolutionIndex=" +
        std::string(bad) + "\r\nThumbnailMaximumWidthOrHeight=300\r\n");
    EXPECT_EQ(ui_.messages.size(), 1u) << bad;
    EXPECT_EQ(controls_.thumbnails_per_row, "7") << bad;
    EXPECT_EQ(controls_.thumbnail_maximum_width_or_height, "150") << bad;
    EXPECT_EQ(controls_.picture_file_extensions, "tif") << bad;
  }
}

TEST_F(OptionsFileTest, FirstStartSavesTheDefaultsWithTheirLists) {
  controls_.thumbnails_per_row = "9";
  options_.known_extensions.Clear();
  LoadOptions(dir_.path(), &controls_, &options_, fs_, ui_);
  EXPECT_EQ(controls_.thumbnails_per_row, "4");
  const std::string saved = ReadFile(Path("info.ini"));
  EXPECT_THAT(saved, HasSubstr("PictureFilesToMatch=jpg,jpeg,gif,png,bmp\r\n"));
  EXPECT_THAT(saved, HasSubstr("MovieFilesToMatch=mov,avi\r\n"));
  EXPECT_EQ(ui_.Transcript(), "");
}

TEST_F(OptionsFileTest, FullDiskLeavesTheOldFileWhole) {
  if (::mount("tmpfs", dir_.path().c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "no small tmpfs here (" << std::strerror(errno)
                 << "); mounting one needs root";
  }
  WriteFile(Path("info.ini"), kOldFile);
  {
    std::ofstream filler(Path("filler"), std::ios::binary);
    while (filler.put('f')) filler.flush();
  }
  controls_.irfanview_path = std::string(8192, 'p');  // more than fits
  const bool saved = Save();
  const std::string info = ReadFile(Path("info.ini"));
  const bool temporary_left = PathExists(Path("info.ini.tmp"));
  ::umount2(dir_.path().c_str(), MNT_DETACH);
  EXPECT_FALSE(saved);
  EXPECT_EQ(info, kOldFile);
  EXPECT_FALSE(temporary_left);
  EXPECT_THAT(ui_.Transcript(), HasSubstr("No space left on device"));
}

TEST_F(OptionsFileTest, UnwritableFolderLeavesTheOldFileWhole) {
  WriteFile(Path("info.ini"), kOldFile);
  // As root the save runs as user "nobody" in a child process.
  ::chmod(dir_.path().c_str(), ::geteuid() == 0 ? 0755 : 0555);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
      ::_exit(2);
    }
    const bool reported =
        !Save() && ui_.Transcript() == Message("Saving", "Permission denied");
    ::_exit(reported ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ::chmod(dir_.path().c_str(), 0755);
  EXPECT_EQ(status, 0) << "saving did not report the failure as it should";
  EXPECT_EQ(ReadFile(Path("info.ini")), kOldFile);
}

TEST_F(OptionsFileTest, StaleLinksAreReplacedNotWrittenThrough) {
  WriteFile(Path("info.ini"), kOldFile);
  WriteFile(Path("elsewhere/photo.jpg"), "precious picture");
  WriteFile(Path("elsewhere/notes.txt"), "precious notes");
  ASSERT_EQ(::symlink(Path("elsewhere/photo.jpg").c_str(),
                      Path("info.ini.tmp").c_str()),
            0);
  ASSERT_EQ(
      ::symlink(Path("elsewhere/notes.txt").c_str(), Path("info.BAK").c_str()),
      0);
  EXPECT_TRUE(Save());
  EXPECT_EQ(ReadFile(Path("elsewhere/photo.jpg")), "precious picture");
  EXPECT_EQ(ReadFile(Path("elsewhere/notes.txt")), "precious notes");
  struct stat status;
  ASSERT_EQ(::lstat(Path("info.ini").c_str(), &status), 0);
  EXPECT_TRUE(S_ISREG(status.st_mode));
  EXPECT_EQ(ReadFile(Path("info.BAK")), kOldFile);
}

}  // namespace
}  // namespace orvanta::testing
