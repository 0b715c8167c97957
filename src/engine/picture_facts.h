// What the pictures say of themselves: the date taken, title, caption and
// camera their metadata holds, read once per picture per run on worker
// threads when the run wants them (pages that show them, or pictures
// ordered by date taken), and what the pages and the order make of them.
#ifndef ORVANTA_ENGINE_PICTURE_FACTS_H_
#define ORVANTA_ENGINE_PICTURE_FACTS_H_

#include <string>
#include <vector>

#include "engine/run_context.h"

namespace orvanta {

// Whether template lines show what pictures say of themselves (the modern
// codes that write titles, captions, dates).
bool ShowsPictureFacts(const std::vector<std::string>& template_lines);

// Reads the metadata and modification time of the listed files into
// info->facts when the run wants them. Never throws: a file that cannot be
// read says nothing.
void ReadPictureFacts(RunContext& ctx, FolderInfo* info,
                      const std::vector<std::string>& names);

// Orders `names` (in name order) by date taken, a file without one by its
// modification time; equal times keep the name order.
void OrderByDateTaken(const FolderInfo& info, std::vector<std::string>* names);

// The title of a file's page and caption on pages that show facts (HTML):
// its description from the information file wins, then the picture's own
// title, then its caption, then its base name. Otherwise the classic one.
std::string ShownTitle(const RunContext& ctx, const FolderInfo& info,
                       const std::string& name);

// The picture's own caption on its page (escaped), when it adds to the
// title: "" when the information file describes the picture.
std::string ShownCaption(const RunContext& ctx, const FolderInfo& info,
                         const std::string& name);

// "<time datetime="2019-07-14T18:30:00+02:00">Sunday, July 14, 2019, 6:30
// pm</time> <span class="camera">Canon EOS 5D</span> " as far as known.
std::string DateAndCameraHtml(const RunContext& ctx, const FolderInfo& info,
                              const std::string& name);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_PICTURE_FACTS_H_
