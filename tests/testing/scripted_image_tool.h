// The image tool of the engine's tests: each picture's fate is scripted by
// a word in its name, so a test can make the tool fail in ways the real
// one rarely does. "logic" throws std::logic_error, "int" throws an int,
// "slow" takes a while; any other picture gets a thumbnail of the bytes
// "thumbnail of NAME". Sizes are unknown and no mid-size copies are made,
// as with the external converter.
#ifndef ORVANTA_TESTING_SCRIPTED_IMAGE_TOOL_H_
#define ORVANTA_TESTING_SCRIPTED_IMAGE_TOOL_H_

#include <chrono>
#include <stdexcept>
#include <thread>

#include "common/path_utils.h"
#include "imagetools/image_tool.h"

namespace orvanta::testing {

class ScriptedImageTool : public ImageTool {
 public:
  explicit ScriptedImageTool(FileSystem& fs) : fs_(fs) {}
  std::optional<PixelSize> PictureSize(const std::string&) override {
    return std::nullopt;
  }
  PictureResult MakePictureFiles(const PictureRequest& request) override {
    const std::string name = FileNameOf(request.source);
    if (name.find("logic") != std::string::npos) {
      throw std::logic_error("a fault of the tool's own");
    }
    if (name.find("int") != std::string::npos) throw 42;
    if (name.find("slow") != std::string::npos) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!request.thumbnail.empty()) {
      fs_.WriteFile(request.thumbnail, "thumbnail of " + name);
    }
    return {};
  }

 private:
  FileSystem& fs_;
};

}  // namespace orvanta::testing

#endif  // ORVANTA_TESTING_SCRIPTED_IMAGE_TOOL_H_
