// Publishing originals without their position, on real files: pictures
// tagged by exiftool and checked with it, clips made and checked by ffmpeg.
#include "imagetools/published_files.h"

#include <Magick++.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "common/error.h"
#include "imagetools/picture_metadata.h"
#include "testing/exiftool.h"
#include "testing/picture_compare.h"
#include "testing/temp_dir.h"
#include "testing/test_pictures.h"

namespace orvanta::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const std::vector<std::string> kTags = {"-GPSLatitude=59.9",
                                        "-GPSLatitudeRef=N",
                                        "-GPSLongitude=10.7",
                                        "-GPSLongitudeRef=E",
                                        "-GPSAltitude=12",
                                        "-XMP-exif:GPSLatitude=59,54.0N",
                                        "-XMP-exif:GPSLongitude=10,42.0E",
                                        "-SerialNumber=CAM123",
                                        "-LensSerialNumber=LENS456",
                                        "-XMP-aux:SerialNumber=CAM123",
                                        "-DateTimeOriginal=2019:07:14 18:30:00",
                                        "-Model=Canon EOS 5D"};

std::string Tags(const std::string& path) {
  return RunTool("exiftool", {"-s", "-G1", "-a", path});
}

Magick::Image Decoded(const std::string& path) {
  Magick::Image image;
  try {
    image.read(path);
  } catch (const Magick::Warning&) {
    // exiftool's XMP in WebP makes ImageMagick warn.
  }
  return image;
}

bool HasPosition(const std::string& path) {
  const std::string bytes = ReadFile(path);
  return ReadPictureMetadata(bytes.data(), bytes.size()).has_position;
}

// A picture of each format with a position and serial numbers (a HEIC
// made from a tagged JPEG).
std::string MakeTagged(const TempDir& dir, const std::string& extension) {
  const std::string path = dir.Path("tagged." + extension);
  const bool heic = extension == "heic";
  MakePicture(heic ? path + ".jpg" : path, 160, 120);
  RunExiftool({{heic ? path + ".jpg" : path, kTags}});
  if (heic) RunTool("heif-enc", {"-q", "50", path + ".jpg", "-o", path});
  return path;
}

class PublishedPictureTest : public ::testing::TestWithParam<std::string> {};

TEST_P(PublishedPictureTest, KeepsAllButThePositionAndSerials) {
  TempDir dir;
  PosixFileSystem fs;
  const std::string source = MakeTagged(dir, GetParam());
  const std::string target = dir.Path("out/published." + GetParam());
  MakeFolders(dir.Path("out"));
  PublishPicture(fs, source, target, true);
  const std::string tags = Tags(target);
  EXPECT_THAT(tags, Not(HasSubstr("GPS")));
  EXPECT_THAT(tags, Not(HasSubstr("SerialNumber")));
  EXPECT_THAT(tags, HasSubstr("2019:07:14 18:30:00"));
  EXPECT_THAT(tags, HasSubstr("Canon EOS 5D"));
  EXPECT_TRUE(HasPosition(source));
  EXPECT_FALSE(HasPosition(target));
  const std::string before = ReadFile(source), after = ReadFile(target);
  if (GetParam() == "jpg") {
    // The picture data, from the start of scan on, byte for byte.
    EXPECT_EQ(after.substr(after.find("\xFF\xDA")),
              before.substr(before.find("\xFF\xDA")));
  } else if (GetParam() == "heic") {
    EXPECT_EQ(after.size(), before.size());
  } else {
    EXPECT_EQ(Psnr(Decoded(source), Decoded(target)), 99);
  }
  // Without removal the file is copied as it is.
  PublishPicture(fs, source, target, false);
  EXPECT_EQ(ReadFile(target), before);
}

INSTANTIATE_TEST_SUITE_P(Formats, PublishedPictureTest,
                         ::testing::Values("jpg", "png", "tif", "webp",
                                           "heic"));

void ExpectNotPublished(FileSystem& fs, const std::string& source,
                        const std::string& target, ErrorKind kind) {
  try {
    PublishPicture(fs, source, target, true);
    ADD_FAILURE() << source << " was published";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), kind) << e.what();
  }
  EXPECT_FALSE(PathExists(target));
}

// A second picture after the first one's end, as MPF files keep their
// larger previews, is edited too.
TEST(PublishedPictureTest, RemovesThePositionFromAPictureAfterTheEnd) {
  TempDir dir;
  PosixFileSystem fs;
  const std::string jpeg = ReadFile(MakeTagged(dir, "jpg"));
  WriteFile(dir.Path("two.jpg"), jpeg + jpeg);
  PublishPicture(fs, dir.Path("two.jpg"), dir.Path("out.jpg"), true);
  const std::string published = ReadFile(dir.Path("out.jpg"));
  const size_t second = published.rfind("\xFF\xD8\xFF");
  WriteFile(dir.Path("second.jpg"), published.substr(second));
  const std::string tags = Tags(dir.Path("second.jpg"));
  EXPECT_THAT(tags, Not(HasSubstr("GPS")));
  EXPECT_THAT(tags, Not(HasSubstr("SerialNumber")));
  EXPECT_THAT(tags, HasSubstr("Canon EOS 5D"));
  EXPECT_EQ(published.size() - second, jpeg.size());
}

TEST(PublishedPictureTest, LeavesOutWhatMayStillHoldAPosition) {
  TempDir dir;
  PosixFileSystem fs;
  const std::string jpeg = ReadFile(MakeTagged(dir, "jpg"));
  // A TIFF block after the end, where no picture starts.
  WriteFile(dir.Path("tiff.jpg"), jpeg + ReadFile(MakeTagged(dir, "tif")));
  ExpectNotPublished(fs, dir.Path("tiff.jpg"), dir.Path("out1.jpg"),
                     ErrorKind::kImageData);
  // Cut inside its EXIF block.
  WriteFile(dir.Path("cut.jpg"), jpeg.substr(0, 300));
  ExpectNotPublished(fs, dir.Path("cut.jpg"), dir.Path("out2.jpg"),
                     ErrorKind::kImageData);
  ExpectNotPublished(fs, dir.Path("missing.jpg"), dir.Path("out3.jpg"),
                     ErrorKind::kGeneral);
}

// A phone's clip: its position in QuickTime's tag and in Apple's key.
TEST(PublishedMovieTest, CopiesEveryStreamWithoutThePosition) {
  TempDir dir;
  PosixFileSystem fs;
  const std::string source = dir.Path("clip.mp4"), target = dir.Path("out.mp4");
  RunTool("ffmpeg",
          {"-nostdin",
           "-v",
           "error",
           "-f",
           "lavfi",
           "-i",
           "testsrc=size=160x120:rate=10",
           "-f",
           "lavfi",
           "-i",
           "sine=d=1",
           "-t",
           "1",
           "-pix_fmt",
           "yuv420p",
           "-metadata",
           "location=+59.9+010.7/",
           "-metadata",
           "com.apple.quicktime.location.ISO6709=+59.9123+010.7456+012.000/",
           "-metadata",
           "com.apple.quicktime.make=Apple",
           "-metadata",
           "comment=+ our first day",
           "-metadata",
           "creation_time=2021-05-01T10:00:00Z",
           "-movflags",
           "use_metadata_tags",
           source});
  ASSERT_EQ(PublishMovie(fs, source, target, true, 60), Published::kWritten);
  const std::string tags =
      RunTool("ffprobe", {"-v", "error", "-show_entries",
                          "format_tags:stream_tags", "-of", "flat", target});
  EXPECT_THAT(tags, Not(HasSubstr("location")));
  EXPECT_THAT(tags, Not(HasSubstr("+59.9")));
  EXPECT_THAT(tags, HasSubstr("2021-05-01T10:00:00"));
  EXPECT_THAT(tags, HasSubstr("Apple"));
  EXPECT_THAT(tags, HasSubstr("+ our first day"));  // no position
  const auto packets = [](const std::string& clip) {
    return RunTool("ffmpeg", {"-v", "error", "-i", clip, "-map", "0", "-c",
                              "copy", "-f", "streamhash", "-"});
  };
  EXPECT_EQ(packets(target), packets(source));
}

TEST(PublishedMovieTest, LeavesTheTargetAloneWhenItCannotCopy) {
  TempDir dir;
  PosixFileSystem fs;
  const std::string broken = dir.Path("broken.mp4"),
                    target = dir.Path("out.mp4");
  WriteFile(broken, "not a movie at all");
  try {
    PublishMovie(fs, broken, target, true, 60);
    ADD_FAILURE() << "published";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::kImageData) << e.what();
  }
  const std::string path = std::getenv("PATH");
  setenv("PATH", dir.path().c_str(), 1);
  const Published published = PublishMovie(fs, broken, target, true, 60);
  setenv("PATH", path.c_str(), 1);
  EXPECT_EQ(published, Published::kNoFfmpeg);
  EXPECT_FALSE(PathExists(target));
}

}  // namespace
}  // namespace orvanta::testing
