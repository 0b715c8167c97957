// The picture metadata reader on pictures whose metadata exiftool wrote
// where cameras and photo managers write it: one row per case, all rows
// made at once (one exiftool process) and read one by one.
#include "imagetools/picture_metadata.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

#include "testing/exiftool.h"
#include "testing/temp_dir.h"
#include "testing/test_pictures.h"

namespace orvanta {

std::ostream& operator<<(std::ostream& out, const DateTaken& date) {
  out << date.year << "-" << date.month << "-" << date.day << " " << date.hour
      << ":" << date.minute << ":" << date.second;
  if (date.offset_minutes) out << " offset " << *date.offset_minutes;
  return out;
}

namespace testing {
namespace {

struct Row {
  const char* name;
  std::vector<std::string> exiftool;  // what exiftool writes
  std::optional<DateTaken> taken = std::nullopt;
  std::string title = "";
  std::string caption = "";
  std::string camera = "";
  std::string extension = "jpg";  // of the picture it writes into
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

DateTaken Date(int y, int mo, int d, int h, int mi, int s,
               std::optional<int> offset = std::nullopt) {
  return DateTaken{y, mo, d, h, mi, s, offset};
}

// The same date, title, caption and camera in each format.
Row AllTags(const char* name, const char* extension) {
  return {.name = name,
          .exiftool = {"-DateTimeOriginal=2019:07:14 18:30:00",
                       "-OffsetTimeOriginal=+02:00", "-XMP-dc:Title=Title é",
                       "-XMP-dc:Description=Caption 東京", "-Make=Canon",
                       "-Model=Canon EOS 5D"},
          .taken = Date(2019, 7, 14, 18, 30, 0, 120),
          .title = "Title é",
          .caption = "Caption 東京",
          .camera = "Canon EOS 5D",
          .extension = extension};
}

const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = {
      // The date taken, and its offset from UTC when known.
      {.name = "ExifDate",
       .exiftool = {"-DateTimeOriginal=2019:07:14 18:30:00"},
       .taken = Date(2019, 7, 14, 18, 30, 0)},
      {.name = "ExifDateAndOffset",
       .exiftool = {"-DateTimeOriginal=2019:07:14 18:30:00",
                    "-OffsetTimeOriginal=-05:30"},
       .taken = Date(2019, 7, 14, 18, 30, 0, -330)},
      {.name = "XmpDateWithZone",
       .exiftool = {"-XMP-exif:DateTimeOriginal=2021:02:28 23:59:59+09:00"},
       .taken = Date(2021, 2, 28, 23, 59, 59, 540)},
      {.name = "XmpCreationDate",
       .exiftool = {"-XMP-photoshop:DateCreated=2017:05:06 07:08:09"},
       .taken = Date(2017, 5, 6, 7, 8, 9)},
      {.name = "ExifDateTakesTheZoneOfXmpAtTheSameMinute",
       .exiftool = {"-DateTimeOriginal=2019:07:14 18:30:00",
                    "-XMP-photoshop:DateCreated=2019:07:14 18:30:00+01:00"},
       .taken = Date(2019, 7, 14, 18, 30, 0, 60)},
      {.name = "XmpZoneOfAnotherTimeIsNotTaken",
       .exiftool = {"-DateTimeOriginal=2019:07:14 18:30:00",
                    "-XMP-photoshop:DateCreated=2019:07:14 18:45:00+01:00"},
       .taken = Date(2019, 7, 14, 18, 30, 0)},
      {.name = "IptcDateAndTime",
       .exiftool = {"-IPTC:DateCreated=2018:12:31",
                    "-IPTC:TimeCreated=23:15:00+01:00"},
       .taken = Date(2018, 12, 31, 23, 15, 0, 60)},
      {.name = "ZeroDateIsNone",
       .exiftool = {"-DateTimeOriginal#=0000:00:00 00:00:00", "-Make=SONY",
                    "-Model=DSC-W350"},
       .camera = "SONY DSC-W350"},
      {.name = "BlankDateIsNone",
       .exiftool = {"-DateTimeOriginal#=    :  :     :  :  "}},
      {.name = "ModifyDateIsNotTheDateTaken",
       .exiftool = {"-ModifyDate=2020:01:01 10:00:00"}},
      // Titles: XMP first, then IPTC.
      {.name = "XmpTitle",
       .exiftool = {"-XMP-dc:Title=Sunset over the bay"},
       .title = "Sunset over the bay"},
      {.name = "IptcTitle",
       .exiftool = {"-IPTC:ObjectName=Harbour"},
       .title = "Harbour"},
      {.name = "XmpTitleBeforeIptc",
       .exiftool = {"-XMP-dc:Title=From XMP", "-IPTC:ObjectName=From IPTC"},
       .title = "From XMP"},
      {.name = "FileNameTitleGivesWayToIptc",
       .exiftool = {"-XMP-dc:Title=IMG_1234", "-IPTC:ObjectName=Harbour"},
       .title = "Harbour"},
      {.name = "TitleInOneLanguageOnly",
       .exiftool = {"-XMP-dc:Title-de=Hafen"},
       .title = "Hafen"},
      {.name = "DefaultLanguageTitleFirst",
       .exiftool = {"-XMP-dc:Title-de=Hafen", "-XMP-dc:Title=Harbour"},
       .title = "Harbour"},
      // Captions: XMP, IPTC, EXIF description, EXIF user comment.
      {.name = "ExifDescription",
       .exiftool = {"-ImageDescription=Grandmother's garden"},
       .caption = "Grandmother's garden"},
      {.name = "IptcCaption",
       .exiftool = {"-IPTC:Caption-Abstract=Boats at dawn"},
       .caption = "Boats at dawn"},
      {.name = "XmpDescription",
       .exiftool = {"-XMP-dc:Description=Night market"},
       .caption = "Night market"},
      {.name = "AsciiUserComment",
       .exiftool = {"-UserComment=Written on the back"},
       .caption = "Written on the back"},
      {.name = "UnicodeUserComment",
       .exiftool = {"-UserComment=Café 東京"},
       .caption = "Café 東京"},
      {.name = "XmpCaptionFirst",
       .exiftool = {"-XMP-dc:Description=xmp", "-IPTC:Caption-Abstract=iptc",
                    "-ImageDescription=exif", "-UserComment=comment"},
       .caption = "xmp"},
      {.name = "IptcCaptionBeforeExif",
       .exiftool = {"-IPTC:Caption-Abstract=iptc", "-ImageDescription=exif",
                    "-UserComment=comment"},
       .caption = "iptc"},
      {.name = "ExifDescriptionBeforeUserComment",
       .exiftool = {"-ImageDescription=exif", "-UserComment=comment"},
       .caption = "exif"},
      {.name = "CameraDescriptionGivesWayToUserComment",
       .exiftool = {"-ImageDescription=OLYMPUS DIGITAL CAMERA",
                    "-UserComment=Our first day"},
       .caption = "Our first day"},
      {.name = "CameraTextsAreNoCaptions",
       .exiftool = {"-ImageDescription=SONY DSC        ",
                    "-IPTC:Caption-Abstract=Exif_JPEG_PICTURE",
                    "-XMP-dc:Description=default", "-UserComment=          ",
                    "-IPTC:ObjectName=DSCN0042.JPG"}},
      {.name = "MinoltaDescriptionIsNoCaption",
       .exiftool = {"-Make=KONICA MINOLTA", "-Model=DiMAGE Z5",
                    "-ImageDescription=KONICA MINOLTA DIGITAL CAMERA"},
       .camera = "KONICA MINOLTA DiMAGE Z5"},
      {.name = "CaptionLikeTheTitleShownOnce",
       .exiftool = {"-XMP-dc:Title=Harbour", "-ImageDescription=Harbour"},
       .title = "Harbour"},
      {.name = "CaptionKeepsItsLines",
       .exiftool = {"-XMP-dc:Description=  First line\r\nSecond line\n"},
       .caption = "First line\nSecond line"},
      {.name = "ControlCharactersLeftOut",
       .exiftool = {"-ImageDescription=Bell\a and\x1b escape"},
       .caption = "Bell and escape"},
      {.name = "Latin1ExifDescription",
       .exiftool = {"-charset", "exif=latin", "-ImageDescription=Café au lait"},
       .caption = "Café au lait"},
      {.name = "Latin1IptcCaption",
       .exiftool = {"-charset", "iptc=latin", "-IPTC:Caption-Abstract=Ça va"},
       .caption = "Ça va"},
      {.name = "Utf8Iptc",
       .exiftool = {"-charset", "iptc=utf8", "-IPTC:CodedCharacterSet=UTF8",
                    "-IPTC:ObjectName=Café", "-IPTC:Caption-Abstract=東京の夜"},
       .title = "Café",
       .caption = "東京の夜"},
      {.name = "Utf8ExifDescription",
       .exiftool = {"-ImageDescription=Ærø 東京"},
       .caption = "Ærø 東京"},
      // The camera: the model after the maker's short name, once.
      {.name = "MakeInTheModel",
       .exiftool = {"-Make=Canon", "-Model=Canon EOS 5D"},
       .camera = "Canon EOS 5D"},
      {.name = "MakeBeforeTheModel",
       .exiftool = {"-Make=Apple", "-Model=iPhone 12"},
       .camera = "Apple iPhone 12"},
      // The other formats.
      AllTags("Png", "png"),
      {.name = "PngIptc",
       .exiftool = {"-IPTC:ObjectName=Harbour"},
       .title = "Harbour",
       .extension = "png"},
      AllTags("Tiff", "tif"),
      AllTags("Webp", "webp"),
      AllTags("Heic", "heic"),
  };
  return rows;
}

class PictureMetadataTableTest : public ::testing::TestWithParam<Row> {
 protected:
  // Makes every row's picture and writes its tags in one exiftool run.
  static void SetUpTestSuite() {
    dir_ = std::make_unique<TempDir>();
    std::vector<ExiftoolCommand> commands;
    for (const Row& row : Rows()) {
      const std::string path = Path(row);
      // HEIC: the tags go into a JPEG that heif-enc turns into HEIC, large
      // enough for heif-enc to keep its metadata apart from its header
      // (exiv2 0.27 reads no metadata kept in the header's own data box).
      if (row.extension == "heic") {
        MakePicture(path + ".jpg", 128, 96);
        commands.push_back({path + ".jpg", row.exiftool});
      } else {
        MakePicture(path, 64, 48);
        commands.push_back({path, row.exiftool});
      }
    }
    RunExiftool(commands);
    for (const Row& row : Rows()) {
      if (row.extension == "heic") {
        RunTool("heif-enc", {"-q", "50", Path(row) + ".jpg", "-o", Path(row)});
      }
    }
  }
  static void TearDownTestSuite() { dir_.reset(); }

  static std::string Path(const Row& row) {
    return dir_->Path(std::string(row.name) + "." + row.extension);
  }

  static std::unique_ptr<TempDir> dir_;
};

std::unique_ptr<TempDir> PictureMetadataTableTest::dir_;

TEST_P(PictureMetadataTableTest, ReadsWhatTheRowWrote) {
  const Row& row = GetParam();
  const std::string bytes = ReadFile(Path(row));
  const PictureMetadata metadata =
      ReadPictureMetadata(bytes.data(), bytes.size());
  EXPECT_EQ(metadata.taken, row.taken);
  EXPECT_EQ(metadata.title, row.title);
  EXPECT_EQ(metadata.caption, row.caption);
  EXPECT_EQ(metadata.camera, row.camera);
}

INSTANTIATE_TEST_SUITE_P(Rows, PictureMetadataTableTest,
                         ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<Row>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace testing
}  // namespace orvanta
