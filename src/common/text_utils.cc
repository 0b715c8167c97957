// Text routines: ASCII case folding, trimming, the ordinal sort,
// splitting texts at delimiters, UTF-8 and Windows-1252.
#include "common/text_utils.h"

#include <algorithm>
#include <array>

namespace orvanta {

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; }

}  // namespace

std::string ToLowerAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = LowerAscii(c);
  return result;
}

std::string ToUpperAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = UpperAscii(c);
  return result;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

std::string TrimBlanks(std::string_view text) {
  size_t begin = text.find_first_not_of(' ');
  if (begin == std::string_view::npos) return "";
  size_t end = text.find_last_not_of(' ');
  return std::string(text.substr(begin, end - begin + 1));
}

void SortStrings(std::vector<std::string>& items) {
  // std::string compares by unsigned byte value.
  std::sort(items.begin(), items.end());
}

int SplitText(std::string_view text, std::vector<std::string>* parts,
              int max_parts, std::string_view delimiters,
              std::string* remainder) {
  // A negative limit allows no parts: the whole text is the remainder.
  max_parts = std::max(max_parts, 0);
  parts->assign(max_parts + 1, std::string());
  remainder->clear();
  int count = 0;
  size_t found = text.find_first_of(delimiters);
  while (count < max_parts && found != std::string_view::npos) {
    (*parts)[count++] = std::string(text.substr(0, found));
    // A run of delimiters separates once.
    const size_t next = text.find_first_not_of(delimiters, found);
    text = next == std::string_view::npos ? "" : text.substr(next);
    found = text.find_first_of(delimiters);
  }
  if (!text.empty()) {
    if (count == max_parts) {
      *remainder = std::string(text);
    } else {
      (*parts)[count++] = std::string(text);
    }
  }
  return count;
}

size_t Utf8Length(std::string_view text, size_t i) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) return 1;
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() - i < length) return 0;
  if (byte(i + 1) < low || byte(i + 1) > high) return 0;
  for (size_t k = 2; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  }
  return length;
}

bool IsValidUtf8(std::string_view text) {
  for (size_t i = 0, n = 0; i < text.size(); i += n) {
    if ((n = Utf8Length(text, i)) == 0) return false;
  }
  return true;
}

void AppendUtf8(char32_t c, std::string* out) {
  if (c < 0x80) {
    *out += static_cast<char>(c);
  } else if (c < 0x800) {
    *out += static_cast<char>(0xC0 | c >> 6);
    *out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out += static_cast<char>(0xE0 | c >> 12);
    *out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    *out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | c >> 18);
    *out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    *out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    *out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

namespace {

// Windows-1252's characters for the bytes 0x80 to 0x9F (0: none); the
// bytes from 0xA0 on are Latin-1's, the code points of the same number.
constexpr std::array<char16_t, 32> kWindows1252 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::string Windows1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    const char32_t c =
        byte >= 0x80 && byte < 0xA0 ? kWindows1252[byte - 0x80] : byte;
    if (c != 0 || byte == 0) AppendUtf8(c, &out);
  }
  return out;
}

bool IsHiddenControl(char32_t c) {
  if (c == '\t' || c == '\n' || c == '\r') return false;
  return c < 0x20 || (c >= 0x7F && c < 0xA0) || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2066 && c <= 0x2069);
}

std::string WithoutHiddenControls(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0, n = 0; i < text.size(); i += n) {
    n = Utf8Length(text, i);
    if (n == 0) {
      n = 1;  // a byte that is no UTF-8: not ours to judge
    } else {
      char32_t c = static_cast<unsigned char>(text[i]);
      if (n > 1) c &= 0xFF >> (n + 1);
      for (size_t k = 1; k < n; ++k) c = c << 6 | (text[i + k] & 0x3F);
      if (IsHiddenControl(c)) continue;
    }
    out.append(text, i, n);
  }
  return out;
}

}  // namespace orvanta
