// What every image tool shares: a thumbnail alone as a request without a
// copy.
#include "imagetools/image_tool.h"

namespace orvanta {

void ImageTool::MakeThumbnail(const std::string& source,
                              const std::string& target, int size) {
  if (target.empty()) {
    throw Error("a thumbnail of " + std::to_string(size) +
                " pixels cannot be made");
  }
  PictureRequest request;
  request.source = source;
  request.thumbnail = target;
  request.thumbnail_size = size;
  PictureResult result = MakePictureFiles(request);
  if (result.thumbnail_error) throw *result.thumbnail_error;
}

}  // namespace orvanta
