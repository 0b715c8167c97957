// A clip's web copy, made by ffmpeg: H.264 (High, 8-bit 4:2:0) and AAC in
// MP4 with its index first (+faststart), fitted inside the bounds (never
// enlarged), turned upright, at most 60 frames a second, and without the
// clip's tags (a phone's location above all). H.264 that plays and fits
// and AAC or MP3 sound are taken over as they are. ffmpeg writes a hidden
// file beside the copy that takes its place when complete: a failed or
// stopped run leaves no file. It runs with a bounded number of threads at
// a lower priority, and tells how far it got.
#ifndef ORVANTA_IMAGETOOLS_WEB_VIDEO_H_
#define ORVANTA_IMAGETOOLS_WEB_VIDEO_H_

#include <cstdint>
#include <functional>
#include <string>

#include "common/file_system.h"
#include "imagetools/clip_probe.h"

namespace orvanta {

struct WebVideoRequest {
  std::string clip;  // the movie
  std::string copy;  // its web copy, replaced when made
  ClipFacts facts;   // what ProbeClip told of the clip
  PixelSize bounds;  // the copy fits inside these
  int threads = 1;   // at most this many for decoding, and for encoding
  // ffmpeg is stopped when it reports no progress for this long (0: never).
  int32_t stall_seconds = 30;
  // Called now and then with the share done (0 to 1); returning false
  // stops ffmpeg at once.
  std::function<bool(double done)> progress;
};

enum class WebVideo { kMade, kNoFfmpeg, kStopped };

// Makes the web copy. kNoFfmpeg when ffmpeg cannot be started; kStopped
// when `progress` said stop. Throws Error(kImageData) with ffmpeg's last
// line when it cannot convert the clip (or stalls), Error(kGeneral) when
// the copy cannot be written. Nothing is left of a copy not made.
WebVideo MakeWebVideo(FileSystem& fs, const WebVideoRequest& request);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_WEB_VIDEO_H_
