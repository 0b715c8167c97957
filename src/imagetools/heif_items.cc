// A walk through a HEIF file's boxes to its metadata items. Every number
// read is checked against the box it belongs to.
#include "imagetools/heif_items.h"

#include <cstdint>
#include <map>

namespace orvanta {
namespace {

// Big-endian numbers read one after the other from [at, end); reading past
// `end` fails the reader.
class Reader {
 public:
  Reader(std::string_view file, size_t at, size_t end)
      : file_(file), at_(at), end_(end) {}

  uint64_t Number(int bytes) {
    if (bytes < 0 || bytes > 8 || static_cast<size_t>(bytes) > end_ - at_) {
      failed_ = true;
      at_ = end_;
      return 0;
    }
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) {
      value = value << 8 | static_cast<uint8_t>(file_[at_ + i]);
    }
    at_ += bytes;
    return value;
  }
  std::string Text(int bytes) {
    const size_t at = at_;
    Number(bytes);
    return failed_ ? "" : std::string(file_.substr(at, bytes));
  }
  // Up to the next NUL, which is skipped.
  std::string Terminated() {
    const size_t nul = file_.substr(0, end_).find('\0', at_);
    if (nul == std::string_view::npos) {
      failed_ = true;
      return "";
    }
    std::string text(file_.substr(at_, nul - at_));
    at_ = nul + 1;
    return text;
  }
  size_t at() const { return at_; }
  bool failed() const { return failed_; }

 private:
  std::string_view file_;
  size_t at_, end_;
  bool failed_ = false;
};

struct Box {
  std::string type;
  size_t data = 0;  // after the size and type
  size_t end = 0;
};

// The box at `at`, which must end by `end`.
std::optional<Box> BoxAt(std::string_view file, size_t at, size_t end) {
  Reader reader(file, at, end);
  uint64_t size = reader.Number(4);
  Box box;
  box.type = reader.Text(4);
  if (size == 1) size = reader.Number(8);
  if (size == 0) size = end - at;
  if (reader.failed() || size < reader.at() - at || size > end - at) {
    return std::nullopt;
  }
  box.data = reader.at();
  box.end = at + size;
  return box;
}

// The boxes from `at` to `end`; nothing when one does not fit.
std::optional<std::vector<Box>> Boxes(std::string_view file, size_t at,
                                      size_t end) {
  std::vector<Box> boxes;
  while (at < end) {
    const std::optional<Box> box = BoxAt(file, at, end);
    if (!box) return std::nullopt;
    boxes.push_back(*box);
    at = box->end;
  }
  return boxes;
}

// Item ids and their items from iinf (item info entries of version 2, 3).
bool ReadItemInfos(std::string_view file, const Box& iinf,
                   std::map<uint32_t, HeifItem>* items) {
  Reader header(file, iinf.data, iinf.end);
  const int version = static_cast<int>(header.Number(1));
  header.Number(3);
  header.Number(version == 0 ? 2 : 4);
  const auto entries = Boxes(file, header.at(), iinf.end);
  if (header.failed() || !entries) return false;
  for (const Box& infe : *entries) {
    Reader reader(file, infe.data, infe.end);
    const int entry_version = static_cast<int>(reader.Number(1));
    reader.Number(3);
    if (infe.type != "infe" || entry_version < 2) continue;
    const uint32_t id = reader.Number(entry_version == 2 ? 2 : 4);
    reader.Number(2);
    HeifItem item;
    item.type = reader.Text(4);
    reader.Terminated();
    if (item.type == "mime") item.content_type = reader.Terminated();
    if (reader.failed()) return false;
    if (item.type == "Exif" || item.type == "mime") (*items)[id] = item;
  }
  return true;
}

// Where the items lie, from iloc; `idat` is where the idat box's data
// starts (construction method 1).
bool ReadLocations(std::string_view file, const Box& iloc,
                   std::optional<size_t> idat,
                   std::map<uint32_t, HeifItem>* items) {
  Reader reader(file, iloc.data, iloc.end);
  const int version = static_cast<int>(reader.Number(1));
  reader.Number(3);
  const int sizes = static_cast<int>(reader.Number(1));
  const int more = static_cast<int>(reader.Number(1));
  const int offset_size = sizes >> 4, length_size = sizes & 15;
  const int base_size = more >> 4;
  const int index_size = version == 1 || version == 2 ? more & 15 : 0;
  const uint64_t count = reader.Number(version < 2 ? 2 : 4);
  for (uint64_t i = 0; i < count && !reader.failed(); ++i) {
    const uint32_t id = reader.Number(version < 2 ? 2 : 4);
    const int method = version == 1 || version == 2
                           ? static_cast<int>(reader.Number(2) & 15)
                           : 0;
    reader.Number(2);
    const uint64_t base = reader.Number(base_size);
    const uint64_t extents = reader.Number(2);
    uint64_t offset = 0, length = 0;
    for (uint64_t e = 0; e < extents && !reader.failed(); ++e) {
      reader.Number(index_size);
      offset = reader.Number(offset_size);
      length = reader.Number(length_size);
    }
    auto item = items->find(id);
    if (item == items->end()) continue;
    const uint64_t start = base + offset + (method == 1 && idat ? *idat : 0);
    if (extents == 1 && length > 0 && (method == 0 || (method == 1 && idat)) &&
        start <= file.size() && length <= file.size() - start) {
      item->second.at = start;
      item->second.size = length;
    }
  }
  return !reader.failed();
}

}  // namespace

bool IsHeif(std::string_view file) {
  return file.size() >= 12 && file.substr(4, 4) == "ftyp";
}

std::optional<std::vector<HeifItem>> FindHeifMetadata(std::string_view file) {
  const auto top = Boxes(file, 0, file.size());
  if (!top) return std::nullopt;
  std::vector<HeifItem> found;
  for (const Box& meta : *top) {
    if (meta.type != "meta") continue;
    const auto boxes = Boxes(file, meta.data + 4, meta.end);
    if (meta.end - meta.data < 4 || !boxes) return std::nullopt;
    std::map<uint32_t, HeifItem> items;
    std::optional<size_t> idat;
    for (const Box& box : *boxes) {
      if (box.type == "idat") idat = box.data;
      if (box.type == "iinf" && !ReadItemInfos(file, box, &items)) {
        return std::nullopt;
      }
    }
    for (const Box& box : *boxes) {
      if (box.type == "iloc" && !ReadLocations(file, box, idat, &items)) {
        return std::nullopt;
      }
    }
    for (auto& [id, item] : items) found.push_back(item);
  }
  return found;
}

}  // namespace orvanta
