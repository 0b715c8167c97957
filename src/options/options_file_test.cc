// The options file: what loading reads and how it reports a bad file, and
// saving with a backup that never leaves a half-written file or loses the
// old file on a full disk. (A stale link at the backup: the file system's
// own test of replacing links.)
#include "options/options_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>

#include "common/error.h"
#include "testing/mem_file_system.h"

namespace orvanta::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr char kFolder[] = "/settings";
constexpr char kOldFile[] = "; Info.ini\r\nThumbnailsPerRow=9\r\n";

class OptionsFileTest : public ::testing::Test {
 protected:
  OptionsFileTest() {
    fs_.AddFolder(kFolder);
    SetDefaultOptions(kFolder, &controls_);
  }
  // Loads `contents`; the message of a failure, else "".
  std::string Load(const std::string& contents) {
    fs_.AddFile(Path("info.ini"), contents);
    return Load();
  }
  std::string Load() {
    try {
      LoadOptions(kFolder, &controls_, fs_);
    } catch (const Error& e) {
      return e.what();
    }
    return "";
  }
  // Saves with the lists the boxes show; the message of a failure, else "".
  std::string Save() {
    ExtensionTable table;
    table.AddExtensionList(controls_.picture_file_extensions, false);
    table.AddExtensionList(controls_.movie_file_extensions, true);
    try {
      SaveOptions(kFolder, controls_, table, fs_);
    } catch (const Error& e) {
      return e.what();
    }
    return "";
  }
  static std::string Path(const std::string& name) {
    return std::string(kFolder) + "/" + name;
  }

  MemFileSystem fs_;
  OptionControls controls_;
};

TEST_F(OptionsFileTest, SavingALoadedFileWritesItAgainByteForByte) {
  // The first start saves the defaults, with both extension lists.
  EXPECT_EQ(Load(), "");
  EXPECT_THAT(fs_.Contents(Path("info.ini")),
              HasSubstr("PictureFilesToMatch=jpg,jpeg,gif,png,bmp\r\n"));
  EXPECT_THAT(fs_.Contents(Path("info.ini")), Not(HasSubstr("OutputFolder")));
  const std::string file =
      "; Info.ini\r\n; This file stores information for the Orvanta Program"
      "\r\nSourceDirectory=/photos/My Trip\r\nIndexTemplateFile=i.html\r\n"
      "PictureTemplateFile=p.html\r\nDirectoryInfoFile=Info=here.txt\r\n"
      "OverwriteExistingFiles=False\r\nRecurseSubdirectories=False\r\n"
      "ThumbnailsPerRow=6\r\nThumbnailMaximumWidthOrHeight=222\r\n"
      "ThumbnailCreateMode=2\r\nThumbnailFilePrefix=th-\r\n"
      "MovieFileThumbnailExtension=png\r\nPictureFilesToMatch=tif,jpg\r\n"
      "MovieFilesToMatch=mp4\r\nIncludePictureFiles=False\r\n"
      "IncludeMovieFiles=False\r\nIncludeKeyboardNavigation=False\r\n"
      "IncludeMidSizePicture=False\r\nTargetResolutionIndex=4\r\n"
      "UseIrfanview=True\r\nIrfanviewPath=/usr/bin/i_view\r\n"
      "CreateMovieThumbnails=True\r\nCreateMidSizeFiles=True\r\n"
      "MidSizeFilePrefix=mid-\r\nSortByDateTaken=True\r\n"
      "PicturesPerPage=24\r\nRemoveLocation=False\r\n"
      "RemoveStaleFiles=True\r\nOutputFolder=/srv/www/trip\r\n"
      "GalleryAddress=https://example.org/\r\n"
      "CreateWebVideos=True\r\n";
  EXPECT_EQ(Load(file), "");
  ASSERT_EQ(Save(), "");
  EXPECT_EQ(fs_.Contents(Path("info.ini")), file);
  EXPECT_EQ(fs_.Contents(Path("info.BAK")), file);
}

TEST_F(OptionsFileTest, ReadingRules) {
  EXPECT_EQ(Load("\xEF\xBB\xBFthumbnailsperrow=7\r\n"
                 "ThumbnailsPerRow =8\r\n"
                 "   ; ThumbnailMaximumWidthOrHeight=300\r\n"
                 "'ThumbnailMaximumWidthOrHeight=301\n"
                 "\r\nno equals sign here\r\n"
                 "ThumbnailMaximumWidthOrHeight= 12.70abc\r\n"
                 "SourceDirectory=\r\n"
                 "IrfanviewPath=C:\\a=b\\i.exe  \r\n"
                 "UseIrfanview=yes\r\n"
                 "\tIncludeMovieFiles=False\r\n"
                 "RecurseSubdirectories=1\r\nRecurseSubdirectories=0\r\n"
                 "ThumbnailCreateMode=1.5\r\n"
                 "PictureFilesToMatch=jpg,.png\r\nMovieFilesToMatch=\r\n"
                 "picturefilestomatch=gif\r\n"
                 "GalleryAddress=ftp://example.org/\r\n"
                 "DirectoryInfoFile= spaced.txt"),
            "");
  EXPECT_EQ(controls_.thumbnails_per_row, "7");
  EXPECT_EQ(controls_.thumbnail_maximum_width_or_height, "12.7");
  EXPECT_EQ(controls_.input_folder, "");
  EXPECT_EQ(controls_.irfanview_path, "C:\\a=b\\i.exe");
  EXPECT_EQ(controls_.use_irfanview, 0);
  EXPECT_EQ(controls_.include_movie_files, 1);  // a tab is not trimmed
  EXPECT_EQ(controls_.recurse_subfolders, 0);
  EXPECT_EQ(controls_.create_thumbnails_index, 2);
  EXPECT_EQ(controls_.directory_info_file, " spaced.txt");
  EXPECT_EQ(controls_.picture_file_extensions, "jpg,png,gif");
  EXPECT_EQ(controls_.movie_file_extensions, "");
  EXPECT_EQ(controls_.gallery_address, "");  // no web address: none
}

TEST_F(OptionsFileTest, BadFilesAreReportedAndKeepWhatWasRead) {
  for (const char* bad : {"7", "-2", "99999", "1e9"}) {
    SetDefaultOptions(kFolder, &controls_);
    const std::string message = Load(
        "ThumbnailsPerRow=7\r\nPictureFilesToMatch=tif\r\n"
        "TargetResolutionIndex=" +
        std::string(bad) + "\r\nThumbnailMaximumWidthOrHeight=300\r\n");
    EXPECT_TRUE(
        message.starts_with("Error Loading General Program "
                            "Information (Info.ini) File: "))
        << bad << ": " << message;
    EXPECT_EQ(controls_.thumbnails_per_row, "7") << bad;
    EXPECT_EQ(controls_.thumbnail_maximum_width_or_height, "150") << bad;
    EXPECT_EQ(controls_.picture_file_extensions, "tif") << bad;
  }
  fs_.FailOn(MemFileSystem::Op::kRead, "info.ini", EACCES);
  EXPECT_EQ(Load(),
            "Error Loading General Program Information (Info.ini) File: "
            "Permission denied\r\nBe sure you have read permission for the "
            "drive where the Orvanta program resides \r\n(/settings)");
}

TEST_F(OptionsFileTest, FailedSavesLeaveTheOldFileWhole) {
  for (int error : {ENOSPC, EACCES}) {
    fs_.AddFile(Path("info.ini"), kOldFile);
    fs_.FailOn(MemFileSystem::Op::kWrite, "info.ini", error, 1);
    const std::string message = Save();
    EXPECT_EQ(message,
              std::string("Error Saving Program Information (Info.ini) "
                          "File: ") +
                  SystemError(error).what() +
                  "\r\nBe sure you have write permission for the drive where "
                  "the Orvanta program resides \r\n(/settings)");
    EXPECT_EQ(fs_.Contents(Path("info.ini")), kOldFile);
  }
}

}  // namespace
}  // namespace orvanta::testing
