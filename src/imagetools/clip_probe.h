// What a movie clip is made of, as ffprobe tells it from its streams (never
// from its name), and whether browsers play it as it is: Chromium, Firefox
// and Safari play H.264 (8-bit 4:2:0), VP8, VP9 and AV1 with AAC, Opus or
// MP3 in MP4 (or QuickTime, 3GP) whose index (moov) comes before its data,
// and VP8, VP9 and AV1 with Opus or Vorbis in WebM. Phones' HEVC, cameras'
// MJPEG AVI, MPEG and clips whose index comes last need a web copy
// (web_video.h).
#ifndef ORVANTA_IMAGETOOLS_CLIP_PROBE_H_
#define ORVANTA_IMAGETOOLS_CLIP_PROBE_H_

#include <cstdint>
#include <optional>
#include <string>

#include "common/file_system.h"
#include "imagetools/image_tool.h"
#include "imagetools/picture_metadata.h"

namespace orvanta {

struct ClipFacts {
  enum class Container { kMp4, kWebm, kOther };
  Container container = Container::kOther;
  bool index_first = false;  // MP4: moov before mdat, so it plays at once
  // The first video and audio streams by ffmpeg's codec names ("h264",
  // "hevc", "mjpeg"; "aac", "pcm_s16le"); "" when there is none.
  std::string video;
  std::string video_profile;  // "High", "Main 10"
  std::string pixel_format;   // "yuv420p"
  std::string audio;
  int audio_channels = 0;
  PixelSize stored;       // the frames as stored
  PixelSize shown;        // as a player shows them: square pixels, turned
  double frame_rate = 0;  // frames a second; 0 when unknown
  double duration = 0;    // seconds; 0 when unknown
  // When it was recorded: Apple's creation date (local time and offset),
  // else the container's or a stream's creation time (UTC); none before
  // 1971 (a camera whose clock was never set).
  std::optional<DateTaken> recorded;
};

// Asks ffprobe about the clip at `path` (within `limit_seconds`; 0: no
// limit); nothing when ffprobe cannot be started. Throws Error(kImageData)
// with ffprobe's last line when it cannot read the clip (or it is a
// playlist, or holds no video).
std::optional<ClipFacts> ProbeClip(FileSystem& fs, const std::string& path,
                                   int32_t limit_seconds);

// Whether browsers play the clip as it is within `bounds` (its shown size).
bool PlaysInBrowsers(const ClipFacts& clip, PixelSize bounds);
// The MIME type of a clip that plays: "video/mp4" or "video/webm".
std::string PlayedType(const ClipFacts& clip);
// Whether the clip's video stream can go into a web copy as it is (H.264
// that plays, within the bounds, at most 60 frames a second).
bool KeepsVideo(const ClipFacts& clip, PixelSize bounds);
// The size of the clip's web copy: its shown size fitted inside `bounds`,
// never enlarged, both sides even.
PixelSize WebVideoSize(const ClipFacts& clip, PixelSize bounds);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_CLIP_PROBE_H_
