// Noting the files a run writes.
#include "engine/output/tracking_file_system.h"

#include <utility>

namespace orvanta {
namespace {

// Closes the text through the inner writer, then has the file noted.
class NotedWriter : public TextWriter {
 public:
  NotedWriter(std::unique_ptr<TextWriter> inner, TrackingFileSystem& fs,
              std::string path)
      : inner_(std::move(inner)), fs_(fs), path_(std::move(path)) {}
  void WriteLine(std::string_view line) override { inner_->WriteLine(line); }
  void Close() override {
    if (closed_) return;
    inner_->Close();
    closed_ = true;
    fs_.Note(path_);
  }
  void Discard() override {
    closed_ = true;
    inner_->Discard();
  }

 private:
  std::unique_ptr<TextWriter> inner_;
  TrackingFileSystem& fs_;
  std::string path_;
  bool closed_ = false;
};

}  // namespace

void TrackingFileSystem::SetRoot(const std::string& root) {
  std::lock_guard<std::mutex> lock(mutex_);
  root_ = root;
}

std::map<std::string, uint64_t> TrackingFileSystem::Written() {
  std::lock_guard<std::mutex> lock(mutex_);
  return written_;
}

std::unique_ptr<TextWriter> TrackingFileSystem::CreateTextFile(
    const std::string& path) {
  return std::make_unique<NotedWriter>(inner_.CreateTextFile(path), *this,
                                       path);
}

void TrackingFileSystem::WriteFile(const std::string& path,
                                   std::string_view bytes) {
  inner_.WriteFile(path, bytes);
  NoteSize(path, bytes.size());
}

void TrackingFileSystem::WriteFileMadeBy(
    const std::string& path,
    const std::function<void(const std::string& made)>& make) {
  inner_.WriteFileMadeBy(path, make);
  Note(path);
}

void TrackingFileSystem::WriteFileWith(
    const std::string& path, const std::function<void(ByteSink&)>& fill) {
  inner_.WriteFileWith(path, fill);
  Note(path);
}

void TrackingFileSystem::CopyFile(const std::string& from,
                                  const std::string& to) {
  inner_.CopyFile(from, to);
  Note(to);
}

void TrackingFileSystem::RemoveFile(const std::string& path) {
  inner_.RemoveFile(path);
  std::lock_guard<std::mutex> lock(mutex_);
  if (!root_.empty() && path.starts_with(root_)) {
    written_.erase(path.substr(root_.size()));
  }
}

void TrackingFileSystem::Note(const std::string& path) {
  NoteSize(path, inner_.Status(path).size);
}

void TrackingFileSystem::NoteSize(const std::string& path, uint64_t size) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (root_.empty() || !path.starts_with(root_)) return;
  written_[path.substr(root_.size())] = size;
}

}  // namespace orvanta
