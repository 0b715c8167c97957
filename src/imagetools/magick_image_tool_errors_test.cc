// Tests of the Magick++ image tool's failures: broken pictures, files that
// cannot be read or written, bad arguments and decompression bombs.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/error.h"
#include "imagetools/image_tool.h"
#include "testing/temp_dir.h"
#include "testing/test_pictures.h"

namespace orvanta {
namespace {

using ::orvanta::testing::MakeFolders;
using ::orvanta::testing::MakePicture;
using ::orvanta::testing::PictureSize;
using ::orvanta::testing::ReadFile;
using ::orvanta::testing::ReadPictureSize;
using ::orvanta::testing::TempDir;
using ::orvanta::testing::WriteFile;

// The files of a folder.
std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

class MagickImageToolErrorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    tool_ = CreateMagickImageTool(&error);
    ASSERT_NE(tool_, nullptr) << error;
  }

  // The kind of the Error that the call throws; nullopt when it succeeds.
  template <typename Call>
  std::optional<ErrorKind> ErrorOf(Call call) {
    try {
      call();
    } catch (const Error& e) {
      last_message_ = e.what();
      return e.kind();
    }
    return std::nullopt;
  }

  std::optional<ErrorKind> MogrifyError(const std::string& path) {
    return ErrorOf([&] { tool_->Mogrify({"-thumbnail", "150X150", path}); });
  }

  std::optional<ErrorKind> IdentifyError(const std::string& path) {
    return ErrorOf([&] {
      tool_->Identify({"-format", "%w,%h", "-ping", path});
    });
  }

  TempDir dir_;
  std::unique_ptr<ImageTool> tool_;
  std::string last_message_;
};

TEST_F(MagickImageToolErrorsTest, BrokenPicturesAreImageDataErrors) {
  std::string corrupt = dir_.Path("corrupt.jpg");
  std::string empty = dir_.Path("empty.png");
  std::string text = dir_.Path("text.gif");
  testing::MakeCorruptPicture(corrupt);
  WriteFile(empty, "");
  WriteFile(text, "this is not a picture\n");
  for (const std::string& path : {corrupt, empty, text}) {
    std::string before = ReadFile(path);
    EXPECT_EQ(MogrifyError(path), ErrorKind::kImageData) << path;
    EXPECT_NE(last_message_.find(path), std::string::npos) << last_message_;
    EXPECT_EQ(ReadFile(path), before) << path;
    EXPECT_EQ(IdentifyError(path), ErrorKind::kImageData) << path;
  }
  EXPECT_EQ(FolderEntries(dir_.path()).size(), 3u);  // no temporary files
}

TEST_F(MagickImageToolErrorsTest, JpegCutOffInItsHeaderIsAnImageDataError) {
  std::string whole = dir_.Path("whole.jpg");
  std::string cut = dir_.Path("cut.jpg");
  MakePicture(whole, 300, 200);
  WriteFile(cut, ReadFile(whole).substr(0, 120));
  EXPECT_EQ(MogrifyError(cut), ErrorKind::kImageData);
  EXPECT_EQ(ReadFile(cut).size(), 120u);
}

TEST_F(MagickImageToolErrorsTest, JpegCutOffInItsPixelsStillGetsAThumbnail) {
  // The decoder warns and fills the missing part grey, as ImageMagick does.
  std::string cut = dir_.Path("cut.jpg");
  testing::MakeTruncatedJpeg(cut, 800, 600);
  EXPECT_EQ(tool_->Identify({"-format", "%w,%h", "-ping", cut}), "800,600");
  EXPECT_EQ(MogrifyError(cut), std::nullopt) << last_message_;
  EXPECT_EQ(ReadPictureSize(cut), (PictureSize{150, 113}));
}

TEST_F(MagickImageToolErrorsTest, FilesThatCannotBeOpenedAreGeneralErrors) {
  std::string folder = dir_.Path("folder.jpg");
  MakeFolders(folder);
  EXPECT_EQ(MogrifyError(dir_.Path("missing/t_a.jpg")), ErrorKind::kGeneral);
  EXPECT_NE(last_message_.find("No such file"), std::string::npos);
  EXPECT_EQ(MogrifyError(folder), ErrorKind::kGeneral);
  EXPECT_EQ(IdentifyError(dir_.Path("none.jpg")), ErrorKind::kGeneral);
  EXPECT_EQ(IdentifyError(folder), ErrorKind::kGeneral);
}

TEST_F(MagickImageToolErrorsTest, AFailedWriteLeavesTheFileUnchanged) {
  // A file size limit makes the write fail like a full disk would.
  std::string photo = dir_.Path("photo.png");
  MakePicture(photo, 200, 200);
  std::string before = ReadFile(photo);
  struct rlimit old_limit;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  auto old_handler = signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = {1000, old_limit.rlim_max};
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  std::optional<ErrorKind> kind = MogrifyError(photo);
  setrlimit(RLIMIT_FSIZE, &old_limit);
  signal(SIGXFSZ, old_handler);

  EXPECT_EQ(kind, ErrorKind::kGeneral);
  EXPECT_NE(last_message_.find(photo), std::string::npos) << last_message_;
  EXPECT_EQ(ReadFile(photo), before);
  EXPECT_EQ(FolderEntries(dir_.path()).size(), 1u);  // no temporary file
}

TEST_F(MagickImageToolErrorsTest, ReadOnlyFolderIsAGeneralError) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  std::string folder = dir_.Path("locked");
  std::string photo = folder + "/photo.jpg";
  MakePicture(photo, 300, 300);
  ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
  EXPECT_EQ(MogrifyError(photo), ErrorKind::kGeneral);
  EXPECT_EQ(ReadPictureSize(photo), (PictureSize{300, 300}));
}

TEST_F(MagickImageToolErrorsTest, DecompressionBombsAreRefusedQuickly) {
  std::string huge = dir_.Path("huge.png");
  std::string large = dir_.Path("large.png");
  testing::MakeBombPng(huge);                 // 50000 x 50000
  testing::MakeBombPng(large, 16000, 16000);  // within the side limit
  std::string before = ReadFile(huge);
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  long peak_before_kb = usage.ru_maxrss;

  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(MogrifyError(huge), ErrorKind::kImageData);
  EXPECT_EQ(MogrifyError(large), ErrorKind::kImageData) << last_message_;
  EXPECT_EQ(IdentifyError(huge), ErrorKind::kImageData);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));

  getrusage(RUSAGE_SELF, &usage);
  EXPECT_LT(usage.ru_maxrss - peak_before_kb, 300 * 1024);
  EXPECT_EQ(ReadFile(huge), before);
}

TEST_F(MagickImageToolErrorsTest, BadArgumentsAreGeneralErrors) {
  std::string photo = dir_.Path("photo.jpg");
  MakePicture(photo, 100, 100);
  using Args = std::vector<std::string>;
  for (const Args& args :
       {Args{"-thumbnail", "150X150"}, Args{"-resize", "150X150", photo},
        Args{"-thumbnail", "150", photo}, Args{"-thumbnail", "0X150", photo},
        Args{"-thumbnail", "aXb", photo}, Args{"-thumbnail", "150X150", ""},
        Args{"-thumbnail", "150X150X", photo}}) {
    EXPECT_EQ(ErrorOf([&] { tool_->Mogrify(args); }), ErrorKind::kGeneral)
        << args[1];
  }
  EXPECT_EQ(ErrorOf([&] {
              tool_->Identify({"-ping", photo});
            }),
            ErrorKind::kGeneral);
  EXPECT_EQ(ErrorOf([&] {
              tool_->Identify({"-format", "%m", "-ping", photo});
            }),
            ErrorKind::kGeneral);
  EXPECT_EQ(ReadPictureSize(photo), (PictureSize{100, 100}));
}

}  // namespace
}  // namespace orvanta
