// The image tool's thumbnails against ImageMagick's -resize of the whole
// picture, and its two kinds of failure: pictures it cannot read (recorded
// by the run) and everything else (asked about), with nothing half-written
// left behind.
#include "imagetools/image_tool.h"

#include <Magick++.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "common/error.h"
#include "testing/picture_compare.h"
#include "testing/temp_dir.h"
#include "testing/test_pictures.h"

namespace orvanta::testing {
namespace {

class ImageToolTest : public ::testing::Test {
 protected:
  void SetUp() override { tool_ = CreateMagickImageTool(fs_); }
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
  PosixFileSystem fs_;
  std::unique_ptr<ImageTool> tool_;
  std::string message_;
};

TEST_F(ImageToolTest, ThumbnailsLookLikeAResizeOfTheWholePicture) {
  std::vector<std::string> names;
  for (int orientation = 1; orientation <= 8; ++orientation) {
    names.push_back("turned" + std::to_string(orientation) + ".jpg");
    MakePicture(dir_.Path(names.back()), 1200, 800, orientation);
  }
  // Made, then changed with Magick++.
  auto make = [&](const std::string& name, int width, int height,
                  const std::function<void(Magick::Image&)>& change) {
    names.push_back(name);
    MakePicture(dir_.Path(name), width, height);
    Magick::Image image(dir_.Path(name));
    change(image);
    image.write(dir_.Path(name));
  };
  make("portrait.jpg", 1000, 1500, [](Magick::Image& i) { i.comment("mine"); });
  make("grey.jpg", 900, 700, [](auto& i) { i.type(Magick::GrayscaleType); });
  make("clear.png", 600, 400,
       [](Magick::Image& i) { i.transparent(Magick::Color("#203040")); });
  make("plain.bmp", 500, 300, [](Magick::Image&) {});
  names.push_back("moving.gif");  // shows its first frame
  MakePicture(dir_.Path("first.gif"), 400, 300);
  std::vector<Magick::Image> frames = {Magick::Image(dir_.Path("first.gif"))};
  frames.push_back(frames[0]);
  frames[1].flop();
  Magick::writeImages(frames.begin(), frames.end(), dir_.Path("moving.gif"));

  for (const std::string& name : names) {
    ASSERT_EQ(Shrink(name), std::nullopt) << name << ": " << message_;
    const Magick::Image reference = ResizedByMagick(dir_.Path(name), 150, 150);
    const Magick::Image thumbnail(dir_.Path("t_" + name));
    EXPECT_EQ(SizeOf(thumbnail), SizeOf(reference)) << name;
    EXPECT_GE(Psnr(thumbnail, reference), 35) << name;
    EXPECT_EQ(thumbnail.comment(), "") << name;
    EXPECT_EQ(thumbnail.profile("EXIF").length(), 0u) << name;
  }
}

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
  EXPECT_THROW(tool_->PictureSize(dir_.Path("bomb.png")), Error);
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
