// The EXIF edit in place: every directory and value is checked against
// the block's bounds first, then the whole edit is made.
#include "imagetools/exif_in_place.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace orvanta {
namespace {

constexpr uint32_t kGpsIfdTag = 0x8825;
constexpr uint32_t kExifIfdTag = 0x8769;
constexpr uint32_t kCameraSerialTag = 0xC62F;
constexpr uint32_t kBodySerialTag = 0xA431;
constexpr uint32_t kLensSerialTag = 0xA435;

// The bytes of one value of a TIFF field type; 0 for unknown types.
size_t TypeSize(uint32_t type) {
  static constexpr uint8_t kSizes[] = {0, 1, 1, 2, 4, 8, 1,
                                       1, 2, 4, 8, 4, 8, 4};
  return type < sizeof kSizes ? kSizes[type] : 0;
}

struct Span {
  size_t at = 0;
  size_t size = 0;
};

class TiffEdit {
 public:
  TiffEdit(char* data, size_t size) : data_(data), size_(size) {}

  bool HasHeader() const {
    return size_ >= 8 && (std::memcmp(data_, "II*\0", 4) == 0 ||
                          std::memcmp(data_, "MM\0*", 4) == 0);
  }
  uint32_t Get(size_t at, int bytes) const {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
      const uint8_t byte = data_[at + (big_endian() ? i : bytes - 1 - i)];
      value = value << 8 | byte;
    }
    return value;
  }
  // The directory at `at` with its entries and the next one's offset;
  // nothing when it does not fit in the block.
  std::optional<Span> Directory(size_t at) const {
    if (at < 8 || at > size_ - 2) return std::nullopt;
    const size_t size = 2 + size_t{12} * Get(at, 2) + 4;
    if (size > size_ - at) return std::nullopt;
    return Span{at, size};
  }
  // The entry of `tag` in `directory`.
  std::optional<size_t> Find(const Span& directory, uint32_t tag) const {
    for (size_t entry = directory.at + 2;
         entry + 16 <= directory.at + directory.size; entry += 12) {
      if (Get(entry, 2) == tag) return entry;
    }
    return std::nullopt;
  }
  // Plans the zeroing of the value of `entry` when it lies outside it;
  // false when it lies outside the block or its type is unknown.
  bool PlanValue(size_t entry) {
    const uint32_t count = Get(entry + 4, 4);
    const size_t size = TypeSize(Get(entry + 2, 2)) * uint64_t{count};
    if (size == 0 && count != 0) return false;
    if (size > 4) {
      const size_t at = Get(entry + 8, 4);
      if (at > size_ || size > size_ - at) return false;
      zeroed_.push_back({at, size});
    }
    return true;
  }
  // Plans that and the removal of `entry` from `directory`.
  bool Plan(const Span& directory, size_t entry) {
    if (!PlanValue(entry)) return false;
    removed_.push_back({directory.at, Get(entry, 2)});
    return true;
  }
  void Zero(const Span& span) { zeroed_.push_back(span); }
  bool planned() const { return !removed_.empty(); }

  // The entries first (a directory the values overlap, in a damaged
  // block, is then found unchanged), then the values.
  void Apply() {
    for (const Removal& removal : removed_) {
      const std::optional<Span> directory = Directory(removal.directory);
      const std::optional<size_t> entry =
          directory ? Find(*directory, removal.tag) : std::nullopt;
      if (!entry) continue;
      const size_t end = directory->at + directory->size;
      std::memmove(data_ + *entry, data_ + *entry + 12, end - *entry - 12);
      std::memset(data_ + end - 12, 0, 12);
      const uint32_t count = Get(directory->at, 2) - 1;
      data_[directory->at + (big_endian() ? 0 : 1)] =
          static_cast<char>(count >> 8);
      data_[directory->at + (big_endian() ? 1 : 0)] = static_cast<char>(count);
    }
    for (const Span& span : zeroed_) {
      std::memset(data_ + span.at, 0, span.size);
    }
  }

 private:
  struct Removal {
    size_t directory;
    uint32_t tag;
  };
  bool big_endian() const { return data_[0] == 'M'; }

  char* data_;
  size_t size_;
  std::vector<Span> zeroed_;
  std::vector<Removal> removed_;
};

// Plans the removal of the GPS directory `entry` of IFD0 points to.
bool PlanGps(TiffEdit& edit, const Span& ifd0, size_t entry) {
  const std::optional<Span> gps = edit.Directory(edit.Get(entry + 8, 4));
  if (!gps) return false;
  for (size_t at = gps->at + 2; at + 16 <= gps->at + gps->size; at += 12) {
    if (!edit.PlanValue(at)) return false;
  }
  edit.Zero(*gps);
  return edit.Plan(ifd0, entry);
}

}  // namespace

ExifEdit RemoveLocationInPlace(char* tiff, size_t size) {
  TiffEdit edit(tiff, size);
  if (!edit.HasHeader()) return ExifEdit::kBroken;
  const std::optional<Span> ifd0 = edit.Directory(edit.Get(4, 4));
  if (!ifd0) return ExifEdit::kBroken;
  if (const auto gps = edit.Find(*ifd0, kGpsIfdTag)) {
    if (!PlanGps(edit, *ifd0, *gps)) return ExifEdit::kBroken;
  }
  if (const auto serial = edit.Find(*ifd0, kCameraSerialTag)) {
    if (!edit.Plan(*ifd0, *serial)) return ExifEdit::kBroken;
  }
  if (const auto pointer = edit.Find(*ifd0, kExifIfdTag)) {
    const std::optional<Span> exif = edit.Directory(edit.Get(*pointer + 8, 4));
    if (!exif) return ExifEdit::kBroken;
    for (const uint32_t tag : {kBodySerialTag, kLensSerialTag}) {
      const auto serial = edit.Find(*exif, tag);
      if (serial && !edit.Plan(*exif, *serial)) return ExifEdit::kBroken;
    }
  }
  if (!edit.planned()) return ExifEdit::kUnchanged;
  edit.Apply();
  return ExifEdit::kRemoved;
}

}  // namespace orvanta
