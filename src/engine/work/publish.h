// Publishing an original: a picture or movie of the input folder put into
// the output folder, where its page links it. With the location removed,
// a picture keeps every byte of its image data but loses its GPS position
// and the serial numbers of camera, lens and body; a movie is copied
// stream by stream without its location tags.
#ifndef ORVANTA_ENGINE_WORK_PUBLISH_H_
#define ORVANTA_ENGINE_WORK_PUBLISH_H_

#include <cstdint>
#include <string>

#include "common/file_system.h"

namespace orvanta {

enum class Publication {
  kPublished,
  kNoFfmpeg,  // a movie's location can only be removed by ffmpeg: missing
};

// Publishes `source` at `target`, replacing it. Throws Error: kImageData
// when the location could not be removed (nothing is published then),
// kGeneral when the file cannot be read or written.
Publication PublishOriginal(FileSystem& fs, const std::string& source,
                            const std::string& target, bool movie,
                            bool remove_location, int32_t limit_seconds);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_WORK_PUBLISH_H_
