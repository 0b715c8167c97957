// The options file info.ini: reading it line by line into the option
// controls and the extension table, and writing it back whole with a
// backup, both from the option table.
#include "options/options_file.h"

#include <cmath>
#include <limits>
#include <vector>

#include "common/conversions.h"
#include "common/error.h"
#include "common/path_utils.h"
#include "common/text_utils.h"
#include "options/option_table.h"

namespace orvanta {

namespace {

using enum OptionRule;

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

// Applies `line` and returns the row of the key it set, or nullptr when
// the line is skipped or the key is unknown. Throws Error for an
// unacceptable value.
const OptionRow* ApplyLine(std::string_view raw_line, OptionControls* controls,
                           ExtensionTable* table) {
  std::string line = TrimBlanks(raw_line);
  if (line.empty() || line[0] == '\'' || line[0] == ';') return nullptr;
  size_t equals = line.find('=');
  if (equals == std::string::npos) return nullptr;
  const OptionRow* row = FindOption(std::string_view(line).substr(0, equals));
  if (row == nullptr) return nullptr;
  std::string_view value = std::string_view(line).substr(equals + 1);
  switch (row->rule) {
    case kTrueFalse:
      controls->*row->value = CheckboxFromBoolean(TextToBoolean(value));
      break;
    case kNumber: {
      double number = ReadLeadingNumber(value);
      if (!std::isfinite(number)) throw Error("Overflow");
      controls->*row->text = FormatNumber(number);
      break;
    }
    case kListIndex:
      controls->*row->value = ReadListIndex(value, row->maximum);
      break;
    case kExtensionList:
      table->AddExtensionListFromFile(value, row->movies);
      break;
    default:
      controls->*row->text = std::string(value);
      // A prefix that would put files elsewhere, an address that is none:
      // the default instead.
      if ((row->rule == kFilePrefix && !IsSafeFilePrefix(value)) ||
          (row->rule == kWebAddress && !IsGalleryAddress(value))) {
        PutDefault(*row, controls);
      }
  }
  return row;
}

// The value of `row` as the file holds it.
std::string ValueText(const OptionRow& row, const OptionControls& controls,
                      const ExtensionTable& table) {
  switch (row.rule) {
    case kTrueFalse:
      return CheckboxToBoolean(controls.*row.value) ? "True" : "False";
    case kListIndex:
      return std::to_string(controls.*row.value);
    case kExtensionList:
      return table.ExtensionListText(row.movies);
    default:
      return controls.*row.text;
  }
}

// The text of the loading and saving error messages.
Error FileError(const std::string& phrase, const std::string& error,
                const std::string& permission,
                const std::string& program_folder) {
  return Error(phrase + error + "\r\nBe sure you have " + permission +
               " permission for the drive where the Orvanta program resides " +
               "\r\n(" + program_folder + ")");
}

// Reads the file's lines into the controls; the rows of the extension
// lists it held go to *lists_read. Throws Error.
void ReadLines(const std::string& path, OptionControls* controls,
               ExtensionTable* table, FileSystem& fs,
               std::vector<const OptionRow*>* lists_read) {
  std::unique_ptr<TextReader> reader = fs.OpenTextFile(path);
  std::string line;
  if (!reader->ReadLine(&line)) {
    throw Error("Input past end of file", ErrorKind::kPastEnd);
  }
  do {
    const OptionRow* row = ApplyLine(line, controls, table);
    if (row != nullptr && row->rule == kExtensionList) {
      lists_read->push_back(row);
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

void ApplyOptionSetting(std::string_view setting, OptionControls* controls) {
  const size_t equals = setting.find('=');
  const std::string_view key = setting.substr(0, equals);
  const OptionRow* row = FindOption(key);
  if (row == nullptr) {
    throw Error("unknown option key \"" + std::string(key) + "\"");
  }
  const std::string value =
      CheckedValue(*row, std::string(setting.substr(equals + 1)));
  if (row->rule == kExtensionList) {
    controls->*row->text = value;  // replaces that list
    return;
  }
  ExtensionTable unused;
  ApplyLine(std::string(row->key) + "=" + value, controls, &unused);
}

void LoadOptions(const std::string& program_folder, OptionControls* controls,
                 FileSystem& fs) {
  const std::string path = JoinPathCopy(program_folder, kOptionsFileName);
  if (!fs.FileExists(path)) return StartAfresh(program_folder, controls, fs);
  ExtensionTable table;
  std::vector<const OptionRow*> lists_read;
  std::string failure;
  try {
    ReadLines(path, controls, &table, fs, &lists_read);
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
  for (const OptionRow* row : lists_read) {
    controls->*row->text = table.ExtensionListText(row->movies);
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
    for (const OptionRow& row : OptionTable()) {
      // A style not chosen by name is the one the templates name, as in
      // files saved before styles had names: those stay as they were.
      if (row.rule == kStyleName && (controls.*row.text).empty()) continue;
      if (row.saved_when_set && HoldsDefault(row, controls)) continue;
      writer->WriteLine(std::string(row.key) + "=" +
                        ValueText(row, controls, table));
    }
    writer->Close();
  } catch (const std::exception& error) {
    throw FileError("Error Saving Program Information (Info.ini) File: ",
                    error.what(), "write", program_folder);
  }
}

}  // namespace orvanta
