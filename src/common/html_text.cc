// Percent encoding and HTML escaping of names.
#include "common/html_text.h"

#include <cstring>

#include "common/text_utils.h"

namespace orvanta {

std::string UrlEncodeName(std::string_view name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  static constexpr char kSafe[] = "-._~!$'()*+,;=@";
  std::string out;
  out.reserve(name.size() + 8);
  for (char ch : name) {
    unsigned char c = static_cast<unsigned char>(ch);
    bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                (c >= '0' && c <= '9') ||
                (c != 0 && std::strchr(kSafe, c) != nullptr);
    if (keep) {
      out += ch;
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

std::string HtmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (char ch : WithoutHiddenControls(text)) {
    switch (ch) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += ch;
    }
  }
  return out;
}

std::string AttributeText(std::string_view html) {
  std::string out;
  bool blank = false;
  for (size_t i = 0; i < html.size(); ++i) {
    const char c = html[i];
    if (c == '<') {
      const size_t end = html.find('>', i);
      if (end != std::string_view::npos) {
        i = end;
        continue;
      }
    }
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '"') {
      out += "&quot;";
    } else {
      out += c;
    }
  }
  return out;
}

std::string UrlEncodeRelativePath(const std::string& path) {
  std::string out;
  size_t start = 0;
  while (true) {
    size_t slash = path.find('/', start);
    out += UrlEncodeName(std::string_view(path).substr(
        start, slash == std::string::npos ? std::string::npos : slash - start));
    if (slash == std::string::npos) break;
    out += '/';
    start = slash + 1;
  }
  return out;
}

std::string FileAddress(const std::string& absolute_path) {
  return "file://" + UrlEncodeRelativePath(absolute_path);
}

}  // namespace orvanta
