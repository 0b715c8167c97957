// The file system in memory of the tests.
#include "testing/mem_file_system.h"

#include <algorithm>
#include <cerrno>

#include "common/error.h"
#include "common/text_files.h"

namespace orvanta::testing {
namespace {

// "/a//b/" -> "/a/b"; the root stays "/".
std::string Normalise(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == '/' && !out.empty() && out.back() == '/') continue;
    out += c;
  }
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

std::string ParentOf(const std::string& normalised) {
  const size_t slash = normalised.rfind('/');
  return slash == 0 || slash == std::string::npos ? "/"
                                                  : normalised.substr(0, slash);
}

}  // namespace

MemFileSystem::MemFileSystem() { nodes_["/"].folder = true; }

void MemFileSystem::AddFile(const std::string& path, std::string_view bytes) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  const std::string key = Normalise(path);
  AddFolder(ParentOf(key));
  nodes_[key] = Node{false, false, std::string(bytes), clock_++};
}

void MemFileSystem::AddFifo(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  AddFile(path, "");
  nodes_[Normalise(path)].fifo = true;
}

void MemFileSystem::RefuseFifo(const std::string& path) {
  const Node* node = Find(path);
  if (node != nullptr && node->fifo) {
    throw Error(path + ": not a regular file, left alone",
                ErrorKind::kNotRegularFile);
  }
}

void MemFileSystem::AddFolder(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  const std::string key = Normalise(path);
  if (key != "/") AddFolder(ParentOf(key));
  nodes_[key].folder = true;
}

bool MemFileSystem::Has(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  return Find(path) != nullptr;
}

std::string MemFileSystem::Contents(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  const Node* node = Find(path);
  return node != nullptr && !node->folder ? node->bytes : "";
}

void MemFileSystem::FailOn(Op op, std::string part, int error_number,
                           int times) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  faults_.push_back({op, std::move(part), error_number, times});
}

void MemFileSystem::Check(Op op, const std::string& path, bool opening) {
  if (before) before(op, path);
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  for (Fault& fault : faults_) {
    if (fault.op != op || fault.times == 0 ||
        path.find(fault.part) == std::string::npos) {
      continue;
    }
    const bool at_opening = fault.error_number == EACCES ||
                            fault.error_number == EROFS ||
                            fault.error_number == ENOENT;
    if (op == Op::kWrite && opening != at_opening) continue;
    if (fault.times > 0) --fault.times;
    throw SystemError(fault.error_number);
  }
}

MemFileSystem::Node* MemFileSystem::Find(const std::string& path) {
  if (path.empty()) return nullptr;
  auto found = nodes_.find(Normalise(path));
  return found == nodes_.end() ? nullptr : &found->second;
}

void MemFileSystem::NeedParent(const std::string& path) {
  const Node* parent = Find(ParentOf(Normalise(path)));
  if (parent == nullptr) throw SystemError(ENOENT);
  if (!parent->folder) throw SystemError(ENOTDIR);
}

FileStatus MemFileSystem::Status(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  FileStatus status;
  if (const Node* node = Find(path)) {
    status.is_file = !node->folder && !node->fifo;
    status.is_folder = node->folder;
    status.size = node->bytes.size();
    status.modified_ns = node->modified;
  }
  return status;
}

bool MemFileSystem::IsRootFolder(const std::string& path) {
  return Normalise(path) == "/";
}

std::string MemFileSystem::ResolvePath(const std::string& path) {
  std::string resolved;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = std::min(path.find('/', start), path.size());
    const std::string part = path.substr(start, end - start);
    if (part == "..") {
      resolved.erase(std::min(resolved.rfind('/'), resolved.size()));
    } else if (!part.empty() && part != ".") {
      resolved += "/" + part;
    }
    start = end + 1;
  }
  return resolved.empty() ? "/" : resolved;
}

std::vector<FolderEntry> MemFileSystem::ListFolder(const std::string& path) {
  Check(Op::kList, path);
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  const Node* folder = Find(path);
  if (folder == nullptr) throw SystemError(ENOENT);
  if (!folder->folder) throw SystemError(ENOTDIR);
  const std::string key = Normalise(path);
  const std::string prefix = key == "/" ? "/" : key + "/";
  std::vector<FolderEntry> entries;
  for (auto it = nodes_.lower_bound(prefix);
       it != nodes_.end() && it->first.starts_with(prefix); ++it) {
    const std::string name = it->first.substr(prefix.size());
    if (name.empty() || name.find('/') != std::string::npos) continue;
    FolderEntry entry;
    entry.name = name;
    entry.is_file = !it->second.folder && !it->second.fifo;
    entry.is_folder = it->second.folder;
    entry.is_hidden = name[0] == '.';
    entries.push_back(entry);
  }
  return entries;
}

std::unique_ptr<TextReader> MemFileSystem::OpenTextFile(
    const std::string& path) {
  return NewTextReader(ReadFile(path, kWholeFile, nullptr));
}

std::string MemFileSystem::ReadFile(const std::string& path, size_t limit,
                                    bool* whole) {
  Check(Op::kRead, path);
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  const Node* node = Find(path);
  if (node == nullptr) throw SystemError(ENOENT);
  if (node->folder) throw SystemError(EISDIR);
  RefuseFifo(path);
  if (whole != nullptr) *whole = node->bytes.size() <= limit;
  return node->bytes.substr(0, limit);
}

std::unique_ptr<TextWriter> MemFileSystem::CreateTextFile(
    const std::string& path) {
  Check(Op::kWrite, path, true);
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  NeedParent(path);
  RefuseFifo(path);
  return NewTextWriter([this, path](const std::string& text) {
    if (Status(path).is_file && Contents(path) == text) return;
    Store(path, text);
  });
}

void MemFileSystem::Store(const std::string& path, std::string_view bytes) {
  Check(Op::kWrite, path);
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  NeedParent(path);
  const Node* node = Find(path);
  if (node != nullptr && node->folder) throw SystemError(EISDIR);
  RefuseFifo(path);
  nodes_[Normalise(path)] = Node{false, false, std::string(bytes), clock_++};
}

void MemFileSystem::WriteFile(const std::string& path, std::string_view bytes) {
  Check(Op::kWrite, path, true);
  Store(path, bytes);
}

// The file made beside the target, then moved into its place.
void MemFileSystem::WriteFileMadeBy(
    const std::string& path,
    const std::function<void(const std::string& made)>& make) {
  Check(Op::kWrite, path, true);
  const std::string made = path + ".made";
  Store(made, "");
  try {
    make(made);
  } catch (...) {
    RemoveFile(made);
    throw;
  }
  Store(path, Contents(made));
  RemoveFile(made);
}

void MemFileSystem::CopyFile(const std::string& from, const std::string& to) {
  Check(Op::kCopy, to);
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  const Node* source = Find(from);
  if (source == nullptr) throw SystemError(ENOENT);
  if (source->folder) throw SystemError(EISDIR);
  if (Normalise(from) == Normalise(to)) {
    throw Error("File cannot be copied onto itself");
  }
  const std::string bytes = source->bytes;
  Store(to, bytes);
}

void MemFileSystem::RemoveFile(const std::string& path) {
  Check(Op::kRemove, path);
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  const Node* node = Find(path);
  if (node != nullptr && node->folder) throw SystemError(EISDIR);
  nodes_.erase(Normalise(path));
}

bool MemFileSystem::RemoveFolder(const std::string& path) {
  Check(Op::kRemove, path);
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  const Node* node = Find(path);
  const std::string key = Normalise(path);
  if (node == nullptr || !node->folder || key == "/") return false;
  const std::string inside = key + "/";
  auto next = nodes_.lower_bound(inside);
  if (next != nodes_.end() && next->first.starts_with(inside)) return false;
  nodes_.erase(key);
  return true;
}

void MemFileSystem::MakeFolders(const std::string& path) {
  Check(Op::kMakeFolders, path);
  AddFolder(path);
}

std::string MemFileSystem::MakeTemporaryFile(std::string_view extension) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  const std::string path = "/tmp/orvanta-" + std::to_string(++temporaries_) +
                           "." + std::string(extension);
  AddFile(path, "");
  return path;
}

}  // namespace orvanta::testing
