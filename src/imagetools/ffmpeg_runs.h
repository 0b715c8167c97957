// What every run of ffmpeg shares: the options that keep it to the one
// clip it is given (the file protocol only, the containers cameras write),
// file names it cannot take for protocols or options, and the errors made
// from its output.
#ifndef ORVANTA_IMAGETOOLS_FFMPEG_RUNS_H_
#define ORVANTA_IMAGETOOLS_FFMPEG_RUNS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "common/error.h"

namespace orvanta {

inline constexpr char kFfmpeg[] = "ffmpeg";

// "ffmpeg -nostdin -hide_banner", `options`, then the options before "-i"
// that keep it to the clip itself, then "-i" and the clip.
std::vector<std::string> FfmpegReading(
    const std::string& movie, const std::vector<std::string>& options = {});

// ffmpeg takes a name holding a colon for a protocol ("a:b.mp4") and one
// starting with "-" for an option; "file:" makes it a plain file name.
std::string FileUrl(const std::string& path);

// The last line of ffmpeg's output that says something, without the
// clip's name `movie` in front.
std::string LastLine(const std::string& output, const std::string& movie);

// ffmpeg's last words about `movie`, which it could not read (the caller
// names the file): Error(kImageData). `refused` follows the text for a
// file ffmpeg is not allowed to read ("; no frame was taken from it").
Error Unreadable(const std::string& ffmpeg_output, const std::string& movie,
                 const std::string& refused);

// "ffmpeg took longer than N seconds": Error(kImageData).
Error TooSlow(int32_t limit_seconds);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_FFMPEG_RUNS_H_
