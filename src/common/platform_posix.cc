// The POSIX side of platform.h.
#include <unistd.h>

#include <vector>

#include "common/platform.h"

namespace orvanta {

const char kPathSeparator = '/';

const PlatformTexts& Platform() {
  static const PlatformTexts texts = {
      "for Linux",
      "The currently selected input folder is the root folder of the file "
      "system.  Are you sure you want to create an Orvanta based on the "
      "entire file system?",
      "",
      "The converter program, called as: program picture /resample=(N,N) "
      "/aspectratio /convert=thumbnail",
  };
  return texts;
}

std::string ImageLibraryMissingText(const std::string& reason) {
  return "ImageMagick could not be started" +
         (reason.empty() ? std::string() : " (" + reason + ")") +
         ".  Please install it again (Debian: apt-get install --reinstall "
         "libmagick++-6.q16-8 imagemagick-6-common), or tick \"Use Irfanview "
         "instead of ImageMagick\" and give the path of a converter.";
}

std::string ExecutableFolder() {
  std::vector<char> buffer(4096);
  const ssize_t length =
      readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0) return ".";
  const std::string path(buffer.data(), static_cast<size_t>(length));
  const size_t slash = path.rfind('/');
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace orvanta
