// Movie thumbnails: a still frame taken by ffmpeg a tenth into the clip
// (its first frame when the clip is shorter than a second), fitted inside
// the thumbnail box with its proportions kept and turned upright as a
// player shows it (ffmpeg follows the clip's rotation), then written whole
// or not at all through the FileSystem. ffmpeg is a child process started
// through the process runner: no shell, its arguments passed one by one, a time
// limit; it reads the clip through the file protocol only and only as one
// of the containers cameras write, never as a playlist pointing elsewhere.
#ifndef ORVANTA_IMAGETOOLS_MOVIE_THUMBNAIL_H_
#define ORVANTA_IMAGETOOLS_MOVIE_THUMBNAIL_H_

#include <cstdint>
#include <string>

#include "common/file_system.h"

namespace orvanta {

enum class MovieThumbnail { kMade, kNoFfmpeg };

// Makes `thumbnail` (in the format its extension names) from the clip at
// `movie`, fitted inside size x size. Returns kNoFfmpeg, touching nothing,
// when ffmpeg cannot be started. Throws Error(kImageData) when ffmpeg
// cannot read the clip (or the file is a playlist or not a movie at all) or
// takes longer than `limit_seconds` (0: no limit), and Error(kGeneral) when the
// thumbnail cannot be written; `thumbnail` is then unchanged.
MovieThumbnail MakeMovieThumbnail(FileSystem& fs, const std::string& movie,
                                  const std::string& thumbnail, int size,
                                  int32_t limit_seconds);

}  // namespace orvanta

#endif  // ORVANTA_IMAGETOOLS_MOVIE_THUMBNAIL_H_
