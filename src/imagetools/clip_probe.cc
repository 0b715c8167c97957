// Reading ffprobe's description of a clip and the file's first bytes.
#include "imagetools/clip_probe.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string_view>
#include <vector>

#include "common/error.h"
#include "imagetools/ffmpeg_runs.h"
#include "imagetools/metadata_text.h"
#include "imagetools/process_runner.h"

namespace orvanta {
namespace {

constexpr size_t kHeadBytes = 64 * 1024;
constexpr uint32_t kLargeSize = 1;  // a box whose size follows its type

using Fields = std::map<std::string, std::string>;

// "30000/1001" as a number; 0 for "0/0" and "N/A".
double Ratio(const std::string& text) {
  double numerator = 0, denominator = 0;
  if (std::sscanf(text.c_str(), "%lf%*[/:]%lf", &numerator, &denominator) !=
          2 ||
      numerator <= 0 || denominator <= 0) {
    return 0;
  }
  return numerator / denominator;
}

int Number(const Fields& fields, const char* key) {
  auto at = fields.find(key);
  return at == fields.end() ? 0 : std::atoi(at->second.c_str());
}

std::string Text(const Fields& fields, const char* key) {
  auto at = fields.find(key);
  return at == fields.end() ? "" : at->second;
}

uint64_t BigEndian(std::string_view bytes, size_t at, int count) {
  uint64_t value = 0;
  for (int i = 0; i < count; ++i) {
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  }
  return value;
}

// Whether the MP4's top-level boxes bring moov before mdat, within the
// file's first bytes (a longer walk says no: the copy fixes it).
bool IndexFirst(std::string_view head) {
  for (size_t at = 0; at + 8 <= head.size();) {
    uint64_t size = BigEndian(head, at, 4);
    const std::string_view type = head.substr(at + 4, 4);
    if (type == "moov") return true;
    if (type == "mdat") return false;
    if (size == kLargeSize && at + 16 <= head.size()) {
      size = BigEndian(head, at + 8, 8);
    }
    if (size < 8) return false;  // to the end of the file, or broken
    at += size;
  }
  return false;
}

// Whether a Matroska file says it is WebM (its EBML header's DocType).
bool SaysWebm(std::string_view head) {
  const size_t at = head.substr(0, 64).find("\x42\x82");
  if (at == std::string_view::npos || at + 3 > head.size()) return false;
  const unsigned char size = static_cast<unsigned char>(head[at + 2]);
  return size == 0x84 && head.substr(at + 3, 4) == "webm";
}

// The sections of ffprobe's default output: "[STREAM]" ... "[/STREAM]"
// with "key=value" lines, side data (the rotation) inside a stream.
std::vector<std::pair<std::string, Fields>> Sections(const std::string& text) {
  std::vector<std::pair<std::string, Fields>> sections;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    if (line == "[STREAM]" || line == "[FORMAT]") {
      sections.push_back({line, {}});
    } else if (!sections.empty() && line.find('=') != std::string::npos) {
      const size_t equals = line.find('=');
      sections.back().second.emplace(line.substr(0, equals),
                                     line.substr(equals + 1));
    }
  }
  return sections;
}

void ReadVideo(const Fields& stream, ClipFacts* clip) {
  clip->video = Text(stream, "codec_name");
  clip->video_profile = Text(stream, "profile");
  clip->pixel_format = Text(stream, "pix_fmt");
  clip->stored = {Number(stream, "width"), Number(stream, "height")};
  clip->frame_rate = Ratio(Text(stream, "avg_frame_rate"));
  const double aspect = Ratio(Text(stream, "sample_aspect_ratio"));
  clip->shown = clip->stored;
  if (aspect > 0) {
    clip->shown.width =
        std::max(1, static_cast<int>(std::lround(clip->stored.width * aspect)));
  }
  if (std::abs(Number(stream, "rotation")) % 180 == 90) {
    std::swap(clip->shown.width, clip->shown.height);
  }
}

// The date in a creation time tag, kept when it is after 1970.
std::optional<DateTaken> Recorded(const Fields& fields, const char* tag) {
  std::optional<DateTaken> date = ParseDateTime(Text(fields, tag));
  if (!date || date->precision != DatePrecision::kSecond || date->year < 1971) {
    return std::nullopt;
  }
  return date;
}

ClipFacts ReadDescription(const std::string& text, std::string_view head) {
  ClipFacts clip;
  std::optional<DateTaken> stream_time;
  for (const auto& [name, fields] : Sections(text)) {
    if (!stream_time) stream_time = Recorded(fields, "TAG:creation_time");
    const std::string type = Text(fields, "codec_type");
    if (name == "[FORMAT]") {
      clip.recorded = Recorded(fields, "TAG:com.apple.quicktime.creationdate");
      if (!clip.recorded) clip.recorded = Recorded(fields, "TAG:creation_time");
      clip.duration =
          std::max(0.0, std::atof(Text(fields, "duration").c_str()));
      const std::string format = Text(fields, "format_name");
      // QuickTime, MP4 and 3GP alike: browsers play what they hold.
      if (format.find("mp4") != std::string::npos) {
        clip.container = ClipFacts::Container::kMp4;
        clip.index_first = IndexFirst(head);
      } else if (format.find("webm") != std::string::npos && SaysWebm(head)) {
        clip.container = ClipFacts::Container::kWebm;
      }
    } else if (type == "video" && clip.video.empty()) {
      ReadVideo(fields, &clip);
    } else if (type == "audio" && clip.audio.empty()) {
      clip.audio = Text(fields, "codec_name");
      clip.audio_channels = Number(fields, "channels");
    }
  }
  if (!clip.recorded) clip.recorded = stream_time;
  return clip;
}

bool IsEightBit420(const ClipFacts& clip) {
  return clip.pixel_format == "yuv420p" || clip.pixel_format == "yuvj420p";
}

bool Within(PixelSize size, PixelSize bounds) {
  return size.width <= bounds.width && size.height <= bounds.height;
}

bool PlayedH264(const ClipFacts& clip) {
  return clip.video == "h264" && IsEightBit420(clip) &&
         (clip.video_profile == "High" || clip.video_profile == "Main" ||
          clip.video_profile.find("Baseline") != std::string::npos);
}

}  // namespace

std::optional<ClipFacts> ProbeClip(FileSystem& fs, const std::string& path,
                                   int32_t limit_seconds) {
  std::vector<std::string> args = {kFfprobe, "-v", "error"};
  const std::vector<std::string> limits = InputLimits();
  args.insert(args.end(), limits.begin(), limits.end());
  args.insert(args.end(),
              {"-show_entries",
               "format=format_name,duration:format_tags=creation_time,com."
               "apple.quicktime.creationdate:stream=codec_type,codec_name,"
               "profile,pix_fmt,width,height,sample_aspect_ratio,avg_frame_"
               "rate,channels:stream_tags=creation_time:stream_side_data="
               "rotation",
               "-of", "default", "-i", FileUrl(path)});
  const ProgramRun run = RunProgram(args, limit_seconds);
  if (run.outcome == ProgramRun::Outcome::kNotStarted) return std::nullopt;
  if (run.outcome != ProgramRun::Outcome::kEnded) {
    throw Error("ffprobe took longer than " + std::to_string(limit_seconds) +
                    " seconds",
                ErrorKind::kImageData);
  }
  std::string head;
  try {
    head = fs.ReadFile(path, kHeadBytes);
  } catch (const Error&) {
    // ffprobe read it: the head only tells how it is laid out.
  }
  ClipFacts clip = ReadDescription(run.output, head);
  if (run.exit_status != 0 || clip.video.empty() || clip.stored.width < 1 ||
      clip.stored.height < 1) {
    if (run.exit_status != 0) throw Unreadable(run.output, path, "");
    throw Error("the file is not a movie that can be read (no video in it)",
                ErrorKind::kImageData);
  }
  return clip;
}

bool PlaysInBrowsers(const ClipFacts& clip, PixelSize bounds) {
  if (!Within(clip.shown, bounds)) return false;
  const bool open_video =
      (clip.video == "vp8" || clip.video == "vp9" || clip.video == "av1") &&
      IsEightBit420(clip);
  const std::string& audio = clip.audio;
  if (clip.container == ClipFacts::Container::kMp4) {
    return clip.index_first && (PlayedH264(clip) || open_video) &&
           (audio.empty() || audio == "aac" || audio == "mp3" ||
            audio == "opus");
  }
  return clip.container == ClipFacts::Container::kWebm && open_video &&
         (audio.empty() || audio == "opus" || audio == "vorbis");
}

std::string PlayedType(const ClipFacts& clip) {
  return clip.container == ClipFacts::Container::kWebm ? "video/webm"
                                                       : "video/mp4";
}

bool KeepsVideo(const ClipFacts& clip, PixelSize bounds) {
  return PlayedH264(clip) && Within(clip.shown, bounds) &&
         clip.frame_rate <= 60;
}

PixelSize WebVideoSize(const ClipFacts& clip, PixelSize bounds) {
  const PixelSize shown = clip.shown;
  const double scale =
      std::min({1.0, static_cast<double>(bounds.width) / shown.width,
                static_cast<double>(bounds.height) / shown.height});
  auto even = [scale](int side) {
    const int fitted = static_cast<int>(std::lround(side * scale));
    return std::max(2, fitted - fitted % 2);
  };
  return {even(shown.width), even(shown.height)};
}

}  // namespace orvanta
