// The dry run's file system: writes in memory, reads through.
#include "common/dry_run_file_system.h"

#include <cerrno>

#include "common/error.h"
#include "common/text_files.h"

namespace orvanta {
namespace {

std::string WithoutTrailingSeparator(std::string path) {
  while (path.size() > 1 && path.back() == kPathSeparator) path.pop_back();
  return path;
}

std::string ParentOf(const std::string& path) {
  const size_t separator = path.rfind(kPathSeparator);
  if (separator == std::string::npos) return ".";
  return separator == 0 ? path.substr(0, 1) : path.substr(0, separator);
}

}  // namespace

FileStatus DryRunFileSystem::Status(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  const std::string key = WithoutTrailingSeparator(path);
  auto file = files_.find(key);
  if (file != files_.end()) {
    FileStatus status;
    status.is_file = file->second.has_value();
    status.size = status.is_file ? file->second->size() : 0;
    return status;
  }
  if (folders_.contains(key)) return {false, true};
  if (removed_folders_.contains(key)) return {};
  return real_.Status(path);
}

std::vector<FolderEntry> DryRunFileSystem::ListFolder(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  const std::string key = WithoutTrailingSeparator(path);
  std::vector<FolderEntry> entries;
  if (!folders_.contains(key)) entries = real_.ListFolder(path);
  const std::string prefix = key + kPathSeparator;
  auto named = [&](const std::string& full) {
    if (!full.starts_with(prefix)) return false;
    const std::string name = full.substr(prefix.size());
    if (name.find(kPathSeparator) != std::string::npos) return false;
    std::erase_if(entries,
                  [&](const FolderEntry& e) { return e.name == name; });
    return true;
  };
  for (const auto& [full, bytes] : files_) {
    if (named(full) && bytes) {
      const std::string name = full.substr(prefix.size());
      entries.push_back({name, true, false, false, name[0] == '.'});
    }
  }
  for (const std::string& full : folders_) {
    if (named(full)) {
      const std::string name = full.substr(prefix.size());
      entries.push_back({name, false, true, false, name[0] == '.'});
    }
  }
  for (const std::string& full : removed_folders_) named(full);
  return entries;
}

std::unique_ptr<TextReader> DryRunFileSystem::OpenTextFile(
    const std::string& path) {
  return NewTextReader(ReadFile(path, kWholeFile, nullptr));
}

std::string DryRunFileSystem::ReadFile(const std::string& path, size_t limit,
                                       bool* whole) {
  {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    auto file = files_.find(path);
    if (file != files_.end()) {
      if (!file->second) throw SystemError(ENOENT);
      if (whole != nullptr) *whole = file->second->size() <= limit;
      return file->second->substr(0, limit);
    }
  }
  return real_.ReadFile(path, limit, whole);
}

std::string DryRunFileSystem::ReadFileAt(const std::string& path,
                                         uint64_t offset, size_t limit) {
  {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (files_.contains(path)) {
      return FileSystem::ReadFileAt(path, offset, limit);
    }
  }
  return real_.ReadFileAt(path, offset, limit);
}

void DryRunFileSystem::CheckWritable(const std::string& path) {
  if (!Status(ParentOf(path)).is_folder) throw SystemError(ENOENT);
  if (Status(path).is_folder) throw SystemError(EISDIR);
}

void DryRunFileSystem::Store(const std::string& path, std::string bytes) {
  bool same = false;
  try {
    same = real_.Status(path).size == bytes.size() &&
           real_.ReadFile(path, kWholeFile, nullptr) == bytes;
  } catch (const Error&) {
    // Not there, or not readable: a change.
  }
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  if (same) {
    unchanged_.insert(path);
  } else {
    unchanged_.erase(path);
  }
  files_[path] = std::move(bytes);
}

bool DryRunFileSystem::Changes(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  return !unchanged_.contains(path);
}

std::unique_ptr<TextWriter> DryRunFileSystem::CreateTextFile(
    const std::string& path) {
  CheckWritable(path);
  return NewTextWriter(
      [this, path](const std::string& text) { Store(path, text); });
}

void DryRunFileSystem::WriteFile(const std::string& path,
                                 std::string_view bytes) {
  CheckWritable(path);
  Store(path, std::string(bytes));
}

void DryRunFileSystem::WriteFileMadeBy(
    const std::string& path, const std::function<void(const std::string&)>&) {
  CheckWritable(path);
  Store(path, std::string());
}

void DryRunFileSystem::CopyFile(const std::string& from,
                                const std::string& to) {
  std::string bytes = ReadFile(from, kWholeFile, nullptr);
  CheckWritable(to);
  Store(to, std::move(bytes));
}

void DryRunFileSystem::RemoveFile(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  if (Status(path).is_folder) throw SystemError(EISDIR);
  files_[path] = std::nullopt;
}

bool DryRunFileSystem::RemoveFolder(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  if (!Status(path).is_folder || !ListFolder(path).empty()) return false;
  const std::string key = WithoutTrailingSeparator(path);
  folders_.erase(key);
  removed_folders_.insert(key);
  return true;
}

void DryRunFileSystem::MakeFolders(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  for (std::string key = WithoutTrailingSeparator(path);
       !key.empty() && !Status(key).is_folder; key = ParentOf(key)) {
    if (Status(key).is_file) throw SystemError(EEXIST);
    removed_folders_.erase(key);
    folders_.insert(key);
    if (key.size() <= 1) break;
  }
}

}  // namespace orvanta
