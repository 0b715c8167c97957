// Making the missing thumbnails and mid-size copies of a folder, with the
// image tool or the external converter, with progress, abort and the error
// prompts.
#ifndef ORVANTA_ENGINE_THUMBNAILS_H_
#define ORVANTA_ENGINE_THUMBNAILS_H_

#include <cstdint>

#include "engine/run_context.h"

namespace orvanta {

// Makes the thumbnails and mid-size copies of info.work beside the files.
// `other_file_count` is the number of the folder's listed files that need
// none (for the overall progress). Picture errors are recorded in the
// run's error list; other failures ask the person whether to go on; Cancel
// or an abort request sets abort_processing.
void CreateThumbnails(RunContext& ctx, const FolderInfo& info,
                      int32_t other_file_count);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_THUMBNAILS_H_
