// Finding the XMP packets of TIFF, PNG and WebP files, and hiding the large
// ones from the libraries that read them. exiv2's XMP parser takes time
// that grows with the square of a packet's properties (15 s for 50,000)
// and ImageMagick's reading of TIFF tag 700 longer still; a packet is
// hidden by renaming it in place (its tag, chunk or chunk type), which
// keeps every offset in the file, so readers skip it as an unknown field.
#ifndef ORVANTA_IMAGETOOLS_XMP_PACKETS_H_
#define ORVANTA_IMAGETOOLS_XMP_PACKETS_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

// XMP packets larger than this, or with more elements and attributes
// (its '<' and '=' marks) than kXmpMarkBound, are not read: 10,000
// properties in 250 KB take exiv2 0.7 s, 2,500 some 40 ms.
inline constexpr size_t kXmpPacketBound = 256 * 1024;
inline constexpr size_t kXmpMarkBound = 5000;

struct XmpPacket {
  size_t name_at = 0;       // where the bytes naming it sit in the file
  std::string hidden_name;  // what hides it, written there
  size_t data_at = 0;       // the packet itself
  size_t size = 0;
  bool in_tiff = false;  // tag 700 of a TIFF directory
};

// The XMP packets of the TIFF, PNG or WebP file `file`; none for other
// formats. Bad offsets end the search.
std::vector<XmpPacket> FindXmpPackets(std::string_view file);

// True when `packet` of `file` is over the bounds above (or lies outside
// the file).
bool CostlyToParse(std::string_view file, const XmpPacket& packet);

// Hides `packet`, found in the same bytes `file`.
void HideXmpPacket(char* file, const XmpPacket& packet);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_XMP_PACKETS_H_
