// Thumbnails written straight from the picture, and reading sizes from the
// start of large files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <string>

#include "common/error.h"
#include "imagetools/image_tool.h"
#include "imagetools/picture_file.h"
#include "testing/temp_dir.h"
#include "testing/test_pictures.h"

namespace orvanta {
namespace {

using ::orvanta::testing::MakeCorruptPicture;
using ::orvanta::testing::MakePicture;
using ::orvanta::testing::PathExists;
using ::orvanta::testing::PictureSize;
using ::orvanta::testing::ReadFile;
using ::orvanta::testing::ReadPictureFormat;
using ::orvanta::testing::ReadPictureSize;
using ::orvanta::testing::TempDir;
using ::orvanta::testing::WriteFile;

class MakeThumbnailTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    tool_ = CreateMagickImageTool(&error);
    ASSERT_NE(tool_, nullptr) << error;
  }
  TempDir dir_;
  std::unique_ptr<ImageTool> tool_;
};

TEST_F(MakeThumbnailTest, WritesANewFileAndLeavesThePictureAlone) {
  const std::string picture = dir_.Path("photo.png");
  MakePicture(picture, 800, 400);
  const std::string before = ReadFile(picture);
  tool_->MakeThumbnail(picture, dir_.Path("t_photo.png"), 100);
  EXPECT_EQ(ReadFile(picture), before);
  EXPECT_EQ(ReadPictureSize(dir_.Path("t_photo.png")), (PictureSize{100, 50}));
  EXPECT_EQ(ReadPictureFormat(dir_.Path("t_photo.png")), "PNG");
  struct stat info;
  ASSERT_EQ(stat(dir_.Path("t_photo.png").c_str(), &info), 0);
  mode_t mask = umask(022);
  umask(mask);
  EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

TEST_F(MakeThumbnailTest, ReplacesAnOldThumbnailAndUprightsPortraits) {
  const std::string picture = dir_.Path("phone.jpg");
  MakePicture(picture, 400, 300, 6);
  WriteFile(dir_.Path("t_phone.jpg"), "old");
  tool_->MakeThumbnail(picture, dir_.Path("t_phone.jpg"), 150);
  EXPECT_EQ(ReadPictureSize(dir_.Path("t_phone.jpg")), (PictureSize{113, 150}));
}

TEST_F(MakeThumbnailTest, FailuresLeaveNoFileBehind) {
  const std::string bad = dir_.Path("bad.jpg");
  MakeCorruptPicture(bad);
  try {
    tool_->MakeThumbnail(bad, dir_.Path("t_bad.jpg"), 150);
    ADD_FAILURE() << "a corrupt picture was shrunk";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::kImageData);
  }
  EXPECT_FALSE(PathExists(dir_.Path("t_bad.jpg")));
  MakePicture(dir_.Path("ok.gif"), 40, 40);
  try {
    tool_->MakeThumbnail(dir_.Path("ok.gif"), dir_.Path("no/such/t_ok.gif"),
                         150);
    ADD_FAILURE() << "wrote into a missing folder";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::kGeneral);
  }
  EXPECT_THROW(tool_->MakeThumbnail(dir_.Path("missing.jpg"),
                                    dir_.Path("t_missing.jpg"), 150),
               Error);
  EXPECT_THROW(tool_->MakeThumbnail(dir_.Path("ok.gif"), dir_.Path("t.gif"), 0),
               Error);
}

TEST_F(MakeThumbnailTest, SizeOfALargePictureFromItsStart) {
  // A JPEG far larger than the part read first, with its size up front.
  const std::string big = dir_.Path("big.jpg");
  MakePicture(big, 3000, 2000);
  ASSERT_GT(ReadFile(big).size(), 256u * 1024u);
  EXPECT_EQ(tool_->Identify({"-format", "%w,%h", "-ping", big}), "3000,2000");
  bool whole = true;
  EXPECT_EQ(ReadPictureFileStart(big, 1000, &whole).size(), 1000u);
  EXPECT_FALSE(whole);
  EXPECT_EQ(ReadPictureFileStart(big, 1u << 30, &whole), ReadFile(big));
  EXPECT_TRUE(whole);
}

}  // namespace
}  // namespace orvanta
