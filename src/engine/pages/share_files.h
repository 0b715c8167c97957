// The files a gallery with a web address gets at its root from the whole
// plan once its pages are written: an Atom feed of its newest pictures and
// movies (newest first, by date taken, else by the file's time), and a
// sitemap of all its pages (split into several, listed by the first, when
// one would hold too many). A file that cannot be written shows its
// message, naming it, and ends the run.
#ifndef ORVANTA_ENGINE_PAGES_SHARE_FILES_H_
#define ORVANTA_ENGINE_PAGES_SHARE_FILES_H_

#include "engine/plan/gallery_plan.h"
#include "engine/run_context.h"

namespace orvanta {

// Writes the files plan.root_files names; nothing when it names none.
void WriteShareFiles(RunContext& ctx, const GalleryPlan& plan);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_PAGES_SHARE_FILES_H_
