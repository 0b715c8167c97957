// Reading and writing the record of written files.
#include "engine/output/written_record.h"

#include <algorithm>
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

int WrittenRecord::IndexOf(std::string_view path) const {
  auto line = std::lower_bound(
      lines_.begin(), lines_.end(), path,
      [this](const Line& l, std::string_view p) { return PathOf(l) < p; });
  if (line == lines_.end() || PathOf(*line) != path) return -1;
  return static_cast<int>(line - lines_.begin());
}

RecordLine WrittenRecord::LineOf(const Line& line) const {
  RecordLine out{line.size, std::nullopt};
  if (line.stamp != kNoStamp) out.source = stamps_[line.stamp];
  return out;
}

void WrittenRecord::Assign(const RecordLine& line, Line* read) {
  read->size = line.size;
  if (!line.source) {
    read->stamp = kNoStamp;
  } else if (read->stamp != kNoStamp) {
    stamps_[read->stamp] = *line.source;
  } else {
    read->stamp = static_cast<uint32_t>(stamps_.size());
    stamps_.push_back(*line.source);
  }
}

std::optional<RecordLine> WrittenRecord::Find(std::string_view path) const {
  const int index = IndexOf(path);
  if (index >= 0) {
    if (!lines_[index].named) return std::nullopt;
    return LineOf(lines_[index]);
  }
  auto added = added_.find(path);
  if (added == added_.end()) return std::nullopt;
  return added->second;
}

void WrittenRecord::Set(std::string_view path, const RecordLine& line) {
  const int index = IndexOf(path);
  if (index >= 0) {
    Line& read = lines_[index];
    if (read.named && LineOf(read) == line) return;
    named_ += read.named ? 0 : 1;
    read.named = true;
    Assign(line, &read);
  } else {
    auto [added, inserted] = added_.try_emplace(std::string(path), line);
    if (!inserted && added->second == line) return;
    named_ += inserted ? 1 : 0;
    added->second = line;
  }
  changed_ = true;
}

void WrittenRecord::Erase(std::string_view path) {
  const int index = IndexOf(path);
  if (index >= 0 && lines_[index].named) {
    lines_[index].named = false;
  } else if (auto added = added_.find(path); added != added_.end()) {
    added_.erase(added);
  } else {
    return;
  }
  --named_;
  changed_ = true;
}

void WrittenRecord::ForEach(
    const std::function<void(std::string_view, const RecordLine&)>& visit)
    const {
  auto added = added_.begin();
  for (const Line& line : lines_) {
    for (; added != added_.end() && added->first < PathOf(line); ++added) {
      visit(added->first, added->second);
    }
    if (line.named) visit(PathOf(line), LineOf(line));
  }
  for (; added != added_.end(); ++added) visit(added->first, added->second);
}

// By path, the last of equal paths named alone (a record edited by hand).
void WrittenRecord::Sort() {
  std::stable_sort(
      lines_.begin(), lines_.end(),
      [this](const Line& a, const Line& b) { return PathOf(a) < PathOf(b); });
  std::vector<Line> unique;
  for (const Line& line : lines_) {
    if (!unique.empty() && PathOf(unique.back()) == PathOf(line)) {
      unique.back() = line;
    } else {
      unique.push_back(line);
    }
  }
  lines_ = std::move(unique);
}

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
  bool sorted = true;
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    std::string path;
    RecordLine parsed;
    if (line.starts_with('#') || !ParseLine(line, &path, &parsed)) continue;
    WrittenRecord::Line read{static_cast<uint32_t>(record.paths_.size()),
                             static_cast<uint32_t>(path.size())};
    record.Assign(parsed, &read);
    record.paths_ += path;
    sorted = sorted && (record.lines_.empty() ||
                        record.PathOf(record.lines_.back()) < path);
    record.lines_.push_back(read);
  }
  if (!sorted) record.Sort();
  record.lines_.shrink_to_fit();
  record.named_ = record.lines_.size();
  return record;
}

void WriteRecord(FileSystem& fs, const std::string& root,
                 const WrittenRecord& record) {
  fs.WriteFileWith(root + kRecordFileName, [&record](ByteSink& sink) {
    std::string text = kHeader;
    record.ForEach([&](std::string_view path, const RecordLine& line) {
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
      if (text.size() >= 1 << 16) {
        sink.Write(text);
        text.clear();
      }
    });
    sink.Write(text);
  });
}

}  // namespace orvanta
