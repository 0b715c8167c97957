// The JPEG metadata segments in a small JPEG of their own, the MakerNote
// renamed: a walk over the segment markers up to the picture data.
#include "imagetools/jpeg_metadata_head.h"

#include <cstdint>
#include <cstring>
#include <optional>

namespace orvanta {
namespace {

constexpr unsigned char kApp1 = 0xE1;   // EXIF and XMP
constexpr unsigned char kApp13 = 0xED;  // Photoshop's blocks with IPTC
constexpr unsigned char kStartOfScan = 0xDA;
constexpr unsigned char kEndOfImage = 0xD9;
constexpr uint32_t kExifIfdTag = 0x8769;
constexpr uint32_t kMakerNoteTag = 0x927C;

// The numbers of a TIFF block (an EXIF segment without its "Exif\0\0") in
// the block's byte order; reads past its end give 0.
class TiffBlock {
 public:
  TiffBlock(unsigned char* data, size_t size) : data_(data), size_(size) {}

  bool HasHeader() const {
    return size_ >= 8 && ((data_[0] == 'I' && data_[1] == 'I') ||
                          (data_[0] == 'M' && data_[1] == 'M'));
  }
  uint32_t Get(size_t at, size_t bytes) const {
    if (at > size_ || bytes > size_ - at) return 0;
    uint32_t value = 0;
    for (size_t i = 0; i < bytes; ++i) {
      value = value << 8 | data_[at + (big_endian() ? i : bytes - 1 - i)];
    }
    return value;
  }
  void Put16(size_t at, uint32_t value) {
    data_[at + (big_endian() ? 0 : 1)] = static_cast<unsigned char>(value >> 8);
    data_[at + (big_endian() ? 1 : 0)] = static_cast<unsigned char>(value);
  }
  // The offset of the 12-byte entry of `tag` in the directory at `ifd`.
  std::optional<size_t> FindEntry(size_t ifd, uint32_t tag) const {
    const uint32_t count = Get(ifd, 2);
    for (size_t i = 0; i < count; ++i) {
      const size_t entry = ifd + 2 + 12 * i;
      if (entry + 12 > size_) break;
      if (Get(entry, 2) == tag) return entry;
    }
    return std::nullopt;
  }

 private:
  bool big_endian() const { return data_[0] == 'M'; }
  unsigned char* data_;
  size_t size_;
};

// Renames the MakerNote entry of the EXIF directory in `block`.
void HideMakerNote(TiffBlock block) {
  if (!block.HasHeader()) return;
  const std::optional<size_t> pointer =
      block.FindEntry(block.Get(4, 4), kExifIfdTag);
  if (!pointer) return;
  const std::optional<size_t> maker_note =
      block.FindEntry(block.Get(*pointer + 8, 4), kMakerNoteTag);
  if (maker_note) block.Put16(*maker_note, kHiddenMakerNoteTag);
}

// Appends the segment `marker` with its `size` bytes (the two length bytes
// and the payload) to *head, an EXIF segment only `with_exif`.
void AppendSegment(unsigned char marker, const char* segment, size_t size,
                   bool with_exif, std::string* head) {
  static constexpr char kExif[] = "Exif\0";  // with its final NUL: 6 bytes
  const bool exif = marker == kApp1 && size >= 2 + sizeof kExif &&
                    std::memcmp(segment + 2, kExif, sizeof kExif) == 0;
  if (exif && !with_exif) return;
  const size_t start = head->size();
  head->push_back('\xFF');
  head->push_back(static_cast<char>(marker));
  head->append(segment, size);
  if (exif) {
    auto* tiff = reinterpret_cast<unsigned char*>(head->data() + start + 4 +
                                                  sizeof kExif);
    HideMakerNote(TiffBlock(tiff, size - 2 - sizeof kExif));
  }
}

}  // namespace

JpegHead CopyJpegHead(const char* bytes, size_t length, std::string* head,
                      bool with_exif) {
  auto byte = [&](size_t at) { return static_cast<unsigned char>(bytes[at]); };
  if (length < 3 || byte(0) != 0xFF || byte(1) != 0xD8 || byte(2) != 0xFF) {
    return JpegHead::kNotJpeg;
  }
  if (head != nullptr) head->assign("\xFF\xD8", 2);
  JpegHead result = JpegHead::kCutShort;
  size_t at = 2;
  while (at < length) {
    if (byte(at) != 0xFF) {  // not a marker: nothing more can be found
      result = JpegHead::kComplete;
      break;
    }
    while (at < length && byte(at) == 0xFF) ++at;  // fill bytes
    if (at == length) break;
    const unsigned char marker = byte(at++);
    if (marker == kStartOfScan || marker == kEndOfImage || marker == 0) {
      result = JpegHead::kComplete;
      break;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;
    if (length - at < 2) break;
    const size_t size = byte(at) << 8 | byte(at + 1);
    if (size < 2) {
      result = JpegHead::kComplete;
      break;
    }
    if (length - at < size) break;
    if (head != nullptr && (marker == kApp1 || marker == kApp13)) {
      AppendSegment(marker, bytes + at, size, with_exif, head);
    }
    at += size;
  }
  if (head != nullptr) head->append("\xFF\xDA", 2);
  return result;
}

}  // namespace orvanta
