// Fuzz target: removing the position from a picture's bytes in place. The
// input is a picture file (a JPEG with more pictures after its end, a
// HEIC, a TIFF block), given to the trace scan, the HEIF and JPEG edits
// and the EXIF edit. Checked besides memory safety: an edit keeps the
// file's length and everything before a JPEG's end; a refused EXIF edit
// changes nothing, a done one leaves a readable block; an edit fails
// only with the error that says the location could not be removed.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/error.h"
#include "fuzz_support.h"
#include "imagetools/exif_in_place.h"
#include "imagetools/jpeg_segments.h"
#include "imagetools/location_traces.h"
#include "imagetools/metadata_in_place.h"

namespace orvanta::fuzz {
namespace {

void CheckEdit(std::string_view file,
               std::optional<std::string> (*edit)(std::string_view)) {
  try {
    const std::optional<std::string> edited = edit(file);
    Check(!edited || edited->size() == file.size(), "an edit keeps the length");
    const auto end = WalkJpeg(file, 0, [](const JpegSegment&) { return true; });
    Check(!edited || !end || edited->compare(0, *end, file, 0, *end) == 0,
          "an edit keeps the first picture of a JPEG");
  } catch (const Error& e) {
    Check(e.kind() == ErrorKind::kImageData, "a refusal is an image error");
  }
}

void EditTiff(std::string_view file) {
  std::string tiff(file);
  const ExifEdit first = RemoveLocationInPlace(tiff.data(), tiff.size());
  Check(first != ExifEdit::kBroken || tiff == file,
        "a refused EXIF edit changes nothing");
  // Folders that share entries can need a second pass (published files
  // are scanned for traces after the edit and refused when any are left);
  // an edited block stays one the edit can read.
  if (first == ExifEdit::kRemoved) {
    Check(RemoveLocationInPlace(tiff.data(), tiff.size()) != ExifEdit::kBroken,
          "an EXIF edit leaves a block that can be read");
  }
}

}  // namespace
}  // namespace orvanta::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  orvanta::HoldsLocationTrace(file);
  orvanta::fuzz::CheckEdit(file, orvanta::WithoutLocationInHeif);
  orvanta::fuzz::CheckEdit(file, orvanta::WithoutLocationAfterJpeg);
  orvanta::fuzz::EditTiff(file);
  return 0;
}
