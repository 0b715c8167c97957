// Publishing originals.
#include "engine/work/publish.h"

namespace orvanta {

// Copies the file as it is: the location is not removed yet.
Publication PublishOriginal(FileSystem& fs, const std::string& source,
                            const std::string& target, bool /*movie*/,
                            bool /*remove_location*/,
                            int32_t /*limit_seconds*/) {
  fs.CopyFile(source, target);
  return Publication::kPublished;
}

}  // namespace orvanta
