// Real picture files for tests, made with Magick++ and zlib.
#include "testing/test_pictures.h"

#include <Magick++.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <list>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "testing/temp_dir.h"

namespace orvanta::testing {
namespace {

void InitializeOnce() {
  static std::once_flag once;
  std::call_once(once, [] { Magick::InitializeMagick(nullptr); });
}

// A gradient from top to bottom with a dark block in the upper left and a
// light disc in the lower right: no turn or mirror of it looks the same.
Magick::Image PatternImage(int width, int height) {
  Magick::Image image;
  image.size(Magick::Geometry(width, height));
  image.read("gradient:#87ceeb-#8b4513");
  image.fillColor("#203040");
  image.draw(Magick::DrawableRectangle(0.1 * width, 0.1 * height, 0.4 * width,
                                       0.3 * height));
  image.fillColor("#f0e0a0");
  image.draw(Magick::DrawableCircle(0.7 * width, 0.7 * height, 0.85 * width,
                                    0.7 * height));
  // Fine stripes in the lower left: a shrink that does not filter them
  // first turns them into bands.
  std::list<Magick::Drawable> stripes = {Magick::DrawableFillColor("#000")};
  for (double x = 0.05 * width; x < 0.45 * width; x += 3) {
    stripes.push_back(
        Magick::DrawableRectangle(x, 0.55 * height, x, 0.95 * height));
  }
  image.draw(stripes);
  return image;
}

std::string Encode(Magick::Image& image, const std::string& path) {
  std::string format = path.substr(path.rfind('.') + 1);
  std::transform(format.begin(), format.end(), format.begin(), ::toupper);
  if (format == "JPG") format = "JPEG";
  image.magick(format);
  if (format == "JPEG") image.quality(90);
  Magick::Blob blob;
  image.write(&blob);
  return std::string(static_cast<const char*>(blob.data()), blob.length());
}

void PutBigEndian32(std::string& bytes, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) bytes += char(value >> shift);
}

void AppendChunk(std::string* png, const std::string& type_and_data) {
  PutBigEndian32(*png, static_cast<uint32_t>(type_and_data.size() - 4));
  *png += type_and_data;
  PutBigEndian32(*png,
                 crc32(0, reinterpret_cast<const Bytef*>(type_and_data.data()),
                       static_cast<uInt>(type_and_data.size())));
}

// Raw deflate data of `count` zero bytes ended with `flush`.
std::string DeflateZeros(size_t count, int flush) {
  z_stream stream = {};
  deflateInit2(&stream, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
  std::vector<unsigned char> zeros(count, 0);
  std::string out(deflateBound(&stream, count) + 64, '\0');
  stream.next_in = zeros.data();
  stream.avail_in = static_cast<uInt>(count);
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, flush);
  out.resize(out.size() - stream.avail_out);
  deflateEnd(&stream);
  return out;
}

bool Ping(const std::string& path, Magick::Image* image) {
  InitializeOnce();
  const std::string bytes = ReadFile(path);
  try {
    image->quiet(true);
    image->ping(Magick::Blob(bytes.data(), bytes.size()));
    return !bytes.empty();
  } catch (const Magick::Exception&) {
    return false;
  }
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const PictureSize& size) {
  return out << size.width << " x " << size.height;
}

void MakePicture(const std::string& path, int width, int height,
                 int orientation) {
  WriteFile(path, PictureBytes(width, height, path.substr(path.rfind('.') + 1),
                               orientation));
}

std::string PictureBytes(int width, int height, const std::string& extension,
                         int orientation) {
  InitializeOnce();
  Magick::Image image = PatternImage(width, height);
  std::string bytes = Encode(image, "." + extension);
  if (orientation > 1) {
    // An APP1 segment with a little-endian EXIF block of one tag, 0x0112.
    std::string exif(
        "\xFF\xE1\x00\x22"
        "Exif\0\0"
        "II*\0\x08\0\0\0"
        "\x01\0\x12\x01\x03\0\x01\0\0\0",
        28);
    exif += static_cast<char>(orientation) + std::string(7, '\0');
    bytes.insert(2, exif);  // right after the start-of-image marker
  }
  return bytes;
}

void MakeCorruptPicture(const std::string& path) {
  std::string bytes(
      "\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01"
      "\x00\x01\x00\x00",
      20);
  uint32_t noise = 987654321;
  for (int i = 0; i < 4000; ++i) {
    noise = noise * 1103515245u + 12345u;
    bytes += static_cast<char>(noise >> 16);
  }
  WriteFile(path, bytes);
}

void MakeTruncatedJpeg(const std::string& path, int width, int height) {
  InitializeOnce();
  Magick::Image image = PatternImage(width, height);
  const std::string bytes = Encode(image, path);
  // The headers and tables stay well inside the first 1000 bytes.
  WriteFile(path, bytes.substr(0, std::max<size_t>(bytes.size() / 2, 1000)));
}

void MakeBombPng(const std::string& path, int width, int height) {
  std::string png = "\x89PNG\r\n\x1A\n";
  std::string header = "IHDR";
  PutBigEndian32(header, static_cast<uint32_t>(width));
  PutBigEndian32(header, static_cast<uint32_t>(height));
  header += std::string("\x01\0\0\0\0", 5);  // 1 bit grey
  AppendChunk(&png, header);
  // The rows as zeros: one fully flushed compressed megabyte repeated,
  // so that gigabytes take milliseconds, then the zlib trailer.
  const uint64_t total = (1 + (static_cast<uint64_t>(width) + 7) / 8) * height;
  const std::string piece = DeflateZeros(1 << 20, Z_FULL_FLUSH);
  std::string data = "IDAT\x78\xDA";
  for (uint64_t i = 0; i < total >> 20; ++i) data += piece;
  data += DeflateZeros(total & ((1 << 20) - 1), Z_FINISH);
  PutBigEndian32(data, static_cast<uint32_t>((total % 65521) << 16 | 1));
  AppendChunk(&png, data);
  AppendChunk(&png, "IEND");
  WriteFile(path, png);
}

void MakeClip(const std::string& path, double seconds, int rotation,
              const std::string& options) {
  // Made under a plain name in a folder of its own, then moved into place:
  // the shell never sees the test's odd names.
  TempDir work;
  const std::string extension = path.substr(path.rfind('.'));
  const std::string made = work.Path("made" + extension);
  std::string command =
      "ffmpeg -nostdin -v error -f lavfi -i testsrc=size=320x240:rate=10 " +
      (options.empty() ? "-pix_fmt yuv420p" : options) + " -t " +
      std::to_string(seconds) + " " + made;
  if (rotation != 0) {
    command += " && ffmpeg -nostdin -v error -i " + made +
               " -c copy -metadata:s:v:0 rotate=" + std::to_string(rotation) +
               " " + work.Path("turned" + extension) + " && mv " +
               work.Path("turned" + extension) + " " + made;
  }
  if (std::system(command.c_str()) != 0) {
    throw std::runtime_error("ffmpeg could not make " + path);
  }
  std::filesystem::create_directories(
      std::filesystem::path(path).parent_path());
  std::filesystem::copy_file(made, path);
}

PictureSize ReadPictureSize(const std::string& path) {
  Magick::Image image;
  if (!Ping(path, &image)) return {};
  return {static_cast<int>(image.columns()), static_cast<int>(image.rows())};
}

std::string ReadPictureFormat(const std::string& path) {
  Magick::Image image;
  return Ping(path, &image) ? image.magick() : "";
}

}  // namespace orvanta::testing
