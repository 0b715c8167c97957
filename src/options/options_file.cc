// The options file info.ini: reading it line by line into the option
// controls and the extension table, and writing it back whole with a
// backup, both from one table of keys.
#include "options/options_file.h"

#include <cmath>
#include <limits>

#include "common/conversions.h"
#include "common/error.h"
#include "common/path_utils.h"
#include "common/text_utils.h"

namespace orvanta {

namespace {

enum class ValueKind { kText, kCheckbox, kNumber, kListIndex, kExtensions };

struct OptionKey {
  const char* name;
  ValueKind kind;
  std::string OptionControls::*text = nullptr;
  int OptionControls::*value = nullptr;
  int last_list_index = 0;  // for kListIndex
  bool is_movie = false;    // for kExtensions
  // The window's rule for its control, applied to values given on the
  // command line: a number's range; a text box that never stays empty.
  int minimum = 0;
  int maximum = 0;
  bool never_empty = false;
};

using C = OptionControls;
const OptionKey kKeys[] = {
    {"SourceDirectory", ValueKind::kText, &C::input_folder},
    {"IndexTemplateFile", ValueKind::kText, &C::index_template_file, nullptr, 0,
     false, 0, 0, true},
    {"PictureTemplateFile", ValueKind::kText, &C::picture_template_file,
     nullptr, 0, false, 0, 0, true},
    {"DirectoryInfoFile", ValueKind::kText, &C::directory_info_file, nullptr, 0,
     false, 0, 0, true},
    {"OverwriteExistingFiles", ValueKind::kCheckbox, nullptr,
     &C::overwrite_existing_files},
    {"RecurseSubdirectories", ValueKind::kCheckbox, nullptr,
     &C::recurse_subfolders},
    {"ThumbnailsPerRow", ValueKind::kNumber, &C::thumbnails_per_row, nullptr, 0,
     false, kMinThumbnailsPerRow, kMaxThumbnailsPerRow},
    {"ThumbnailMaximumWidthOrHeight", ValueKind::kNumber,
     &C::thumbnail_maximum_width_or_height, nullptr, 0, false,
     kMinThumbnailSize, kMaxThumbnailSize},
    {"ThumbnailCreateMode", ValueKind::kListIndex, nullptr,
     &C::create_thumbnails_index, 2},
    {"ThumbnailFilePrefix", ValueKind::kText, &C::thumbnail_file_prefix,
     nullptr, 0, false, 0, 0, true},
    {"MovieFileThumbnailExtension", ValueKind::kText,
     &C::movie_file_thumbnail_extension, nullptr, 0, false, 0, 0, true},
    {"PictureFilesToMatch", ValueKind::kExtensions, nullptr, nullptr, 0, false},
    {"MovieFilesToMatch", ValueKind::kExtensions, nullptr, nullptr, 0, true},
    {"IncludePictureFiles", ValueKind::kCheckbox, nullptr,
     &C::include_picture_files},
    {"IncludeMovieFiles", ValueKind::kCheckbox, nullptr,
     &C::include_movie_files},
    {"IncludeKeyboardNavigation", ValueKind::kCheckbox, nullptr,
     &C::include_keyboard_navigation},
    {"IncludeMidSizePicture", ValueKind::kCheckbox, nullptr,
     &C::include_mid_size_picture},
    {"TargetResolutionIndex", ValueKind::kListIndex, nullptr,
     &C::target_screen_resolution_index, kTargetScreenCount - 1},
    {"UseIrfanview", ValueKind::kCheckbox, nullptr, &C::use_irfanview},
    {"IrfanviewPath", ValueKind::kText, &C::irfanview_path},
    {"CreateMovieThumbnails", ValueKind::kCheckbox, nullptr,
     &C::create_movie_thumbnails},
    {"CreateMidSizeFiles", ValueKind::kCheckbox, nullptr,
     &C::create_mid_size_files},
    {"MidSizeFilePrefix", ValueKind::kText, &C::mid_size_file_prefix, nullptr,
     0, false, 0, 0, true},
    {"SortByDateTaken", ValueKind::kCheckbox, nullptr, &C::sort_by_date_taken},
};

// The default of a file prefix key; null for other keys.
const char* PrefixDefault(const OptionKey& option) {
  if (option.text == &C::thumbnail_file_prefix) return kDefaultThumbnailPrefix;
  if (option.text == &C::mid_size_file_prefix) return kDefaultMidSizePrefix;
  return nullptr;
}

// A list index read from the file: rounded ties to even; -1 (no selection)
// up to the last entry. Throws Error otherwise.
int ReadListIndex(std::string_view value, int last_index) {
  double number = RoundHalfEven(ReadLeadingNumber(value));
  if (!(number >= std::numeric_limits<int16_t>::min() &&
        number <= std::numeric_limits<int16_t>::max())) {
    throw Error("Overflow");
  }
  if (number < -1 || number > last_index) {
    throw Error("Invalid property value");
  }
  return static_cast<int>(number);
}

// Applies `line` and returns the key it set, or nullptr when the line is
// skipped or the key is unknown. Throws Error for an unacceptable value.
const OptionKey* ApplyLine(std::string_view raw_line, OptionControls* controls,
                           ExtensionTable* table) {
  std::string line = TrimBlanks(raw_line);
  if (line.empty() || line[0] == '\'' || line[0] == ';') return nullptr;
  size_t equals = line.find('=');
  if (equals == std::string::npos) return nullptr;
  std::string_view key = std::string_view(line).substr(0, equals);
  std::string_view value = std::string_view(line).substr(equals + 1);
  for (const OptionKey& option : kKeys) {
    if (!EqualsIgnoreCase(key, option.name)) continue;
    switch (option.kind) {
      case ValueKind::kText:
        controls->*option.text = std::string(value);
        // A prefix that would put files elsewhere: the default instead.
        if (PrefixDefault(option) && !IsSafeFilePrefix(value)) {
          controls->*option.text = PrefixDefault(option);
        }
        break;
      case ValueKind::kCheckbox:
        controls->*option.value = CheckboxFromBoolean(TextToBoolean(value));
        break;
      case ValueKind::kNumber: {
        double number = ReadLeadingNumber(value);
        if (!std::isfinite(number)) throw Error("Overflow");
        controls->*option.text = FormatNumber(number);
        break;
      }
      case ValueKind::kListIndex:
        controls->*option.value = ReadListIndex(value, option.last_list_index);
        break;
      case ValueKind::kExtensions:
        table->AddExtensionListFromFile(value, option.is_movie);
        break;
    }
    return &option;
  }
  return nullptr;
}

// `value` as the window's control would take it; throws Error saying what
// the control accepts when it would refuse it.
std::string CheckedValue(const OptionKey& option, const std::string& value) {
  const std::string name = option.name;
  const std::string trimmed = TrimBlanks(value);
  const bool digits =
      !trimmed.empty() &&
      trimmed.find_first_not_of("0123456789") == std::string::npos &&
      trimmed.size() < 10;
  switch (option.kind) {
    case ValueKind::kCheckbox:
      for (const char* accepted : {"True", "False", "1", "0"}) {
        if (EqualsIgnoreCase(trimmed, accepted)) return trimmed;
      }
      throw Error(name + " takes True or False");
    case ValueKind::kNumber:
    case ValueKind::kListIndex: {
      const int maximum = option.kind == ValueKind::kNumber
                              ? option.maximum
                              : option.last_list_index;
      if (!digits || std::stol(trimmed) < option.minimum ||
          std::stol(trimmed) > maximum) {
        throw Error(name + " takes a whole number from " +
                    std::to_string(option.minimum) + " to " +
                    std::to_string(maximum));
      }
      return trimmed;
    }
    default: {
      std::string text = value;
      if (option.text == &C::movie_file_thumbnail_extension) {
        text = TrimBlanks(text);
        if (text.starts_with('.')) text.erase(0, 1);
      }
      if (option.never_empty && text.empty()) {
        throw Error(name + " cannot be empty");
      }
      if (PrefixDefault(option) && !IsSafeFilePrefix(text)) {
        throw Error(name + " cannot hold /, \\, .. or a NUL character");
      }
      return text;
    }
  }
}

std::string BooleanText(int checkbox) {
  return CheckboxToBoolean(checkbox) ? "True" : "False";
}

// The value of `option` as the file holds it.
std::string ValueText(const OptionKey& option, const OptionControls& controls,
                      const ExtensionTable& table) {
  switch (option.kind) {
    case ValueKind::kText:
    case ValueKind::kNumber:
      return controls.*option.text;
    case ValueKind::kCheckbox:
      return BooleanText(controls.*option.value);
    case ValueKind::kListIndex:
      return std::to_string(controls.*option.value);
    case ValueKind::kExtensions:
      return table.ExtensionListText(option.is_movie);
  }
  return "";
}

// The text of the loading and saving error messages.
Error FileError(const std::string& phrase, const std::string& error,
                const std::string& permission,
                const std::string& program_folder) {
  return Error(phrase + error + "\r\nBe sure you have " + permission +
               " permission for the drive where the Orvanta program resides " +
               "\r\n(" + program_folder + ")");
}

// Reads the file's lines into the controls; which extension lists it
// held go to *read_pictures and *read_movies. Throws Error.
void ReadLines(const std::string& path, OptionControls* controls,
               ExtensionTable* table, FileSystem& fs, bool* read_pictures,
               bool* read_movies) {
  std::unique_ptr<TextReader> reader = fs.OpenTextFile(path);
  std::string line;
  if (!reader->ReadLine(&line)) {
    throw Error("Input past end of file", ErrorKind::kPastEnd);
  }
  do {
    const OptionKey* key = ApplyLine(line, controls, table);
    if (key != nullptr && key->kind == ValueKind::kExtensions) {
      (key->is_movie ? *read_movies : *read_pictures) = true;
    }
  } while (reader->ReadLine(&line));
}

// The first start: the controls as the caller set them up (the defaults),
// saved so that the file holds them.
void StartAfresh(const std::string& program_folder, OptionControls* controls,
                 FileSystem& fs) {
  ExtensionTable defaults;
  defaults.SetDefaultExtensions();
  SaveOptions(program_folder, *controls, defaults, fs);
}

}  // namespace

bool ApplyOptionLine(std::string_view line, OptionControls* controls,
                     ExtensionTable* table) {
  return ApplyLine(line, controls, table) != nullptr;
}

void ApplyOptionSetting(std::string_view setting, OptionControls* controls) {
  const size_t equals = setting.find('=');
  const std::string_view key = setting.substr(0, equals);
  const std::string value(setting.substr(equals + 1));
  for (const OptionKey& option : kKeys) {
    if (!EqualsIgnoreCase(key, option.name)) continue;
    if (option.kind == ValueKind::kExtensions) {
      // A list given on the command line replaces that list.
      (option.is_movie ? controls->movie_file_extensions
                       : controls->picture_file_extensions) = value;
      return;
    }
    ExtensionTable unused;
    ApplyLine(std::string(option.name) + "=" + CheckedValue(option, value),
              controls, &unused);
    return;
  }
  throw Error("unknown option key \"" + std::string(key) + "\"");
}

void LoadOptions(const std::string& program_folder, OptionControls* controls,
                 FileSystem& fs) {
  const std::string path = JoinPathCopy(program_folder, kOptionsFileName);
  if (!fs.FileExists(path)) return StartAfresh(program_folder, controls, fs);
  ExtensionTable table;
  bool read_pictures = false;
  bool read_movies = false;
  std::string failure;
  try {
    ReadLines(path, controls, &table, fs, &read_pictures, &read_movies);
  } catch (const Error& error) {
    // Gone between the test and the opening: start afresh.
    if (error.kind() == ErrorKind::kFileNotFound) {
      return StartAfresh(program_folder, controls, fs);
    }
    failure = error.what();
  } catch (const std::exception& error) {
    failure = error.what();
  }
  // The lists read from the file go into the boxes too, so that the next
  // run, which builds the table from the boxes, uses them.
  if (read_pictures) {
    controls->picture_file_extensions = table.ExtensionListText(false);
  }
  if (read_movies) {
    controls->movie_file_extensions = table.ExtensionListText(true);
  }
  if (!failure.empty()) {
    throw FileError(
        "Error Loading General Program Information (Info.ini) File: ", failure,
        "read", program_folder);
  }
}

void SaveOptions(const std::string& program_folder,
                 const OptionControls& controls, const ExtensionTable& table,
                 FileSystem& fs) {
  const std::string path = JoinPathCopy(program_folder, kOptionsFileName);
  const std::string backup = path.substr(0, path.size() - 4) + ".BAK";
  // An old backup is removed, not opened: a symbolic link there must be
  // replaced, never written through.
  try {
    if (fs.FileExists(path)) {
      fs.RemoveFile(backup);
      fs.CopyFile(path, backup);
    }
  } catch (const Error&) {
    // No backup: saving goes on.
  }
  try {
    std::unique_ptr<TextWriter> writer = fs.CreateTextFile(path);
    writer->WriteLine("; Info.ini");
    writer->WriteLine("; This file stores information for the Orvanta Program");
    for (const OptionKey& option : kKeys) {
      writer->WriteLine(std::string(option.name) + "=" +
                        ValueText(option, controls, table));
    }
    writer->Close();
  } catch (const std::exception& error) {
    throw FileError("Error Saving Program Information (Info.ini) File: ",
                    error.what(), "write", program_folder);
  }
}

}  // namespace orvanta
