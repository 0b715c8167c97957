// Clean UTF-8 texts from the bytes in a picture's metadata, the test for
// texts that cameras write by themselves, and camera names.
#include "imagetools/metadata_text.h"

#include <algorithm>
#include <vector>

#include "common/text_utils.h"

namespace orvanta {
namespace {

// The code point of the valid sequence of `length` bytes at text[i].
char32_t CodePoint(std::string_view text, size_t i, size_t length) {
  static constexpr unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  char32_t c = static_cast<unsigned char>(text[i]) & kLeadBits[length];
  for (size_t k = 1; k < length; ++k) {
    c = c << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
  }
  return c;
}

// The code points of `raw`, read as UTF-8 when it is valid, else as
// Windows-1252.
std::vector<char32_t> Decode(std::string_view raw) {
  std::string decoded;
  if (!IsValidUtf8(raw)) raw = decoded = Windows1252ToUtf8(raw);
  std::vector<char32_t> points;
  points.reserve(raw.size());
  for (size_t i = 0, n = 0; i < raw.size(); i += n) {
    n = Utf8Length(raw, i);
    points.push_back(CodePoint(raw, i, n));
  }
  return points;
}

bool IsBlank(char32_t c) {
  return c == ' ' || c == '\t' || c == '\n' || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200B) || c == 0x2028 || c == 0x2029 ||
         c == 0x202F || c == 0x205F || c == 0x3000;
}

// Tab, newline and the printable characters; no byte order mark and no
// control, bidirectional ones included.
bool IsShown(char32_t c) {
  return c != '\r' && c != 0xFEFF && !IsHiddenControl(c);
}

}  // namespace

std::string CleanMetadataText(std::string_view raw) {
  // Far more than is kept, cut at a character: a huge text costs nothing.
  const bool cut = raw.size() > 4 * kMaxMetadataText;
  if (cut) {
    size_t end = 4 * kMaxMetadataText;
    while (end > 0 && (static_cast<unsigned char>(raw[end]) & 0xC0) == 0x80) {
      --end;
    }
    raw = raw.substr(0, end);
  }
  std::vector<char32_t> points = Decode(raw);
  std::vector<char32_t> shown;
  shown.reserve(points.size());
  for (size_t i = 0; i < points.size(); ++i) {
    if (points[i] == '\r') {
      if (i + 1 == points.size() || points[i + 1] != '\n')
        shown.push_back('\n');
    } else if (IsShown(points[i])) {
      shown.push_back(points[i]);
    }
  }
  auto first = std::find_if_not(shown.begin(), shown.end(), IsBlank);
  auto last = std::find_if_not(shown.rbegin(), shown.rend(), IsBlank).base();
  std::string text;
  for (auto it = first; it < last; ++it) {
    std::string next;
    AppendUtf8(*it, &next);
    if (text.size() + next.size() > kMaxMetadataText - 3) {
      while (!text.empty() && text.back() == ' ') text.pop_back();
      return text + "\u2026";
    }
    text += next;
  }
  return cut ? text + "\u2026" : text;
}

namespace {

// The ASCII letters of `text` in lower case, blanks run together to one
// space.
std::string Folded(std::string_view text) {
  std::string folded;
  for (const char c : text) {
    if (c == ' ' || c == '\t' || c == '\n') {
      if (!folded.empty() && folded.back() != ' ') folded += ' ';
    } else {
      folded += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
  }
  return folded;
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find(' ', start), text.size());
    if (end > start) words.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return words;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A camera's or a phone's file name: up to five capital letters, a
// separator, digits (at least four) and separators, maybe an extension:
// "IMG_1234", "DSCN0042", "P1010001", "PXL_20210714_183000123.jpg".
bool IsFileName(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && i < 5 && text[i] >= 'A' && text[i] <= 'Z') ++i;
  if (i < text.size() && (text[i] == '_' || text[i] == '-')) ++i;
  int digits = 0;
  while (i < text.size() &&
         (IsDigit(text[i]) || text[i] == '_' || text[i] == '-')) {
    digits += IsDigit(text[i++]);
  }
  if (digits < 4) return false;
  const std::string extension = Folded(text.substr(i));
  return extension.empty() || extension == ".jpg" || extension == ".jpeg" ||
         extension == ".heic" || extension == ".png" || extension == ".tif" ||
         extension == ".dng";
}

// A maker's name in capitals before "DIGITAL CAMERA", "Digital Still
// Camera" or "DSC": "OLYMPUS DIGITAL CAMERA", "KONICA MINOLTA DIGITAL
// CAMERA", "KODAK Digital Still Camera", "SONY DSC".
bool IsMakerDefault(std::string_view text) {
  const std::string folded = Folded(text);
  const std::vector<std::string_view> words = Words(folded);
  const size_t n = words.size();
  auto ends_with = [&](std::initializer_list<std::string_view> tail) {
    return n >= tail.size() &&
           std::equal(tail.begin(), tail.end(), words.end() - tail.size());
  };
  size_t maker_words = 0;
  if (n <= 4 && ends_with({"digital", "camera"})) {
    maker_words = n - 2;
  } else if (n <= 5 && ends_with({"digital", "still", "camera"})) {
    maker_words = n - 3;
  } else if (n == 2 && words[1] == "dsc") {
    maker_words = 1;
  } else {
    return false;
  }
  const std::vector<std::string_view> original = Words(text);
  return original.size() == n &&
         std::none_of(original.begin(), original.begin() + maker_words,
                      [](std::string_view word) {
                        return std::any_of(
                            word.begin(), word.end(),
                            [](char c) { return c >= 'a' && c <= 'z'; });
                      });
}

// What cameras, phones and programs write by themselves (folded).
// clang-format off
constexpr std::string_view kCameraTexts[] = {
    "default", "dcim", "camera", "picture", "image", "photo", "untitled",
    "<untitled>", "exif_jpeg_picture", "lead technologies inc. v1.01",
    "samsung camera pictures", "created with gimp", "ascii", "unicode",
    "undefined"};
// clang-format on

}  // namespace

bool IsCameraText(std::string_view text) {
  const std::string folded = Folded(text);
  if (std::none_of(folded.begin(), folded.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
      })) {
    return true;  // nothing but digits, punctuation and blanks
  }
  return std::find(std::begin(kCameraTexts), std::end(kCameraTexts), folded) !=
             std::end(kCameraTexts) ||
         IsFileName(text) || IsMakerDefault(text);
}

namespace {

// Words that end a maker's company name ("NIKON CORPORATION", "OLYMPUS
// OPTICAL CO.,LTD", "RICOH IMAGING COMPANY, LTD."), folded, without a
// final full stop or comma.
constexpr std::string_view kCompanyWords[] = {
    "corporation", "corp", "co",          "co.,ltd", "ltd",
    "limited",     "inc",  "company",     "imaging", "optical",
    "gmbh",        "ag",   "electronics", "digital", "photo"};

bool IsCompanyWord(std::string_view word) {
  std::string folded = Folded(word);
  while (!folded.empty() && (folded.back() == '.' || folded.back() == ',')) {
    folded.pop_back();
  }
  return std::find(std::begin(kCompanyWords), std::end(kCompanyWords),
                   folded) != std::end(kCompanyWords);
}

bool StartsWithFolded(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         Folded(text.substr(0, prefix.size())) == Folded(prefix);
}

}  // namespace

std::string CameraName(std::string_view make, std::string_view model) {
  if (model.empty()) return "";
  std::vector<std::string_view> words = Words(make);
  while (words.size() > 1 && IsCompanyWord(words.back())) words.pop_back();
  std::string name;
  for (const std::string_view word : words) {
    // "NIKON CORPORATION" + "NIKON D750", "LG Electronics" + "LG-H850".
    if (word.size() >= 2 && StartsWithFolded(model, word)) {
      return std::string(model);
    }
    name.append(word).append(" ");
  }
  return name.append(model);
}

}  // namespace orvanta
