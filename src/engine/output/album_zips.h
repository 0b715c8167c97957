// Album downloads: a zip of each folder's own pictures and movies as the
// gallery publishes them (beside the pictures the originals; in an output
// folder the published files), named after the folder. A zip is made
// again only when the files it holds changed: its comment carries their
// names, sizes and times. A file of its name that this program did not
// write is left alone. A dry run writes none and lists those it would.
#ifndef ORVANTA_ENGINE_OUTPUT_ALBUM_ZIPS_H_
#define ORVANTA_ENGINE_OUTPUT_ALBUM_ZIPS_H_

#include <optional>

#include "engine/plan/gallery_plan.h"
#include "engine/run_context.h"
#include "engine/styles/page_style.h"

namespace orvanta {

// The folder's album download, made or kept; none when the options ask for
// none, the folder has no files, or it could not be made (listed as an
// error; an abort request sets abort_processing).
std::optional<AlbumDownload> MakeAlbumZip(RunContext& ctx,
                                          const FolderPlan& folder);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_OUTPUT_ALBUM_ZIPS_H_
