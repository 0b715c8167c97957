// Fuzz target: loading info.ini. The input is the file's contents, loaded
// over the defaults. When it loads without a message, the options are
// saved, loaded into fresh controls and saved again: the two saved files
// must be the same bytes (saving what was loaded is stable; see the one
// exception below) and the backup
// must hold the file that was there before. A file that loads with a
// message is never changed. The files live in memory (the folder
// information target reads through the real file system's line reader).
#include <string>

#include "fuzz_support.h"
#include "memory_file_system.h"
#include "options/options_file.h"

namespace orvanta::fuzz {
namespace {

constexpr char kFolder[] = "/program";
constexpr char kPath[] = "/program/info.ini";
constexpr char kBackup[] = "/program/info.BAK";

struct Loaded {
  OptionControls controls;
  GalleryOptions options;
  QuietUi ui;
};

void Load(Loaded* loaded, MemoryFileSystem& fs) {
  SetDefaultOptions(kFolder, &loaded->controls, &loaded->options);
  LoadOptions(kFolder, &loaded->controls, &loaded->options, fs, loaded->ui);
}

void LoadOne(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  MemoryFileSystem fs;
  fs.files[kPath] = input;

  Loaded first;
  Load(&first, fs);
  if (size == 0) {
    Check(first.ui.message_count == 1, "an empty file is reported");
  }
  if (first.ui.message_count != 0) {
    Check(fs.files.size() == 1 && fs.files[kPath] == input,
          "loading never writes");
    return;
  }
  QuietUi save_ui;
  Check(SaveOptions(kFolder, first.controls, first.options.known_extensions, fs,
                    save_ui),
        "saving succeeds");
  Check(fs.files[kBackup] == input, "the backup holds the previous file");
  const std::string saved = fs.files[kPath];

  Loaded second;
  Load(&second, fs);
  Check(second.ui.message_count == 0, "a saved file loads without a message");
  Check(SaveOptions(kFolder, second.controls, second.options.known_extensions,
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
    Check(fs.files[kPath] == saved,
          "saving what was loaded gives the same file");
  }
  Check(fs.files.size() == 2, "no temporary file is left behind");
  Check(save_ui.message_count == 0, "saving shows no message");
}

}  // namespace
}  // namespace orvanta::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  orvanta::fuzz::LoadOne(data, size);
  return 0;
}
