// The picture metadata reader on exiv2 0.27: the library is set up once
// (silent, its XMP toolkit started with a lock, HEIC/AVIF switched on),
// reads the picture from memory (a JPEG only through the copy of its
// metadata segments; a HEIF picture through the EXIF and XMP blocks
// libheif finds, as exiv2 0.27 reads none kept in the file's header;
// another format through a copy with its XMP packets too costly to parse
// hidden, when it has any), and the texts it finds are chosen, cleaned and
// checked here. Every exiv2 exception stays in this file.
#include "imagetools/picture_metadata.h"

#include <algorithm>
#include <cstdint>
#include <exiv2/exiv2.hpp>
#include <exiv2/webpimage.hpp>
#include <limits>
#include <memory>
#include <string_view>
#include <vector>

#include "imagetools/exiv2_library.h"
#include "imagetools/heif_items.h"
#include "imagetools/heif_metadata.h"
#include "imagetools/jpeg_metadata_head.h"
#include "imagetools/metadata_text.h"
#include "imagetools/xmp_packets.h"

namespace orvanta {
namespace {

bool IsReadFormat(int image_type) {
  return image_type == Exiv2::ImageType::jpeg ||
         image_type == Exiv2::ImageType::png ||
         image_type == Exiv2::ImageType::tiff ||
         image_type == Exiv2::ImageType::webp ||
         image_type == Exiv2::ImageType::bmff;
}

// The texts as found, before any choice.
struct FoundTexts : DateTexts {
  std::string xmp_title, iptc_title;
  std::string xmp_description, iptc_caption, exif_description, user_comment;
  std::string make, model, xmp_make, xmp_model;
  bool position = false;  // a GPS latitude or longitude
};

// The bytes of a text value up to its first NUL; empty for numbers.
std::string TextOf(const Exiv2::Value& value) {
  const Exiv2::TypeId type = value.typeId();
  if (type != Exiv2::asciiString && type != Exiv2::undefined &&
      type != Exiv2::unsignedByte && type != Exiv2::string &&
      type != Exiv2::xmpText) {
    return "";
  }
  std::string bytes(static_cast<size_t>(std::max(0L, value.size())), '\0');
  value.copy(reinterpret_cast<Exiv2::byte*>(bytes.data()), Exiv2::bigEndian);
  return bytes.substr(0, bytes.find('\0'));
}

// The text of a UserComment, by the character set its first 8 bytes name
// ("ASCII", "UNICODE" in the block's byte order, "JIS", none).
std::string CommentOf(const Exiv2::Value& value) {
  const auto* comment = dynamic_cast<const Exiv2::CommentValue*>(&value);
  if (comment == nullptr) return TextOf(value);
  if (comment->charsetId() == Exiv2::CommentValue::jis) return "";
  const std::string text = comment->comment();
  return text.substr(0, text.find('\0'));
}

void FindExif(const Exiv2::ExifData& exif, FoundTexts* found) {
  static constexpr struct {
    uint16_t tag;
    std::string_view group;  // "Image": the first directory
    std::string FoundTexts::*text;
  } kTags[] = {{0x010E, "Image", &FoundTexts::exif_description},
               {0x010F, "Image", &FoundTexts::make},
               {0x0110, "Image", &FoundTexts::model},
               {0x9003, "Photo", &FoundTexts::exif_taken},
               {0x9004, "Photo", &FoundTexts::exif_digitized},
               {0x9011, "Photo", &FoundTexts::exif_offset},
               {0x9012, "Photo", &FoundTexts::exif_digitized_offset},
               {0x9286, "Photo", &FoundTexts::user_comment}};
  for (const Exiv2::Exifdatum& datum : exif) {
    if ((datum.tag() == 0x0002 || datum.tag() == 0x0004) &&
        datum.groupName() == "GPSInfo") {
      found->position = true;
    }
    for (const auto& [tag, group, text] : kTags) {
      if (datum.tag() != tag || !(found->*text).empty() ||
          datum.groupName() != group) {
        continue;
      }
      found->*text =
          tag == 0x9286 ? CommentOf(datum.value()) : TextOf(datum.value());
    }
  }
}

void FindIptc(const Exiv2::IptcData& iptc, FoundTexts* found) {
  static constexpr std::pair<uint16_t, std::string FoundTexts::*> kTags[] = {
      {Exiv2::IptcDataSets::ObjectName, &FoundTexts::iptc_title},
      {Exiv2::IptcDataSets::Caption, &FoundTexts::iptc_caption},
      {Exiv2::IptcDataSets::DateCreated, &FoundTexts::iptc_date},
      {Exiv2::IptcDataSets::TimeCreated, &FoundTexts::iptc_time}};
  for (const Exiv2::Iptcdatum& datum : iptc) {
    if (datum.record() != Exiv2::IptcDataSets::application2) continue;
    for (const auto& [tag, text] : kTags) {
      if (datum.tag() == tag && (found->*text).empty()) {
        found->*text = datum.toString();
      }
    }
  }
}

// The x-default text of a language alternative, else its first.
std::string XmpTextOf(const Exiv2::Value& value) {
  const auto* alternatives = dynamic_cast<const Exiv2::LangAltValue*>(&value);
  if (alternatives == nullptr) {
    return value.count() > 0 ? value.toString(0) : "";
  }
  const auto chosen = alternatives->value_.find("x-default");
  if (chosen != alternatives->value_.end()) return chosen->second;
  return alternatives->value_.empty() ? ""
                                      : alternatives->value_.begin()->second;
}

void FindXmp(const Exiv2::XmpData& xmp, FoundTexts* found) {
  static constexpr std::pair<std::string_view, std::string FoundTexts::*>
      kKeys[] = {{"Xmp.dc.title", &FoundTexts::xmp_title},
                 {"Xmp.dc.description", &FoundTexts::xmp_description},
                 {"Xmp.exif.DateTimeOriginal", &FoundTexts::xmp_taken},
                 {"Xmp.photoshop.DateCreated", &FoundTexts::xmp_created},
                 {"Xmp.exif.DateTimeDigitized", &FoundTexts::xmp_digitized},
                 {"Xmp.xmp.CreateDate", &FoundTexts::xmp_create},
                 {"Xmp.tiff.Make", &FoundTexts::xmp_make},
                 {"Xmp.tiff.Model", &FoundTexts::xmp_model}};
  for (const Exiv2::Xmpdatum& datum : xmp) {
    const std::string key = datum.key();
    if (key == "Xmp.exif.GPSLatitude" || key == "Xmp.exif.GPSLongitude") {
      found->position = true;
    }
    for (const auto& [name, member] : kKeys) {
      if (key == name && (found->*member).empty()) {
        found->*member = XmpTextOf(datum.value());
      }
    }
  }
}

// The first of the raw texts worth showing, cleaned; empty when none is.
std::string FirstShown(std::initializer_list<const std::string*> raw_texts) {
  for (const std::string* raw : raw_texts) {
    std::string text = CleanMetadataText(*raw);
    if (!text.empty() && !IsCameraText(text)) return text;
  }
  return "";
}

// The metadata chosen from the texts found.
PictureMetadata Collect(const FoundTexts& found) {
  PictureMetadata metadata;
  metadata.has_position = found.position;
  metadata.taken = ChooseDateTaken(found);
  metadata.title = FirstShown({&found.xmp_title, &found.iptc_title});
  metadata.caption = FirstShown({&found.xmp_description, &found.iptc_caption,
                                 &found.exif_description, &found.user_comment});
  if (metadata.caption == metadata.title) metadata.caption.clear();
  metadata.camera =
      CameraName(CleanMetadataText(found.make), CleanMetadataText(found.model));
  if (metadata.camera.empty()) {
    metadata.camera = CameraName(CleanMetadataText(found.xmp_make),
                                 CleanMetadataText(found.xmp_model));
  }
  return metadata;
}

// A picture as exiv2 read it: nothing when exiv2 cannot open it or it is
// not one of the five formats; `whole` false when a fault stopped the
// reading (what was read before it is kept).
struct Reading {
  std::unique_ptr<Exiv2::Image> image;
  bool whole = false;
};

Reading ReadWithExiv2(std::string_view bytes) {
  Reading reading;
  try {
    reading.image.reset(Exiv2::ImageFactory::open(
                            reinterpret_cast<const Exiv2::byte*>(bytes.data()),
                            static_cast<long>(bytes.size()))
                            .release());
    if (reading.image == nullptr || !IsReadFormat(reading.image->imageType())) {
      reading.image.reset();
      return reading;
    }
    reading.image->readMetadata();
    reading.whole = true;
  } catch (...) {
    // Nothing the library could not read is worth a message.
  }
  return reading;
}

// A HEIF picture's metadata from the blocks libheif finds; nothing when
// libheif cannot read it.
std::optional<PictureMetadata> ReadHeif(std::string_view bytes) {
  const std::optional<HeifMetadataBlocks> blocks =
      ReadHeifMetadataBlocks(bytes);
  if (!blocks) return std::nullopt;
  FoundTexts found;
  for (const std::string& tiff : blocks->exif) {
    try {
      Exiv2::ExifData exif;
      Exiv2::ExifParser::decode(
          exif, reinterpret_cast<const Exiv2::byte*>(tiff.data()),
          static_cast<uint32_t>(tiff.size()));
      FindExif(exif, &found);
    } catch (...) {
      // A broken block gives nothing.
    }
  }
  const XmpPacket packet{0, "", 0, blocks->xmp.size()};
  if (!blocks->xmp.empty() && !CostlyToParse(blocks->xmp, packet)) {
    try {
      Exiv2::XmpData xmp;
      if (Exiv2::XmpParser::decode(xmp, blocks->xmp) == 0) FindXmp(xmp, &found);
    } catch (...) {
      // Broken XMP gives nothing.
    }
  }
  try {
    return Collect(found);
  } catch (...) {
    return PictureMetadata{};
  }
}

}  // namespace

PictureMetadata ReadPictureMetadata(const char* bytes, size_t length) {
  if (bytes == nullptr || length == 0 ||
      length > static_cast<size_t>(std::numeric_limits<long>::max())) {
    return {};
  }
  SetUpExiv2Once();
  if (IsHeif(std::string_view(bytes, length))) {
    std::optional<PictureMetadata> heif =
        ReadHeif(std::string_view(bytes, length));
    if (heif) return std::move(*heif);
  }
  std::string head;
  const bool jpeg = CopyJpegHead(bytes, length, &head) != JpegHead::kNotJpeg;
  std::string_view read(bytes, length);
  if (jpeg) {
    read = head;  // its XMP segment holds 64 KB at most
  } else {
    for (const XmpPacket& packet : FindXmpPackets(read)) {
      if (!CostlyToParse(read, packet)) continue;
      if (head.empty()) head.assign(bytes, length);
      HideXmpPacket(head.data(), packet);
    }
    if (!head.empty()) read = head;
  }
  const Reading reading = ReadWithExiv2(read);
  if (reading.image == nullptr) return {};
  // A broken EXIF block stops exiv2 before a JPEG's IPTC and XMP blocks:
  // they are read again on their own.
  Reading others;
  std::string head_without_exif;
  if (jpeg && !reading.whole) {
    CopyJpegHead(bytes, length, &head_without_exif, false);
    others = ReadWithExiv2(head_without_exif);
  }
  const Exiv2::Image& rest = others.image ? *others.image : *reading.image;
  try {
    FoundTexts found;
    FindExif(reading.image->exifData(), &found);
    FindIptc(rest.iptcData(), &found);
    FindXmp(rest.xmpData(), &found);
    return Collect(found);
  } catch (...) {
    return {};
  }
}

bool HoldsAllMetadata(const char* bytes, size_t length) {
  return bytes != nullptr &&
         CopyJpegHead(bytes, length, nullptr) == JpegHead::kComplete;
}

}  // namespace orvanta
