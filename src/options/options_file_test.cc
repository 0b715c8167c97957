// Tests of the options file: the reading rules, the messages, and saving
// with a backup and without ever leaving a half-written file.
#include "options/options_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "common/error.h"
#include "testing/recording_prompter.h"
#include "testing/temp_dir.h"

namespace orvanta {
namespace {

using testing::ReadFile;
using testing::RecordingPrompter;
using testing::TempDir;
using testing::WriteFile;

// The real file system with switchable faults.
class FaultyFileSystem : public PosixFileSystem {
 public:
  bool pretend_exists = false;     // FileExists says yes for every path
  bool open_not_found = false;     // OpenTextFile: the file has gone
  bool close_fails = false;        // writers fail on Close: disk full
  int fail_read_after_lines = -1;  // readers fail after that many lines

  bool FileExists(const std::string& path) override {
    return pretend_exists || PosixFileSystem::FileExists(path);
  }
  std::unique_ptr<TextReader> OpenTextFile(const std::string& path) override {
    if (open_not_found) throw Error("File not found", ErrorKind::kFileNotFound);
    auto reader = PosixFileSystem::OpenTextFile(path);
    if (fail_read_after_lines < 0) return reader;
    return std::make_unique<FailingReader>(std::move(reader),
                                           fail_read_after_lines);
  }
  std::unique_ptr<TextWriter> CreateTextFile(const std::string& path) override {
    auto writer = PosixFileSystem::CreateTextFile(path);
    if (!close_fails) return writer;
    return std::make_unique<FullDiskWriter>(std::move(writer));
  }

 private:
  class FailingReader : public TextReader {
   public:
    FailingReader(std::unique_ptr<TextReader> inner, int lines)
        : inner_(std::move(inner)), lines_left_(lines) {}
    bool ReadLine(std::string* line) override {
      if (lines_left_-- == 0) throw Error("Input/output error");
      return inner_->ReadLine(line);
    }

   private:
    std::unique_ptr<TextReader> inner_;
    int lines_left_;
  };
  class FullDiskWriter : public TextWriter {
   public:
    explicit FullDiskWriter(std::unique_ptr<TextWriter> inner)
        : inner_(std::move(inner)) {}
    void WriteLine(std::string_view line) override { inner_->WriteLine(line); }
    void Close() override {
      inner_->Close();
      throw Error("No space left on device");
    }

   private:
    std::unique_ptr<TextWriter> inner_;
  };
};

class OptionsFileTest : public ::testing::Test {
 protected:
  OptionsFileTest() { SetDefaultOptions(dir_.path(), &controls_, &options_); }

  std::string IniPath() const { return dir_.Path("info.ini"); }
  void Load() {
    LoadOptions(dir_.path(), &controls_, &options_, fs_, prompter_);
  }
  bool Save() {
    return SaveOptions(dir_.path(), controls_, options_.known_extensions, fs_,
                       prompter_);
  }
  // Loads a file holding `contents`.
  void LoadText(const std::string& contents) {
    WriteFile(IniPath(), contents);
    Load();
  }
  std::string LoadingMessage(const std::string& description) const {
    return "Error Loading General Program Information (Info.ini) File: " +
           description +
           "\r\nBe sure you have read permission for the drive where the "
           "Orvanta program resides \r\n(" +
           dir_.path() + ")";
  }
  std::string SavingMessage(const std::string& description) const {
    return "Error Saving Program Information (Info.ini) File: " + description +
           "\r\nBe sure you have write permission for the drive where the "
           "Orvanta program resides \r\n(" +
           dir_.path() + ")";
  }

  TempDir dir_;
  FaultyFileSystem fs_;
  RecordingPrompter prompter_;
  OptionControls controls_;
  GalleryOptions options_;
};

TEST_F(OptionsFileTest, SavedDefaultsHaveTheExactLayout) {
  ASSERT_TRUE(Save());
  EXPECT_EQ(ReadFile(IniPath()),
            "; Info.ini\r\n"
            "; This file stores information for the Orvanta Program\r\n"
            "SourceDirectory=" +
                dir_.path() +
                "\r\n"
                "IndexTemplateFile=IndexTemplate.html\r\n"
                "PictureTemplateFile=PictureTemplate.html\r\n"
                "DirectoryInfoFile=DirInfo.txt\r\n"
                "OverwriteExistingFiles=True\r\n"
                "RecurseSubdirectories=True\r\n"
                "ThumbnailsPerRow=4\r\n"
                "ThumbnailMaximumWidthOrHeight=150\r\n"
                "ThumbnailCreateMode=1\r\n"
                "ThumbnailFilePrefix=t_\r\n"
                "MovieFileThumbnailExtension=jpg\r\n"
                "PictureFilesToMatch=jpg,jpeg,gif,png,bmp\r\n"
                "MovieFilesToMatch=mov,avi\r\n"
                "IncludePictureFiles=True\r\n"
                "IncludeMovieFiles=True\r\n"
                "IncludeKeyboardNavigation=True\r\n"
                "IncludeMidSizePicture=True\r\n"
                "TargetResolutionIndex=1\r\n"
                "UseIrfanview=False\r\n"
                "IrfanviewPath=C:\\Program Files\\Irfanview\\I_View32.exe\r\n");
  EXPECT_TRUE(prompter_.boxes.empty());
  EXPECT_FALSE(testing::PathExists(IniPath() + ".tmp"));
}

TEST_F(OptionsFileTest, SaveThenLoadRestoresEveryControl) {
  OptionControls saved;
  saved.input_folder = "/photos/My Trip";
  saved.index_template_file = "i.html";
  saved.picture_template_file = "p.html";
  saved.directory_info_file = "Info=here.txt";
  saved.overwrite_existing_files = 0;
  saved.recurse_subfolders = 0;
  saved.thumbnails_per_row = "6";
  saved.thumbnail_maximum_width_or_height = "222";
  saved.create_thumbnails_index = 2;
  saved.thumbnail_file_prefix = "th-";
  saved.movie_file_thumbnail_extension = "png";
  saved.picture_file_extensions = "tif,jpg";
  saved.movie_file_extensions = "mp4";
  saved.include_picture_files = 0;
  saved.include_movie_files = 0;
  saved.include_keyboard_navigation = 0;
  saved.include_mid_size_picture = 0;
  saved.target_screen_resolution_index = 4;
  saved.use_irfanview = 1;
  saved.irfanview_path = "/usr/bin/i_view";
  controls_ = saved;
  CaptureOptions(controls_, dir_.path(), &options_);
  ASSERT_TRUE(Save());

  SetDefaultOptions(dir_.path(), &controls_, &options_);
  controls_.include_picture_files = 1;
  controls_.include_movie_files = 1;
  Load();
  EXPECT_TRUE(prompter_.boxes.empty());
  EXPECT_EQ(controls_, saved);
  EXPECT_EQ(options_.known_extensions.ExtensionListText(false), "tif,jpg");
  EXPECT_EQ(options_.known_extensions.ExtensionListText(true), "mp4");
}

TEST_F(OptionsFileTest, BackupKeepsOnlyThePreviousVersion) {
  ASSERT_TRUE(Save());
  const std::string first = ReadFile(IniPath());
  EXPECT_FALSE(testing::PathExists(dir_.Path("info.BAK")));
  controls_.thumbnails_per_row = "5";
  ASSERT_TRUE(Save());
  const std::string second = ReadFile(IniPath());
  EXPECT_EQ(ReadFile(dir_.Path("info.BAK")), first);
  controls_.thumbnails_per_row = "6";
  ASSERT_TRUE(Save());
  EXPECT_EQ(ReadFile(dir_.Path("info.BAK")), second);
  EXPECT_NE(ReadFile(IniPath()).find("ThumbnailsPerRow=6\r\n"),
            std::string::npos);
}

TEST_F(OptionsFileTest, LinksLeftAtTheBackupAndTemporaryAreNotWrittenThrough) {
  testing::WriteFile(dir_.Path("other/photo.jpg"), "picture");
  testing::WriteFile(dir_.Path("other/notes.txt"), "notes");
  WriteFile(IniPath(), "ThumbnailsPerRow=9\r\n");
  ASSERT_EQ(symlink(dir_.Path("other/photo.jpg").c_str(),
                    (IniPath() + ".tmp").c_str()),
            0);
  ASSERT_EQ(symlink(dir_.Path("other/notes.txt").c_str(),
                    dir_.Path("info.BAK").c_str()),
            0);
  ASSERT_TRUE(Save());
  EXPECT_EQ(ReadFile(dir_.Path("other/photo.jpg")), "picture");
  EXPECT_EQ(ReadFile(dir_.Path("other/notes.txt")), "notes");
  EXPECT_EQ(ReadFile(dir_.Path("info.BAK")), "ThumbnailsPerRow=9\r\n");
  struct stat status;
  ASSERT_EQ(lstat(IniPath().c_str(), &status), 0);
  EXPECT_TRUE(S_ISREG(status.st_mode));
  EXPECT_NE(ReadFile(IniPath()).find("ThumbnailsPerRow=4\r\n"),
            std::string::npos);
}

TEST_F(OptionsFileTest, FailedSaveLeavesTheOldFile) {
  WriteFile(IniPath(), "ThumbnailsPerRow=9\r\n");
  testing::MakeFolders(IniPath() + ".tmp");  // the new file cannot be made
  EXPECT_FALSE(Save());
  EXPECT_EQ(ReadFile(IniPath()), "ThumbnailsPerRow=9\r\n");
  ASSERT_EQ(prompter_.boxes.size(), 1u);
  const MessageBox& box = prompter_.boxes[0];
  EXPECT_EQ(box.text, SavingMessage("Is a directory"));
  EXPECT_EQ(box.title, "Error");
  EXPECT_EQ(box.buttons, Buttons::kOk);
  EXPECT_EQ(box.icon, Icon::kWarning);
}

TEST_F(OptionsFileTest, FullDiskLeavesTheOldFileAndNoTemporary) {
  WriteFile(IniPath(), "ThumbnailsPerRow=9\r\n");
  fs_.close_fails = true;
  EXPECT_FALSE(Save());
  EXPECT_EQ(ReadFile(IniPath()), "ThumbnailsPerRow=9\r\n");
  EXPECT_FALSE(testing::PathExists(IniPath() + ".tmp"));
  ASSERT_EQ(prompter_.boxes.size(), 1u);
  EXPECT_EQ(prompter_.boxes[0].text, SavingMessage("No space left on device"));
}

TEST_F(OptionsFileTest, MissingFileChangesNothing) {
  options_.known_extensions.SetDefaultExtensions();
  const OptionControls before = controls_;
  Load();
  EXPECT_EQ(controls_, before);
  EXPECT_TRUE(options_.known_extensions.empty());
  EXPECT_FALSE(testing::PathExists(IniPath()));
  EXPECT_TRUE(prompter_.boxes.empty());
}

TEST_F(OptionsFileTest, FileGoneWhenOpenedMeansDefaultsSavedSilently) {
  controls_.thumbnails_per_row = "9";
  fs_.pretend_exists = true;
  fs_.open_not_found = true;
  Load();
  EXPECT_EQ(controls_.thumbnails_per_row, "4");
  EXPECT_TRUE(prompter_.boxes.empty());
  EXPECT_NE(ReadFile(IniPath()).find("ThumbnailsPerRow=4\r\n"),
            std::string::npos);
}

TEST_F(OptionsFileTest, EmptyFileShowsTheLoadingMessage) {
  const OptionControls before = controls_;
  LoadText("");
  EXPECT_EQ(controls_, before);
  ASSERT_EQ(prompter_.boxes.size(), 1u);
  EXPECT_EQ(prompter_.boxes[0].text, LoadingMessage("Input past end of file"));
  EXPECT_EQ(prompter_.boxes[0].title, "Error");
  EXPECT_EQ(prompter_.boxes[0].icon, Icon::kWarning);
}

TEST_F(OptionsFileTest, ReadingRules) {
  LoadText(
      "\xEF\xBB\xBFthumbnailsperrow=7\r\n"
      "ThumbnailsPerRow =8\r\n"
      "   ; ThumbnailMaximumWidthOrHeight=300\r\n"
      "'ThumbnailMaximumWidthOrHeight=301\n"
      "\r\n"
      "no equals sign here\r\n"
      "ThumbnailMaximumWidthOrHeight= 12.70abc\r\n"
      "SourceDirectory=\r\n"
      "IrfanviewPath=C:\\a=b\\i.exe  \r\n"
      "UseIrfanview=yes\r\n"
      "  IncludeMidSizePicture=0\r\n"
      "\tIncludeMovieFiles=False\r\n"
      "RecurseSubdirectories=1\r\n"
      "RecurseSubdirectories=0\r\n"
      "ThumbnailCreateMode=1.5\r\n"
      "TargetResolutionIndex=-1\r\n"
      "DirectoryInfoFile= spaced.txt");
  EXPECT_TRUE(prompter_.boxes.empty());
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
  // No list keys in the file: the boxes stay, the table is empty.
  EXPECT_EQ(controls_.picture_file_extensions, "jpg, jpeg, gif, png, bmp");
  EXPECT_TRUE(options_.known_extensions.empty());
}

TEST_F(OptionsFileTest, ListsAreAppendedAndGoIntoTheBoxes) {
  LoadText(
      "PictureFilesToMatch=jpg,.png\r\n"
      "MovieFilesToMatch=\r\n"
      "picturefilestomatch=gif\r\n");
  EXPECT_EQ(options_.known_extensions.ExtensionListText(false), "jpg,png,gif");
  EXPECT_EQ(controls_.picture_file_extensions, "jpg,png,gif");
  EXPECT_EQ(controls_.movie_file_extensions, "");
}

TEST_F(OptionsFileTest, BadListIndexStopsReading) {
  const char* bad_values[] = {"5", "-2", "3", "99999", "1e9"};
  for (const char* bad : bad_values) {
    SetDefaultOptions(dir_.path(), &controls_, &options_);
    prompter_.boxes.clear();
    const std::string key = std::string(bad) == "5" ? "TargetResolutionIndex"
                                                    : "ThumbnailCreateMode";
    LoadText("ThumbnailsPerRow=7\r\nPictureFilesToMatch=tif\r\n" + key + "=" +
             bad + "\r\nThumbnailMaximumWidthOrHeight=300\r\n");
    ASSERT_EQ(prompter_.boxes.size(), 1u) << bad;
    EXPECT_EQ(prompter_.boxes[0].title, "Error");
    EXPECT_EQ(controls_.thumbnails_per_row, "7") << bad;
    EXPECT_EQ(controls_.thumbnail_maximum_width_or_height, "150") << bad;
    EXPECT_EQ(controls_.picture_file_extensions, "tif") << bad;
  }
  EXPECT_EQ(prompter_.boxes[0].text, LoadingMessage("Overflow"));
}

TEST_F(OptionsFileTest, ReadErrorKeepsWhatWasApplied) {
  WriteFile(IniPath(), "ThumbnailsPerRow=7\r\nUseIrfanview=True\r\nx=1\r\n");
  fs_.fail_read_after_lines = 2;
  Load();
  EXPECT_EQ(controls_.thumbnails_per_row, "7");
  EXPECT_EQ(controls_.use_irfanview, 1);
  ASSERT_EQ(prompter_.boxes.size(), 1u);
  EXPECT_EQ(prompter_.boxes[0].text, LoadingMessage("Input/output error"));
}

TEST(ApplyOptionLineTest, ReportsWhatItApplied) {
  OptionControls controls;
  ExtensionTable table;
  EXPECT_TRUE(ApplyOptionLine("ThumbnailsPerRow=abc", &controls, &table));
  EXPECT_EQ(controls.thumbnails_per_row, "0");
  EXPECT_FALSE(ApplyOptionLine("Unknown=1", &controls, &table));
  EXPECT_FALSE(ApplyOptionLine("; UseIrfanview=1", &controls, &table));
  EXPECT_THROW(ApplyOptionLine("TargetResolutionIndex=9", &controls, &table),
               Error);
  EXPECT_THROW(ApplyOptionLine("ThumbnailsPerRow=1e999", &controls, &table),
               Error);
}

}  // namespace
}  // namespace orvanta
