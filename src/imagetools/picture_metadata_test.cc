// The picture metadata reader on pictures whose metadata exiftool wrote
// where cameras and photo managers write it: one row per case, all rows
// made at once (one exiftool process) and read one by one.
#include "imagetools/picture_metadata.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

#include "imagetools/picture_file.h"
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
  std::string extension;              // of the picture made: jpg, png...
  std::vector<std::string> exiftool;  // what exiftool writes into it
  std::optional<DateTaken> taken = std::nullopt;
  std::string title = "";
  std::string caption = "";
  std::string camera = "";
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

DateTaken Date(int y, int mo, int d, int h, int mi, int s,
               std::optional<int> offset = std::nullopt) {
  return DateTaken{y, mo, d, h, mi, s, offset};
}

// The same date, title, caption and camera in each format.
std::vector<std::string> AllTags() {
  return {"-DateTimeOriginal=2019:07:14 18:30:00",
          "-OffsetTimeOriginal=+02:00",
          "-XMP-dc:Title=Title é",
          "-XMP-dc:Description=Caption 東京",
          "-Make=Canon",
          "-Model=Canon EOS 5D"};
}
const auto kAllTaken = Date(2019, 7, 14, 18, 30, 0, 120);

const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = {
      // The date taken, and its offset from UTC when known.
      {"ExifDate",
       "jpg",
       {"-DateTimeOriginal=2019:07:14 18:30:00"},
       Date(2019, 7, 14, 18, 30, 0)},
      {"ExifDateAndOffset",
       "jpg",
       {"-DateTimeOriginal=2019:07:14 18:30:00", "-OffsetTimeOriginal=-05:30"},
       Date(2019, 7, 14, 18, 30, 0, -330)},
      {"XmpDateWithZone",
       "jpg",
       {"-XMP-exif:DateTimeOriginal=2021:02:28 23:59:59+09:00"},
       Date(2021, 2, 28, 23, 59, 59, 540)},
      {"XmpCreationDate",
       "jpg",
       {"-XMP-photoshop:DateCreated=2017:05:06 07:08:09"},
       Date(2017, 5, 6, 7, 8, 9)},
      {"ExifDateTakesTheZoneOfXmpAtTheSameMinute",
       "jpg",
       {"-DateTimeOriginal=2019:07:14 18:30:00",
        "-XMP-photoshop:DateCreated=2019:07:14 18:30:00+01:00"},
       Date(2019, 7, 14, 18, 30, 0, 60)},
      {"XmpZoneOfAnotherTimeIsNotTaken",
       "jpg",
       {"-DateTimeOriginal=2019:07:14 18:30:00",
        "-XMP-photoshop:DateCreated=2019:07:14 18:45:00+01:00"},
       Date(2019, 7, 14, 18, 30, 0)},
      {"IptcDateAndTime",
       "jpg",
       {"-IPTC:DateCreated=2018:12:31", "-IPTC:TimeCreated=23:15:00+01:00"},
       Date(2018, 12, 31, 23, 15, 0, 60)},
      {"ZeroDateIsNone",
       "jpg",
       {"-DateTimeOriginal#=0000:00:00 00:00:00", "-Make=SONY",
        "-Model=DSC-W350"},
       std::nullopt,
       "",
       "",
       "SONY DSC-W350"},
      {"BlankDateIsNone", "jpg", {"-DateTimeOriginal#=    :  :     :  :  "}},
      {"February30IsNone", "jpg", {"-DateTimeOriginal#=2019:02:30 12:00:00"}},
      {"ModifyDateIsNotTheDateTaken",
       "jpg",
       {"-ModifyDate=2020:01:01 10:00:00"}},
      // Titles: XMP first, then IPTC.
      {"XmpTitle",
       "jpg",
       {"-XMP-dc:Title=Sunset over the bay"},
       {},
       "Sunset over the bay"},
      {"IptcTitle", "jpg", {"-IPTC:ObjectName=Harbour"}, {}, "Harbour"},
      {"XmpTitleBeforeIptc",
       "jpg",
       {"-XMP-dc:Title=From XMP", "-IPTC:ObjectName=From IPTC"},
       {},
       "From XMP"},
      {"FileNameTitleGivesWayToIptc",
       "jpg",
       {"-XMP-dc:Title=IMG_1234", "-IPTC:ObjectName=Harbour"},
       {},
       "Harbour"},
      {"TitleInOneLanguageOnly",
       "jpg",
       {"-XMP-dc:Title-de=Hafen"},
       {},
       "Hafen"},
      {"DefaultLanguageTitleFirst",
       "jpg",
       {"-XMP-dc:Title-de=Hafen", "-XMP-dc:Title=Harbour"},
       {},
       "Harbour"},
      // Captions: XMP, IPTC, EXIF description, EXIF user comment.
      {"ExifDescription",
       "jpg",
       {"-ImageDescription=Grandmother's garden"},
       {},
       "",
       "Grandmother's garden"},
      {"IptcCaption",
       "jpg",
       {"-IPTC:Caption-Abstract=Boats at dawn"},
       {},
       "",
       "Boats at dawn"},
      {"XmpDescription",
       "jpg",
       {"-XMP-dc:Description=Night market"},
       {},
       "",
       "Night market"},
      {"AsciiUserComment",
       "jpg",
       {"-UserComment=Written on the back"},
       {},
       "",
       "Written on the back"},
      {"UnicodeUserComment",
       "jpg",
       {"-UserComment=Café 東京"},
       {},
       "",
       "Café 東京"},
      {"XmpCaptionFirst",
       "jpg",
       {"-XMP-dc:Description=xmp", "-IPTC:Caption-Abstract=iptc",
        "-ImageDescription=exif", "-UserComment=comment"},
       {},
       "",
       "xmp"},
      {"IptcCaptionBeforeExif",
       "jpg",
       {"-IPTC:Caption-Abstract=iptc", "-ImageDescription=exif",
        "-UserComment=comment"},
       {},
       "",
       "iptc"},
      {"ExifDescriptionBeforeUserComment",
       "jpg",
       {"-ImageDescription=exif", "-UserComment=comment"},
       {},
       "",
       "exif"},
      {"CameraDescriptionGivesWayToUserComment",
       "jpg",
       {"-ImageDescription=OLYMPUS DIGITAL CAMERA",
        "-UserComment=Our first day"},
       {},
       "",
       "Our first day"},
      {"CameraTextsAreNoCaptions",
       "jpg",
       {"-ImageDescription=SONY DSC        ",
        "-IPTC:Caption-Abstract=Exif_JPEG_PICTURE",
        "-XMP-dc:Description=default",
        "-UserComment=          ", "-IPTC:ObjectName=DSCN0042.JPG"}},
      {"MinoltaDescriptionIsNoCaption",
       "jpg",
       {"-Make=KONICA MINOLTA", "-Model=DiMAGE Z5",
        "-ImageDescription=KONICA MINOLTA DIGITAL CAMERA"},
       {},
       "",
       "",
       "KONICA MINOLTA DiMAGE Z5"},
      {"CaptionLikeTheTitleShownOnce",
       "jpg",
       {"-XMP-dc:Title=Harbour", "-ImageDescription=Harbour"},
       {},
       "Harbour"},
      {"CaptionKeepsItsLines",
       "jpg",
       {"-XMP-dc:Description=  First line\r\nSecond line\n"},
       {},
       "",
       "First line\nSecond line"},
      {"ControlCharactersLeftOut",
       "jpg",
       {"-ImageDescription=Bell\a and\x1b escape"},
       {},
       "",
       "Bell and escape"},
      {"Latin1ExifDescription",
       "jpg",
       {"-charset", "exif=latin", "-ImageDescription=Café au lait"},
       {},
       "",
       "Café au lait"},
      {"Latin1IptcCaption",
       "jpg",
       {"-charset", "iptc=latin", "-IPTC:Caption-Abstract=Ça va"},
       {},
       "",
       "Ça va"},
      {"Utf8Iptc",
       "jpg",
       {"-charset", "iptc=utf8", "-IPTC:CodedCharacterSet=UTF8",
        "-IPTC:ObjectName=Café", "-IPTC:Caption-Abstract=東京の夜"},
       {},
       "Café",
       "東京の夜"},
      {"Utf8ExifDescription",
       "jpg",
       {"-ImageDescription=Ærø 東京"},
       {},
       "",
       "Ærø 東京"},
      // The camera: the model after the maker's short name, once.
      {"MakeInTheModel",
       "jpg",
       {"-Make=Canon", "-Model=Canon EOS 5D"},
       {},
       "",
       "",
       "Canon EOS 5D"},
      {"CompanyNameInTheModel",
       "jpg",
       {"-Make=NIKON CORPORATION", "-Model=NIKON D750"},
       {},
       "",
       "",
       "NIKON D750"},
      {"CompanyNameShortened",
       "jpg",
       {"-Make=OLYMPUS IMAGING CORP.", "-Model=E-M5"},
       {},
       "",
       "",
       "OLYMPUS E-M5"},
      {"MakeBeforeTheModel",
       "jpg",
       {"-Make=Apple", "-Model=iPhone 12"},
       {},
       "",
       "",
       "Apple iPhone 12"},
      {"MakeWithoutModel", "jpg", {"-Make=Canon"}},
      // The other formats.
      {"Png", "png", AllTags(), kAllTaken, "Title é", "Caption 東京",
       "Canon EOS 5D"},
      {"PngIptc", "png", {"-IPTC:ObjectName=Harbour"}, {}, "Harbour"},
      {"Tiff", "tif", AllTags(), kAllTaken, "Title é", "Caption 東京",
       "Canon EOS 5D"},
      {"Webp", "webp", AllTags(), kAllTaken, "Title é", "Caption 東京",
       "Canon EOS 5D"},
      {"Heic", "heic", AllTags(), kAllTaken, "Title é", "Caption 東京",
       "Canon EOS 5D"},
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
  const std::string bytes = ReadPictureFile(Path(row));
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
