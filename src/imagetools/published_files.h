// Publishing the originals into a gallery's output folder, with or without
// where they were taken: a picture's GPS position and the camera, lens and
// body serial numbers are removed from its EXIF, XMP and IPTC metadata
// (every pixel kept; a JPEG's picture data byte for byte), a movie is
// copied stream by stream by ffmpeg without its location tags. A file whose
// position cannot be removed for certain is not published at all.
#ifndef ORVANTA_IMAGETOOLS_PUBLISHED_FILES_H_
#define ORVANTA_IMAGETOOLS_PUBLISHED_FILES_H_

#include <cstdint>
#include <string>

#include "common/file_system.h"

namespace orvanta {

enum class Published { kWritten, kNoFfmpeg };

// Writes `target` as the picture at `source`. With remove_location, the GPS
// position and the camera, lens and body serial numbers are removed from
// its EXIF, XMP and IPTC: JPEG, PNG, TIFF and WebP through exiv2 (a JPEG's
// metadata segments rewritten, its picture data kept byte for byte; the
// pixels of the others kept), HEIC and AVIF by an edit of their EXIF
// blocks and XMP packets in place. A picture that holds none is copied as
// it is; so is every picture without remove_location. `target` is replaced
// whole or left as it was.
// Throws Error(kImageData, "its location could not be removed") when a
// position or serial number cannot be removed or a trace of one remains
// (a damaged file, a format that cannot be edited), Error(kGeneral) when
// the source cannot be read or the target written.
void PublishPicture(FileSystem& fs, const std::string& source,
                    const std::string& target, bool remove_location);

// Writes `target` as the movie at `source`: with remove_location by ffmpeg
// stream copy (video, audio and subtitle streams and the other metadata
// kept, creation_time included; data streams, where cameras keep GPS
// tracks, left out) without the tags that name a position (QuickTime's
// "location", "com.apple.quicktime.location.ISO6709" and any other);
// without it a plain copy. Returns kNoFfmpeg, touching nothing, when ffmpeg
// cannot be started. Throws Error(kImageData) with ffmpeg's last words when
// it cannot read or write the clip or takes longer than `limit_seconds` (0:
// no limit), or when a position tag remains; Error(kGeneral) when the
// target cannot be written. The clip is written to a temporary file first:
// `target` is replaced whole or left as it was.
Published PublishMovie(FileSystem& fs, const std::string& source,
                       const std::string& target, bool remove_location,
                       int32_t limit_seconds);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_PUBLISHED_FILES_H_
