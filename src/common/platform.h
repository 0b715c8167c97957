// What differs between the systems the program is built for: the path
// separator, where the program lies, and the few texts that name the
// system. Each system has one implementation file (platform_posix.cc for
// Linux and other POSIX systems); the build picks the one that fits.
#ifndef ORVANTA_COMMON_PLATFORM_H_
#define ORVANTA_COMMON_PLATFORM_H_

#include <string>

namespace orvanta {

// The native path separator.
extern const char kPathSeparator;

struct PlatformTexts {
  // Below the program's title in the About box: "for Linux".
  const char* system;
  // The question before a gallery of the whole drive or file system.
  const char* root_folder_question;
  // The converter's usual path, the default of its box ("" for none).
  const char* default_converter_path;
  // The tool tip of the converter's path box.
  const char* converter_tip;
};
const PlatformTexts& Platform();

// The message when the image library cannot be started; `reason` is the
// library's own account ("" when there is none).
std::string ImageLibraryMissingText(const std::string& reason);

// The folder that holds the running program ("." when unknown).
std::string ExecutableFolder();

}  // namespace orvanta

#endif  // ORVANTA_COMMON_PLATFORM_H_
