// The second half of planning: what the listed files say of themselves and
// their sizes (read by the run's workers), each folder's order, and the
// picture work the create mode asks for.
#ifndef ORVANTA_ENGINE_PLAN_PLAN_FACTS_H_
#define ORVANTA_ENGINE_PLAN_PLAN_FACTS_H_

#include "engine/plan/gallery_plan.h"
#include "engine/plan/plan_builder.h"

namespace orvanta {

// Reads every picture's size and, when asked, every file's facts; then
// orders each folder by date taken when the options say so.
void ReadEntryFacts(RunContext& ctx, ImageTool& tool,
                    const PlanReading& reading, GalleryPlan* plan);

// Decides each picture's web-size copy and the work of the create mode,
// and lists the work in the order the pages need it.
void PlanPictureWork(RunContext& ctx, GalleryPlan* plan);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_PLAN_PLAN_FACTS_H_
