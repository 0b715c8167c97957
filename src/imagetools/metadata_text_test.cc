// The metadata reader's text side on the bytes pictures really hold:
// dates in every form cameras and programs write, texts in broken or
// foreign encodings, the texts cameras write by themselves next to texts
// people write, and makers' company names.
#include "imagetools/metadata_text.h"

#include <gtest/gtest.h>

namespace orvanta::testing {
namespace {

DateTaken Date(int y, int mo, int d, int h, int mi, int s,
               std::optional<int> offset = std::nullopt) {
  return DateTaken{y, mo, d, h, mi, s, offset};
}

DateTaken Day(int y, int mo, int d) {
  return DateTaken{y, mo, d, 0, 0, 0, std::nullopt, DatePrecision::kDay};
}

TEST(ParseDateTimeTest, ReadsExifAndXmpForms) {
  const struct {
    const char* text;
    DateTaken date;
  } cases[] = {
      {"2019:07:14 18:30:00", Date(2019, 7, 14, 18, 30, 0)},
      {"2019-07-14T18:30:00", Date(2019, 7, 14, 18, 30, 0)},
      {"2019-07-14T18:30:05.123+02:00", Date(2019, 7, 14, 18, 30, 5, 120)},
      {"2019-07-14T18:30:05Z", Date(2019, 7, 14, 18, 30, 5, 0)},
      {"2019-07-14T18:30:05-0330", Date(2019, 7, 14, 18, 30, 5, -210)},
      {"2019/7/4 8:05:09", Date(2019, 7, 4, 8, 5, 9)},
      {"2020:02:29 00:00:00", Date(2020, 2, 29, 0, 0, 0)},
      {"  2019:12:31 23:59:59  ", Date(2019, 12, 31, 23, 59, 59)},
      {"2019-07-14T18:30:05+02:00 ", Date(2019, 7, 14, 18, 30, 5, 120)},
      // Without a time: the day, or the month (as its first day).
      {"2019:07:14", Day(2019, 7, 14)},
      {"2019-07-14", Day(2019, 7, 14)},
      {"2019:07:14   :  :  ", Day(2019, 7, 14)},
      {"2024-07",
       DateTaken{2024, 7, 1, 0, 0, 0, std::nullopt, DatePrecision::kMonth}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseDateTime(c.text), c.date) << c.text;
  }
}

TEST(ParseDateTimeTest, RefusesWhatIsNoMomentInTime) {
  for (const char* text :
       {"", "0000:00:00 00:00:00", "    :  :     :  :  ", "2019:02:29 12:00:00",
        "1900:02:29 12:00:00", "2019:13:01 12:00:00", "2019:04:31 12:00:00",
        "2019:07:14 24:00:00", "2019:07:14 18:60:00", "2019:07:14 18:30:60",
        "2019-07-14T", "2019-07-32", "2019-00", "2019", "19:07:14 18:30:00",
        "2019:07:14 18:30:00 PM", "2019:07:14 18:30:00+15:00",
        "Sunday 14 July 2019"}) {
    EXPECT_EQ(ParseDateTime(text), std::nullopt) << text;
  }
}

TEST(CleanMetadataTextTest, TrimsBlanksDropsHiddenCharactersAndCuts) {
  const std::pair<const char*, const char*> cases[] = {
      // U+200B, NBSP, U+1680, U+2000, U+3000 | U+2028, U+202F, U+205F.
      {"\u200B\u00A0\u1680\u2000\u3000\tA\r\nB\rC\uFEFF\u2028\u202F\u205F\n",
       "A\nB\nC"},
      {"\u200Ax\u200C\u2029", "x\u200C"},
      {"\u1FFFx\u2030 \u2029", "\u1FFFx\u2030"},
      {"caf\xE9 \x80\x9D", "caf\u00E9 \u20AC"},
  };
  for (const auto& [raw, clean] : cases) {
    EXPECT_EQ(CleanMetadataText(raw), clean) << raw;
  }

  const std::string long_text = std::string(3996, 'a') + "東京東京";
  const std::string clean = CleanMetadataText(long_text);
  EXPECT_LE(clean.size(), kMaxMetadataText);
  EXPECT_EQ(clean, std::string(3996, 'a') + "\u2026");
}

TEST(CameraNameTest, NamesTheMakerOnce) {
  const struct {
    const char* make;
    const char* model;
    const char* name;
  } cases[] = {
      {"Canon", "Canon EOS 5D", "Canon EOS 5D"},
      {"NIKON CORPORATION", "NIKON D750", "NIKON D750"},
      {"OLYMPUS IMAGING CORP.", "E-M5", "OLYMPUS E-M5"},
      {"KONICA MINOLTA", "DiMAGE Z5", "KONICA MINOLTA DiMAGE Z5"},
      {"Apple", "iPhone 12", "Apple iPhone 12"},
      {"", "DMC-FZ1000", "DMC-FZ1000"},
      {"Canon", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CameraName(c.make, c.model), c.name) << c.make << " " << c.model;
  }
}

TEST(CameraNameTest, TellsTextsCamerasWriteFromPeoplesWords) {
  for (const char* text :
       {"DSCN9999", "P1010001.JPG", "PXL_20210714_1830.jpeg",
        "OLYMPUS DIGITAL CAMERA", "KODAK Digital Still Camera", "SONY DSC",
        "EXIF_JPEG_PICTURE", " 2019-07-14 "}) {
    EXPECT_TRUE(IsCameraText(text)) << text;
  }
  for (const char* text : {"IMG_999", "ABCDEF_1234", "IMG_1234.gif", "Sony DSC",
                           "Z 1999", "Our DIGITAL CAMERA"}) {
    EXPECT_FALSE(IsCameraText(text)) << text;
  }
}

}  // namespace
}  // namespace orvanta::testing
