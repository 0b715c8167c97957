// The table of known file-name extensions: built from the window's lists,
// from the options file or from the built-in set, and searched by
// extension in constant time.
#include "options/extensions.h"

#include "common/path_utils.h"
#include "common/text_utils.h"

namespace orvanta {

namespace {

constexpr int kMaxListItems = 100;

std::string_view WithoutLeadingDot(std::string_view extension) {
  if (!extension.empty() && extension.front() == '.') {
    extension.remove_prefix(1);
  }
  return extension;
}

}  // namespace

void ExtensionTable::SetDefaultExtensions() {
  Clear();
  AddExtensionList(kDefaultPictureExtensions, false);
  AddExtensionList(kDefaultMovieExtensions, true);
}

void ExtensionTable::Clear() {
  entries_.clear();
  first_index_.clear();
}

// Items beyond the hundredth are left out.
void ExtensionTable::AddExtensionList(std::string_view list, bool is_movie) {
  std::vector<std::string> items;
  std::string rest;
  int count = SplitText(list, &items, kMaxListItems, ",;", &rest);
  for (int i = 0; i < count; ++i) {
    Append(std::string(WithoutLeadingDot(TrimBlanks(items[i]))), is_movie);
  }
}

// Every "," separates, so "a,,b" and "a," hold empty items, which keeps a
// list that the table once wrote (",jpg") the same when read back. A value
// that is empty altogether adds nothing.
void ExtensionTable::AddExtensionListFromFile(std::string_view list,
                                              bool is_movie) {
  if (list.empty()) return;
  size_t start = 0;
  while (true) {
    size_t comma = list.find(',', start);
    std::string_view item = list.substr(start, comma == std::string_view::npos
                                                   ? std::string_view::npos
                                                   : comma - start);
    Append(std::string(WithoutLeadingDot(item)), is_movie);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
}

int ExtensionTable::FindExtensionIndex(std::string_view extension) const {
  auto found = first_index_.find(ToLowerAscii(WithoutLeadingDot(extension)));
  return found == first_index_.end() ? -1 : found->second;
}

bool ExtensionTable::IsMovieFile(std::string_view file_name) const {
  int index = FindExtensionIndex(ExtensionOf(file_name));
  return index >= 0 && entries_[index].is_movie;
}

std::string ExtensionTable::ExtensionListText(bool is_movie) const {
  std::string text;
  bool first = true;
  for (const KnownExtension& entry : entries_) {
    if (entry.is_movie != is_movie) continue;
    if (!first) text += ',';
    text += entry.extension;
    first = false;
  }
  return text;
}

void ExtensionTable::Append(std::string extension, bool is_movie) {
  first_index_.try_emplace(ToLowerAscii(extension),
                           static_cast<int>(entries_.size()));
  entries_.push_back(KnownExtension{std::move(extension), is_movie});
}

}  // namespace orvanta
