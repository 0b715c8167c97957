// Reading pictures' metadata for the pages and the order.
#include "engine/picture_facts.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "common/error.h"
#include "common/path_utils.h"
#include "common/text_utils.h"
#include "engine/folder_info.h"
#include "engine/html_text.h"
#include "engine/templates.h"

namespace orvanta {
namespace {

// A JPEG's metadata sits in its first bytes.
constexpr size_t kMetadataStart = 64 * 1024;

// What one file says of itself; with `size`, the picture's size too
// (when it can be read: otherwise the page reads it again and reports).
struct OneFile {
  PictureFacts facts;
  std::optional<std::optional<PixelSize>> size;
};

OneFile ReadOne(RunContext& ctx, const std::string& path, bool movie,
                bool size) {
  OneFile one;
  PictureFacts& facts = one.facts;
  FileSystem& fs = ctx.fs;
  facts.modified_ns = fs.Status(path).modified_ns;
  if (movie) return one;
  try {
    if (size) one.size = ctx.image_tool->PictureSize(path);
  } catch (const Error&) {
  }
  try {
    bool whole = false;
    std::string bytes = fs.ReadFile(path, kMetadataStart, &whole);
    if (!whole && !HoldsAllMetadata(bytes.data(), bytes.size())) {
      bytes = fs.ReadFile(path);
    }
    facts.metadata = ReadPictureMetadata(bytes.data(), bytes.size());
  } catch (const Error&) {
    // Nothing to say: the thumbnail or the page reports the trouble.
  }
  return one;
}

// Seconds since 1970 of when the file was taken: the date taken (at its
// offset, else in this computer's time zone), else its modification time.
double TakenSeconds(const PictureFacts& facts) {
  if (!facts.metadata.taken) return facts.modified_ns / 1e9;
  const DateTaken& taken = *facts.metadata.taken;
  std::tm when{};
  when.tm_year = taken.year - 1900;
  when.tm_mon = taken.month - 1;
  when.tm_mday = taken.day;
  when.tm_hour = taken.hour;
  when.tm_min = taken.minute;
  when.tm_sec = taken.second;
  if (!taken.offset_minutes) {
    when.tm_isdst = -1;
    return static_cast<double>(std::mktime(&when));
  }
  return static_cast<double>(timegm(&when)) - *taken.offset_minutes * 60.0;
}

const PictureFacts* FactsOf(const FolderInfo& info, const std::string& name) {
  auto found = info.facts.find(name);
  return found == info.facts.end() ? nullptr : &found->second;
}

}  // namespace

bool ShowsPictureFacts(const std::vector<std::string>& template_lines) {
  for (const std::string& line : template_lines) {
    const std::string lower = ToLowerAscii(line);
    for (const std::string code :
         {kCodeThumbnailGrid, kCodePictureView, kCodePictureDetails}) {
      if (lower.find("%" + code + "%") != std::string::npos) return true;
    }
  }
  return false;
}

void ReadPictureFacts(RunContext& ctx, FolderInfo* info,
                      const std::vector<std::string>& names) {
  if (!ctx.read_facts || names.empty()) return;
  // Each file is quick to read: this thread and one helper per further
  // core take the next file until none is left, without handing results
  // over one by one. Pages that show facts show the pictures' sizes: they
  // are read here too, leaving the pages less to do.
  const int count = static_cast<int>(names.size());
  std::vector<OneFile> read(count);
  std::atomic<int> next{0};
  const auto read_some = [&](bool caller) {
    for (int i = next++; i < count; i = next++) {
      try {
        read[i] = ReadOne(ctx, info->folder_path + names[i],
                          ctx.options.known_extensions.IsMovieFile(names[i]),
                          ctx.show_facts);
      } catch (...) {
        // Nothing known of it (memory ran out): the pages manage.
      }
      if (caller && i % 16 == 0) ctx.ui.KeepAlive();
    }
  };
  std::vector<std::thread> helpers;
  const unsigned cores = std::thread::hardware_concurrency();
  for (unsigned c = 1; c < cores && c < names.size(); ++c) {
    helpers.emplace_back(read_some, false);
  }
  read_some(true);
  for (std::thread& helper : helpers) helper.join();
  for (int i = 0; i < count; ++i) {
    info->facts[names[i]] = std::move(read[i].facts);
    if (read[i].size) {
      ctx.picture_sizes[info->folder_path + names[i]] = *read[i].size;
    }
  }
}

void OrderByDateTaken(const FolderInfo& info, std::vector<std::string>* names) {
  std::vector<std::pair<double, std::string>> keyed;
  for (std::string& name : *names) {
    const PictureFacts* facts = FactsOf(info, name);
    keyed.emplace_back(facts != nullptr ? TakenSeconds(*facts) : 0,
                       std::move(name));
  }
  std::stable_sort(
      keyed.begin(), keyed.end(),
      [](const auto& a, const auto& b) { return a.first < b.first; });
  names->clear();
  for (auto& [seconds, name] : keyed) names->push_back(std::move(name));
}

std::string ShownTitle(const RunContext& ctx, const FolderInfo& info,
                       const std::string& name) {
  const PictureFacts* facts = ctx.show_facts ? FactsOf(info, name) : nullptr;
  if (facts == nullptr || FindPictureDescription(info, name) != nullptr) {
    return LookupPictureTitle(info, name);
  }
  const PictureMetadata& metadata = facts->metadata;
  if (!metadata.title.empty()) return HtmlEscape(metadata.title);
  if (!metadata.caption.empty()) return HtmlEscape(metadata.caption);
  return LookupPictureTitle(info, name);
}

std::string ShownCaption(const RunContext& ctx, const FolderInfo& info,
                         const std::string& name) {
  const PictureFacts* facts = ctx.show_facts ? FactsOf(info, name) : nullptr;
  if (facts == nullptr || facts->metadata.title.empty() ||
      FindPictureDescription(info, name) != nullptr) {
    return "";  // none, or already the title
  }
  return HtmlEscape(facts->metadata.caption);
}

std::string DateAndCameraHtml(const RunContext& ctx, const FolderInfo& info,
                              const std::string& name) {
  const PictureFacts* facts = ctx.show_facts ? FactsOf(info, name) : nullptr;
  if (facts == nullptr) return "";
  std::string html;
  if (const auto& taken = facts->metadata.taken) {
    char iso[40];
    std::snprintf(iso, sizeof iso, "%04d-%02d-%02dT%02d:%02d:%02d", taken->year,
                  taken->month, taken->day, taken->hour, taken->minute,
                  taken->second);
    std::string datetime = iso;
    if (taken->offset_minutes) {
      const int offset = *taken->offset_minutes;
      std::snprintf(iso, sizeof iso, "%c%02d:%02d", offset < 0 ? '-' : '+',
                    std::abs(offset) / 60, std::abs(offset) % 60);
      datetime += iso;
    }
    std::tm when{};
    when.tm_year = taken->year - 1900;
    when.tm_mon = taken->month - 1;
    when.tm_mday = taken->day;
    when.tm_hour = taken->hour;
    when.tm_min = taken->minute;
    timegm(&when);  // fills in the day of the week
    html += "<time datetime=\"" + datetime + "\">" + FormatLongDate(when) +
            ", " + FormatShortTime(when) + "</time> ";
  }
  if (!facts->metadata.camera.empty()) {
    html += "<span class=\"camera\">" + HtmlEscape(facts->metadata.camera) +
            "</span> ";
  }
  return html;
}

}  // namespace orvanta
