// Pictures published without their position: exiv2 rewrites the metadata
// of the formats it can write; HEIF files are edited in place; every result
// is checked once more, by exiv2 where it edited and for traces in the
// bytes always. Every exiv2 exception stays in this file.
#include <exiv2/exiv2.hpp>
#include <exiv2/webpimage.hpp>
#include <memory>
#include <optional>
#include <string_view>

#include "common/error.h"
#include "imagetools/exif_in_place.h"
#include "imagetools/exiv2_library.h"
#include "imagetools/heif_items.h"
#include "imagetools/location_traces.h"
#include "imagetools/picture_files.h"
#include "imagetools/published_files.h"

namespace orvanta {
namespace {

Error CannotRemove() {
  return Error("its location could not be removed", ErrorKind::kImageData);
}

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
  io.seek(0, Exiv2::BasicIo::beg);
  const Exiv2::DataBuf data = io.read(static_cast<long>(io.size()));
  io.close();
  return std::string(reinterpret_cast<const char*>(data.pData_), data.size_);
}

// The EXIF block of the HEIF item at `exif`: a 4-byte offset to its TIFF
// header, which follows.
bool EditHeifExif(char* exif, size_t size) {
  if (size < 4) return false;
  const uint32_t offset = static_cast<uint8_t>(exif[0]) << 24 |
                          static_cast<uint8_t>(exif[1]) << 16 |
                          static_cast<uint8_t>(exif[2]) << 8 |
                          static_cast<uint8_t>(exif[3]);
  if (offset > size - 4) throw CannotRemove();
  const ExifEdit edit =
      RemoveLocationInPlace(exif + 4 + offset, size - 4 - offset);
  if (edit == ExifEdit::kBroken) throw CannotRemove();
  return edit == ExifEdit::kRemoved;
}

// The XMP packet at `packet`, written again without the position when it
// names one, padded with blanks to its length.
bool EditHeifXmp(char* packet, size_t size) {
  const std::string_view text(packet, size);
  if (!HoldsLocationTrace(text)) return false;
  Exiv2::XmpData xmp;
  std::string edited;
  if (Exiv2::XmpParser::decode(xmp, std::string(text)) != 0 ||
      !EraseFrom(xmp) ||
      Exiv2::XmpParser::encode(edited, xmp,
                               Exiv2::XmpParser::useCompactFormat) != 0 ||
      edited.size() > size) {
    throw CannotRemove();
  }
  edited.resize(size, ' ');
  edited.copy(packet, size);
  return true;
}

// The HEIF file in `bytes` with its EXIF blocks and XMP packets edited;
// nothing when they hold no position.
std::optional<std::string> WithoutLocationInHeif(std::string_view bytes) {
  const auto items = FindHeifMetadata(bytes);
  if (!items) throw CannotRemove();
  std::string file(bytes);
  bool edited = false;
  for (const HeifItem& item : *items) {
    const bool xmp = item.content_type == "application/rdf+xml";
    if (item.type != "Exif" && !xmp) continue;
    if (!item.at) throw CannotRemove();
    char* data = file.data() + *item.at;
    edited |=
        xmp ? EditHeifXmp(data, item.size) : EditHeifExif(data, item.size);
  }
  if (!edited) return std::nullopt;
  return file;
}

// `bytes` without the position; nothing when they hold none to remove.
std::optional<std::string> WithoutLocation(std::string_view bytes) {
  std::optional<std::string> edited;
  std::unique_ptr<Exiv2::Image> image = OpenWithExiv2(bytes);
  if (image && WritableByExiv2(image->imageType())) {
    if (EraseLocation(*image)) edited = WrittenFile(*image);
  } else {
    if (IsHeif(bytes)) edited = WithoutLocationInHeif(bytes);
    // What exiv2 reads and the edit did not reach (a MakerNote's serial
    // number, a format of its own).
    if (!edited && image && HoldsLocation(*image)) throw CannotRemove();
  }
  // What exiv2 made or what was edited in place, read once more.
  if (edited) {
    image = OpenWithExiv2(*edited);
    if (image && HoldsLocation(*image)) throw CannotRemove();
  }
  if (HoldsLocationTrace(edited ? *edited : bytes)) throw CannotRemove();
  return edited;
}

}  // namespace

void PublishPicture(FileSystem& fs, const std::string& source,
                    const std::string& target, bool remove_location) {
  if (!remove_location) {
    CopyPublished(fs, source, target);
    return;
  }
  SetUpExiv2Once();
  const std::string bytes = ReadPicture(fs, source);
  std::optional<std::string> edited;
  try {
    edited = WithoutLocation(bytes);
  } catch (const Error&) {
    throw;
  } catch (...) {
    // exiv2 could not read or write the picture: it may hold a position.
    throw CannotRemove();
  }
  WritePublished(fs, target, edited ? *edited : bytes);
}

}  // namespace orvanta
