// Taking a movie's frame with ffmpeg: one run that describes the clip (for
// its length), one that writes the frame to a temporary file; the frame
// then replaces the thumbnail in one step.
#include "imagetools/movie_thumbnail.h"

#include <cstdio>
#include <vector>

#include "common/error.h"
#include "common/path_utils.h"
#include "common/text_utils.h"
#include "imagetools/ffmpeg_runs.h"
#include "imagetools/picture_files.h"
#include "imagetools/process_runner.h"

namespace orvanta {
namespace {

// The clip's length in seconds from ffmpeg's description of it
// ("Duration: 00:01:02.50"); 0 when it gives none ("N/A").
double DurationOf(const std::string& description) {
  const size_t at = description.find("Duration: ");
  int hours = 0, minutes = 0;
  double seconds = 0;
  if (at == std::string::npos ||
      std::sscanf(description.c_str() + at + 10, "%d:%d:%lf", &hours, &minutes,
                  &seconds) != 3) {
    return 0;
  }
  return hours * 3600.0 + minutes * 60.0 + seconds;
}

// ffmpeg's words on a clip it could not read.
Error NoFrame(const std::string& ffmpeg_output, const std::string& movie) {
  return Unreadable(ffmpeg_output, movie, "; no frame was taken from it");
}

// ffmpeg's arguments for the frame `seek` seconds into the clip, fitted
// inside size x size.
std::vector<std::string> FrameArguments(const std::string& movie,
                                        const std::string& seek, int size,
                                        const std::string& frame) {
  const std::string box = std::to_string(size);
  std::vector<std::string> arguments =
      FfmpegReading(movie, {"-loglevel", "error", "-y", "-ss", seek});
  arguments.insert(arguments.end(),
                   {"-map", "0:v:0", "-frames:v", "1", "-vf",
                    "scale=" + box + ":" + box +
                        ":force_original_aspect_ratio=decrease:flags=lanczos",
                    "-q:v", "2", "-update", "1", FileUrl(frame)});
  return arguments;
}

}  // namespace

MovieThumbnail MakeMovieThumbnail(FileSystem& fs, const std::string& movie,
                                  const std::string& thumbnail, int size,
                                  int32_t limit_seconds) {
  // Without an output ffmpeg only describes its input (and says that an
  // output is missing).
  const ProgramRun probe = RunProgram(FfmpegReading(movie), limit_seconds);
  if (probe.outcome == ProgramRun::Outcome::kNotStarted) {
    return MovieThumbnail::kNoFfmpeg;
  }
  if (probe.outcome == ProgramRun::Outcome::kTimedOut) {
    throw TooSlow(limit_seconds);
  }
  if (probe.output.find(": Video: ") == std::string::npos) {
    throw NoFrame(probe.output, movie);
  }
  const double duration = DurationOf(probe.output);
  char seek[32];
  std::snprintf(seek, sizeof seek, "%.3f", duration >= 1 ? duration / 10 : 0);
  // The thumbnail's extension names the frame's format ("jpg" if none).
  const std::string extension = ToLowerAscii(ExtensionOf(thumbnail));
  ScratchFile frame(fs, extension.empty() ? "jpg" : extension, "frame");
  const ProgramRun run = RunProgram(
      FrameArguments(movie, seek, size, frame.path()), limit_seconds);
  if (run.outcome == ProgramRun::Outcome::kNotStarted) {
    return MovieThumbnail::kNoFfmpeg;
  }
  if (run.outcome == ProgramRun::Outcome::kTimedOut) {
    throw TooSlow(limit_seconds);
  }
  const std::string bytes =
      run.exit_status == 0 ? ReadPicture(fs, frame.path()) : "";
  if (bytes.empty()) throw NoFrame(run.output, movie);
  WriteThumbnail(fs, thumbnail, bytes);
  return MovieThumbnail::kMade;
}

}  // namespace orvanta
