// The option table's rows and the rules they name: the defaults, the
// window's rule on leaving a box and the check of --set values.
#include "options/option_table.h"

#include <stdexcept>

#include "common/conversions.h"
#include "common/error.h"
#include "common/platform.h"
#include "common/text_utils.h"

namespace orvanta {
namespace {

using C = OptionControls;
using enum OptionRule;

// The helpers that make a row, one per kind of control.
OptionRow TextRow(OptionRule rule, const char* key, std::string C::*text,
                  const char* default_text) {
  return {key, rule, text, nullptr, default_text};
}

OptionRow ExtensionList(const char* key, std::string C::*list,
                        const char* default_list, bool movies) {
  OptionRow row = TextRow(kExtensionList, key, list, default_list);
  row.movies = movies;
  return row;
}

OptionRow Switch(const char* key, int C::*value, bool on) {
  return {key, kTrueFalse, nullptr, value, "", CheckboxFromBoolean(on)};
}

OptionRow Number(const char* key, std::string C::*text, int default_value,
                 int minimum, int maximum) {
  return {key, kNumber, text, nullptr, "", default_value, minimum, maximum};
}

OptionRow ListIndex(const char* key, int C::*value, int default_index,
                    int last_index) {
  return {key, kListIndex, nullptr, value, "", default_index, 0, last_index};
}

OptionRow SavedWhenSet(OptionRow row) {
  row.saved_when_set = true;
  return row;
}

OptionRow KeptOnRestore(OptionRow row) {
  row.kept_on_restore = true;
  return row;
}

std::string DefaultText(const OptionRow& row) {
  return row.rule == kNumber ? std::to_string(row.default_value)
                             : row.default_text;
}

// Brings a text of `row` into the form it is kept in (an extension without
// blanks and its ".") and says why it is refused: "" when it is not.
std::string Refusal(const OptionRow& row, std::string* text) {
  if (row.rule == kExtension) {
    *text = TrimBlanks(*text);
    if (text->starts_with('.')) text->erase(0, 1);
  }
  const bool never_empty = row.rule == kFileName || row.rule == kFilePrefix ||
                           row.rule == kExtension || row.rule == kExtensionList;
  if (never_empty && text->empty()) return " cannot be empty";
  if (row.rule == kFilePrefix && !IsSafeFilePrefix(*text)) {
    return " cannot hold /, \\, .. or a NUL character";
  }
  if (row.rule == kStyleName &&
      text->find_first_not_of("abcdefghijklmnopqrstuvwxyz") !=
          std::string::npos) {
    return " takes a style's name in lower-case letters";
  }
  if (row.rule == kWebAddress && !IsGalleryAddress(*text)) {
    return " takes an http:// or https:// address ending in /";
  }
  return "";
}

bool IsWholeNumberIn(const std::string& text, int minimum, int maximum) {
  return !text.empty() && text.size() < 10 &&
         text.find_first_not_of("0123456789") == std::string::npos &&
         std::stol(text) >= minimum && std::stol(text) <= maximum;
}

}  // namespace

std::span<const OptionRow> OptionTable() {
  static const OptionRow kRows[] = {
      TextRow(kFolder, "SourceDirectory", &C::input_folder, ""),
      TextRow(kFileName, "IndexTemplateFile", &C::index_template_file,
              kDefaultIndexTemplate),
      TextRow(kFileName, "PictureTemplateFile", &C::picture_template_file,
              kDefaultPictureTemplate),
      TextRow(kFileName, "DirectoryInfoFile", &C::directory_info_file,
              "DirInfo.txt"),
      Switch("OverwriteExistingFiles", &C::overwrite_existing_files, true),
      Switch("RecurseSubdirectories", &C::recurse_subfolders, true),
      Number("ThumbnailsPerRow", &C::thumbnails_per_row, 4, 1, 1000),
      Number("ThumbnailMaximumWidthOrHeight",
             &C::thumbnail_maximum_width_or_height, 150, 10, 5000),
      ListIndex("ThumbnailCreateMode", &C::create_thumbnails_index,
                kMissingThumbnails, kAllThumbnails),
      TextRow(kFilePrefix, "ThumbnailFilePrefix", &C::thumbnail_file_prefix,
              "t_"),
      TextRow(kExtension, "MovieFileThumbnailExtension",
              &C::movie_file_thumbnail_extension, "jpg"),
      ExtensionList("PictureFilesToMatch", &C::picture_file_extensions,
                    kDefaultPictureExtensions, false),
      ExtensionList("MovieFilesToMatch", &C::movie_file_extensions,
                    kDefaultMovieExtensions, true),
      KeptOnRestore(
          Switch("IncludePictureFiles", &C::include_picture_files, true)),
      KeptOnRestore(Switch("IncludeMovieFiles", &C::include_movie_files, true)),
      Switch("IncludeKeyboardNavigation", &C::include_keyboard_navigation,
             true),
      Switch("IncludeMidSizePicture", &C::include_mid_size_picture, true),
      ListIndex("TargetResolutionIndex", &C::target_screen_resolution_index,
                1 /* 800x600 */, kTargetScreenCount - 1),
      Switch("UseIrfanview", &C::use_irfanview, false),
      TextRow(kProgram, "IrfanviewPath", &C::irfanview_path,
              Platform().default_converter_path),
      Switch("CreateMovieThumbnails", &C::create_movie_thumbnails, false),
      Switch("CreateMidSizeFiles", &C::create_mid_size_files, false),
      TextRow(kFilePrefix, "MidSizeFilePrefix", &C::mid_size_file_prefix, "m_"),
      Switch("SortByDateTaken", &C::sort_by_date_taken, false),
      TextRow(kStyleName, "PageStyle", &C::page_style, ""),
      Number("PicturesPerPage", &C::pictures_per_page, 0, 0, 100000),
      SavedWhenSet(Switch("RemoveLocation", &C::remove_location, true)),
      SavedWhenSet(Switch("RemoveStaleFiles", &C::remove_stale_files, false)),
      SavedWhenSet(TextRow(kFolder, "OutputFolder", &C::output_folder, "")),
      SavedWhenSet(
          TextRow(kWebAddress, "GalleryAddress", &C::gallery_address, "")),
      SavedWhenSet(Switch("CreateWebVideos", &C::create_web_videos, false)),
      SavedWhenSet(Switch("AlbumDownloads", &C::album_downloads, false)),
  };
  return kRows;
}

const OptionRow* FindOption(std::string_view key) {
  for (const OptionRow& row : OptionTable()) {
    if (EqualsIgnoreCase(key, row.key)) return &row;
  }
  return nullptr;
}

bool HoldsDefault(const OptionRow& row, const OptionControls& controls) {
  OptionControls defaults = controls;
  PutDefault(row, &defaults);
  if (row.text != nullptr) return controls.*row.text == defaults.*row.text;
  if (row.rule != kTrueFalse) return controls.*row.value == defaults.*row.value;
  return CheckboxToBoolean(controls.*row.value) ==
         CheckboxToBoolean(defaults.*row.value);
}

void PutDefault(const OptionRow& row, OptionControls* controls) {
  if (row.text != nullptr) {
    controls->*row.text = DefaultText(row);
  } else {
    controls->*row.value = row.default_value;
  }
}

std::string TextOnLeave(const OptionRow& row, std::string text) {
  if (row.rule == kNumber) {
    ValidateTextBoxNumber(&text, row.minimum, row.maximum, row.default_value);
    return text;
  }
  return Refusal(row, &text).empty() ? text : DefaultText(row);
}

std::string CheckedValue(const OptionRow& row, const std::string& value) {
  const std::string key = row.key;
  const std::string trimmed = TrimBlanks(value);
  switch (row.rule) {
    case kTrueFalse:
      for (const char* accepted : {"True", "False", "1", "0"}) {
        if (EqualsIgnoreCase(trimmed, accepted)) return trimmed;
      }
      throw Error(key + " takes True or False");
    case kNumber:
    case kListIndex:
      if (!IsWholeNumberIn(trimmed, row.minimum, row.maximum)) {
        throw Error(key + " takes a whole number from " +
                    std::to_string(row.minimum) + " to " +
                    std::to_string(row.maximum));
      }
      return trimmed;
    case kExtensionList:
      return value;  // any list, even none
    default: {
      std::string text = value;
      const std::string refusal = Refusal(row, &text);
      if (!refusal.empty()) throw Error(key + refusal);
      return text;
    }
  }
}

int32_t CapturedNumber(const OptionControls& controls,
                       std::string OptionControls::*number) {
  for (const OptionRow& row : OptionTable()) {
    if (row.rule != kNumber || row.text != number) continue;
    int32_t value = ConvertToLong(controls.*number);
    return ClampToRange(&value, row.minimum, row.maximum, row.default_value);
  }
  throw std::logic_error("CapturedNumber: not a number box");
}

}  // namespace orvanta
