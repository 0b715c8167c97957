// Fuzz target: loading info.ini. The input is the file's contents, loaded
// over the defaults from a folder of the file system in memory. A file
// that loads with a message is never changed. One that loads without is
// saved as the window saves it, loaded into fresh controls and saved
// again: the two saved files must be the same bytes, and the backup must
// hold the file that was there before.
#include <string>

#include "common/error.h"
#include "fuzz_support.h"
#include "options/options_file.h"
#include "testing/mem_file_system.h"

namespace orvanta::fuzz {
namespace {

constexpr char kFolder[] = "/settings";

// Loads over the defaults; the message of a failure, else "".
std::string Load(FileSystem& fs, OptionControls* controls) {
  SetDefaultOptions(kFolder, controls);
  try {
    LoadOptions(kFolder, controls, fs);
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

// Saves as the window does: with the lists its boxes show.
void Save(FileSystem& fs, const OptionControls& controls) {
  ExtensionTable shown;
  shown.AddExtensionList(controls.picture_file_extensions, false);
  shown.AddExtensionList(controls.movie_file_extensions, true);
  try {
    SaveOptions(kFolder, controls, shown, fs);
  } catch (const Error&) {
    Check(false, "saving succeeds");
  }
}

void LoadOne(const uint8_t* data, size_t size) {
  const std::string path = std::string(kFolder) + "/info.ini";
  const std::string backup = std::string(kFolder) + "/info.BAK";
  const std::string input(reinterpret_cast<const char*>(data), size);
  testing::MemFileSystem fs;
  fs.AddFile(path, input);

  OptionControls first;
  const std::string message = Load(fs, &first);
  if (size == 0) Check(!message.empty(), "an empty file is reported");
  if (!message.empty()) {
    Check(fs.Contents(path) == input && !fs.Has(backup),
          "loading never writes");
    return;
  }
  Save(fs, first);
  Check(fs.Contents(backup) == input, "the backup holds the previous file");
  const std::string saved = fs.Contents(path);

  OptionControls second;
  Check(Load(fs, &second).empty(), "a saved file loads without a message");
  Save(fs, second);
  Check(fs.Contents(path) == saved,
        "saving what was loaded gives the same file");
}

}  // namespace
}  // namespace orvanta::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  orvanta::fuzz::LoadOne(data, size);
  return 0;
}
