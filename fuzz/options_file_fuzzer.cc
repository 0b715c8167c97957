// Fuzz target: loading info.ini. The input is the file's contents, loaded
// over the defaults from a scratch folder. A file that loads with a
// message is never changed. One that loads without is saved, loaded into
// fresh controls and saved again: the two saved files must be the same
// bytes (but for the one exception below), the backup must hold the file
// that was there before, and no temporary file may be left.
#include <unistd.h>

#include <string>

#include "fuzz_support.h"
#include "options/options_file.h"
#include "testing/recording_ui.h"

namespace orvanta::fuzz {
namespace {

struct Loaded {
  OptionControls controls;
  GalleryOptions options;
  testing::RecordingUi ui;
};

void Load(const std::string& folder, Loaded* loaded, FileSystem& fs) {
  SetDefaultOptions(folder, &loaded->controls, &loaded->options);
  LoadOptions(folder, &loaded->controls, &loaded->options, fs, loaded->ui);
}

void LoadOne(const uint8_t* data, size_t size) {
  static const std::string folder = ScratchFolder();
  const std::string path = folder + "/info.ini";
  const std::string backup = folder + "/info.BAK";
  const std::string temporary = path + ".tmp";
  const std::string input(reinterpret_cast<const char*>(data), size);
  ::unlink(backup.c_str());
  WriteScratchFile(path, input);
  PosixFileSystem fs;

  Loaded first;
  Load(folder, &first, fs);
  if (size == 0)
    Check(first.ui.messages.size() == 1, "an empty file is reported");
  if (!first.ui.messages.empty()) {
    Check(ReadScratchFile(path) == input && !ReadScratchFile(backup),
          "loading never writes");
    return;
  }
  testing::RecordingUi save_ui;
  Check(SaveOptions(folder, first.controls, first.options.known_extensions, fs,
                    save_ui),
        "saving succeeds");
  Check(ReadScratchFile(backup) == input, "the backup holds the previous file");
  const std::optional<std::string> saved = ReadScratchFile(path);

  Loaded second;
  Load(folder, &second, fs);
  Check(second.ui.messages.empty(), "a saved file loads without a message");
  Check(SaveOptions(folder, second.controls, second.options.known_extensions,
                    fs, save_ui),
        "saving again succeeds");
  // Loading drops one leading "." from each listed extension, so an
  // extension that still starts with "." after that (the file said "..x")
  // loses one more dot at every save and load; everything else is stable.
  bool dotted = false;
  for (const KnownExtension& known : first.options.known_extensions.entries()) {
    dotted = dotted || known.extension.starts_with(".");
  }
  if (!dotted) {
    Check(ReadScratchFile(path) == saved,
          "saving what was loaded gives the same file");
  }
  Check(!ReadScratchFile(temporary), "no temporary file is left behind");
  Check(save_ui.messages.empty(), "saving shows no message");
}

}  // namespace
}  // namespace orvanta::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  orvanta::fuzz::LoadOne(data, size);
  return 0;
}
