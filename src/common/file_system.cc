// What the file system interface does itself for those that keep files in
// memory: reading from an offset and writing a file in parts.
#include "common/file_system.h"

#include "common/error.h"

namespace orvanta {
namespace {

class StringSink : public ByteSink {
 public:
  explicit StringSink(FileSystem& fs) : fs_(fs) {}
  void Write(std::string_view bytes) override { bytes_.append(bytes); }
  void Patch(uint64_t offset, std::string_view bytes) override {
    if (offset > bytes_.size() || bytes.size() > bytes_.size() - offset) {
      throw Error("Patch beyond the end of the file");
    }
    bytes_.replace(offset, bytes.size(), bytes);
  }
  void AppendFileFrom(const std::string& path, uint64_t offset) override {
    bytes_ += fs_.ReadFileAt(path, offset, kWholeFile);
  }
  const std::string& bytes() const { return bytes_; }

 private:
  FileSystem& fs_;
  std::string bytes_;
};

}  // namespace

std::string FileSystem::ReadFileAt(const std::string& path, uint64_t offset,
                                   size_t limit) {
  const size_t end = limit > kWholeFile - offset ? kWholeFile : offset + limit;
  std::string bytes = ReadFile(path, end, nullptr);
  return offset >= bytes.size() ? "" : bytes.substr(offset);
}

void FileSystem::WriteFileWith(const std::string& path,
                               const std::function<void(ByteSink&)>& fill) {
  StringSink sink(*this);
  fill(sink);
  WriteFile(path, sink.bytes());
}

}  // namespace orvanta
