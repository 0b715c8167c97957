// Movies published without their position: ffmpeg describes the clip,
// copies its streams into a temporary file with the tags that name a
// position emptied (which drops them), describes the copy to be sure none
// is left, and the copy then replaces the target in one step.
#include <cctype>
#include <cstdlib>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

#include "common/error.h"
#include "common/path_utils.h"
#include "common/text_utils.h"
#include "imagetools/ffmpeg_runs.h"
#include "imagetools/picture_files.h"
#include "imagetools/process_runner.h"
#include "imagetools/published_files.h"

namespace orvanta {
namespace {

// A tag ffmpeg shows in a "Metadata:" block of its description: the
// clip's own (stream -1) or one stream's.
struct Tag {
  int stream = -1;
  std::string key;
  std::string value;
};

// What ffmpeg's description of a clip shows: its tags, and the number each
// stream gets in the copy (-1: left out, as data and unknown streams are).
struct Description {
  std::vector<Tag> tags;
  std::vector<int> copied_as;
};

std::string Trimmed(std::string_view text) {
  const size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return "";
  return std::string(
      text.substr(start, text.find_last_not_of(' ') - start + 1));
}

// Notes the stream that ffmpeg's line "Stream #0:1[0x2](und): Audio: ..."
// starts; returns its number.
int AddStream(std::string_view line, Description* description) {
  const size_t colon = line.find(':');
  const size_t kind = line.find(": ", colon + 1);
  if (colon == std::string_view::npos || kind == std::string_view::npos) {
    return -1;
  }
  const int stream = std::atoi(line.data() + colon + 1);
  std::vector<int>& copied_as = description->copied_as;
  if (stream < 0 || static_cast<size_t>(stream) != copied_as.size()) return -1;
  const std::string_view type = line.substr(kind + 2);
  const bool left_out = type.starts_with("Data") || type.starts_with("Unknown");
  int copies = 0;
  for (const int number : copied_as) copies += number >= 0 ? 1 : 0;
  copied_as.push_back(left_out ? -1 : copies);
  return stream;
}

// The clip in ffmpeg's description of it: "  Metadata:" opens a block of
// "    key             : value" lines, "  Stream #0:1..." starts a stream.
Description Parse(const std::string& output) {
  Description description;
  int stream = -1;
  bool in_block = false;
  size_t indent = 0;
  for (size_t at = 0; at < output.size();) {
    size_t end = output.find('\n', at);
    if (end == std::string::npos) end = output.size();
    const std::string_view line(output.data() + at, end - at);
    at = end + 1;
    const size_t depth = line.find_first_not_of(' ');
    if (depth == std::string_view::npos) continue;
    const std::string_view text = line.substr(depth);
    if (text.starts_with("Stream #")) stream = AddStream(text, &description);
    if (in_block && depth > indent) {
      const size_t colon = text.find(": ");
      if (colon != std::string_view::npos) {
        description.tags.push_back({stream, Trimmed(text.substr(0, colon)),
                                    Trimmed(text.substr(colon + 2))});
      }
      continue;
    }
    in_block = text.starts_with("Metadata:");
    indent = depth;
  }
  return description;
}

// An ISO 6709 position as phones write it: "+59.9123+010.7456+012.000/".
bool IsIso6709(std::string_view value) {
  int numbers = 0;
  for (size_t at = 0;
       at < value.size() && (value[at] == '+' || value[at] == '-');) {
    size_t end = at + 1;
    while (end < value.size() &&
           (std::isdigit(static_cast<unsigned char>(value[end])) ||
            value[end] == '.')) {
      ++end;
    }
    if (end == at + 1) return false;
    ++numbers;
    at = end;
  }
  return numbers >= 2;
}

bool NamesPosition(const Tag& tag) {
  const std::string key = ToLowerAscii(tag.key);
  for (const char* word : {"location", "gps", "xyz", "latitude", "longitude"}) {
    if (key.find(word) != std::string::npos) return true;
  }
  return IsIso6709(tag.value);
}

// ffmpeg's options that empty the tags naming a position (a stream's by
// its number in the copy).
std::vector<std::string> Removals(const Description& clip) {
  std::set<std::vector<std::string>> removals;
  for (const Tag& tag : clip.tags) {
    if (!NamesPosition(tag)) continue;
    if (tag.stream < 0) {
      removals.insert({"-metadata", tag.key + "="});
    } else if (const int copy = clip.copied_as[tag.stream]; copy >= 0) {
      removals.insert({"-metadata:s:" + std::to_string(copy), tag.key + "="});
    }
  }
  std::vector<std::string> options;
  for (const auto& removal : removals) {
    options.insert(options.end(), removal.begin(), removal.end());
  }
  return options;
}

// QuickTime files whose tags are keys of their own ("com.apple.quicktime.
// make", as phones write them) keep them only written that way too.
bool KeepsKeyedTags(const std::string& extension,
                    const std::vector<Tag>& tags) {
  static const std::set<std::string> kQuickTime = {"mov", "mp4", "m4v", "3gp",
                                                   "3g2"};
  if (!kQuickTime.contains(extension)) return false;
  for (const Tag& tag : tags) {
    if (tag.stream < 0 && tag.key.find('.') != std::string::npos) return true;
  }
  return false;
}

Error NotRemoved(const std::string& ffmpeg_output, const std::string& movie) {
  const std::string why = LastLine(ffmpeg_output, movie);
  return Error("its location could not be removed" +
                   (why.empty() ? "" : " (" + why + ")"),
               ErrorKind::kImageData);
}

// ffmpeg's description of `movie`; nothing when ffmpeg cannot be started.
std::optional<ProgramRun> Describe(const std::string& movie,
                                   int32_t limit_seconds) {
  ProgramRun run = RunProgram(FfmpegReading(movie), limit_seconds);
  if (run.outcome == ProgramRun::Outcome::kNotStarted) return std::nullopt;
  if (run.outcome == ProgramRun::Outcome::kTimedOut)
    throw TooSlow(limit_seconds);
  if (run.output.find("Stream #") == std::string::npos) {
    throw Unreadable(run.output, movie, "; it was not published");
  }
  return run;
}

}  // namespace

Published PublishMovie(FileSystem& fs, const std::string& source,
                       const std::string& target, bool remove_location,
                       int32_t limit_seconds) {
  if (!remove_location) {
    CopyPublished(fs, source, target);
    return Published::kWritten;
  }
  const std::optional<ProgramRun> described = Describe(source, limit_seconds);
  if (!described) return Published::kNoFfmpeg;
  const Description clip = Parse(described->output);
  const std::string extension = ToLowerAscii(ExtensionOf(target));
  ScratchFile copy(fs, extension.empty() ? "mov" : extension,
                   "published movie");
  std::vector<std::string> arguments =
      FfmpegReading(source, {"-loglevel", "error", "-y"});
  arguments.insert(arguments.end(),
                   {"-map", "0", "-map", "-0:d", "-ignore_unknown", "-c",
                    "copy", "-map_metadata", "0"});
  const std::vector<std::string> removals = Removals(clip);
  arguments.insert(arguments.end(), removals.begin(), removals.end());
  if (KeepsKeyedTags(extension, clip.tags)) {
    arguments.insert(arguments.end(), {"-movflags", "use_metadata_tags"});
  }
  // ffmpeg knows the container by the extension, but for the MPEG program
  // streams of JVC's and Panasonic's camcorders.
  if (extension == "mod" || extension == "tod") {
    arguments.insert(arguments.end(), {"-f", "vob"});
  }
  arguments.push_back(FileUrl(copy.path()));
  const ProgramRun run = RunProgram(arguments, limit_seconds);
  if (run.outcome == ProgramRun::Outcome::kNotStarted)
    return Published::kNoFfmpeg;
  if (run.outcome == ProgramRun::Outcome::kTimedOut)
    throw TooSlow(limit_seconds);
  if (run.exit_status != 0) throw NotRemoved(run.output, source);
  const std::optional<ProgramRun> check = Describe(copy.path(), limit_seconds);
  if (!check) return Published::kNoFfmpeg;
  for (const Tag& tag : Parse(check->output).tags) {
    if (NamesPosition(tag)) throw NotRemoved("", source);
  }
  CopyPublished(fs, copy.path(), target);
  return Published::kWritten;
}

}  // namespace orvanta
