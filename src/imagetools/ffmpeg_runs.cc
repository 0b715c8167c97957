// The options and errors every run of ffmpeg shares.
#include "imagetools/ffmpeg_runs.h"

namespace orvanta {
namespace {

// The containers cameras and phones write (QuickTime/MP4/3GP, AVI,
// Matroska/WebM, MPEG program and transport streams as in AVCHD, raw MPEG
// video, FLV, ASF/WMV, Ogg, DV, MXF), by ffmpeg's demuxer names. Others,
// above all playlists (hls, concat) that make ffmpeg open further files,
// are refused. The clip itself is read through the file protocol only.
constexpr char kMovieFormats[] =
    "mov,avi,matroska,webm,mpeg,mpegts,mpegvideo,flv,asf,ogg,dv,mxf";

// The demuxer ffmpeg found for a file it refused to read because its
// format is not one of kMovieFormats ("[hls @ 0x55d0] Format not on
// whitelist 'mov,...'"); empty for other failures.
std::string RefusedFormat(const std::string& ffmpeg_output) {
  const size_t refused = ffmpeg_output.find("] Format not on whitelist");
  if (refused == std::string::npos) return "";
  const size_t open = ffmpeg_output.rfind('[', refused);
  const size_t at = ffmpeg_output.find(" @ ", open);
  if (open == std::string::npos || at > refused) return "";
  return ffmpeg_output.substr(open + 1, at - open - 1);
}

}  // namespace

std::vector<std::string> FfmpegReading(
    const std::string& movie, const std::vector<std::string>& options) {
  std::vector<std::string> arguments = {kFfmpeg, "-nostdin", "-hide_banner"};
  arguments.insert(arguments.end(), options.begin(), options.end());
  arguments.insert(arguments.end(),
                   {"-protocol_whitelist", "file", "-format_whitelist",
                    kMovieFormats, "-i", FileUrl(movie)});
  return arguments;
}

std::string FileUrl(const std::string& path) { return "file:" + path; }

std::string LastLine(const std::string& output, const std::string& movie) {
  const size_t end = output.find_last_not_of(" \r\n");
  if (end == std::string::npos) return "";
  size_t start = output.find_last_of("\r\n", end);
  start = start == std::string::npos ? 0 : start + 1;
  std::string line = output.substr(start, end - start + 1);
  const std::string name = FileUrl(movie) + ": ";
  if (line.starts_with(name)) line.erase(0, name.size());
  return line;
}

Error Unreadable(const std::string& ffmpeg_output, const std::string& movie,
                 const std::string& refused) {
  const std::string format = RefusedFormat(ffmpeg_output);
  if (!format.empty()) {
    return Error(
        "the file is a playlist or another kind of file that is "
        "not a movie (ffmpeg reads it as \"" +
            format + "\")" + refused,
        ErrorKind::kImageData);
  }
  const std::string why = LastLine(ffmpeg_output, movie);
  return Error("the file is not a movie that can be read" +
                   (why.empty() ? "" : " (" + why + ")"),
               ErrorKind::kImageData);
}

Error TooSlow(int32_t limit_seconds) {
  return Error(
      "ffmpeg took longer than " + std::to_string(limit_seconds) + " seconds",
      ErrorKind::kImageData);
}

}  // namespace orvanta
