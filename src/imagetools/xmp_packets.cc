// The walks through TIFF directories, PNG chunks and WebP chunks that find
// XMP packets.
#include "imagetools/xmp_packets.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <set>

namespace orvanta {
namespace {

constexpr uint16_t kXmpTag = 700;
// No reader knows these: a tag, a PNG chunk type (ancillary, private, safe
// to copy) and a WebP chunk.
constexpr uint16_t kHiddenTag = 701;
constexpr char kHiddenPngChunk[] = "xmPk";
constexpr char kHiddenWebpChunk[] = "xmpk";

// `bytes`-long numbers read from the file, in its byte order; 0 past its
// end.
struct Reader {
  std::string_view file;
  bool big_endian = false;
  uint32_t Number(size_t at, int bytes) const {
    if (at > file.size() || static_cast<size_t>(bytes) > file.size() - at) {
      return 0;
    }
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
      const uint8_t byte = file[at + (big_endian ? i : bytes - 1 - i)];
      value = value << 8 | byte;
    }
    return value;
  }
};

// The bytes of one value of a TIFF field type; 0 for unknown types.
size_t TypeSize(uint32_t type) {
  static constexpr uint8_t kSizes[] = {0, 1, 1, 2, 4, 8, 1,
                                       1, 2, 4, 8, 4, 8, 4};
  return type < sizeof kSizes ? kSizes[type] : 0;
}

void FindInTiff(const Reader& tiff, std::vector<XmpPacket>* found) {
  std::set<uint32_t> seen;  // directories already walked: no loops
  for (uint32_t directory = tiff.Number(4, 4);
       directory != 0 && seen.insert(directory).second;) {
    const uint32_t entries = tiff.Number(directory, 2);
    for (uint32_t i = 0; i < entries; ++i) {
      const size_t entry = directory + 2 + size_t{12} * i;
      if (entry + 12 > tiff.file.size()) return;
      if (tiff.Number(entry, 2) != kXmpTag) continue;
      const size_t size =
          TypeSize(tiff.Number(entry + 2, 2)) * tiff.Number(entry + 4, 4);
      const size_t data_at = size <= 4 ? entry + 8 : tiff.Number(entry + 8, 4);
      std::string hidden(2, '\0');
      hidden[tiff.big_endian ? 0 : 1] = static_cast<char>(kHiddenTag >> 8);
      hidden[tiff.big_endian ? 1 : 0] = static_cast<char>(kHiddenTag & 0xFF);
      found->push_back({entry, hidden, data_at, size, true});
    }
    directory = tiff.Number(directory + 2 + size_t{12} * entries, 4);
  }
}

void FindInPng(const Reader& png, std::vector<XmpPacket>* found) {
  static constexpr std::string_view kKeyword("XML:com.adobe.xmp\0", 18);
  for (size_t at = 8; at + 8 <= png.file.size();) {
    const size_t length = png.Number(at, 4);
    const std::string_view type = png.file.substr(at + 4, 4);
    if (type == "IEND" || length > png.file.size() - at - 8) return;
    if (type == "iTXt" &&
        png.file.substr(at + 8, kKeyword.size()) == kKeyword) {
      found->push_back({at + 4, kHiddenPngChunk, at + 8, length, false});
    }
    at += 12 + length;
  }
}

void FindInWebp(const Reader& webp, std::vector<XmpPacket>* found) {
  for (size_t at = 12; at + 8 <= webp.file.size();) {
    const size_t length = webp.Number(at + 4, 4);
    if (length > webp.file.size() - at - 8) return;
    if (webp.file.substr(at, 4) == "XMP ") {
      found->push_back({at, kHiddenWebpChunk, at + 8, length, false});
    }
    at += 8 + length + (length & 1);
  }
}

}  // namespace

std::vector<XmpPacket> FindXmpPackets(std::string_view file) {
  std::vector<XmpPacket> found;
  using std::string_view_literals::operator""sv;
  const std::string_view start = file.substr(0, 4);
  if (start == "II*\0"sv || start == "MM\0*"sv) {
    FindInTiff({file, start[0] == 'M'}, &found);
  } else if (start == "\x89PNG") {
    FindInPng({file, true}, &found);
  } else if (start == "RIFF" && file.size() >= 12 &&
             file.substr(8, 4) == "WEBP") {
    FindInWebp({file, false}, &found);
  }
  return found;
}

bool CostlyToParse(std::string_view file, const XmpPacket& packet) {
  if (packet.size > kXmpPacketBound || packet.data_at > file.size() ||
      packet.size > file.size() - packet.data_at) {
    return true;
  }
  const std::string_view data = file.substr(packet.data_at, packet.size);
  const auto marks = std::count_if(data.begin(), data.end(),
                                   [](char c) { return c == '<' || c == '='; });
  return static_cast<size_t>(marks) > kXmpMarkBound;
}

void HideXmpPacket(char* file, const XmpPacket& packet) {
  std::memcpy(file + packet.name_at, packet.hidden_name.data(),
              packet.hidden_name.size());
}

}  // namespace orvanta
