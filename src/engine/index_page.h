// The generated parts of a folder's index page: the thumbnail table (which
// also has each picture page written) and the subfolder navigation (which
// is where the walk goes down into the subfolders).
#ifndef ORVANTA_ENGINE_INDEX_PAGE_H_
#define ORVANTA_ENGINE_INDEX_PAGE_H_

#include <string>
#include <vector>

#include "engine/run_context.h"

namespace orvanta {

// Writes the rows of the thumbnail table to `page`, one cell per listed
// file, has each file's picture page written right after its cell, then
// the folder description. Throws Error when writing the page fails.
void WriteThumbnailRows(RunContext& ctx, const FolderInfo& info,
                        const std::vector<std::string>& names, TextWriter& page,
                        int level);

// Writes the page of names[index] (asking first when it exists and
// overwriting is off) and counts the file as processed.
void WriteFilePage(RunContext& ctx, const FolderInfo& info,
                   const std::vector<std::string>& names, int index, int level);

// Writes the "Up to" link, the sidebar picture and one link per subfolder
// to `page`, processing each subfolder completely right after its link.
// Subfolders that cannot be read get no link and a line in the error list.
// Throws Error when the folder cannot be listed or the page written.
void WriteSubfolderNavigation(RunContext& ctx, const FolderInfo& info,
                              const std::string& parent_title, TextWriter& page,
                              int level);

// The sidebar paragraph: "<P>", the sidebar picture HTML, "</P>".
std::string SidebarParagraph(RunContext& ctx, const FolderInfo& info);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_INDEX_PAGE_H_
