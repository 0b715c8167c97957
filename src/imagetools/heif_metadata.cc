// Reading a HEIF picture's metadata blocks through libheif's C API, from
// the bytes in memory without copying them.
#include "imagetools/heif_metadata.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "imagetools/heif_library.h"

namespace orvanta {
namespace {

// EXIF blocks hold 64 KB in JPEGs; XMP packets over 256 KB are not parsed.
constexpr size_t kLargestBlock = 4 * 1024 * 1024;
constexpr char kXmpType[] = "application/rdf+xml";

struct FreeContext {
  const HeifLibrary* heif;
  void operator()(heif_context* context) const { heif->context_free(context); }
};
struct ReleaseHandle {
  const HeifLibrary* heif;
  void operator()(heif_image_handle* handle) const {
    heif->handle_release(handle);
  }
};

// The IDs of the image's metadata blocks of `type` ("Exif", "mime").
std::vector<heif_item_id> BlockIds(const HeifLibrary& heif,
                                   const heif_image_handle* handle,
                                   const char* type) {
  const int count = heif.block_count(handle, type);
  if (count <= 0) return {};
  std::vector<heif_item_id> ids(static_cast<size_t>(count));
  const int listed = heif.block_ids(handle, type, ids.data(), count);
  ids.resize(static_cast<size_t>(std::clamp(listed, 0, count)));
  return ids;
}

std::optional<std::string> Block(const HeifLibrary& heif,
                                 const heif_image_handle* handle,
                                 heif_item_id id) {
  const size_t size = heif.block_size(handle, id);
  if (size == 0 || size > kLargestBlock) return std::nullopt;
  std::string bytes(size, '\0');
  if (heif.block(handle, id, bytes.data()).code != heif_error_Ok) {
    return std::nullopt;
  }
  return bytes;
}

// The TIFF data of an EXIF block, which starts with the big-endian offset
// from its end to the TIFF header (6 past an "Exif\0\0" mark).
std::optional<std::string> TiffOf(const std::string& block) {
  if (block.size() < 4) return std::nullopt;
  uint32_t offset = 0;
  for (int i = 0; i < 4; ++i) {
    offset = offset << 8 | static_cast<unsigned char>(block[i]);
  }
  if (offset >= block.size() - 4) return std::nullopt;
  return block.substr(4 + offset);
}

HeifMetadataBlocks ReadBlocks(const HeifLibrary& heif,
                              const heif_image_handle* handle) {
  HeifMetadataBlocks blocks;
  for (const heif_item_id id : BlockIds(heif, handle, "Exif")) {
    const std::optional<std::string> block = Block(heif, handle, id);
    std::optional<std::string> tiff = block ? TiffOf(*block) : std::nullopt;
    if (tiff) blocks.exif.push_back(std::move(*tiff));
  }
  for (const heif_item_id id : BlockIds(heif, handle, "mime")) {
    const char* type = heif.block_type(handle, id);
    if (type == nullptr || std::string_view(type) != kXmpType) continue;
    std::optional<std::string> block = Block(heif, handle, id);
    if (!block) continue;
    blocks.xmp = std::move(*block);
    break;
  }
  return blocks;
}

}  // namespace

std::optional<HeifMetadataBlocks> ReadHeifMetadataBlocks(
    std::string_view file) {
  const HeifLibrary* heif = LoadHeifLibrary();
  if (heif == nullptr) return std::nullopt;
  try {
    std::unique_ptr<heif_context, FreeContext> context(heif->context_alloc(),
                                                       FreeContext{heif});
    if (context == nullptr ||
        heif->read_from_memory(context.get(), file.data(), file.size(), nullptr)
                .code != heif_error_Ok) {
      return std::nullopt;
    }
    heif_image_handle* primary = nullptr;
    if (heif->primary_image_handle(context.get(), &primary).code !=
        heif_error_Ok) {
      return std::nullopt;
    }
    std::unique_ptr<heif_image_handle, ReleaseHandle> handle(
        primary, ReleaseHandle{heif});
    return ReadBlocks(*heif, handle.get());
  } catch (...) {
    return std::nullopt;  // memory ran out: nothing is read
  }
}

}  // namespace orvanta
