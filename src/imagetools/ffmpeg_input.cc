// The options and words that every ffmpeg run shares.
#include "imagetools/ffmpeg_input.h"

namespace orvanta {
namespace {

// The containers cameras and phones write (QuickTime/MP4/3GP, AVI,
// Matroska/WebM, MPEG program and transport streams as in AVCHD, raw MPEG
// video, FLV, ASF/WMV, Ogg, DV, MXF), by ffmpeg's demuxer names. Others,
// above all playlists (hls, concat) that make ffmpeg open further files,
// are refused. The clip itself is read through the file protocol only.
constexpr char kMovieFormats[] =
    "mov,avi,matroska,webm,mpeg,mpegts,mpegvideo,flv,asf,ogg,dv,mxf";

// A line of ffmpeg's -progress reports: "name=value", the name in lower
// case.
bool IsProgressLine(const std::string& line) {
  const size_t equals = line.find('=');
  return equals != std::string::npos && equals > 0 &&
         line.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789_") ==
             equals;
}

}  // namespace

std::vector<std::string> InputLimits() {
  return {"-protocol_whitelist", "file", "-format_whitelist", kMovieFormats};
}

std::string FileUrl(const std::string& path) { return "file:" + path; }

std::string LastLine(const std::string& output, const std::string& path) {
  size_t end = output.size();
  while (end > 0) {
    const size_t start = output.find_last_of("\r\n", end - 1);
    const size_t from = start == std::string::npos ? 0 : start + 1;
    std::string line = output.substr(from, end - from);
    end = start == std::string::npos ? 0 : start;
    const size_t last = line.find_last_not_of(' ');
    if (last == std::string::npos || IsProgressLine(line)) continue;
    line.resize(last + 1);
    const std::string name = FileUrl(path) + ": ";
    if (!path.empty() && line.starts_with(name)) line.erase(0, name.size());
    return line;
  }
  return "";
}

}  // namespace orvanta
