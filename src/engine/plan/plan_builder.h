// Building the plan of a gallery: the walk over the folders (their
// information files, their listed files and subfolders), what each file
// says of itself and its size (read by the run's workers), the order of
// each folder's files, and the picture work the create mode asks for. It
// writes nothing.
#ifndef ORVANTA_ENGINE_PLAN_PLAN_BUILDER_H_
#define ORVANTA_ENGINE_PLAN_PLAN_BUILDER_H_

#include <optional>
#include <string>

#include "engine/plan/gallery_plan.h"
#include "engine/run_context.h"
#include "imagetools/image_tool.h"

namespace orvanta {

// The file whose presence keeps a folder as it is.
inline constexpr char kDoNotModifyFile[] = "DoNotModify.txt";

// What the plan reads of the pictures.
struct PlanReading {
  bool facts = false;  // what they say of themselves (date, title...)
  // Whether pictures carry a GPS position, alone (EntryPlan::has_position).
  bool positions = false;
  bool show_facts = false;  // the pages show it
  // The pages play movies: what a clip holds (ffprobe) chooses the player.
  bool players = false;
  // The picture pages offer half-size copies beside the copies.
  bool half_copies = false;
  // The index pages show the sidebar picture through a thumbnail.
  bool sidebar_thumbnails = false;
  int workers = 1;  // threads reading them
  // The folders below are planned: subfolders are on and the index
  // template lists them.
  bool subfolders = true;
  // Pictures per index page when the index template can show page links;
  // 0: one index page per folder.
  int pictures_per_page = 0;
};

// Plans the gallery under ctx.input_folder, with the progress display
// showing that it counts; nothing when the person cancelled.
std::optional<GalleryPlan> BuildGalleryPlan(RunContext& ctx, ImageTool& tool,
                                            const PlanReading& reading);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_PLAN_PLAN_BUILDER_H_
