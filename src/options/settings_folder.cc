// Choosing the settings folder: beside the program, or the person's
// configuration folder for an installed one.
#include "options/settings_folder.h"

#include "common/error.h"
#include "common/path_utils.h"
#include "options/options.h"

namespace orvanta {

std::string SettingsFolder(const std::string& program_folder, FileSystem& fs) {
  std::string folder = program_folder;
  while (folder.size() > 1 && folder.back() == kPathSeparator) {
    folder.pop_back();
  }
  const std::string prefix =
      folder.substr(0, folder.size() - FileNameOf(folder).size());
  const bool installed =
      FileNameOf(folder) == "bin" &&
      fs.FolderExists(JoinPathCopy(prefix, "share") + kPathSeparator + "doc" +
                      kPathSeparator + "orvanta");
  const std::string config = fs.ConfigFolder();
  if (!installed || config.empty() ||
      fs.FileExists(JoinPathCopy(program_folder, kOptionsFileName))) {
    return program_folder;
  }
  const std::string settings = JoinPathCopy(config, "orvanta");
  try {
    fs.MakeFolders(settings);
  } catch (const Error&) {
    // A folder that cannot be made shows when the options are saved.
  }
  return settings;
}

void PrepareSettingsFolder(const std::string& folder, FileSystem& fs) {
  try {
    fs.MakeFolders(folder);
  } catch (const Error& e) {
    throw Error("The program folder " + folder + " cannot be made (" +
                e.what() + ")");
  }
  try {
    // Never closed: the file is left as it was.
    fs.CreateTextFile(JoinPathCopy(folder, kOptionsFileName));
  } catch (const Error& e) {
    throw Error("The program folder " + folder + " cannot be written (" +
                e.what() + ")");
  }
}

}  // namespace orvanta
