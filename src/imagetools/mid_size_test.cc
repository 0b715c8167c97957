// Mid-size copies made with the thumbnail in one call: against
// ImageMagick's -resize of the whole picture, which pictures get one, the
// ICC profile carried over, and the failures of each output apart.
#include <Magick++.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

#include "common/error.h"
#include "imagetools/image_tool.h"
#include "testing/mem_file_system.h"
#include "testing/picture_compare.h"
#include "testing/temp_dir.h"
#include "testing/test_pictures.h"

namespace orvanta::testing {
namespace {

constexpr PixelSize kBounds = {500, 400};

class MidSizeTest : public ::testing::Test {
 protected:
  void SetUp() override { tool_ = CreateMagickImageTool(fs_); }

  // Makes the thumbnail t_NAME and the copy m_NAME.jpg of `name`.
  PictureResult Make(const std::string& name) {
    return tool_->MakePictureFiles({dir_.Path(name), dir_.Path("t_" + name),
                                    150, CopyPath(name), kBounds});
  }
  std::string CopyPath(const std::string& name) {
    return dir_.Path("m_" + name.substr(0, name.rfind('.')) + ".jpg");
  }
  // Makes a picture, then changes it with Magick++.
  void MakeChanged(const std::string& name, int width, int height,
                   const std::function<void(Magick::Image&)>& change) {
    MakePicture(dir_.Path(name), width, height);
    Magick::Image image(dir_.Path(name));
    change(image);
    image.write(dir_.Path(name));
  }

  TempDir dir_;
  PosixFileSystem fs_;
  std::unique_ptr<ImageTool> tool_;
};

TEST_F(MidSizeTest, CopiesLookLikeAResizeOfTheWholePicture) {
  std::vector<std::string> names;
  for (int orientation = 1; orientation <= 8; ++orientation) {
    names.push_back("turned" + std::to_string(orientation) + ".jpg");
    MakePicture(dir_.Path(names.back()), 1200, 800, orientation);
  }
  // Decoded whole and resampled with the Lanczos filter (less than twice
  // the copy), and decoded at 3/8.
  names.insert(names.end(), {"near.jpg", "large.jpg"});
  MakePicture(dir_.Path("near.jpg"), 700, 500);
  MakePicture(dir_.Path("large.jpg"), 2000, 1500);
  names.insert(names.end(), {"cmyk.jpg", "grey.jpg", "clear.png", "phone.heic",
                             "scan.tiff"});
  MakeChanged("cmyk.jpg", 900, 700,
              [](auto& i) { i.colorSpace(Magick::CMYKColorspace); });
  MakeChanged("grey.jpg", 900, 700,
              [](auto& i) { i.type(Magick::GrayscaleType); });
  MakeChanged("clear.png", 900, 600,
              [](auto& i) { i.transparent(Magick::Color("#203040")); });
  MakePicture(dir_.Path("phone.png"), 800, 600);
  Magick::Image(dir_.Path("phone.png")).write(dir_.Path("phone.heic"));
  // Small, but browsers cannot show it: a copy at its own size.
  MakePicture(dir_.Path("scan.png"), 300, 200);
  Magick::Image(dir_.Path("scan.png")).write(dir_.Path("scan.tiff"));

  for (const std::string& name : names) {
    const PictureResult result = Make(name);
    ASSERT_FALSE(result.thumbnail_error)
        << name << ": " << result.thumbnail_error->what();
    ASSERT_FALSE(result.copy_error)
        << name << ": " << result.copy_error->what();
    ASSERT_TRUE(result.copy_size) << name;
    const Magick::Image copy(CopyPath(name));
    const Magick::Image wanted = ResizedByMagick(
        dir_.Path(name), kBounds.width, kBounds.height, /*as_jpeg=*/true);
    EXPECT_EQ(SizeOf(copy), SizeOf(wanted)) << name;
    EXPECT_EQ(SizeOf(copy),
              (PictureSize{result.copy_size->width, result.copy_size->height}))
        << name;
    EXPECT_GE(Psnr(copy, wanted), 35) << name;
    EXPECT_EQ(copy.magick(), "JPEG") << name;
    EXPECT_EQ(copy.comment(), "") << name;
    EXPECT_EQ(copy.profile("EXIF").length(), 0u) << name;
    // The thumbnail of the same call is as good as one made alone.
    const Magick::Image thumbnail(dir_.Path("t_" + name));
    const Magick::Image small = ResizedByMagick(dir_.Path(name), 150, 150);
    EXPECT_EQ(SizeOf(thumbnail), SizeOf(small)) << name;
    EXPECT_GE(Psnr(thumbnail, small), 35) << name;
  }
}

TEST_F(MidSizeTest, OnlyPicturesLargerThanTheBoundsAsShownGetACopy) {
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
      {"inside.png", 500, 400, 1, std::nullopt},
      {"taller.png", 500, 401, 1, PixelSize{499, 400}},
      {"small.gif", 200, 100, 1, std::nullopt},
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

TEST_F(MidSizeTest, CopiesKeepThePicturesColourProfile) {
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
}

TEST(MidSizeFailureTest, EachOutputFailsApartAndLeavesNoFile) {
  MemFileSystem fs;
  fs.AddFile("/p/photo.jpg", PictureBytes(900, 700, "jpg"));
  fs.AddFile("/p/clear.png", PictureBytes(900, 600, "png"));
  fs.AddFile("/p/cut.jpg", PictureBytes(900, 700, "jpg").substr(0, 120));
  fs.FailOn(MemFileSystem::Op::kWrite, "m_", ENOSPC);
  const std::unique_ptr<ImageTool> tool = CreateMagickImageTool(fs);
  auto make = [&](const std::string& name) {
    return tool->MakePictureFiles(
        {"/p/" + name, "/p/t_" + name, 150, "/p/m_" + name, kBounds});
  };
  for (const std::string name : {"photo.jpg", "clear.png"}) {
    const PictureResult result = make(name);
    EXPECT_FALSE(result.thumbnail_error) << name;
    EXPECT_TRUE(fs.Has("/p/t_" + name)) << name;
    ASSERT_TRUE(result.copy_error) << name;
    EXPECT_EQ(result.copy_error->kind(), ErrorKind::kGeneral);
    EXPECT_EQ(std::string(result.copy_error->what()),
              "the mid-size copy m_" + name +
                  " cannot be written (No space left on device)");
    EXPECT_FALSE(result.copy_size) << name;
    EXPECT_FALSE(fs.Has("/p/m_" + name)) << name;
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

}  // namespace
}  // namespace orvanta::testing
