// The second half of planning: what the listed files say of themselves and
// their sizes (read by the run's workers), each folder's order, and the
// picture work the create mode asks for.
#ifndef ORVANTA_ENGINE_PLAN_PLAN_FACTS_H_
#define ORVANTA_ENGINE_PLAN_PLAN_FACTS_H_

#include <ctime>

#include "engine/plan/gallery_plan.h"
#include "engine/plan/plan_builder.h"

namespace orvanta {

// Reads every picture's size and, when asked, every file's facts; then
// orders each folder by date taken when the options say so.
void ReadEntryFacts(RunContext& ctx, ImageTool& tool,
                    const PlanReading& reading, GalleryPlan* plan);

// Seconds since 1970 of when a file was taken: its date taken (at its
// offset, else in this computer's time zone), else its modification time;
// 0 when nothing could be read of it.
double TakenSeconds(const PictureFacts* facts);
// The date taken as calendar fields (its day of the week left unknown).
std::tm CalendarFields(const DateTaken& taken);

// Decides each picture's web-size copy and the work of the create mode,
// and lists the work in the order the pages need it.
void PlanPictureWork(RunContext& ctx, GalleryPlan* plan);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_PLAN_PLAN_FACTS_H_
