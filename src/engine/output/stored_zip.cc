// The zip format's records, written little-endian.
#include "engine/output/stored_zip.h"

#include <algorithm>
#include <cstdio>

#include "common/error.h"
#include "common/text_utils.h"
#include "engine/output/zip_crc.h"

namespace orvanta {
namespace {

constexpr uint64_t k32 = 0xFFFFFFFFu;
constexpr uint64_t kMostEntries = 0xFFFFu;
constexpr char kMarkStart[] = "orvanta album ";

void Put(std::string* out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out->push_back(static_cast<char>(value >> (8 * i)));
}

// DOS time and date (UTC; 1980 at the earliest) of a time in ns.
void PutDosTime(std::string* out, int64_t modified_ns) {
  int64_t seconds = std::max<int64_t>(modified_ns / 1000000000, 315532800);
  const int64_t days = seconds / 86400;
  const int64_t rest = seconds % 86400;
  // Days since 1970 to a civil date (Howard Hinnant's algorithm).
  const int64_t z = days + 719468;
  const int64_t era = z / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t day = doy - (153 * mp + 2) / 5 + 1;
  const int64_t month = mp < 10 ? mp + 3 : mp - 9;
  const int64_t year = std::min<int64_t>(yoe + era * 400 + (month <= 2), 2107);
  Put(out, (rest / 3600) << 11 | (rest % 3600 / 60) << 5 | (rest % 60) / 2, 2);
  Put(out, (year - 1980) << 9 | month << 5 | day, 2);
}

// The extended timestamp: the time in seconds, UTC.
std::string TimeExtra(int64_t modified_ns) {
  std::string extra;
  Put(&extra, 0x5455, 2);
  Put(&extra, 5, 2);
  Put(&extra, 1, 1);
  Put(&extra, std::clamp<int64_t>(modified_ns / 1000000000, 0, k32), 4);
  return extra;
}

// The fields local and central headers share, from "version needed" on:
// `big` sizes are in the ZIP64 extra field, which `zip64` headers have.
void PutCommon(std::string* out, const ZipMember& m, uint32_t crc, bool big,
               bool zip64, size_t extra_size) {
  Put(out, zip64 ? 45 : 20, 2);
  Put(out, IsValidUtf8(m.name) ? 0x0800 : 0, 2);  // the name is UTF-8
  Put(out, 0, 2);                                 // stored
  PutDosTime(out, m.modified_ns);
  Put(out, crc, 4);
  Put(out, big ? k32 : m.size, 4);
  Put(out, big ? k32 : m.size, 4);
  Put(out, m.name.size(), 2);
  Put(out, extra_size, 2);
}

std::string LocalHeader(const ZipMember& m, uint32_t crc) {
  const bool big = m.size >= k32;
  std::string extra = TimeExtra(m.modified_ns);
  if (big) {
    Put(&extra, 1, 2);
    Put(&extra, 16, 2);
    Put(&extra, m.size, 8);
    Put(&extra, m.size, 8);
  }
  std::string out;
  Put(&out, 0x04034b50, 4);
  PutCommon(&out, m, crc, big, big, extra.size());
  return out + m.name + extra;
}

std::string CentralHeader(const ZipMember& m, uint32_t crc, uint64_t offset) {
  const bool big = m.size >= k32;
  const bool far = offset >= k32;
  std::string extra = TimeExtra(m.modified_ns);
  if (big || far) {
    Put(&extra, 1, 2);
    Put(&extra, (big ? 16 : 0) + (far ? 8 : 0), 2);
    if (big) Put(&extra, m.size, 8);
    if (big) Put(&extra, m.size, 8);
    if (far) Put(&extra, offset, 8);
  }
  std::string out;
  Put(&out, 0x02014b50, 4);
  Put(&out, 3 << 8 | 45, 2);  // made on Unix
  PutCommon(&out, m, crc, big, big || far, extra.size());
  Put(&out, 0, 2);                        // comment
  Put(&out, 0, 2);                        // disk
  Put(&out, 0, 2);                        // internal attributes
  Put(&out, uint64_t{0100644} << 16, 4);  // a plain file, rw-r--r--
  Put(&out, far ? k32 : offset, 4);
  return out + m.name + extra;
}

std::string EndRecords(uint64_t entries, uint64_t central_offset,
                       uint64_t central_size, const std::string& comment) {
  std::string out;
  const uint64_t zip64_offset = central_offset + central_size;
  if (entries >= kMostEntries || central_offset >= k32 || central_size >= k32) {
    Put(&out, 0x06064b50, 4);
    Put(&out, 44, 8);
    Put(&out, 3 << 8 | 45, 2);
    Put(&out, 45, 2);
    Put(&out, 0, 8);  // this disk, the central directory's disk
    Put(&out, entries, 8);
    Put(&out, entries, 8);
    Put(&out, central_size, 8);
    Put(&out, central_offset, 8);
    Put(&out, 0x07064b50, 4);
    Put(&out, 0, 4);
    Put(&out, zip64_offset, 8);
    Put(&out, 1, 4);
  }
  Put(&out, 0x06054b50, 4);
  Put(&out, 0, 4);
  Put(&out, std::min(entries, kMostEntries), 2);
  Put(&out, std::min(entries, kMostEntries), 2);
  Put(&out, std::min(central_size, k32), 4);
  Put(&out, std::min(central_offset, k32), 4);
  Put(&out, comment.size(), 2);
  return out + comment;
}

// Copies the member into the sink; its CRC-32.
uint32_t CopyMember(FileSystem& fs, const ZipMember& m, ByteSink& sink,
                    const std::function<bool()>& stopped) {
  constexpr size_t kPiece = 1 << 20;
  uint32_t crc = 0;
  for (uint64_t done = 0; done < m.size;) {
    if (stopped()) throw Error("Stopped");
    const std::string piece =
        fs.ReadFileAt(m.path, done, std::min<uint64_t>(kPiece, m.size - done));
    if (piece.empty()) throw Error(m.path + ": changed while it was read");
    crc = ZipCrc(crc, piece.data(), piece.size());
    sink.Write(piece);
    done += piece.size();
  }
  if (!fs.ReadFileAt(m.path, m.size, 1).empty()) {
    throw Error(m.path + ": changed while it was read");
  }
  return crc;
}

}  // namespace

std::string ZipMark(const std::vector<ZipMember>& members) {
  uint64_t hash = 14695981039346656037u;  // FNV-1a
  auto add = [&hash](std::string_view text) {
    for (unsigned char c : text) hash = (hash ^ c) * 1099511628211u;
    hash = (hash ^ 0xFF) * 1099511628211u;
  };
  for (const ZipMember& m : members) {
    add(m.name);
    add(std::to_string(m.size));
    add(std::to_string(m.modified_ns));
  }
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx",
                static_cast<unsigned long long>(hash));
  return kMarkStart + std::string(hex);
}

bool IsZipMark(std::string_view comment) {
  return comment.starts_with(kMarkStart) &&
         comment.size() == sizeof kMarkStart - 1 + 16;
}

uint64_t StoredZipSize(const std::vector<ZipMember>& members,
                       const std::string& comment) {
  uint64_t offset = 0;
  uint64_t central = 0;
  for (const ZipMember& m : members) {
    const uint64_t at = offset;
    offset += LocalHeader(m, 0).size() + m.size;
    central += CentralHeader(m, 0, at).size();
  }
  return offset + central +
         EndRecords(members.size(), offset, central, comment).size();
}

std::string ReadZipComment(FileSystem& fs, const std::string& path) {
  try {
    const uint64_t size = fs.Status(path).size;
    const size_t tail = 22 + 64;
    if (size < 22) return "";
    const uint64_t from = size > tail ? size - tail : 0;
    const std::string bytes = fs.ReadFileAt(path, from, tail);
    const size_t end = bytes.rfind("PK\x05\x06");
    if (end == std::string::npos || end + 22 > bytes.size()) return "";
    const size_t length = static_cast<unsigned char>(bytes[end + 20]) |
                          static_cast<unsigned char>(bytes[end + 21]) << 8;
    if (end + 22 + length != bytes.size()) return "";
    return bytes.substr(end + 22);
  } catch (const Error&) {
    return "";
  }
}

void WriteStoredZip(FileSystem& fs, const std::string& path,
                    const std::vector<ZipMember>& members,
                    const std::string& comment,
                    const std::function<bool()>& stopped) {
  fs.WriteFileWith(path, [&](ByteSink& sink) {
    uint64_t offset = 0;
    std::string central;
    for (const ZipMember& m : members) {
      const std::string header = LocalHeader(m, 0);
      sink.Write(header);
      const uint32_t crc = CopyMember(fs, m, sink, stopped);
      std::string crc_bytes;
      Put(&crc_bytes, crc, 4);
      sink.Patch(offset + 14, crc_bytes);
      central += CentralHeader(m, crc, offset);
      offset += header.size() + m.size;
    }
    sink.Write(central);
    sink.Write(EndRecords(members.size(), offset, central.size(), comment));
  });
}

}  // namespace orvanta
