// Converting a clip with ffmpeg, its -progress reports read as they come.
#include "imagetools/web_video.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "common/error.h"
#include "imagetools/ffmpeg_runs.h"
#include "imagetools/process_runner.h"

namespace orvanta {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kNiceness = 10;  // below the pictures and the desktop
constexpr double kMaxFrameRate = 60;

// Thrown through the file system when ffmpeg made nothing that may take
// the copy's place.
struct NothingMade {
  WebVideo why;
};

// ffmpeg's arguments for the video: taken over, or scaled (after the
// turn ffmpeg makes by itself), square pixels, 8-bit 4:2:0, H.264 High.
std::vector<std::string> VideoArguments(const WebVideoRequest& request) {
  const ClipFacts& clip = request.facts;
  if (KeepsVideo(clip, request.bounds)) return {"-c:v", "copy"};
  const PixelSize size = WebVideoSize(clip, request.bounds);
  std::string filters = "scale=" + std::to_string(size.width) + ":" +
                        std::to_string(size.height) +
                        ":flags=bicubic,setsar=1,format=yuv420p";
  if (clip.frame_rate > kMaxFrameRate) filters += ",fps=60";
  const std::string threads = std::to_string(request.threads);
  return {
      "-vf",        filters, "-filter_threads", "1",        "-c:v", "libx264",
      "-profile:v", "high",  "-preset",         "veryfast", "-crf", "23",
      "-threads",   threads};
}

std::vector<std::string> AudioArguments(const ClipFacts& clip) {
  if (clip.audio == "aac" || clip.audio == "mp3") return {"-c:a", "copy"};
  std::vector<std::string> args = {"-c:a", "aac"};
  if (clip.audio_channels > 2) args.insert(args.end(), {"-ac", "2"});
  return args;
}

std::vector<std::string> Arguments(const WebVideoRequest& request,
                                   const std::string& made) {
  std::vector<std::string> args = {
      kFfmpeg, "-nostdin", "-hide_banner", "-loglevel",
      "error", "-y",       "-threads",     std::to_string(request.threads)};
  const std::vector<std::string> limits = InputLimits();
  args.insert(args.end(), limits.begin(), limits.end());
  args.insert(args.end(),
              {"-i", FileUrl(request.clip), "-map", "0:v:0", "-map", "0:a:0?",
               "-map_metadata", "-1", "-map_chapters", "-1"});
  for (const auto& part :
       {VideoArguments(request), AudioArguments(request.facts)}) {
    args.insert(args.end(), part.begin(), part.end());
  }
  args.insert(args.end(), {"-movflags", "+faststart", "-f", "mp4", "-progress",
                           "pipe:1", "-nostats", FileUrl(made)});
  return args;
}

// Follows ffmpeg's -progress reports ("out_time_us=1500000" lines, split
// anywhere between two reads): the share done, and when it last moved.
class ProgressReader {
 public:
  explicit ProgressReader(double duration) : duration_(duration) {}

  void Add(std::string_view output) {
    pending_ += output;
    for (size_t end; (end = pending_.find('\n')) != std::string::npos;) {
      const std::string line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      if (line.starts_with("progress=")) last_report_ = Clock::now();
      if (line.starts_with("out_time_us=") && duration_ > 0) {
        const double seconds = std::atof(line.c_str() + 12) / 1e6;
        done_ = std::clamp(seconds / duration_, 0.0, 1.0);
      }
    }
  }
  double done() const { return done_; }
  double SecondsQuiet() const {
    return std::chrono::duration<double>(Clock::now() - last_report_).count();
  }

 private:
  const double duration_;
  std::string pending_;
  double done_ = 0;
  Clock::time_point last_report_ = Clock::now();
};

// Runs ffmpeg into `made`; throws NothingMade or Error when it made
// nothing that may take the copy's place.
void MakeInto(const std::string& made, const WebVideoRequest& request) {
  bool stalled = false;
  ProgressReader reader(request.facts.duration);
  ProgramWatch watch;
  watch.niceness = kNiceness;
  watch.on_output = [&](std::string_view output) {
    reader.Add(output);
    stalled = request.stall_seconds > 0 &&
              reader.SecondsQuiet() > request.stall_seconds;
    return !stalled && (!request.progress || request.progress(reader.done()));
  };
  const ProgramRun run = RunProgram(Arguments(request, made), 0, watch);
  if (run.outcome == ProgramRun::Outcome::kNotStarted) {
    throw NothingMade{WebVideo::kNoFfmpeg};
  }
  if (stalled) {
    throw Error("ffmpeg made no progress for " +
                    std::to_string(request.stall_seconds) + " seconds",
                ErrorKind::kImageData);
  }
  if (run.outcome == ProgramRun::Outcome::kStopped) {
    throw NothingMade{WebVideo::kStopped};
  }
  if (run.exit_status != 0) {
    const std::string why = LastLine(run.output, request.clip);
    throw Error("ffmpeg could not convert the file" +
                    (why.empty() ? "" : " (" + why + ")"),
                ErrorKind::kImageData);
  }
}

}  // namespace

WebVideo MakeWebVideo(FileSystem& fs, const WebVideoRequest& request) {
  try {
    fs.WriteFileMadeBy(request.copy, [&](const std::string& made) {
      MakeInto(made, request);
    });
  } catch (const NothingMade& nothing) {
    return nothing.why;
  }
  return WebVideo::kMade;
}

}  // namespace orvanta
