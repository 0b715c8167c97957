// Scanning a file's bytes for traces of a position or a serial number.
#include "imagetools/location_traces.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "common/text_utils.h"
#include "imagetools/jpeg_segments.h"

namespace orvanta {
namespace {

uint8_t At(std::string_view bytes, size_t at) {
  return at < bytes.size() ? static_cast<uint8_t>(bytes[at]) : 0;
}

bool Equal(std::string_view bytes, size_t at, std::string_view expected) {
  return at <= bytes.size() && bytes.substr(at, expected.size()) == expected;
}

// A TIFF entry at `at`: the GPS directory's pointer (tag 0x8825, a LONG or
// IFD, one value), or a camera, body or lens serial number (tags 0xC62F,
// 0xA431, 0xA435, ASCII, under 256 bytes), in either byte order.
bool IsTiffTrace(std::string_view bytes, size_t at) {
  using std::string_view_literals::operator""sv;
  const uint8_t a = At(bytes, at), b = At(bytes, at + 1);
  if (a == 0x25 && b == 0x88) {
    return Equal(bytes, at + 2, "\x04\0\x01\0\0\0"sv) ||
           Equal(bytes, at + 2, "\x0D\0\x01\0\0\0"sv);
  }
  if (a == 0x88 && b == 0x25) {
    return Equal(bytes, at + 2, "\0\x04\0\0\0\x01"sv) ||
           Equal(bytes, at + 2, "\0\x0D\0\0\0\x01"sv);
  }
  if (((a == 0x31 || a == 0x35) && b == 0xA4) || (a == 0x2F && b == 0xC6)) {
    return Equal(bytes, at + 2, "\x02\0"sv) && Equal(bytes, at + 5, "\0\0\0"sv);
  }
  if ((a == 0xA4 && (b == 0x31 || b == 0x35)) || (a == 0xC6 && b == 0x2F)) {
    return Equal(bytes, at + 2, "\0\x02\0\0\0"sv);
  }
  return false;
}

bool EqualIgnoringCase(std::string_view bytes, size_t at,
                       std::string_view lower) {
  return at <= bytes.size() &&
         EqualsIgnoreCase(bytes.substr(at, lower.size()), lower);
}

// XMP's names: a GPS coordinate ("exif:GPSLatitude", "GPSDestLongitude",
// "drone-dji:GpsLatitude") or a serial number ("aux:SerialNumber").
bool IsXmpTrace(std::string_view bytes, size_t at) {
  if (Equal(bytes, at, "erial"))
    return EqualIgnoringCase(bytes, at + 5, "number");
  if (!Equal(bytes, at, "atitude") && !Equal(bytes, at, "ongitude")) {
    return false;
  }
  const size_t from = at >= 12 ? at - 12 : 0;
  for (size_t i = from; i + 3 <= at; ++i) {
    if (EqualIgnoringCase(bytes, i, "gps")) return true;
  }
  return false;
}

bool HoldsTraceIn(std::string_view bytes) {
  for (size_t at = 0; at < bytes.size(); ++at) {
    switch (static_cast<uint8_t>(bytes[at])) {
      case 0x25:
      case 0x88:
      case 0x31:
      case 0x35:
      case 0x2F:
      case 0xA4:
      case 0xC6:
        if (IsTiffTrace(bytes, at)) return true;
        break;
      case 'a':
      case 'o':
      case 'e':
        if (IsXmpTrace(bytes, at)) return true;
        break;
      default:
        break;
    }
  }
  return false;
}

uint32_t BigEndian(std::string_view bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = 0; i < size; ++i) value = value << 8 | At(bytes, at + i);
  return value;
}

}  // namespace

bool HoldsLocationTraceFrom(std::string_view jpeg, size_t from) {
  bool trace = false;
  const std::optional<size_t> end =
      WalkJpeg(jpeg, 0, [&](const JpegSegment& segment) {
        if (segment.at >= from) {
          trace = HoldsTraceIn(jpeg.substr(segment.at, segment.size));
        }
        return !trace;
      });
  if (trace) return true;
  return HoldsTraceIn(jpeg.substr(std::min(end ? *end : from, jpeg.size())));
}

namespace {

// PNG chunks other than the picture data (IDAT, fdAT).
bool HoldsTraceInPng(std::string_view file) {
  size_t at = 8;
  while (at + 12 <= file.size()) {
    const size_t end = at + 12 + BigEndian(file, at, 4);
    if (end > file.size()) break;
    const std::string_view type = file.substr(at + 4, 4);
    const bool pixels = type == "IDAT" || type == "fdAT";
    if (HoldsTraceIn(file.substr(at, pixels ? 8 : end - at))) return true;
    at = end;
  }
  return HoldsTraceIn(file.substr(std::min(at, file.size())));
}

// WebP chunks other than the picture data (VP8, VP8L, ALPH, ANMF).
bool HoldsTraceInWebp(std::string_view file) {
  size_t at = 12;
  while (at + 8 <= file.size()) {
    const uint32_t size = At(file, at + 4) | At(file, at + 5) << 8 |
                          At(file, at + 6) << 16 |
                          uint32_t{At(file, at + 7)} << 24;
    const size_t end = at + 8 + size + (size & 1);
    if (size > file.size() || end > file.size() + (size & 1)) break;
    const std::string_view type = file.substr(at, 4);
    const bool pixels =
        type == "VP8 " || type == "VP8L" || type == "ALPH" || type == "ANMF";
    if (HoldsTraceIn(file.substr(at, pixels ? 8 : end - at))) return true;
    at = end;
  }
  return HoldsTraceIn(file.substr(std::min(at, file.size())));
}

}  // namespace

bool HoldsLocationTrace(std::string_view file) {
  if (file.starts_with("\xFF\xD8")) return HoldsLocationTraceFrom(file, 0);
  if (file.starts_with("\x89PNG\r\n\x1A\n")) return HoldsTraceInPng(file);
  if (file.starts_with("RIFF") && Equal(file, 8, "WEBP")) {
    return HoldsTraceInWebp(file);
  }
  return HoldsTraceIn(file);
}

bool IsLocationKey(std::string_view key) {
  const std::string lower = ToLowerAscii(std::string(key));
  return lower.find("gps") != std::string::npos ||
         lower.find("serial") != std::string::npos ||
         lower.find("latitude") != std::string::npos ||
         lower.find("longitude") != std::string::npos;
}

}  // namespace orvanta
