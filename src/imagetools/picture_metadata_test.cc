// The picture metadata reader on pictures whose metadata exiftool wrote
// where cameras and photo managers write it: one row per case, all rows
// made at once (one exiftool process) and read one by one.
#include "imagetools/picture_metadata.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "testing/exiftool.h"
#include "testing/temp_dir.h"
#include "testing/test_pictures.h"

namespace orvanta::testing {
namespace {

struct Row {
  const char* name;
  std::vector<std::string> exiftool;  // what exiftool writes
  // What is read, as Describe gives it.
  std::string read;
  std::string extension = "jpg";  // of the picture it writes into
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

// "taken 2019-07-14 18:30:00+120|title T|caption C|camera M|position",
// the parts read only; a date without its time "taken 2019-07-14" or
// "taken 2019-07".
std::string Describe(const PictureMetadata& metadata) {
  std::string text;
  if (const auto& t = metadata.taken) {
    char date[64];
    std::snprintf(date, sizeof date, "|taken %04d-%02d-%02d %02d:%02d:%02d",
                  t->year, t->month, t->day, t->hour, t->minute, t->second);
    const size_t shown[] = {sizeof "|taken 2019-07-14 18:30:00",
                            sizeof "|taken 2019-07-14",
                            sizeof "|taken 2019-07"};
    text.append(date, shown[static_cast<int>(t->precision)] - 1);
    if (t->offset_minutes) {
      text += (*t->offset_minutes >= 0 ? "+" : "") +
              std::to_string(*t->offset_minutes);
    }
  }
  for (const auto& [label, value] :
       {std::pair<const char*, std::string>{"|title ", metadata.title},
        {"|caption ", metadata.caption},
        {"|camera ", metadata.camera}}) {
    if (!value.empty()) text += label + value;
  }
  if (metadata.has_position) text += "|position";
  return text.empty() ? "" : text.substr(1);
}

// The same date, title, caption and camera in each format.
Row AllTags(const char* name, const char* extension) {
  return {
      name,
      {"-DateTimeOriginal=2019:07:14 18:30:00", "-OffsetTimeOriginal=+02:00",
       "-XMP-dc:Title=Title é", "-XMP-dc:Description=Caption 東京",
       "-Make=Canon", "-Model=Canon EOS 5D"},
      "taken 2019-07-14 18:30:00+120|title Title é|caption Caption "
      "東京|camera Canon EOS 5D",
      extension};
}

// A title in an XMP packet over 256 KB, which is not read (exiv2 takes
// seconds on a large one), and the camera in EXIF, which still is. One
// command-line argument holds 128 KB at most.
Row LargeXmp(const char* name, const char* extension) {
  const std::string filler(90 * 1024, 'x');
  return {name,
          {"-XMP-dc:Title=Harbour", "-EXIF:Make=Canon",
           "-EXIF:Model=Canon EOS 5D", "-XMP-dc:Source=" + filler,
           "-XMP-dc:Rights=" + filler, "-XMP-dc:Coverage=" + filler},
          "camera Canon EOS 5D",
          extension};
}

constexpr char kTaken[] = "-DateTimeOriginal=2019:07:14 18:30:00";

// The date taken as the rows' tags give it.
std::vector<Row> DateRows() {
  // clang-format off
  return {
      // The date taken, and its offset from UTC when known.
      {"ExifDateAndOffset", {kTaken, "-OffsetTimeOriginal=-05:30"},
       "taken 2019-07-14 18:30:00-330"},
      {"XmpDateWithZone",
       {"-XMP-exif:DateTimeOriginal=2021:02:28 23:59:59+09:00"},
       "taken 2021-02-28 23:59:59+540"},
      {"ExifDateTakesTheZoneOfXmpAtTheSameMinute",
       {kTaken, "-XMP-photoshop:DateCreated=2019:07:14 18:30:00+01:00"},
       "taken 2019-07-14 18:30:00+60"},
      {"XmpZoneOfAnotherTimeIsNotTaken",
       {kTaken, "-XMP-photoshop:DateCreated=2019:07:14 18:45:00+01:00"},
       "taken 2019-07-14 18:30:00"},
      {"IptcDateAndTime",
       {"-IPTC:DateCreated=2018:12:31", "-IPTC:TimeCreated=23:15:00+01:00"},
       "taken 2018-12-31 23:15:00+60"},
      {"ModifyDateIsNotTheDateTaken", {"-ModifyDate=2020:01:01 10:00:00"}, ""},
      // Dates without a time, and the dates scanners write, used alone.
      {"IptcDateAlone", {"-IPTC:DateCreated=2018:12:31"}, "taken 2018-12-31"},
      {"XmpDay", {"-XMP-photoshop:DateCreated=2024:07:15"}, "taken 2024-07-15"},
      {"XmpMonth", {"-XMP-photoshop:DateCreated=2024:07"}, "taken 2024-07"},
      {"ExifDateWithItsTimeBlanked",
       {"-DateTimeOriginal#=2016:01:02   :  :  ", "-OffsetTimeOriginal=+01:00"},
       "taken 2016-01-02"},
      {"ExifCreateDateAlone",
       {"-EXIF:CreateDate=2017:05:06 07:08:09", "-OffsetTimeDigitized=-03:00"},
       "taken 2017-05-06 07:08:09-180"},
      {"XmpDateTimeDigitizedAlone",
       {"-XMP-exif:DateTimeDigitized=2017:05:06 07:08:09+01:00"},
       "taken 2017-05-06 07:08:09+60"},
      {"DateOfThePrintBeforeTheScan",
       {"-XMP-photoshop:DateCreated=1985:07",
        "-EXIF:CreateDate=2024:01:01 10:00:00"},
       "taken 1985-07"},
  };
  // clang-format on
}

const std::vector<Row>& Rows() {
  // clang-format off
  static const std::vector<Row> rows = [] {
    std::vector<Row> rows = DateRows();
    rows.insert(rows.end(), {
      // A position in EXIF or in XMP alone; a direction is none.
      {"ExifPosition", {"-GPSLongitude=10.7"}, "position"},
      {"XmpPosition", {"-XMP-exif:GPSLatitude=59,54.0N"}, "position"},
      {"DirectionIsNoPosition", {"-GPSImgDirection=90"}, ""},
      // Titles: XMP first (in the default language), then IPTC.
      {"XmpTitleBeforeIptc",
       {"-XMP-dc:Title=From XMP", "-IPTC:ObjectName=From IPTC"},
       "title From XMP"},
      {"FileNameTitleGivesWayToIptc",
       {"-XMP-dc:Title=IMG_1234", "-IPTC:ObjectName=Harbour"}, "title Harbour"},
      {"DefaultLanguageTitleFirst",
       {"-XMP-dc:Title-de=Hafen", "-XMP-dc:Title=Harbour"}, "title Harbour"},
      // Captions: XMP, IPTC, EXIF description, EXIF user comment.
      {"UnicodeUserComment", {"-UserComment=Café 東京"}, "caption Café 東京"},
      {"XmpCaptionFirst",
       {"-XMP-dc:Description=xmp", "-IPTC:Caption-Abstract=iptc",
        "-ImageDescription=exif", "-UserComment=comment"}, "caption xmp"},
      {"IptcCaptionBeforeExif",
       {"-IPTC:Caption-Abstract=iptc", "-ImageDescription=exif",
        "-UserComment=comment"}, "caption iptc"},
      {"ExifDescriptionBeforeUserComment",
       {"-ImageDescription=exif", "-UserComment=comment"}, "caption exif"},
      {"CameraDescriptionGivesWayToUserComment",
       {"-ImageDescription=OLYMPUS DIGITAL CAMERA",
        "-UserComment=Our first day"}, "caption Our first day"},
      {"CameraTextsAreNoCaptions",
       {"-ImageDescription=SONY DSC        ",
        "-IPTC:Caption-Abstract=Exif_JPEG_PICTURE",
        "-XMP-dc:Description=default", "-UserComment=          ",
        "-IPTC:ObjectName=DSCN0042.JPG"}, ""},
      {"CaptionLikeTheTitleShownOnce",
       {"-XMP-dc:Title=Harbour", "-ImageDescription=Harbour"}, "title Harbour"},
      // Texts in the character sets programs write.
      {"Latin1ExifDescription",
       {"-charset", "exif=latin", "-ImageDescription=Café au lait"},
       "caption Café au lait"},
      {"Utf8Iptc",
       {"-charset", "iptc=utf8", "-IPTC:CodedCharacterSet=UTF8",
        "-IPTC:ObjectName=Café", "-IPTC:Caption-Abstract=東京の夜"},
       "title Café|caption 東京の夜"},
      // The other formats.
      AllTags("Png", "png"),
      {"PngIptc", {"-IPTC:ObjectName=Harbour"}, "title Harbour", "png"},
      AllTags("Tiff", "tif"),
      AllTags("Webp", "webp"),
      AllTags("Heic", "heic"),
      {"HeicExifAlone",
       {kTaken, "-Make=Apple", "-Model=iPhone 12", "-ImageDescription=Ferry"},
       "taken 2019-07-14 18:30:00|caption Ferry|camera Apple iPhone 12",
       "heic"},
      LargeXmp("LargeXmpPng", "png"),
      LargeXmp("LargeXmpTiff", "tif"),
      LargeXmp("LargeXmpWebp", "webp"),
    });
    return rows;
  }();
  // clang-format on
  return rows;
}

class PictureMetadataTableTest : public ::testing::TestWithParam<Row> {
 protected:
  // Makes every row's picture and writes its tags in one exiftool run.
  static void SetUpTestSuite() {
    dir_ = std::make_unique<TempDir>();
    std::vector<ExiftoolCommand> commands;
    for (const Row& row : Rows()) {
      // HEIC: the tags go into a JPEG that heif-enc turns into HEIC, which
      // keeps the metadata of a picture this small in its header's own
      // data box (where exiv2 0.27 reads none).
      const bool heic = row.extension == "heic";
      const std::string path = Path(row) + (heic ? ".jpg" : "");
      MakePicture(path, 64, 48);
      commands.push_back({path, row.exiftool});
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
  const std::string bytes = ReadFile(Path(GetParam()));
  EXPECT_EQ(Describe(ReadPictureMetadata(bytes.data(), bytes.size())),
            GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(Rows, PictureMetadataTableTest,
                         ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<Row>& info) {
                           return info.param.name;
                         });

// Found by the fuzz target: files that stop right after naming a format.
TEST(PictureMetadataTest, FilesCutAfterTheirSignatureGiveNothing) {
  using std::string_view_literals::operator""sv;
  for (const std::string_view start :
       {"RIFF\xF2\x66\0"sv, "II*\0\x08"sv, "\x89PNG\r\n\x1A\n\0"sv}) {
    EXPECT_EQ(Describe(ReadPictureMetadata(start.data(), start.size())), "");
  }
}

}  // namespace
}  // namespace orvanta::testing
