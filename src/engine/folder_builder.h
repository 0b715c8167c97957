// One folder of the gallery: its checks, its information file, its file
// list and thumbnails, and its index.html written from the index template.
#ifndef ORVANTA_ENGINE_FOLDER_BUILDER_H_
#define ORVANTA_ENGINE_FOLDER_BUILDER_H_

#include <string>

#include "engine/run_context.h"

namespace orvanta {

inline constexpr char kDoNotModifyFile[] = "DoNotModify.txt";

// Processes `folder` (with or without a trailing separator) at `level` (1
// for the input folder) and, through its subfolder navigation, everything
// below it. `parent_title` is the parent's HTML title ("" for the input
// folder). Failures are shown and end in abort_processing; nothing throws.
void BuildFolderGallery(RunContext& ctx, const std::string& folder, int level,
                        const std::string& parent_title);

// Whether the file at `path` may be written: yes when overwriting without
// asking is on or there is no such file; otherwise the person is asked
// (Cancel also abandons the run).
bool ConfirmOverwrite(RunContext& ctx, const std::string& path);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_FOLDER_BUILDER_H_
