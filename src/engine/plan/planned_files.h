// The files of the gallery that the plan names, by their paths below the
// gallery's root ("Trip/a.html"): those the gallery has (its pages,
// thumbnails, copies and, with an output folder, its published originals),
// and those the picture work writes. The record of written files, stale
// files and the dry run's listing are all told from these.
#ifndef ORVANTA_ENGINE_PLAN_PLANNED_FILES_H_
#define ORVANTA_ENGINE_PLAN_PLANNED_FILES_H_

#include <string>
#include <unordered_set>
#include <vector>

#include "engine/plan/gallery_plan.h"
#include "options/options.h"

namespace orvanta {

struct PlannedFiles {
  // Every file the gallery has, made by this run or an earlier one.
  std::unordered_set<std::string> files;
  // Folders whose files all stay as they are ("Keep/"): marked as not to
  // be modified, or not readable.
  std::vector<std::string> kept_folders;

  // Whether the file at `relative` is one of the gallery's.
  bool Has(const std::string& relative) const;
};

// The gallery's files, with `root_files` (the support files at its root
// that this run has: the keyboard script, the style's files).
PlannedFiles NamedFiles(const GalleryPlan& plan, const GalleryOptions& options,
                        const std::vector<std::string>& root_files);

// The files the picture work writes: thumbnails, copies and published
// originals, in plan order.
std::vector<std::string> PictureWorkFiles(const GalleryPlan& plan,
                                          const GalleryOptions& options);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_PLAN_PLANNED_FILES_H_
