// Real picture files for tests, made with Magick++ from pixels computed
// here, plus hand-made broken files.
#include "testing/test_pictures.h"

#include <Magick++.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <mutex>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "testing/temp_dir.h"

namespace orvanta::testing {
namespace {

void InitializeOnce() {
  static std::once_flag once;
  std::call_once(once, [] { Magick::InitializeMagick(nullptr); });
}

// The ImageMagick format name for a file name's extension.
std::string FormatForPath(const std::string& path) {
  size_t dot = path.rfind('.');
  std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  if (ext == "jpg" || ext == "jpeg") return "JPEG";
  if (ext == "png") return "PNG";
  if (ext == "gif") return "GIF";
  if (ext == "bmp") return "BMP";
  if (ext == "tif" || ext == "tiff") return "TIFF";
  throw std::runtime_error("no picture format for " + path);
}

// A colourful gradient with checks and a little noise, so that the picture
// compresses roughly like a photo and shows which way is up.
Magick::Image PatternImage(int width, int height) {
  std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3);
  uint32_t noise = 12345;
  size_t i = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      noise = noise * 1103515245u + 12345u;
      int jitter = static_cast<int>((noise >> 16) & 15);
      bool check = ((x / 32) + (y / 32)) % 2 == 0;
      pixels[i++] =
          static_cast<unsigned char>(x * 255 / std::max(1, width - 1));
      pixels[i++] =
          static_cast<unsigned char>(y * 255 / std::max(1, height - 1));
      pixels[i++] = static_cast<unsigned char>((check ? 160 : 60) + jitter);
    }
  }
  Magick::Image image;
  image.read(width, height, "RGB", Magick::CharPixel, pixels.data());
  return image;
}

// The picture encoded in memory in `format`.
std::string Encode(Magick::Image& image, const std::string& format) {
  image.magick(format);
  if (format == "JPEG") image.quality(90);
  Magick::Blob blob;
  image.write(&blob);
  return std::string(static_cast<const char*>(blob.data()), blob.length());
}

// An APP1 segment holding a minimal EXIF block with one orientation tag.
std::string ExifSegment(int orientation) {
  const unsigned char payload[] = {'E',
                                   'x',
                                   'i',
                                   'f',
                                   0,
                                   0,  // EXIF header
                                   'I',
                                   'I',
                                   0x2A,
                                   0,
                                   8,
                                   0,
                                   0,
                                   0,  // little-endian TIFF, IFD at 8
                                   1,
                                   0,  // one entry
                                   0x12,
                                   0x01,
                                   3,
                                   0,
                                   1,
                                   0,
                                   0,
                                   0,  // Orientation, SHORT, count 1
                                   static_cast<unsigned char>(orientation),
                                   0,
                                   0,
                                   0,  // the value
                                   0,
                                   0,
                                   0,
                                   0};  // no next IFD
  size_t length = sizeof(payload) + 2;
  std::string segment = {'\xFF', '\xE1', static_cast<char>(length >> 8),
                         static_cast<char>(length & 0xFF)};
  segment.append(reinterpret_cast<const char*>(payload), sizeof(payload));
  return segment;
}

uint32_t Crc32(std::string_view bytes) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char b : bytes) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

void PutBigEndian32(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    bytes[at + i] = static_cast<char>((value >> (24 - 8 * i)) & 0xFF);
  }
}

// Appends a PNG chunk: length, type, data and CRC.
void AppendChunk(std::string* png, const char* type, const std::string& data) {
  std::string chunk(4, '\0');
  PutBigEndian32(chunk, 0, static_cast<uint32_t>(data.size()));
  chunk += type;
  chunk += data;
  std::string crc(4, '\0');
  PutBigEndian32(crc, 0, Crc32(std::string_view(chunk).substr(4)));
  *png += chunk + crc;
}

// Raw deflate data of `count` zero bytes, ended with `flush`.
std::string DeflateZeros(size_t count, int flush) {
  z_stream stream = {};
  if (deflateInit2(&stream, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY) !=
      Z_OK) {
    throw std::runtime_error("zlib failed");
  }
  std::vector<unsigned char> zeros(count, 0);
  std::string out(deflateBound(&stream, count) + 64, '\0');
  stream.next_in = zeros.data();
  stream.avail_in = static_cast<uInt>(count);
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  int result = deflate(&stream, flush);
  out.resize(out.size() - stream.avail_out);
  deflateEnd(&stream);
  if (result != Z_OK && result != Z_STREAM_END) {
    throw std::runtime_error("zlib failed");
  }
  return out;
}

// A zlib stream of `count` zero bytes, built from one fully flushed
// compressed megabyte repeated, so that gigabytes take milliseconds.
std::string ZlibZeros(uint64_t count) {
  constexpr size_t kPiece = 1 << 20;
  std::string piece = DeflateZeros(kPiece, Z_FULL_FLUSH);
  std::string stream = "\x78\xDA";
  for (uint64_t i = 0; i < count / kPiece; ++i) stream += piece;
  stream += DeflateZeros(count % kPiece, Z_FINISH);
  // Adler-32 of zeros: A stays 1, B counts the bytes.
  std::string adler(4, '\0');
  PutBigEndian32(adler, 0, static_cast<uint32_t>((count % 65521) << 16 | 1));
  return stream + adler;
}

// Pings the picture in memory; false when no decoder understands it.
bool Ping(const std::string& path, Magick::Image* image) {
  InitializeOnce();
  std::string bytes = ReadFile(path);
  if (bytes.empty()) return false;
  try {
    image->quiet(true);
    image->ping(Magick::Blob(bytes.data(), bytes.size()));
    return true;
  } catch (const Magick::Exception&) {
    return false;
  }
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const PictureSize& size) {
  return out << size.width << " x " << size.height;
}

void MakePicture(const std::string& path, int width, int height,
                 int orientation, const std::string& fill) {
  InitializeOnce();
  std::string format = FormatForPath(path);
  Magick::Image image =
      fill.empty()
          ? PatternImage(width, height)
          : Magick::Image(Magick::Geometry(width, height), Magick::Color(fill));
  std::string bytes = Encode(image, format);
  if (orientation >= 2 && orientation <= 8) {
    if (format != "JPEG") {
      throw std::runtime_error("EXIF orientation needs a JPEG: " + path);
    }
    bytes.insert(2, ExifSegment(orientation));  // right after SOI
  }
  WriteFile(path, bytes);
}

void MakeCorruptPicture(const std::string& path) {
  std::string bytes = "\xFF\xD8\xFF\xE0";
  bytes +=
      std::string("\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 16);
  uint32_t noise = 987654321;
  for (int i = 0; i < 4000; ++i) {
    noise = noise * 1103515245u + 12345u;
    bytes += static_cast<char>((noise >> 16) & 0xFF);
  }
  WriteFile(path, bytes);
}

void MakeTruncatedJpeg(const std::string& path, int width, int height) {
  InitializeOnce();
  Magick::Image image = PatternImage(width, height);
  std::string bytes = Encode(image, "JPEG");
  // Headers and tables take well under the first 1000 bytes; keep them and
  // a part of the picture data.
  size_t keep = std::max<size_t>(bytes.size() / 2, 1000);
  if (keep >= bytes.size()) {
    throw std::runtime_error("picture too small to truncate: " + path);
  }
  WriteFile(path, bytes.substr(0, keep));
}

void MakeBombPng(const std::string& path, int width, int height) {
  // Signature, IHDR (1-bit grey), one IDAT holding all rows as zeros, IEND.
  std::string png = "\x89PNG\r\n\x1A\n";
  std::string header(13, '\0');
  PutBigEndian32(header, 0, static_cast<uint32_t>(width));
  PutBigEndian32(header, 4, static_cast<uint32_t>(height));
  header[8] = 1;  // bit depth; colour type 0 (grey), defaults otherwise
  uint64_t row_bytes = 1 + (static_cast<uint64_t>(width) + 7) / 8;
  AppendChunk(&png, "IHDR", header);
  AppendChunk(&png, "IDAT", ZlibZeros(row_bytes * height));
  AppendChunk(&png, "IEND", "");
  WriteFile(path, png);
}

PictureSize ReadPictureSize(const std::string& path) {
  Magick::Image image;
  if (!Ping(path, &image)) return {};
  return {static_cast<int>(image.columns()), static_cast<int>(image.rows())};
}

std::string ReadPictureFormat(const std::string& path) {
  Magick::Image image;
  if (!Ping(path, &image)) return "";
  return image.magick();
}

int ReadExifOrientation(const std::string& path) {
  Magick::Image image;
  if (!Ping(path, &image)) return 0;
  return static_cast<int>(image.orientation());
}

}  // namespace orvanta::testing
