// The picture metadata reader on what goes wrong: broken EXIF blocks, a
// huge XMP packet, a camera maker's note, and several threads at once.
// Nothing throws, nothing is printed, and what is not broken is still
// read. (Files cut anywhere and files that are no pictures: the fuzz
// target.)
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <thread>

#include "imagetools/picture_metadata.h"
#include "testing/exiftool.h"
#include "testing/temp_dir.h"
#include "testing/test_pictures.h"

namespace orvanta::testing {
namespace {

PictureMetadata Read(const std::string& bytes) {
  return ReadPictureMetadata(bytes.data(), bytes.size());
}

// The big-endian EXIF block (exiftool's) of a JPEG, to be broken in place.
class ExifBlock {
 public:
  explicit ExifBlock(std::string* jpeg) : jpeg_(jpeg) {
    tiff_ = jpeg->find(std::string("Exif\0\0MM", 8)) + 6;
  }
  uint32_t Get(size_t at, int bytes) const {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
      value = value << 8 | static_cast<unsigned char>((*jpeg_)[tiff_ + at + i]);
    }
    return value;
  }
  void Put(size_t at, int bytes, uint32_t value) {
    for (int i = bytes - 1; i >= 0; --i, value >>= 8) {
      (*jpeg_)[tiff_ + at + i] = static_cast<char>(value);
    }
  }
  size_t FirstDirectory() const { return Get(4, 4); }
  // The offset of the entry of `tag` in the directory at `directory`.
  size_t Entry(size_t directory, uint32_t tag) const {
    for (size_t i = 0, n = Get(directory, 2); i < n; ++i) {
      if (Get(directory + 2 + 12 * i, 2) == tag) return directory + 2 + 12 * i;
    }
    throw std::runtime_error("no EXIF tag " + std::to_string(tag));
  }

 private:
  std::string* jpeg_;
  size_t tiff_ = 0;
};

class PictureMetadataFaultsTest : public ::testing::Test {
 protected:
  // A JPEG with a date, a camera, a caption in EXIF, titles in IPTC and
  // XMP.
  std::string TaggedJpeg(const std::string& name, int width = 64,
                         int height = 48) {
    const std::string path = dir_.Path(name);
    MakePicture(path, width, height);
    RunExiftool({{path,
                  {"-DateTimeOriginal=2019:07:14 18:30:00", "-Make=Canon",
                   "-Model=Canon EOS 5D", "-ImageDescription=A caption",
                   "-IPTC:ObjectName=IPTC title", "-XMP-dc:Title=Kept"}}});
    return ReadFile(path);
  }

  TempDir dir_;
};

TEST_F(PictureMetadataFaultsTest, BrokenExifBlockLosesOnlyItself) {
  const std::string jpeg = TaggedJpeg("broken.jpg");
  const struct {
    const char* fault;
    std::function<void(ExifBlock&)> make;
    bool dated;  // what is still read besides the XMP title
    const char* caption;
    const char* camera;
  } faults[] = {
      {"first directory past the end",
       [](ExifBlock& exif) { exif.Put(4, 4, 0x7FFFFFF0); }, false, "", ""},
      {"more entries than the block holds",
       [](ExifBlock& exif) { exif.Put(exif.FirstDirectory(), 2, 0xFFFF); },
       false, "", ""},
      {"a description of 2^31 characters",
       [](ExifBlock& exif) {
         exif.Put(exif.Entry(exif.FirstDirectory(), 0x010E) + 4, 4, 0x80000000);
       },
       true, "", "Canon EOS 5D"},
      {"a description past the end",
       [](ExifBlock& exif) {
         exif.Put(exif.Entry(exif.FirstDirectory(), 0x010E) + 8, 4, 0xFFFFFFF0);
       },
       true, "", "Canon EOS 5D"},
      {"the EXIF directory past the end",
       [](ExifBlock& exif) {
         exif.Put(exif.Entry(exif.FirstDirectory(), 0x8769) + 8, 4, 0x7FFFFFF0);
       },
       false, "A caption", "Canon EOS 5D"},
      {"the EXIF directory back at the first",
       [](ExifBlock& exif) {
         exif.Put(exif.Entry(exif.FirstDirectory(), 0x8769) + 8, 4,
                  exif.FirstDirectory());
       },
       false, "A caption", "Canon EOS 5D"},
  };
  ::testing::internal::CaptureStderr();
  for (const auto& fault : faults) {
    std::string broken = jpeg;
    ExifBlock exif(&broken);
    fault.make(exif);
    const PictureMetadata metadata = Read(broken);
    EXPECT_EQ(metadata.title, "Kept") << fault.fault;
    EXPECT_EQ(metadata.taken.has_value(), fault.dated) << fault.fault;
    EXPECT_EQ(metadata.caption, fault.caption) << fault.fault;
    EXPECT_EQ(metadata.camera, fault.camera) << fault.fault;
  }
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST_F(PictureMetadataFaultsTest, HugeXmpPacketGivesAShortCaption) {
  const std::string description = dir_.Path("description.txt");
  std::string words;
  while (words.size() < 1024 * 1024) words += "a long long caption ";
  WriteFile(description, words);
  for (const char* name : {"huge.png", "huge.jpg", "huge.tif"}) {
    const std::string path = dir_.Path(name);
    MakePicture(path, 64, 48);
    RunExiftool({{path,
                  {"-XMP-dc:Title=Kept", "-XMP-dc:Description<=" + description,
                   "-EXIF:Model=Camera 1"}}});
    const PictureMetadata metadata = Read(ReadFile(path));
    EXPECT_EQ(metadata.title, "Kept") << name;
    EXPECT_EQ(metadata.camera, "Camera 1") << name;
    EXPECT_LE(metadata.caption.size(), 4000u) << name;
    // JPEG keeps the long text in the extended XMP segments exiv2 leaves.
    if (std::string(name) != "huge.jpg") {
      EXPECT_TRUE(metadata.caption.starts_with("a long long caption a long"));
      EXPECT_TRUE(metadata.caption.ends_with("\u2026"));
    }
  }
}

TEST_F(PictureMetadataFaultsTest, CameraMakerNoteIsLeftAside) {
  // A maker's note of one entry, as Canon cameras write them (big-endian,
  // as exiftool's EXIF block): it comes before the UserComment.
  const std::string note = dir_.Path("note.bin");
  WriteFile(
      note,
      std::string("\0\x01\0\x10\0\x04\0\0\0\x01\x80\0\x12\x34\0\0\0\0", 18));
  const std::string path = dir_.Path("canon.jpg");
  MakePicture(path, 64, 48);
  RunExiftool(
      {{path,
        {"-Make=Canon", "-Model=Canon EOS 5D", "-MakerNoteCanon<=" + note,
         "-DateTimeOriginal=2019:07:14 18:30:00",
         "-UserComment=After the maker's note"}}});
  const PictureMetadata metadata = Read(ReadFile(path));
  EXPECT_EQ(metadata.camera, "Canon EOS 5D");
  EXPECT_EQ(metadata.taken, (DateTaken{2019, 7, 14, 18, 30, 0, std::nullopt}));
  EXPECT_EQ(metadata.caption, "After the maker's note");
}

TEST_F(PictureMetadataFaultsTest, SeveralThreadsReadAtOnce) {
  std::vector<std::string> pictures;
  for (const char* name : {"1.jpg", "2.png", "3.tif", "4.webp"}) {
    const std::string path = dir_.Path(name);
    MakePicture(path, 64, 48);
    // XMP namespaces exiv2 does not know yet: it registers them as it
    // meets them, in whichever thread comes first.
    RunExiftool({{path,
                  {"-XMP-GCamera:MicroVideo=1", "-XMP-getty:Personality=Ann",
                   "-XMP-dc:Title=Title " + std::string(name),
                   "-IPTC:Caption-Abstract=Caption", "-Make=Canon",
                   "-Model=EOS", "-DateTimeOriginal=2019:07:14 18:30:00"}}});
    pictures.push_back(ReadFile(path));
  }
  std::vector<std::vector<PictureMetadata>> results(4);
  std::vector<std::thread> threads;
  for (auto& result : results) {
    threads.emplace_back([&pictures, &result] {
      for (int round = 0; round < 100; ++round) {
        for (const std::string& picture : pictures) {
          result.push_back(Read(picture));
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (const auto& result : results) {
    ASSERT_EQ(result.size(), 100 * pictures.size());
    for (size_t i = 0; i < result.size(); ++i) {
      const PictureMetadata alone = Read(pictures[i % pictures.size()]);
      ASSERT_EQ(result[i].title, alone.title) << i;
      ASSERT_EQ(result[i].caption, alone.caption) << i;
      ASSERT_EQ(result[i].camera, alone.camera) << i;
      ASSERT_EQ(result[i].taken, alone.taken) << i;
      ASSERT_FALSE(alone.title.empty());
    }
  }
}

}  // namespace
}  // namespace orvanta::testing
