// Index pages left from a folder that once had more of them (index-3.html
// of a folder that now fills two). They are removed as the folder's pages
// are written, in place too: the pages that stay no longer lead to them.
#ifndef ORVANTA_ENGINE_OUTPUT_STALE_PAGES_H_
#define ORVANTA_ENGINE_OUTPUT_STALE_PAGES_H_

#include "engine/plan/gallery_plan.h"
#include "engine/run_context.h"

namespace orvanta {

// Removes the folder's index pages from number `pages` + 1 on that this
// program wrote: those the record names (in place only at the size it
// wrote them; an edited one is kept), or, for a gallery without a record,
// those whose generator line names this program. Removed and kept pages
// are noted in ctx.state.
void RemoveStaleIndexPages(RunContext& ctx, const FolderPlan& folder,
                           int pages);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_OUTPUT_STALE_PAGES_H_
