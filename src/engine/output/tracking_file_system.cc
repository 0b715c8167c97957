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

bool WrittenFiles::Contains(std::string_view path) const {
  const int index = KnownIndex(path);
  if (index >= 0) return known_sizes_[index] != kNone;
  return others_.contains(path);
}

void WrittenFiles::Set(std::string_view path, uint64_t size) {
  const int index = KnownIndex(path);
  if (index >= 0) {
    known_sizes_[index] = size;
  } else if (size != kNone) {
    others_.insert_or_assign(std::string(path), size);
  } else if (auto other = others_.find(path); other != others_.end()) {
    others_.erase(other);
  }
}

void WrittenFiles::ForEach(
    const std::function<void(std::string_view, uint64_t)>& visit) const {
  for (const auto& [path, size] : others_) visit(path, size);
  if (known_ == nullptr) return;
  known_->ForEachRead([&](int index, std::string_view path) {
    if (known_sizes_[index] != kNone) visit(path, known_sizes_[index]);
  });
}

void TrackingFileSystem::SetRoot(const std::string& root,
                                 const WrittenRecord& known) {
  std::lock_guard<std::mutex> lock(mutex_);
  root_ = root;
  written_ = WrittenFiles();
  written_.known_ = &known;
  written_.known_sizes_.assign(known.LinesRead(), WrittenFiles::kNone);
}

WrittenFiles TrackingFileSystem::TakeWritten() {
  std::lock_guard<std::mutex> lock(mutex_);
  WrittenFiles taken = std::move(written_);
  written_ = WrittenFiles();
  return taken;
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
  if (root_.empty() || !path.starts_with(root_)) return;
  written_.Set(std::string_view(path).substr(root_.size()),
               WrittenFiles::kNone);
}

void TrackingFileSystem::Note(const std::string& path) {
  NoteSize(path, inner_.Status(path).size);
}

void TrackingFileSystem::NoteSize(const std::string& path, uint64_t size) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (root_.empty() || !path.starts_with(root_)) return;
  written_.Set(std::string_view(path).substr(root_.size()), size);
}

}  // namespace orvanta
