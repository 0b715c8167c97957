// Bad inputs run end to end through orvanta-cli: broken and huge pictures,
// awkward file names, bad folder information files and templates.
#include <cstddef>
#include <cstdio>
#include <random>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "hardening/hardening_fixture.h"
#include "testing/test_pictures.h"

namespace orvanta::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// A width x height RGB JPEG written row by row, so that even 100
// megapixels take little memory to make.
void WriteLargeJpeg(const std::string& path, int width, int height) {
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = width;
  info.image_height = height;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 50, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(width) * 3);
  while (info.next_scanline < info.image_height) {
    for (int x = 0; x < width; ++x) {
      row[x * 3] = static_cast<JSAMPLE>(x / 40);
      row[x * 3 + 1] = static_cast<JSAMPLE>(info.next_scanline / 40);
      row[x * 3 + 2] = 128;
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::fclose(file);
}

// The href targets of a page, percent-decoded.
std::vector<std::string> DecodedLinks(const std::string& page) {
  std::vector<std::string> links;
  const std::string mark = "href=\"";
  for (size_t at = page.find(mark); at != std::string::npos;
       at = page.find(mark, at + 1)) {
    size_t start = at + mark.size();
    size_t end = page.find('"', start);
    std::string raw = page.substr(start, end - start);
    std::string decoded;
    for (size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] == '%' && i + 2 < raw.size()) {
        decoded +=
            static_cast<char>(std::stoi(raw.substr(i + 1, 2), nullptr, 16));
        i += 2;
      } else {
        decoded += raw[i];
      }
    }
    links.push_back(decoded);
  }
  return links;
}

TEST_F(HardeningTest, BrokenPicturesAreListedAsThumbnailErrorsAndTheRunGoesOn) {
  MakePicture(Gallery("good.jpg"), 320, 240);
  MakeCorruptPicture(Gallery("corrupt.jpg"));
  MakeTruncatedJpeg(Gallery("truncated.jpg"), 400, 300);
  WriteFile(Gallery("empty.jpg"), "");
  MakeBombPng(Gallery("bomb.png"));  // claims 50,000 x 50,000 pixels
  const auto before = SnapshotTree(Gallery(""));

  CliResult result = Cli();
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.signal, 0);
  EXPECT_THAT(result.err, HasSubstr("Errors occurred during the thumbnail "
                                    "creation process."));
  // One line each for the corrupt, the empty and the bomb picture.
  EXPECT_EQ(CountOccurrences(result.err, "Error Creating Thumbnails: "), 3)
      << result.err;
  EXPECT_THAT(result.err, HasSubstr("bomb.png"));
  EXPECT_EQ(result.out,
            "Gallery created: Orvanta created.  Processed 5 image files in 1 "
            "folder.\n");
  // The bomb is refused by the size limits before any pixel memory.
  EXPECT_LT(result.max_rss_kb, 400 * 1024);

  EXPECT_EQ(ReadPictureSize(Gallery("t_good.jpg")), (PictureSize{150, 113}));
  EXPECT_EQ(ReadPictureSize(Gallery("t_truncated.jpg")),
            (PictureSize{150, 113}));
  for (const char* page : {"good.html", "corrupt.html", "truncated.html",
                           "empty.html", "bomb.html"}) {
    EXPECT_TRUE(PathExists(Gallery(page))) << page;
  }
  const auto after = SnapshotTree(Gallery(""));
  ExpectInputsUntouched(before, after);
  // What stands in for a failed thumbnail is a plain copy of the picture,
  // never a half-written file.
  for (const char* name : {"corrupt.jpg", "empty.jpg", "bomb.png"}) {
    auto thumbnail = after.find(std::string("t_") + name);
    if (thumbnail != after.end()) {
      EXPECT_TRUE(thumbnail->second == before.at(name)) << name;
    }
  }
}

TEST_F(HardeningTest, HundredMegapixelPhotoGetsItsThumbnailInBoundedMemory) {
  WriteLargeJpeg(Gallery("panorama.jpg"), 10000, 10000);
  const auto before = SnapshotTree(Gallery(""));
  CliResult result = Cli();
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(ReadPictureSize(Gallery("t_panorama.jpg")),
            (PictureSize{150, 150}));
  EXPECT_LT(result.max_rss_kb, 600 * 1024);
  ExpectInputsUntouched(before, SnapshotTree(Gallery("")));
}

TEST_F(HardeningTest, NamesWithControlCharactersQuotesPercentAndBadUtf8) {
  const std::vector<std::string> names = {
      "caf\xe9 \xff\xfe.jpg",       // not UTF-8
      "tab\there.jpg",              // control characters
      "esc\x1b[31mred.jpg",         // a terminal escape
      "line\nbreak.jpg",            // a line break
      "quote\"and'apostrophe.jpg",  // quotes
      "100% #1 & <b>bold?.jpg"      // percent, hash, ampersand, markup
  };
  for (const std::string& name : names) MakePicture(Gallery(name), 40, 30);
  const auto before = SnapshotTree(Gallery(""));

  CliResult result = Cli();
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  const std::string index = ReadFile(Gallery("index.html"));
  for (const std::string& name : names) {
    const std::string base = name.substr(0, name.size() - 4);
    EXPECT_TRUE(PathExists(Gallery(base + ".html"))) << name;
    EXPECT_EQ(ReadPictureSize(Gallery("t_" + name)), (PictureSize{150, 113}))
        << name;
  }
  // Every link of the index leads to a file that exists, and no name's
  // markup or quotes reach the page raw.
  int links = 0;
  for (const std::string& link : DecodedLinks(index)) {
    if (link == "#") continue;
    EXPECT_TRUE(PathExists(Gallery(link))) << link;
    ++links;
  }
  EXPECT_EQ(links, static_cast<int>(names.size()));
  EXPECT_THAT(index, Not(HasSubstr("<b>bold")));
  EXPECT_THAT(index, Not(HasSubstr("quote\"and")));
  // The picture pages point at their pictures.
  const std::string page = ReadFile(Gallery("100% #1 & <b>bold?.html"));
  EXPECT_THAT(page, HasSubstr("100%25%20%231%20%26%20%3Cb%3Ebold%3F.jpg"));
  ExpectInputsUntouched(before, SnapshotTree(Gallery("")));
}

TEST_F(HardeningTest, FolderInformationFilesWithGarbageHugeLinesAndCrOnly) {
  std::mt19937 random(7);
  std::string garbage;
  for (int i = 0; i < 200000; ++i) garbage += static_cast<char>(random());
  WriteFile(Gallery("binary/DirInfo.txt"), garbage);
  MakePicture(Gallery("binary/a.jpg"), 40, 30);
  const std::string huge(10 * 1024 * 1024, 'x');
  WriteFile(Gallery("huge/DirInfo.txt"),
            "DirectoryTitle=Huge\r\nDirectoryDescription=" + huge +
                "\r\nb.jpg=Bee\r\n");
  MakePicture(Gallery("huge/b.jpg"), 40, 30);
  WriteFile(Gallery("cr/DirInfo.txt"), "DirectoryTitle=Old Mac\rc.jpg=Sea\r");
  MakePicture(Gallery("cr/c.jpg"), 40, 30);
  const auto before = SnapshotTree(Gallery(""));

  CliResult result = Cli();
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_THAT(result.out, HasSubstr("Processed 3 image files in 4 folders."));
  EXPECT_TRUE(PathExists(Gallery("binary/index.html")));
  EXPECT_TRUE(PathExists(Gallery("binary/a.html")));
  const std::string huge_index = ReadFile(Gallery("huge/index.html"));
  EXPECT_THAT(huge_index, HasSubstr("<P>" + huge + "</P>"));
  EXPECT_THAT(ReadFile(Gallery("huge/b.html")), HasSubstr("Bee"));
  // A file with CR-only line ends reads as a single line: its title.
  EXPECT_THAT(ReadFile(Gallery("cr/index.html")), HasSubstr("Old Mac"));
  EXPECT_LT(result.max_rss_kb, 400 * 1024);
  ExpectInputsUntouched(before, SnapshotTree(Gallery("")));
}

TEST_F(HardeningTest, TemplateWithAMegabyteLineIsCopiedWhole) {
  const std::string long_line(1024 * 1024, 'w');
  WriteFile(Program("IndexTemplate.html"),
            "<HTML><TITLE>%DirectoryTitle%</TITLE>\r\n" + long_line +
                "\r\n%Thumbnails%\r\n</HTML>\r\n");
  MakePicture(Gallery("a.jpg"), 40, 30);
  const auto program_before = SnapshotTree(Program(""));
  CliResult result = Cli();
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_THAT(ReadFile(Gallery("index.html")), HasSubstr(long_line + "\r\n"));
  EXPECT_EQ(SnapshotTree(Program("")).at("IndexTemplate.html"),
            program_before.at("IndexTemplate.html"));
}

TEST_F(HardeningTest, TemplateWithThousandsOfPercentSignsStopsWithBadCode) {
  std::string line = "<P>";
  for (int i = 0; i < 5000; ++i) line += "50% ";
  WriteFile(Program("IndexTemplate.html"),
            "<HTML>\r\n" + line + "\r\n%Thumbnails%\r\n</HTML>\r\n");
  MakePicture(Gallery("a.jpg"), 40, 30);
  const auto before = SnapshotTree(Gallery(""));
  const std::string template_before = ReadFile(Program("IndexTemplate.html"));

  CliResult result = Cli();
  EXPECT_EQ(result.status, 3) << result.err;
  EXPECT_THAT(result.err, HasSubstr("Orvanta: Bad code in line \n" + line));
  EXPECT_THAT(result.err,
              HasSubstr(" of header file " + Program("IndexTemplate.html")));
  EXPECT_THAT(result.out, HasSubstr("Orvanta creation aborted."));
  EXPECT_EQ(ReadFile(Program("IndexTemplate.html")), template_before);
  // No picture page is written once the run is abandoned.
  EXPECT_FALSE(PathExists(Gallery("a.html")));
  ExpectInputsUntouched(before, SnapshotTree(Gallery("")));
}

}  // namespace
}  // namespace orvanta::testing
