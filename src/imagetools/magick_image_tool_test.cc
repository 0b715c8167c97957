// Tests of the Magick++ image tool's thumbnails and sizes on real pictures.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/error.h"
#include "imagetools/image_tool.h"
#include "testing/temp_dir.h"
#include "testing/test_pictures.h"

namespace orvanta {
namespace {

using ::orvanta::testing::MakePicture;
using ::orvanta::testing::PictureSize;
using ::orvanta::testing::ReadFile;
using ::orvanta::testing::ReadPictureFormat;
using ::orvanta::testing::ReadPictureSize;
using ::orvanta::testing::TempDir;

class MagickImageToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    tool_ = CreateMagickImageTool(&error);
    ASSERT_NE(tool_, nullptr) << error;
  }

  void Thumbnail(const std::string& path, const std::string& size = "150X150") {
    tool_->Mogrify({"-thumbnail", size, path});
  }

  std::string Identify(const std::string& path) {
    return tool_->Identify({"-format", "%w,%h", "-ping", path});
  }

  TempDir dir_;
  std::unique_ptr<ImageTool> tool_;
};

struct FormatCase {
  const char* name;
  const char* format;
};

class ThumbnailFormatTest : public MagickImageToolTest,
                            public ::testing::WithParamInterface<FormatCase> {};

TEST_P(ThumbnailFormatTest, ShrinksToFitAndKeepsTheFormat) {
  std::string landscape = dir_.Path(std::string("wide.") + GetParam().name);
  std::string portrait = dir_.Path(std::string("tall.") + GetParam().name);
  MakePicture(landscape, 640, 480);
  MakePicture(portrait, 300, 600);
  std::string format = ReadPictureFormat(landscape);

  Thumbnail(landscape);
  Thumbnail(portrait, "150x150");

  EXPECT_EQ(ReadPictureSize(landscape), (PictureSize{150, 113}));
  EXPECT_EQ(ReadPictureSize(portrait), (PictureSize{75, 150}));
  EXPECT_EQ(ReadPictureFormat(landscape), format);
  EXPECT_EQ(ReadPictureFormat(portrait), format);
  EXPECT_NE(format.find(GetParam().format), std::string::npos) << format;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ThumbnailFormatTest,
    ::testing::Values(FormatCase{"jpg", "JPEG"}, FormatCase{"JPG", "JPEG"},
                      FormatCase{"png", "PNG"}, FormatCase{"gif", "GIF"},
                      FormatCase{"bmp", "BMP"}),
    [](const auto& info) {
      return std::string(info.param.name) + (info.index == 1 ? "Upper" : "");
    });

TEST_F(MagickImageToolTest, TurnsPicturesUprightByTheirExifOrientation) {
  std::string turned = dir_.Path("turned.jpg");
  std::string mirrored = dir_.Path("mirrored.jpg");
  MakePicture(turned, 800, 600, 6);    // stored wide, shown tall
  MakePicture(mirrored, 800, 600, 2);  // mirrored only: stays wide

  Thumbnail(turned);
  Thumbnail(mirrored);

  EXPECT_EQ(ReadPictureSize(turned), (PictureSize{113, 150}));
  EXPECT_EQ(ReadPictureSize(mirrored), (PictureSize{150, 113}));
  // The thumbnail is stored upright and carries no orientation any more.
  EXPECT_EQ(Identify(turned), "113,150");
  EXPECT_LE(testing::ReadExifOrientation(turned), 1);
}

TEST_F(MagickImageToolTest, LargeJpegGivesAFullQualityThumbnailQuickly) {
  std::string photo = dir_.Path("photo.jpg");
  MakePicture(photo, 4000, 3000);
  auto start = std::chrono::steady_clock::now();
  Thumbnail(photo);
  auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(ReadPictureSize(photo), (PictureSize{150, 113}));
  EXPECT_LT(took, std::chrono::seconds(5));
  std::printf(
      "12-megapixel JPEG thumbnail: %lld ms\n",
      static_cast<long long>(
          std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
}

TEST_F(MagickImageToolTest, SmallPicturesAreScaledToTheSizeLikeImageMagick) {
  std::string small = dir_.Path("small.png");
  std::string tiny = dir_.Path("tiny.jpg");
  MakePicture(small, 100, 50, 1, "red");
  MakePicture(tiny, 1, 1, 1, "blue");
  Thumbnail(small);
  Thumbnail(tiny);
  EXPECT_EQ(ReadPictureSize(small), (PictureSize{150, 75}));
  EXPECT_EQ(ReadPictureSize(tiny), (PictureSize{150, 150}));
}

TEST_F(MagickImageToolTest, KeepsThePermissionsOfTheFile) {
  std::string photo = dir_.Path("photo.png");
  MakePicture(photo, 300, 300);
  ASSERT_EQ(chmod(photo.c_str(), 0640), 0);
  Thumbnail(photo);
  struct stat info;
  ASSERT_EQ(stat(photo.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(MagickImageToolTest, FileNamesMeanNothingSpecial) {
  // ImageMagick reads "[0]" as a frame number and "png:" as a format.
  std::string odd = dir_.Path("png:a [0] 100% \"x\".jpg");
  MakePicture(odd, 400, 200);
  Thumbnail(odd);
  EXPECT_EQ(ReadPictureSize(odd), (PictureSize{150, 75}));
  EXPECT_EQ(Identify(odd), "150,75");
}

TEST_F(MagickImageToolTest, IdentifyGivesTheShownSize) {
  MakePicture(dir_.Path("a.jpg"), 640, 480);
  MakePicture(dir_.Path("b.jpg"), 640, 480, 8);
  MakePicture(dir_.Path("c.jpg"), 640, 480, 3);
  MakePicture(dir_.Path("d.gif"), 33, 77);
  MakePicture(dir_.Path("e.png"), 5000, 20, 1, "green");
  EXPECT_EQ(Identify(dir_.Path("a.jpg")), "640,480");
  EXPECT_EQ(Identify(dir_.Path("b.jpg")), "480,640");
  EXPECT_EQ(Identify(dir_.Path("c.jpg")), "640,480");
  EXPECT_EQ(Identify(dir_.Path("d.gif")), "33,77");
  EXPECT_EQ(Identify(dir_.Path("e.png")), "5000,20");
}

TEST_F(MagickImageToolTest, SeveralThreadsShareOneTool) {
  std::vector<std::string> paths;
  for (int i = 0; i < 12; ++i) {
    std::string path =
        dir_.Path("p" + std::to_string(i) + (i % 2 ? ".jpg" : ".png"));
    MakePicture(path, 400 + 10 * i, 300);
    paths.push_back(path);
  }
  std::vector<std::thread> workers;
  std::vector<std::string> failures(4);
  for (int w = 0; w < 4; ++w) {
    workers.emplace_back([&, w] {
      for (size_t i = w; i < paths.size(); i += 4) {
        try {
          Identify(paths[i]);
          Thumbnail(paths[i], "100X100");
        } catch (const std::exception& e) {
          failures[w] += e.what();
        }
      }
    });
  }
  for (std::thread& worker : workers) worker.join();
  for (const std::string& failure : failures) EXPECT_EQ(failure, "");
  for (size_t i = 0; i < paths.size(); ++i) {
    PictureSize size = ReadPictureSize(paths[i]);
    EXPECT_EQ(size.width, 100) << paths[i];
    EXPECT_EQ(size.height, (300 * 100 + (400 + 10 * i) / 2) / (400 + 10 * i))
        << paths[i];
  }
}

}  // namespace
}  // namespace orvanta
