// The in-memory file system of the fuzz targets.
#include "memory_file_system.h"

#include <cerrno>

#include "common/error.h"

namespace orvanta::fuzz {
namespace {

class MemoryReader : public TextReader {
 public:
  explicit MemoryReader(std::string data) : data_(std::move(data)) {}
  bool ReadLine(std::string* line) override {
    if (position_ >= data_.size()) return false;
    size_t end = data_.find('\n', position_);
    if (end == std::string::npos) {
      *line = data_.substr(position_);
      position_ = data_.size();
      return true;
    }
    *line = data_.substr(position_, end - position_);
    position_ = end + 1;
    if (!line->empty() && line->back() == '\r') line->pop_back();
    return true;
  }

 private:
  std::string data_;
  size_t position_ = 0;
};

class MemoryWriter : public TextWriter {
 public:
  explicit MemoryWriter(std::string* file) : file_(file) {}
  void WriteLine(std::string_view line) override {
    if (file_ == nullptr) throw Error("File already closed");
    file_->append(line);
    file_->append("\r\n");
  }
  void Close() override { file_ = nullptr; }

 private:
  std::string* file_;
};

}  // namespace

bool MemoryFileSystem::FileExists(const std::string& path) {
  return files.count(path) != 0;
}

bool MemoryFileSystem::FolderExists(const std::string&) { return true; }

bool MemoryFileSystem::IsRootFolder(const std::string& path) {
  return path == "/";
}

std::vector<FolderEntry> MemoryFileSystem::ListFolder(const std::string&) {
  return {};
}

std::unique_ptr<TextReader> MemoryFileSystem::OpenTextFile(
    const std::string& path) {
  auto found = files.find(path);
  if (found == files.end()) throw SystemError(ENOENT);
  return std::make_unique<MemoryReader>(found->second);
}

std::unique_ptr<TextWriter> MemoryFileSystem::CreateTextFile(
    const std::string& path) {
  std::string& file = files[path];
  file.clear();
  return std::make_unique<MemoryWriter>(&file);
}

void MemoryFileSystem::CopyFile(const std::string& from,
                                const std::string& to) {
  auto found = files.find(from);
  if (found == files.end()) throw SystemError(ENOENT);
  files[to] = found->second;
}

void MemoryFileSystem::RenameFile(const std::string& from,
                                  const std::string& to) {
  auto found = files.find(from);
  if (found == files.end()) throw SystemError(ENOENT);
  std::string data = std::move(found->second);
  files.erase(found);
  files[to] = std::move(data);
}

void MemoryFileSystem::RemoveFile(const std::string& path) {
  files.erase(path);
}

}  // namespace orvanta::fuzz
