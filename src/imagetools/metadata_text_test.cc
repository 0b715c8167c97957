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

TEST(ParseDateTimeTest, ReadsExifAndXmpForms) {
  const struct {
    const char* text;
    DateTaken date;
  } cases[] = {
      {"2019:07:14 18:30:00", Date(2019, 7, 14, 18, 30, 0)},
      {"2019-07-14T18:30:00", Date(2019, 7, 14, 18, 30, 0)},
      {"2019-07-14T18:30", Date(2019, 7, 14, 18, 30, 0)},
      {"2019-07-14T18:30:05.123+02:00", Date(2019, 7, 14, 18, 30, 5, 120)},
      {"2019-07-14T18:30:05Z", Date(2019, 7, 14, 18, 30, 5, 0)},
      {"2019-07-14T18:30:05-0330", Date(2019, 7, 14, 18, 30, 5, -210)},
      {"2019/7/4 8:05:09", Date(2019, 7, 4, 8, 5, 9)},
      {"2020:02:29 00:00:00", Date(2020, 2, 29, 0, 0, 0)},
      {"2000:02:29 23:59:59", Date(2000, 2, 29, 23, 59, 59)},
      {"  2019:12:31 23:59:59  ", Date(2019, 12, 31, 23, 59, 59)},
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
        "2019:07:14", "2019-07-14T", "19:07:14 18:30:00",
        "2019:07:14 18:30:00 PM", "2019:07:14 18:30:00+15:00",
        "2019:07:14 18:30:00+02:75", "0999:07:14 18:30:00",
        "Sunday 14 July 2019"}) {
    EXPECT_EQ(ParseDateTime(text), std::nullopt) << text;
  }
}

TEST(ParseUtcOffsetTest, ReadsOffsetsWithinFourteenHours) {
  EXPECT_EQ(ParseUtcOffset("+02:00"), 120);
  EXPECT_EQ(ParseUtcOffset("-05:30"), -330);
  EXPECT_EQ(ParseUtcOffset("+0545"), 345);
  EXPECT_EQ(ParseUtcOffset("+14:00"), 840);
  EXPECT_EQ(ParseUtcOffset("Z"), 0);
  for (const char* text : {"", "   :  ", "+14:01", "02:00", "+2", "+02:00x"}) {
    EXPECT_EQ(ParseUtcOffset(text), std::nullopt) << text;
  }
}

TEST(CleanMetadataTextTest, GivesPrintableUtf8) {
  const struct {
    std::string raw;
    std::string clean;
  } cases[] = {
      {"Caf\xC3\xA9 \xE6\x9D\xB1\xE4\xBA\xAC", "Café 東京"},
      {"Caf\xE9", "Café"},                                  // Latin-1
      {"\x93quoted\x94 \x80 5", "\u201Cquoted\u201D € 5"},  // Windows-1252
      {"\xC0\xAF overlong", "À¯ overlong"},  // not UTF-8: read as 1252
      {"\xED\xA0\x80 surrogate", "í\u00A0\u20AC surrogate"},
      {"a\x81\x8D\x8F\x90\x9D"
       "b",
       "ab"},  // bytes 1252 leaves undefined
      {"\xEF\xBB\xBFwith mark", "with mark"},
      {"one\r\ntwo\rthree\n", "one\ntwo\nthree"},
      {"tab\there", "tab\there"},
      {std::string("nul\0bell\a esc\x1b del\x7f", 19), "nulbell esc del"},
      {"c1 \xC2\x85\xC2\x9F end", "c1  end"},
      {"\xE3\x80\x80\xC2\xA0 wide blanks \xE2\x80\x83\n\t", "wide blanks"},
      {"  \n\t ", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CleanMetadataText(c.raw), c.clean) << c.raw;
  }
}

TEST(CleanMetadataTextTest, CutsLongTextsAtACharacter) {
  const std::string long_text = std::string(3996, 'a') + "東京東京";
  const std::string clean = CleanMetadataText(long_text);
  EXPECT_LE(clean.size(), kMaxMetadataText);
  EXPECT_EQ(clean, std::string(3996, 'a') + "\u2026");
  const std::string huge(1 << 20, 'x');
  EXPECT_EQ(CleanMetadataText(huge), std::string(3997, 'x') + "\u2026");
  const std::string exact(kMaxMetadataText - 3, 'y');
  EXPECT_EQ(CleanMetadataText(exact), exact);
}

TEST(IsCameraTextTest, KnowsWhatCamerasAndProgramsWrite) {
  for (const char* text : {"OLYMPUS DIGITAL CAMERA",
                           "SONY DSC",
                           "MINOLTA DSC",
                           "DCIM",
                           "default",
                           "Default",
                           "Exif_JPEG_PICTURE",
                           "LEAD Technologies Inc. V1.01",
                           "KONICA MINOLTA DIGITAL CAMERA",
                           "SAMSUNG DIGITAL CAMERA",
                           "KODAK Digital Still Camera",
                           "Camera",
                           "Picture",
                           "<Untitled>",
                           "untitled",
                           "IMG_1234",
                           "DSC_0042",
                           "DSCN0042.JPG",
                           "P1010001",
                           "PXL_20210714_183000123",
                           "20190714_183000",
                           "1234",
                           "...",
                           "SAMSUNG CAMERA PICTURES",
                           "Created with GIMP"}) {
    EXPECT_TRUE(IsCameraText(text)) << text;
  }
}

TEST(IsCameraTextTest, KeepsWhatPeopleWrite) {
  for (const char* text :
       {"Rome 2019", "Rome-2019", "Grandmother's digital camera at the lake",
        "Paris", "東京", "🌅", "Camera club outing", "IMG_1234 and the cat",
        "Our new digital camera", "DSC"}) {
    EXPECT_FALSE(IsCameraText(text)) << text;
  }
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
      {"OLYMPUS OPTICAL CO.,LTD", "C2500L", "OLYMPUS C2500L"},
      {"RICOH IMAGING COMPANY, LTD.", "PENTAX K-3 II", "RICOH PENTAX K-3 II"},
      {"Minolta Co., Ltd.", "DiMAGE 7", "Minolta DiMAGE 7"},
      {"EASTMAN KODAK COMPANY", "KODAK Z990 DIGITAL CAMERA",
       "KODAK Z990 DIGITAL CAMERA"},
      {"LG Electronics", "LG-H850", "LG-H850"},
      {"KONICA MINOLTA", "DiMAGE Z5", "KONICA MINOLTA DiMAGE Z5"},
      {"Apple", "iPhone 12", "Apple iPhone 12"},
      {"samsung", "SM-G991B", "samsung SM-G991B"},
      {"", "DMC-FZ1000", "DMC-FZ1000"},
      {"Canon", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CameraName(c.make, c.model), c.name) << c.make << " " << c.model;
  }
}

}  // namespace
}  // namespace orvanta::testing
