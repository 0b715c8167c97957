// Reading a HEIF picture's metadata blocks through libheif's C API, from
// the bytes in memory without copying them.
#include "imagetools/heif_metadata.h"

#include <libheif/heif.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace orvanta {
namespace {

// EXIF blocks hold 64 KB in JPEGs; XMP packets over 256 KB are not parsed.
constexpr size_t kLargestBlock = 4 * 1024 * 1024;
constexpr char kXmpType[] = "application/rdf+xml";

struct FreeContext {
  void operator()(heif_context* context) const { heif_context_free(context); }
};
struct ReleaseHandle {
  void operator()(heif_image_handle* handle) const {
    heif_image_handle_release(handle);
  }
};

// The IDs of the image's metadata blocks of `type` ("Exif", "mime").
std::vector<heif_item_id> BlockIds(const heif_image_handle* handle,
                                   const char* type) {
  const int count =
      heif_image_handle_get_number_of_metadata_blocks(handle, type);
  if (count <= 0) return {};
  std::vector<heif_item_id> ids(static_cast<size_t>(count));
  const int listed = heif_image_handle_get_list_of_metadata_block_IDs(
      handle, type, ids.data(), count);
  ids.resize(static_cast<size_t>(std::clamp(listed, 0, count)));
  return ids;
}

std::optional<std::string> Block(const heif_image_handle* handle,
                                 heif_item_id id) {
  const size_t size = heif_image_handle_get_metadata_size(handle, id);
  if (size == 0 || size > kLargestBlock) return std::nullopt;
  std::string bytes(size, '\0');
  if (heif_image_handle_get_metadata(handle, id, bytes.data()).code !=
      heif_error_Ok) {
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

HeifMetadataBlocks ReadBlocks(const heif_image_handle* handle) {
  HeifMetadataBlocks blocks;
  for (const heif_item_id id : BlockIds(handle, "Exif")) {
    const std::optional<std::string> block = Block(handle, id);
    std::optional<std::string> tiff = block ? TiffOf(*block) : std::nullopt;
    if (tiff) blocks.exif.push_back(std::move(*tiff));
  }
  for (const heif_item_id id : BlockIds(handle, "mime")) {
    const char* type = heif_image_handle_get_metadata_content_type(handle, id);
    if (type == nullptr || std::string_view(type) != kXmpType) continue;
    std::optional<std::string> block = Block(handle, id);
    if (!block) continue;
    blocks.xmp = std::move(*block);
    break;
  }
  return blocks;
}

}  // namespace

std::optional<HeifMetadataBlocks> ReadHeifMetadataBlocks(
    std::string_view file) {
  try {
    std::unique_ptr<heif_context, FreeContext> context(heif_context_alloc());
    if (context == nullptr ||
        heif_context_read_from_memory_without_copy(context.get(), file.data(),
                                                   file.size(), nullptr)
                .code != heif_error_Ok) {
      return std::nullopt;
    }
    heif_image_handle* primary = nullptr;
    if (heif_context_get_primary_image_handle(context.get(), &primary).code !=
        heif_error_Ok) {
      return std::nullopt;
    }
    std::unique_ptr<heif_image_handle, ReleaseHandle> handle(primary);
    return ReadBlocks(handle.get());
  } catch (...) {
    return std::nullopt;  // memory ran out: nothing is read
  }
}

}  // namespace orvanta
