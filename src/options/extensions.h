// The table of known file-name extensions: which files are pictures and
// which are movies.
#ifndef ORVANTA_OPTIONS_EXTENSIONS_H_
#define ORVANTA_OPTIONS_EXTENSIONS_H_

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvanta {

// The built-in extensions, as the window's boxes show them.
inline constexpr char kDefaultPictureExtensions[] = "jpg, jpeg, gif, png, bmp";
inline constexpr char kDefaultMovieExtensions[] = "mov, avi";

struct KnownExtension {
  std::string extension;  // without the leading dot, case as typed
  bool is_movie = false;
};

class ExtensionTable {
 public:
  // Replaces the table with the built-in extensions (the two lists above).
  void SetDefaultExtensions();
  void Clear();

  // Appends the items of a list typed in the window: split at "," and ";"
  // (a run of delimiters counts once, at most 100 items), each trimmed of
  // blanks and of one leading ".". An empty item is entered as the empty
  // extension (it matches names without an extension).
  void AddExtensionList(std::string_view list, bool is_movie);
  // Appends the items of a list read from the options file: split at ","
  // alone, not trimmed, one leading "." dropped.
  void AddExtensionListFromFile(std::string_view list, bool is_movie);

  // Index of the first entry equal to `extension` (one leading "." dropped)
  // ignoring case; -1 when there is none.
  int FindExtensionIndex(std::string_view extension) const;
  // True when the extension of `file_name` is in the table as a movie.
  bool IsMovieFile(std::string_view file_name) const;
  // The extensions of one kind in table order joined with "," (no blanks);
  // empty when there is none.
  std::string ExtensionListText(bool is_movie) const;

  const std::vector<KnownExtension>& entries() const { return entries_; }
  int size() const { return static_cast<int>(entries_.size()); }
  bool empty() const { return entries_.empty(); }

 private:
  void Append(std::string extension, bool is_movie);

  std::vector<KnownExtension> entries_;
  std::unordered_map<std::string, int> first_index_;  // lower case -> index
};

}  // namespace orvanta

#endif  // ORVANTA_OPTIONS_EXTENSIONS_H_
