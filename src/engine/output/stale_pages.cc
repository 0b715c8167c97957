// Removing index pages left from a larger folder.
#include "engine/output/stale_pages.h"

#include <algorithm>
#include <string_view>

#include "common/error.h"
#include "engine/plan/output_names.h"

namespace orvanta {
namespace {

enum class Verdict { kRemove, kEdited, kNotOurs };

// Whether the page at `path` (`relative` below the root) is one of ours.
Verdict Judge(RunContext& ctx, const std::string& relative,
              const std::string& path) {
  static constexpr std::string_view kGenerator =
      "<meta name=\"generator\" content=\"Orvanta\">";
  if (ctx.previous_record.Empty()) {
    bool whole = false;
    return ctx.fs.ReadFile(path, 4096, &whole).find(kGenerator) ==
                   std::string::npos
               ? Verdict::kNotOurs
               : Verdict::kRemove;
  }
  const std::optional<RecordLine> line = ctx.previous_record.Find(relative);
  if (!line) return Verdict::kNotOurs;
  if (!ctx.Elsewhere() && ctx.fs.Status(path).size != line->size) {
    return Verdict::kEdited;
  }
  return Verdict::kRemove;
}

}  // namespace

void RemoveStaleIndexPages(RunContext& ctx, const FolderPlan& folder,
                           int pages) {
  for (int p = std::max(pages, 1);; ++p) {
    const std::string relative = folder.relative + IndexPageName(p);
    const std::string path = folder.output_path + IndexPageName(p);
    if (!ctx.fs.FileExists(path)) return;
    try {
      switch (Judge(ctx, relative, path)) {
        case Verdict::kRemove:
          ctx.fs.RemoveFile(path);
          ctx.state.removed.push_back(relative);
          break;
        case Verdict::kEdited:
          ctx.state.kept_edited.push_back(relative);
          break;
        case Verdict::kNotOurs:
          break;
      }
    } catch (const Error&) {
      // Left for the next run.
    }
  }
}

}  // namespace orvanta
