// The few libheif functions that reading a HEIF picture's metadata needs,
// loaded when the first HEIF picture is read: libheif brings its encoders
// and decoders (x265, aom, dav1d, libde265), megabytes that a run of JPEGs
// alone should neither load nor start.
#ifndef ORVANTA_IMAGETOOLS_HEIF_LIBRARY_H_
#define ORVANTA_IMAGETOOLS_HEIF_LIBRARY_H_

#include <libheif/heif.h>

namespace orvanta {

struct HeifLibrary {
  decltype(&heif_context_alloc) context_alloc;
  decltype(&heif_context_free) context_free;
  decltype(&heif_context_read_from_memory_without_copy) read_from_memory;
  decltype(&heif_context_get_primary_image_handle) primary_image_handle;
  decltype(&heif_image_handle_release) handle_release;
  decltype(&heif_image_handle_get_number_of_metadata_blocks) block_count;
  decltype(&heif_image_handle_get_list_of_metadata_block_IDs) block_ids;
  decltype(&heif_image_handle_get_metadata_size) block_size;
  decltype(&heif_image_handle_get_metadata) block;
  decltype(&heif_image_handle_get_metadata_content_type) block_type;
};

// The library's functions, loaded on the first call (safe from several
// threads at once); nullptr when libheif is not installed or lacks one.
const HeifLibrary* LoadHeifLibrary();

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_HEIF_LIBRARY_H_
