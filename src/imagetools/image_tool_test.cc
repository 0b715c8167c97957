// The Magick++ image tool's two kinds of failure: pictures it cannot read
// (recorded by the run) and everything else (asked about), with nothing
// half-written left behind.
#include "imagetools/image_tool.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <optional>

#include "common/error.h"
#include "testing/temp_dir.h"
#include "testing/test_pictures.h"

namespace orvanta::testing {
namespace {

class ImageToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    tool_ = CreateMagickImageTool(&error);
    ASSERT_NE(tool_, nullptr) << error;
  }
  // Makes the thumbnail of `name` at "t_" + name; the kind of error if any.
  std::optional<ErrorKind> Shrink(const std::string& name, int size = 150) {
    try {
      tool_->MakeThumbnail(dir_.Path(name), dir_.Path("t_" + name), size);
    } catch (const Error& e) {
      message_ = e.what();
      return e.kind();
    }
    return std::nullopt;
  }

  TempDir dir_;
  std::unique_ptr<ImageTool> tool_;
  std::string message_;
};

TEST_F(ImageToolTest, PictureErrorsAndOtherFailuresLeaveNoFile) {
  MakeCorruptPicture(dir_.Path("corrupt.jpg"));
  MakePicture(dir_.Path("whole.jpg"), 300, 200);
  WriteFile(dir_.Path("cut.jpg"),
            ReadFile(dir_.Path("whole.jpg")).substr(0, 120));
  for (const char* name : {"corrupt.jpg", "cut.jpg"}) {
    EXPECT_EQ(Shrink(name), ErrorKind::kImageData) << name;
    // In plain words, the library's own words at most in brackets.
    EXPECT_TRUE(
        message_.starts_with("the file is not a picture that can be "
                             "read ("))
        << message_;
    EXPECT_EQ(message_.find(" @ "), std::string::npos) << message_;
  }
  MakeFolders(dir_.Path("folder.jpg"));
  EXPECT_EQ(Shrink("missing.jpg"), ErrorKind::kGeneral);
  EXPECT_EQ(message_, "the file cannot be read (No such file or directory)");
  EXPECT_EQ(Shrink("folder.jpg"), ErrorKind::kGeneral);
  MakeBombPng(dir_.Path("bomb.png"));
  EXPECT_THROW(
      tool_->Identify({"-format", "%w,%h", "-ping", dir_.Path("bomb.png")}),
      Error);
  EXPECT_THROW(tool_->MakeThumbnail(dir_.Path("whole.jpg"),
                                    dir_.Path("no/such/t.jpg"), 150),
               Error);
  // A file size limit makes the write fail as a full disk would: the old
  // thumbnail stays and no temporary file is left.
  MakePicture(dir_.Path("photo.png"), 400, 400);
  WriteFile(dir_.Path("t_photo.png"), "old");
  rlimit old_limit;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  auto old_handler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = {1000, old_limit.rlim_max};
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::optional<ErrorKind> kind = Shrink("photo.png");
  setrlimit(RLIMIT_FSIZE, &old_limit);
  signal(SIGXFSZ, old_handler);
  EXPECT_EQ(kind, ErrorKind::kGeneral);
  EXPECT_EQ(ReadFile(dir_.Path("t_photo.png")), "old");
  auto entries = std::filesystem::directory_iterator(dir_.path());
  EXPECT_EQ(std::distance(begin(entries), end(entries)), 7);
}

}  // namespace
}  // namespace orvanta::testing
