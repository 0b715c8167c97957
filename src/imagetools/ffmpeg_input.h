// What every ffmpeg and ffprobe run shares: the program names, the input
// options that keep them to the clip itself (the file protocol only, and
// only the containers cameras write, never a playlist pointing elsewhere),
// clip paths as ffmpeg must be given them, and the last words of their
// output.
#ifndef ORVANTA_IMAGETOOLS_FFMPEG_INPUT_H_
#define ORVANTA_IMAGETOOLS_FFMPEG_INPUT_H_

#include <string>
#include <vector>

namespace orvanta {

inline constexpr char kFfmpeg[] = "ffmpeg";
inline constexpr char kFfprobe[] = "ffprobe";

// The options before "-i" that keep ffmpeg to the clip itself.
std::vector<std::string> InputLimits();

// ffmpeg takes a name holding a colon for a protocol ("a:b.mp4") and one
// starting with "-" for an option; "file:" makes it a plain file name.
std::string FileUrl(const std::string& path);

// The last line of ffmpeg's output that says something, progress reports
// ("frame=12") left out, without the clip's name in front ("file:PATH: ")
// when `path` is given.
std::string LastLine(const std::string& output, const std::string& path = "");

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_FFMPEG_INPUT_H_
