// The thumbnails and mid-size copies the image tool makes, against
// ImageMagick's -resize of the whole picture; which pictures get a copy;
// the ICC profile carried over; and its failures: pictures it cannot read
// (listed by the run), pictures too large to read safely, and everything
// else (asked about), each output failing apart, nothing half-written left
// behind.
#include <Magick++.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <tuple>
#include <utility>

#include "common/error.h"
#include "imagetools/image_tool.h"
#include "testing/mem_file_system.h"
#include "testing/picture_compare.h"
#include "testing/temp_dir.h"
#include "testing/test_pictures.h"

namespace orvanta::testing {
namespace {

constexpr PixelSize kBounds = {500, 400};

// A 16 x 16 progressive JPEG whose frame header claims width x height: a
// few hundred bytes whose scans libjpeg would keep whole, gigabytes of
// them.
std::string ProgressiveJpegClaiming(int width, int height) {
  Magick::Image image(Magick::Geometry(16, 16), Magick::Color("skyblue"));
  image.interlaceType(Magick::PlaneInterlace);
  image.magick("JPEG");
  Magick::Blob blob;
  image.write(&blob);
  std::string bytes(static_cast<const char*>(blob.data()), blob.length());
  const size_t frame = bytes.find(std::string("\xFF\xC2\x00\x11", 4));
  if (frame == std::string::npos) throw std::runtime_error("not progressive");
  bytes[frame + 5] = static_cast<char>(height >> 8);
  bytes[frame + 6] = static_cast<char>(height & 0xFF);
  bytes[frame + 7] = static_cast<char>(width >> 8);
  bytes[frame + 8] = static_cast<char>(width & 0xFF);
  return bytes;
}

class PictureFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { tool_ = CreateMagickImageTool(fs_); }

  // Makes the thumbnail t_NAME and the copy m_NAME.jpg of `name`.
  PictureResult Make(const std::string& name) {
    return tool_->MakePictureFiles({dir_.Path(name), dir_.Path("t_" + name),
                                    150, CopyPath(name), kBounds, ""});
  }
  std::string CopyPath(const std::string& name) {
    return dir_.Path("m_" + name.substr(0, name.rfind('.')) + ".jpg");
  }
  // Makes the thumbnail alone, at "a_" + name; the kind of error if any.
  std::optional<ErrorKind> Shrink(const std::string& name) {
    try {
      tool_->MakeThumbnail(dir_.Path(name), dir_.Path("a_" + name), 150);
    } catch (const Error& e) {
      message_ = e.what();
      return e.kind();
    }
    return std::nullopt;
  }
  // Makes a picture, then changes it with Magick++.
  void MakeChanged(const std::string& name, int width, int height,
                   const std::function<void(Magick::Image&)>& change) {
    MakePicture(dir_.Path(name), width, height);
    Magick::Image image(dir_.Path(name));
    change(image);
    image.write(dir_.Path(name));
  }

  // Every kind of picture the tool reads, turned and sampled every way;
  // their names.
  std::vector<std::string> MakeEveryKind() {
    std::vector<std::string> names;
    for (int orientation = 1; orientation <= 8; ++orientation) {
      names.push_back("turned" + std::to_string(orientation) + ".jpg");
      MakePicture(dir_.Path(names.back()), 1200, 800, orientation);
    }
    // A copy decoded whole and resampled with the Lanczos filter (less than
    // twice the copy), and decoded at 3/8.
    names.insert(names.end(), {"near.jpg", "large.jpg"});
    MakePicture(dir_.Path("near.jpg"), 700, 500);
    MakePicture(dir_.Path("large.jpg"), 2000,
                1501);  // rows in pairs, one alone
    // Stored as cameras do, the chroma halved both ways or across only, of
    // odd sizes: made from the luma and chroma as stored.
    names.insert(names.end(), {"camera.jpg", "camera422.jpg"});
    MakeChanged("camera.jpg", 1201, 801, [](auto& i) {
      i.defineValue("jpeg", "sampling-factor", "2x2,1x1,1x1");
    });
    MakeChanged("camera422.jpg", 1001, 1399, [](auto& i) {
      i.defineValue("jpeg", "sampling-factor", "2x1,1x1,1x1");
    });
    names.insert(names.end(),
                 {"portrait.jpg", "cmyk.jpg", "grey.jpg", "clear.png",
                  "plain.bmp", "moving.gif", "phone.heic", "scan.tiff"});
    MakeChanged("portrait.jpg", 1000, 1500, [](auto& i) {
      i.comment("mine");
      i.quality(60);
    });
    MakeChanged("cmyk.jpg", 900, 700,
                [](auto& i) { i.colorSpace(Magick::CMYKColorspace); });
    MakeChanged("grey.jpg", 900, 700,
                [](auto& i) { i.type(Magick::GrayscaleType); });
    MakeChanged("clear.png", 900, 600,
                [](auto& i) { i.transparent(Magick::Color("#203040")); });
    MakeChanged("plain.bmp", 800, 500, [](auto&) {});
    // An animated GIF shows its first frame.
    MakePicture(dir_.Path("first.gif"), 800, 600);
    std::vector<Magick::Image> frames = {Magick::Image(dir_.Path("first.gif"))};
    frames.push_back(frames[0]);
    frames[1].flop();
    Magick::writeImages(frames.begin(), frames.end(), dir_.Path("moving.gif"));
    MakePicture(dir_.Path("phone.png"), 800, 600);
    Magick::Image(dir_.Path("phone.png")).write(dir_.Path("phone.heic"));
    // Small, but browsers cannot show it: a copy at its own size.
    MakePicture(dir_.Path("scan.png"), 300, 200);
    Magick::Image(dir_.Path("scan.png")).write(dir_.Path("scan.tiff"));
    return names;
  }

  TempDir dir_;
  PosixFileSystem fs_;
  std::unique_ptr<ImageTool> tool_;
  std::string message_;
};

TEST_F(PictureFilesTest, ThumbnailsAndCopiesLookLikeAResizeOfTheWhole) {
  const std::vector<std::string> names = MakeEveryKind();
  for (const std::string& name : names) {
    ASSERT_EQ(Shrink(name), std::nullopt) << name << ": " << message_;
    const PictureResult result = Make(name);
    ASSERT_FALSE(result.thumbnail_error)
        << name << ": " << result.thumbnail_error->what();
    ASSERT_FALSE(result.copy_error)
        << name << ": " << result.copy_error->what();
    ASSERT_TRUE(result.copy_size) << name;
    // The thumbnail made alone and the one made with the copy.
    const Magick::Image small = ResizedByMagick(dir_.Path(name), 150, 150);
    for (const char* prefix : {"a_", "t_"}) {
      const Magick::Image thumbnail(dir_.Path(prefix + name));
      EXPECT_EQ(SizeOf(thumbnail), SizeOf(small)) << prefix << name;
      EXPECT_GE(Psnr(thumbnail, small), 35) << prefix << name;
      EXPECT_EQ(thumbnail.comment(), "") << prefix << name;
      EXPECT_EQ(thumbnail.profile("EXIF").length(), 0u) << prefix << name;
    }
    const Magick::Image copy(CopyPath(name));
    const Magick::Image wanted = ResizedByMagick(
        dir_.Path(name), kBounds.width, kBounds.height, /*as_jpeg=*/true);
    EXPECT_EQ(SizeOf(copy), SizeOf(wanted)) << name;
    EXPECT_EQ(SizeOf(copy),
              (PictureSize{result.copy_size->width, result.copy_size->height}))
        << name;
    EXPECT_GE(Psnr(copy, wanted), 35) << name;
    EXPECT_EQ(copy.magick(), "JPEG") << name;
    // A photo's copy keeps its quality; other pictures' get 85.
    const Magick::Image source(dir_.Path(name));
    EXPECT_NEAR(copy.quality(),
                source.magick() == "JPEG" ? source.quality() : 85, 2)
        << name;
    EXPECT_EQ(copy.comment(), "") << name;
    EXPECT_EQ(copy.profile("EXIF").length(), 0u) << name;
  }
}

// Waves across and down, `period` pixels long: a decoding at too small a
// scale loses them or turns them into coarser waves. (Our filters keep
// more of the thumbnails' waves than ImageMagick's: no closer likeness.)
TEST_F(PictureFilesTest, CopiesAndThumbnailsKeepFineDetail) {
  for (const auto& [name, width, height, period, likeness] :
       {std::tuple{std::string("fine.jpg"), 1200, 900, 8, 40},
        {"small.jpg", 600, 450, 12, 20}}) {
    std::string ppm =
        "P6 " + std::to_string(width) + " " + std::to_string(height) + " 255\n";
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const double wave =
            std::sin(x * 6.2832 / period) + std::sin(y * 6.2832 / (period + 1));
        ppm.append(3, static_cast<char>(static_cast<unsigned char>(
                          static_cast<int>(128 + 60 * wave))));
      }
    }
    Magick::Image wave(Magick::Blob(ppm.data(), ppm.size()));
    wave.defineValue("jpeg", "sampling-factor",
                     "2x2,1x1,1x1");  // as cameras store them
    wave.write(dir_.Path(name));
    ASSERT_EQ(Shrink(name), std::nullopt) << message_;
    ASSERT_FALSE(Make(name).copy_error) << name;
    EXPECT_GE(Psnr(Magick::Image(CopyPath(name)),
                   ResizedByMagick(dir_.Path(name), 500, 400, true)),
              30)
        << name;
    const Magick::Image small = ResizedByMagick(dir_.Path(name), 150, 150);
    for (const char* prefix : {"a_", "t_"}) {
      EXPECT_GE(Psnr(Magick::Image(dir_.Path(prefix + name)), small), likeness)
          << prefix << name;
    }
  }
}

TEST_F(PictureFilesTest, OnlyPicturesLargerThanTheBoundsAsShownGetACopy) {
  struct Case {
    const char* name;
    int width, height, orientation;
    std::optional<PixelSize> copy;
  };
  const Case cases[] = {
      {"inside.jpg", 500, 400, 1, std::nullopt},
      {"wider.jpg", 501, 400, 1, PixelSize{500, 399}},
      {"turned_inside.jpg", 400, 500, 6, std::nullopt},
      {"turned_taller.jpg", 400, 501, 8, PixelSize{500, 399}},
      {"taller.png", 500, 401, 1, PixelSize{499, 400}},
  };
  for (const Case& c : cases) {
    MakePicture(dir_.Path(c.name), c.width, c.height, c.orientation);
    const PictureResult result = Make(c.name);
    EXPECT_FALSE(result.thumbnail_error || result.copy_error) << c.name;
    EXPECT_EQ(result.copy_size, c.copy) << c.name;
    EXPECT_EQ(PathExists(CopyPath(c.name)), c.copy.has_value()) << c.name;
    if (c.copy) {
      EXPECT_EQ(ReadPictureSize(CopyPath(c.name)),
                (PictureSize{c.copy->width, c.copy->height}))
          << c.name;
    }
  }
}

TEST_F(PictureFilesTest, CopiesKeepThePicturesColourProfile) {
  const std::string icc = ReadFile("/usr/share/color/icc/ghostscript/a98.icc");
  ASSERT_FALSE(icc.empty()) << "libgs-common's a98.icc is missing";
  for (const char* name : {"wide_gamut.jpg", "wide_gamut.png"}) {
    MakeChanged(name, 900, 600, [&](Magick::Image& image) {
      image.profile("ICC", Magick::Blob(icc.data(), icc.size()));
    });
    const PictureResult result = Make(name);
    ASSERT_TRUE(result.copy_size) << name;
    const Magick::Blob kept = Magick::Image(CopyPath(name)).profile("ICC");
    EXPECT_EQ(std::string(static_cast<const char*>(kept.data()), kept.length()),
              icc)
        << name;
  }
  // Converted to sRGB, a CMYK picture's profile fits the copy no more.
  const std::string cmyk =
      ReadFile("/usr/share/color/icc/ghostscript/ps_cmyk.icc");
  MakeChanged("cmyk.jpg", 900, 600, [&](Magick::Image& image) {
    image.colorSpace(Magick::CMYKColorspace);
    image.profile("ICC", Magick::Blob(cmyk.data(), cmyk.size()));
  });
  ASSERT_TRUE(Make("cmyk.jpg").copy_size);
  EXPECT_EQ(Magick::Image(CopyPath("cmyk.jpg")).profile("ICC").length(), 0u);
}

// Refused from their headers, before any pixel memory is taken or the
// whole file read.
TEST_F(PictureFilesTest, PicturesTooLargeToReadSafelyAreRefusedBySize) {
  WriteFile(dir_.Path("scans.jpg"), ProgressiveJpegClaiming(30000, 30000));
  MakeBombPng(dir_.Path("grey.png"), 8000, 8000);
  WriteFile(dir_.Path("padded.png"),
            PictureBytes(100, 80, "png") + std::string(17 << 20, '\0'));
  const std::pair<const char*, const char*> cases[] = {
      {"scans.jpg", "too large to read safely (30000x30000)"},
      {"grey.png", "too large to read safely (8000x8000)"},
      {"padded.png",
       "the file is far larger than a picture of 100x80 can be (17 MB)"},
  };
  for (const auto& [name, text] : cases) {
    const PictureResult result = Make(name);
    ASSERT_TRUE(result.thumbnail_error && result.copy_error) << name;
    EXPECT_EQ(result.thumbnail_error->kind(), ErrorKind::kImageData) << name;
    EXPECT_EQ(std::string(result.thumbnail_error->what()), text);
    EXPECT_EQ(std::string(result.copy_error->what()), text);
  }
}

TEST(PictureFilesFailureTest, EachOutputFailsApartAndLeavesNoFile) {
  MemFileSystem fs;
  fs.AddFile("/p/photo.jpg", PictureBytes(900, 700, "jpg"));
  fs.AddFile("/p/clear.png", PictureBytes(900, 600, "png"));
  fs.AddFile("/p/cut.jpg", PictureBytes(900, 700, "jpg").substr(0, 120));
  fs.FailOn(MemFileSystem::Op::kWrite, "m_", ENOSPC);
  const std::unique_ptr<ImageTool> tool = CreateMagickImageTool(fs);
  auto make = [&](const std::string& name) {
    return tool->MakePictureFiles(
        {"/p/" + name, "/p/t_" + name, 150, "/p/m_" + name, kBounds, ""});
  };
  for (const std::string name : {"photo.jpg", "clear.png"}) {
    const PictureResult result = make(name);
    EXPECT_FALSE(result.thumbnail_error) << name;
    EXPECT_TRUE(fs.Has("/p/t_" + name)) << name;
    ASSERT_TRUE(result.copy_error) << name;
    EXPECT_EQ(result.copy_error->kind(), ErrorKind::kGeneral);
    EXPECT_FALSE(result.copy_size || fs.Has("/p/m_" + name)) << name;
  }
  // A picture that cannot be read: the same error for both.
  for (const auto& [name, kind] : {std::pair{"cut.jpg", ErrorKind::kImageData},
                                   {"missing.jpg", ErrorKind::kGeneral}}) {
    const PictureResult result = make(name);
    ASSERT_TRUE(result.thumbnail_error && result.copy_error) << name;
    EXPECT_EQ(result.thumbnail_error->kind(), kind) << name;
    EXPECT_EQ(result.copy_error->kind(), kind) << name;
    EXPECT_EQ(std::string(result.thumbnail_error->what()),
              result.copy_error->what());
    EXPECT_FALSE(fs.Has("/p/t_" + std::string(name)) ||
                 fs.Has("/p/m_" + std::string(name)));
  }
}

TEST_F(PictureFilesTest, PictureErrorsAndOtherFailuresLeaveNoFile) {
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
  // Nothing was written.
  auto entries = std::filesystem::directory_iterator(dir_.path());
  EXPECT_EQ(std::distance(begin(entries), end(entries)), 5);
}

}  // namespace
}  // namespace orvanta::testing
