// The edits in place of HEIF items and of the pictures after a JPEG.
// exiv2's XMP parser is the only library call; its exceptions stay here.
#include "imagetools/metadata_in_place.h"

#include <cstdint>
#include <cstring>
#include <exiv2/exiv2.hpp>

#include "imagetools/exif_in_place.h"
#include "imagetools/heif_items.h"
#include "imagetools/jpeg_segments.h"
#include "imagetools/location_traces.h"

namespace orvanta {
namespace {

// The TIFF block of an EXIF block at `tiff`.
bool EditTiff(char* tiff, size_t size) {
  const ExifEdit edit = RemoveLocationInPlace(tiff, size);
  if (edit == ExifEdit::kBroken) throw LocationNotRemoved();
  return edit == ExifEdit::kRemoved;
}

// The EXIF item of a HEIF file: a 4-byte offset to its TIFF header, which
// follows.
bool EditHeifExif(char* exif, size_t size) {
  if (size < 4) throw LocationNotRemoved();
  const uint32_t offset = static_cast<uint8_t>(exif[0]) << 24 |
                          static_cast<uint8_t>(exif[1]) << 16 |
                          static_cast<uint8_t>(exif[2]) << 8 |
                          static_cast<uint8_t>(exif[3]);
  if (offset > size - 4) throw LocationNotRemoved();
  return EditTiff(exif + 4 + offset, size - 4 - offset);
}

// The XMP packet at `packet`, written again without the position when it
// names one.
bool EditXmp(char* packet, size_t size) {
  const std::string_view text(packet, size);
  if (!HoldsLocationTrace(text)) return false;
  std::string edited;
  try {
    Exiv2::XmpData xmp;
    if (Exiv2::XmpParser::decode(xmp, std::string(text)) != 0) {
      throw LocationNotRemoved();
    }
    for (auto datum = xmp.begin(); datum != xmp.end();) {
      datum = IsLocationKey(datum->key()) ? xmp.erase(datum) : datum + 1;
    }
    if (Exiv2::XmpParser::encode(edited, xmp,
                                 Exiv2::XmpParser::useCompactFormat) != 0) {
      throw LocationNotRemoved();
    }
  } catch (const Error&) {
    throw;
  } catch (...) {
    throw LocationNotRemoved();
  }
  if (edited.empty()) {  // readers take a blank packet for a broken one
    edited =
        "<?xpacket begin='\xEF\xBB\xBF' id='W5M0MpCehiHzreSzNTczkc9d'?>"
        "<x:xmpmeta xmlns:x='adobe:ns:meta/'/><?xpacket end='w'?>";
  }
  if (edited.size() > size || HoldsLocationTrace(edited)) {
    throw LocationNotRemoved();
  }
  edited.resize(size, ' ');
  edited.copy(packet, size);
  return true;
}

// The EXIF and XMP blocks of the JPEG at `start`; where it ends.
std::optional<size_t> EditJpeg(std::string* file, size_t start, bool* edited) {
  static constexpr std::string_view kExif("Exif\0\0", 6);
  static constexpr std::string_view kXmp("http://ns.adobe.com/xap/1.0/\0", 29);
  return WalkJpeg(*file, start, [&](const JpegSegment& segment) {
    if (segment.marker != 0xE1) return true;
    char* data = file->data() + segment.at + 4;
    const size_t size = segment.size - 4;
    const std::string_view block(data, size);
    if (block.starts_with(kExif)) {
      *edited |= EditTiff(data + kExif.size(), size - kExif.size());
    } else if (block.starts_with(kXmp)) {
      *edited |= EditXmp(data + kXmp.size(), size - kXmp.size());
    }
    return true;
  });
}

}  // namespace

Error LocationNotRemoved() {
  return Error("its location could not be removed", ErrorKind::kImageData);
}

std::optional<std::string> WithoutLocationInHeif(std::string_view file) {
  const auto items = FindHeifMetadata(file);
  if (!items) throw LocationNotRemoved();
  std::string edited_file(file);
  bool edited = false;
  for (const HeifItem& item : *items) {
    const bool xmp = item.content_type == "application/rdf+xml";
    if (item.type != "Exif" && !xmp) continue;
    if (!item.at) throw LocationNotRemoved();
    char* data = edited_file.data() + *item.at;
    edited |= xmp ? EditXmp(data, item.size) : EditHeifExif(data, item.size);
  }
  if (!edited) return std::nullopt;
  return edited_file;
}

std::optional<std::string> WithoutLocationAfterJpeg(std::string_view file) {
  const std::optional<size_t> first_end =
      WalkJpeg(file, 0, [](const JpegSegment&) { return true; });
  if (!first_end || *first_end == file.size()) return std::nullopt;
  std::string edited_file(file);
  bool edited = false;
  for (size_t from = *first_end, at;
       (at = edited_file.find("\xFF\xD8\xFF", from)) != std::string::npos;) {
    const std::optional<size_t> end = EditJpeg(&edited_file, at, &edited);
    from = end ? *end : at + 3;
  }
  if (!edited) return std::nullopt;
  return edited_file;
}

}  // namespace orvanta
