// The end of a run's output. Files the record names that the gallery no
// longer has are removed (with an output folder always, in place only when
// the options say so, and only after a run that was not abandoned), and
// with an output folder the folders that leaves empty; in place a file
// whose size changed since it was written is kept (the person edited it).
// Then the record is brought up to date: what this run wrote, and what
// earlier runs wrote that is still there. Removals and kept files are
// noted for the report, and so, in place, is how many pictures carry a
// GPS position. A dry run removes and records nothing; it lists the files
// it would write and remove instead.
#ifndef ORVANTA_ENGINE_OUTPUT_FINISH_OUTPUT_H_
#define ORVANTA_ENGINE_OUTPUT_FINISH_OUTPUT_H_

#include "engine/plan/gallery_plan.h"
#include "engine/plan/planned_files.h"
#include "engine/run_context.h"

namespace orvanta {

// `plan` and `planned` are null when the run ended before it was planned
// (nothing is removed then). `completed`: the run was not abandoned.
void FinishOutput(RunContext& ctx, const GalleryPlan* plan,
                  const PlannedFiles* planned, bool completed);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_OUTPUT_FINISH_OUTPUT_H_
