// Choosing the settings folder: beside the program, or the person's
// configuration folder for an installed one.
#include "options/settings_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "common/path_utils.h"
#include "options/options.h"

namespace orvanta {

std::string SettingsFolder(const std::string& program_folder, FileSystem& fs) {
#ifdef _WIN32
  (void)fs;
  return program_folder;
#else
  const std::filesystem::path program(program_folder);
  const std::filesystem::path prefix = program.parent_path();
  const bool installed =
      program.filename() == "bin" &&
      fs.FolderExists((prefix / "share" / "doc" / "orvanta").string());
  if (!installed ||
      FileExists(fs, JoinPathCopy(program_folder, kOptionsFileName))) {
    return program_folder;
  }
  const char* config_home = std::getenv("XDG_CONFIG_HOME");
  std::string base = config_home != nullptr ? config_home : "";
  if (base.empty() || base[0] != '/') {
    base = JoinPathCopy(fs.HomeFolder(), ".config");
  }
  const std::string folder = JoinPathCopy(base, "orvanta");
  std::error_code ignored;  // a folder that cannot be made shows on saving
  std::filesystem::create_directories(folder, ignored);
  return folder;
#endif
}

}  // namespace orvanta
