// Pictures published without their position: exiv2 rewrites the metadata
// of the formats it can write; HEIF files and the pictures after a JPEG's
// end are edited in place; every result is checked once more, by exiv2
// where anything was edited and for traces in the bytes always. Every
// exiv2 exception stays in this file.
#include <algorithm>
#include <cstring>
#include <exiv2/exiv2.hpp>
#include <exiv2/webpimage.hpp>
#include <memory>
#include <optional>
#include <string_view>

#include "common/error.h"
#include "imagetools/exiv2_library.h"
#include "imagetools/heif_items.h"
#include "imagetools/jpeg_segments.h"
#include "imagetools/location_traces.h"
#include "imagetools/metadata_in_place.h"
#include "imagetools/picture_files.h"
#include "imagetools/published_files.h"

namespace orvanta {
namespace {

bool WritableByExiv2(int image_type) {
  return image_type == Exiv2::ImageType::jpeg ||
         image_type == Exiv2::ImageType::png ||
         image_type == Exiv2::ImageType::tiff ||
         image_type == Exiv2::ImageType::webp;
}

// The picture in `bytes` with its metadata read; nothing when exiv2 does
// not know its format or cannot read one it cannot write either (the
// other checks then stand alone). Throws when it cannot read a picture it
// could write: such a damaged file may hold anything.
std::unique_ptr<Exiv2::Image> OpenWithExiv2(std::string_view bytes) {
  const auto* data = reinterpret_cast<const Exiv2::byte*>(bytes.data());
  const long size = static_cast<long>(bytes.size());
  if (Exiv2::ImageFactory::getType(data, size) == Exiv2::ImageType::none) {
    return nullptr;
  }
  std::unique_ptr<Exiv2::Image> image(
      Exiv2::ImageFactory::open(data, size).release());
  try {
    image->readMetadata();
  } catch (...) {
    if (WritableByExiv2(image->imageType())) throw;
    return nullptr;
  }
  return image;
}

// Removes the position and serial numbers from one kind of metadata.
template <typename Data>
bool EraseFrom(Data& data) {
  bool erased = false;
  for (auto datum = data.begin(); datum != data.end();) {
    if (IsLocationKey(datum->key())) {
      datum = data.erase(datum);
      erased = true;
    } else {
      ++datum;
    }
  }
  return erased;
}

bool EraseLocation(Exiv2::Image& image) {
  const bool exif = EraseFrom(image.exifData());
  const bool xmp = EraseFrom(image.xmpData());
  const bool iptc = EraseFrom(image.iptcData());
  // The packet is made again from what is left; when nothing is, exiv2's
  // WebP writer would keep the old packet unless it is cleared.
  if (image.xmpData().empty()) image.clearXmpPacket();
  image.writeXmpFromPacket(false);
  return exif || xmp || iptc;
}

template <typename Data>
bool HoldsIn(const Data& data) {
  for (const auto& datum : data) {
    if (IsLocationKey(datum.key())) return true;
  }
  return false;
}

bool HoldsLocation(const Exiv2::Image& image) {
  return HoldsIn(image.exifData()) || HoldsIn(image.xmpData()) ||
         HoldsIn(image.iptcData());
}

// The file exiv2 wrote for `image`.
std::string WrittenFile(Exiv2::Image& image) {
  image.writeMetadata();
  Exiv2::BasicIo& io = image.io();
  io.open();
  const Exiv2::byte* data = io.mmap();
  std::string file(reinterpret_cast<const char*>(data), io.size());
  io.munmap();
  io.close();
  return file;
}

// `bytes` without the position; nothing when they hold none to remove.
std::optional<std::string> WithoutLocationWhole(std::string_view bytes) {
  std::optional<std::string> edited;
  std::unique_ptr<Exiv2::Image> image = OpenWithExiv2(bytes);
  if (image && WritableByExiv2(image->imageType())) {
    if (EraseLocation(*image)) edited = WrittenFile(*image);
    if (image->imageType() == Exiv2::ImageType::jpeg) {
      std::optional<std::string> after =
          WithoutLocationAfterJpeg(edited ? *edited : bytes);
      if (after) edited = std::move(after);
    }
  } else {
    if (IsHeif(bytes)) edited = WithoutLocationInHeif(bytes);
    // What exiv2 reads and the edit did not reach (a MakerNote's serial
    // number, a format of its own).
    if (!edited && image && HoldsLocation(*image)) throw LocationNotRemoved();
  }
  // What exiv2 made or what was edited in place, read once more.
  if (edited) {
    image = OpenWithExiv2(*edited);
    if (image && HoldsLocation(*image)) throw LocationNotRemoved();
  }
  if (HoldsLocationTrace(edited ? *edited : bytes)) throw LocationNotRemoved();
  return edited;
}

// A file to publish: `head`, then the source's bytes from `kept_from` on.
struct Publication {
  std::string head;
  size_t kept_from = 0;
};

// Where a JPEG's first scan starts; 0 when it has none.
size_t FirstScan(std::string_view bytes) {
  size_t scan = 0;
  WalkJpeg(bytes, 0, [&scan](const JpegSegment& segment) {
    if (segment.marker != 0xDA) return true;
    scan = segment.at + segment.size;
    return false;
  });
  return scan;
}

// `bytes` without the position, or as they are. A JPEG's metadata all comes
// before its first scan: exiv2 reads and rewrites that head alone and the
// picture data is kept as it is, unless pictures after its end hold
// metadata too.
Publication WithoutLocation(std::string_view bytes) {
  const size_t scan = FirstScan(bytes);
  if (scan == 0 || WithoutLocationAfterJpeg(bytes)) {
    std::optional<std::string> edited = WithoutLocationWhole(bytes);
    if (!edited) return {};
    return {std::move(*edited), bytes.size()};
  }
  std::optional<std::string> head = WithoutLocationWhole(bytes.substr(0, scan));
  if (HoldsLocationTraceFrom(bytes, scan)) throw LocationNotRemoved();
  if (!head) return {};
  return {std::move(*head), scan};
}

// How many bytes `a` and `b` end in alike.
size_t SameEnd(std::string_view a, std::string_view b) {
  constexpr size_t kBlock = 4096;
  size_t same = 0;
  const size_t most = std::min(a.size(), b.size());
  while (most - same >= kBlock &&
         std::memcmp(a.data() + a.size() - same - kBlock,
                     b.data() + b.size() - same - kBlock, kBlock) == 0) {
    same += kBlock;
  }
  while (same < most && a[a.size() - same - 1] == b[b.size() - same - 1]) {
    ++same;
  }
  return same;
}

// Writes `checked`, made from the `read` bytes of `source` (as they were
// at `before`): what the file keeps of them is copied from the source by
// the kernel, not from memory. A source changed meanwhile (its copied part
// may not be the one checked) has the target written from memory.
void WriteChecked(FileSystem& fs, const std::string& source,
                  const FileStatus& before, std::string_view read,
                  const Publication& checked, const std::string& target) {
  const std::string_view head = checked.head;
  const size_t same = SameEnd(read.substr(0, checked.kept_from), head);
  try {
    fs.WriteFileWith(target, [&](ByteSink& sink) {
      sink.Write(head.substr(0, head.size() - same));
      sink.AppendFileFrom(source, checked.kept_from - same);
    });
    const FileStatus after = fs.Status(source);
    if (after.size == read.size() && after.size == before.size &&
        after.modified_ns == before.modified_ns) {
      return;
    }
  } catch (const Error&) {
    // Written again from memory, which tells why it fails.
  }
  WritePublished(fs, target,
                 checked.head + std::string(read.substr(checked.kept_from)));
}

}  // namespace

void PublishPicture(FileSystem& fs, const std::string& source,
                    const std::string& target, bool remove_location) {
  if (!remove_location) {
    CopyPublished(fs, source, target);
    return;
  }
  SetUpExiv2Once();
  const FileStatus before = fs.Status(source);
  const std::string bytes = ReadPicture(fs, source);
  Publication edited;
  try {
    edited = WithoutLocation(bytes);
  } catch (const Error&) {
    throw;
  } catch (...) {
    // exiv2 could not read or write the picture: it may hold a position.
    throw LocationNotRemoved();
  }
  WriteChecked(fs, source, before, bytes, edited, target);
}

}  // namespace orvanta
