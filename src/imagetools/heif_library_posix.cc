// Loading libheif with dlopen, by the name of the library the program was
// built against.
#include <dlfcn.h>

#include <type_traits>

#include "imagetools/heif_library.h"

namespace orvanta {
namespace {

// Each function of `library` looked up in `handle`; false when one is
// missing.
bool FindFunctions(void* handle, HeifLibrary* library) {
  bool found = true;
  const auto find = [handle, &found](auto* function, const char* name) {
    void* symbol = dlsym(handle, name);
    found = found && symbol != nullptr;
    *function =
        reinterpret_cast<std::remove_pointer_t<decltype(function)>>(symbol);
  };
  find(&library->context_alloc, "heif_context_alloc");
  find(&library->context_free, "heif_context_free");
  find(&library->read_from_memory,
       "heif_context_read_from_memory_without_copy");
  find(&library->primary_image_handle, "heif_context_get_primary_image_handle");
  find(&library->handle_release, "heif_image_handle_release");
  find(&library->block_count,
       "heif_image_handle_get_number_of_metadata_blocks");
  find(&library->block_ids, "heif_image_handle_get_list_of_metadata_block_IDs");
  find(&library->block_size, "heif_image_handle_get_metadata_size");
  find(&library->block, "heif_image_handle_get_metadata");
  find(&library->block_type, "heif_image_handle_get_metadata_content_type");
  return found;
}

const HeifLibrary* Load() {
  // Never closed: the functions stay valid for the rest of the run.
  void* handle = dlopen(ORVANTA_LIBHEIF_SONAME, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) return nullptr;
  static HeifLibrary library;
  if (!FindFunctions(handle, &library)) return nullptr;
  return &library;
}

}  // namespace

const HeifLibrary* LoadHeifLibrary() {
  static const HeifLibrary* const library = Load();
  return library;
}

}  // namespace orvanta
