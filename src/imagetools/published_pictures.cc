// Pictures published without their position: exiv2 rewrites the metadata
// of the formats it can write; HEIF files and the pictures after a JPEG's
// end are edited in place; every result is checked once more, by exiv2
// where anything was edited and for traces in the bytes always. Every
// exiv2 exception stays in this file.
#include <exiv2/exiv2.hpp>
#include <exiv2/webpimage.hpp>
#include <memory>
#include <optional>
#include <string_view>

#include "common/error.h"
#include "imagetools/exiv2_library.h"
#include "imagetools/heif_items.h"
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
std::optional<std::string> WithoutLocation(std::string_view bytes) {
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
    throw LocationNotRemoved();
  }
  WritePublished(fs, target, edited ? *edited : bytes);
}

}  // namespace orvanta
