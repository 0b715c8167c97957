// Finding what is left of a position or a serial number in a file's bytes:
// TIFF entries in either byte order, XMP names, and in PNG and WebP only
// outside the picture data.
#include "imagetools/location_traces.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

using std::string_literals::operator""s;

TEST(LocationTracesTest, FindsTiffEntriesAndXmpNames) {
  for (const std::string& trace :
       {"\x25\x88\x04\0\x01\0\0\0"s, "\x25\x88\x0D\0\x01\0\0\0"s,
        "\x88\x25\0\x04\0\0\0\x01"s, "\x88\x25\0\x0D\0\0\0\x01"s,
        "\x31\xA4\x02\0\xFF\0\0\0"s, "\x2F\xC6\x02\0\x07\0\0\0"s,
        "\xA4\x35\0\x02\0\0\0\x09"s, "\xA4\x31\0\x02\0\0\0\x09"s,
        "exif:GPSLatitude"s, "GPSDestLongitude"s, "drone-dji:GpsLongitude"s,
        "aux:SerialNUMBER"s, "GPS456789abLatitude"s}) {
    EXPECT_TRUE(HoldsLocationTrace(trace)) << ::testing::PrintToString(trace);
  }
  for (const std::string& other :
       {"\x25\x88\x04\0\x02\0\0\0"s, "\x88\x25\0\x03\0\0\0\x01"s,
        "\x35\xA4\x02\0\x01\x01\0\0"s, "\x2F\xC6\x03\0\x07\0\0\0"s,
        "\xC6\x2F\0\x02\0\0\x01\x09"s, "\xA4\x36\0\x02\0\0\0\x09"s,
        "GPS456789abcLatitude"s, "Latitude Longitude"s, "aux:SERIALNumber"s,
        "Serial"s, "gpsatitud"s}) {
    EXPECT_FALSE(HoldsLocationTrace(other)) << ::testing::PrintToString(other);
  }
  for (const char* key : {"Exif.GPSInfo.GPSAltitude", "Xmp.aux.SerialNumber",
                          "Xmp.drone.AbsLatitude", "Xmp.drone.AbsLongitude"}) {
    EXPECT_TRUE(IsLocationKey(key)) << key;
  }
  EXPECT_FALSE(IsLocationKey("Exif.Image.Model"));
}

TEST(LocationTracesTest, PictureDataIsNotSearched) {
  const std::string trace = "exif:GPSLatitude";  // 16 bytes
  const std::string png = "\x89PNG\r\n\x1A\n\0\0\0\x10"s;
  EXPECT_FALSE(HoldsLocationTrace(png + "IDAT" + trace + "CRC!"));
  EXPECT_TRUE(HoldsLocationTrace(png + "tEXt" + trace + "CRC!"));
  const std::string webp = "RIFF\0\0\0\0WEBP"s;
  for (const char* pixels : {"VP8 ", "VP8L", "ALPH", "ANMF"}) {
    EXPECT_FALSE(HoldsLocationTrace(webp + pixels + "\x10\0\0\0"s + trace));
  }
  EXPECT_TRUE(HoldsLocationTrace(webp + "XMP \x10\0\0\0"s + trace));
}

}  // namespace
}  // namespace orvanta
