// Reading and writing the record of written files.
#include "engine/output/written_record.h"

#include <charconv>
#include <string_view>

#include "common/error.h"

namespace orvanta {
namespace {

constexpr char kHeader[] =
    "# The files Orvanta wrote here: size, source, path. It removes those "
    "no longer made.\n";

std::string Escaped(std::string_view path) {
  std::string out;
  for (char c : path) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      out += c;
    }
  }
  return out;
}

std::string Unescaped(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[++i];
    out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
  }
  return out;
}

// Reads a number from the start of *text and drops it and the character
// after it (`end`); false when there is none or another character follows.
template <typename Number>
bool TakeNumber(std::string_view* text, char end, Number* number) {
  const auto [rest, error] =
      std::from_chars(text->data(), text->data() + text->size(), *number);
  if (error != std::errc() || rest == text->data() + text->size() ||
      *rest != end) {
    return false;
  }
  text->remove_prefix(rest - text->data() + 1);
  return true;
}

// A path below the root: no empty, "." or ".." steps (a record edited by
// hand could otherwise name files elsewhere).
bool StaysBelow(std::string_view path) {
  while (true) {
    const size_t slash = path.find('/');
    const std::string_view step = path.substr(0, slash);
    if (step.empty() || step == "." || step == "..") return false;
    if (slash == std::string_view::npos) return true;
    path.remove_prefix(slash + 1);
  }
}

bool ParseLine(std::string_view text, std::string* path, RecordLine* line) {
  if (!TakeNumber(&text, ' ', &line->size)) return false;
  if (text.starts_with("- ")) {
    text.remove_prefix(2);
  } else {
    SourceStamp stamp;
    int removed = 0;
    if (!TakeNumber(&text, ':', &stamp.size) ||
        !TakeNumber(&text, ':', &stamp.modified_ns) ||
        !TakeNumber(&text, ' ', &removed)) {
      return false;
    }
    stamp.location_removed = removed == 1;
    line->source = stamp;
  }
  *path = Unescaped(text);
  return StaysBelow(*path);
}

}  // namespace

WrittenRecord ReadRecord(FileSystem& fs, const std::string& root) {
  WrittenRecord record;
  std::string text;
  try {
    if (!fs.FileExists(root + kRecordFileName)) return record;
    text = fs.ReadFile(root + kRecordFileName);
  } catch (const Error&) {
    return record;
  }
  std::string_view rest = text;
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    std::string path;
    RecordLine parsed;
    if (!line.starts_with('#') && ParseLine(line, &path, &parsed)) {
      record[path] = parsed;
    }
  }
  return record;
}

void WriteRecord(FileSystem& fs, const std::string& root,
                 const WrittenRecord& record) {
  std::string text = kHeader;
  for (const auto& [path, line] : record) {
    text += std::to_string(line.size) + " ";
    if (line.source) {
      const SourceStamp& stamp = *line.source;
      text += std::to_string(stamp.size) + ":" +
              std::to_string(stamp.modified_ns) + ":" +
              (stamp.location_removed ? "1 " : "0 ");
    } else {
      text += "- ";
    }
    text += Escaped(path) + "\n";
  }
  fs.WriteFile(root + kRecordFileName, text);
}

}  // namespace orvanta
