// Fuzz target: reading a folder information file. The input is the file's
// contents, put in a folder of the file system in memory and read as the
// folder's DirInfo.txt; then the lookups that the pages make run on what was
// read. Checked besides memory safety: a picture named in the file finds its
// description ignoring case.
#include <string>

#include "common/text_utils.h"
#include "engine/plan/folder_info.h"
#include "fuzz_support.h"
#include "testing/mem_file_system.h"

namespace orvanta::fuzz {
namespace {

void ReadOne(const uint8_t* data, size_t size) {
  const std::string folder = "/folder-info/";
  const std::string_view contents(reinterpret_cast<const char*>(data), size);
  testing::MemFileSystem fs;
  fs.AddFile(folder + "DirInfo.txt", contents);
  fs.AddFile(folder + "sub/DirInfo.txt", contents);

  FolderPlan info;
  info.folder_path = folder;
  ReadFolderInfoFile(fs, "DirInfo.txt", "/", &info);

  for (const PhotoDescription& photo : info.photo_descriptions) {
    std::string title = LookupPictureTitle(info, ToUpperAscii(photo.file_name));
    // The first entry for a name wins, so compare with that one.
    for (const PhotoDescription& first : info.photo_descriptions) {
      if (EqualsIgnoreCase(first.file_name, photo.file_name)) {
        Check(title == first.description,
              "a described picture gets its first description");
        break;
      }
    }
  }
  LookupPictureTitle(info, "not described.jpg");
  LookupSubfolderCaption(fs, "DirInfo.txt", folder, "sub");
}

}  // namespace
}  // namespace orvanta::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  orvanta::fuzz::ReadOne(data, size);
  return 0;
}
