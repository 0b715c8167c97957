// Percent encoding and HTML escaping of names.
#include "common/html_text.h"

#include <cstdlib>
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

std::string HtmlToText(std::string_view html) {
  static constexpr std::pair<std::string_view, char> kNamed[] = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
  const std::string text = AttributeText(html);
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const size_t end = text.find(';', i);
    if (text[i] != '&' || end == std::string::npos || end - i > 10) {
      out += text[i];
      continue;
    }
    const std::string name = text.substr(i + 1, end - i - 1);
    char32_t code = 0;
    for (const auto& [named, c] : kNamed) {
      if (name == named) code = static_cast<unsigned char>(c);
    }
    if (name.size() > 1 && name[0] == '#') {
      const bool hex = name[1] == 'x' || name[1] == 'X';
      char* rest = nullptr;
      const unsigned long number =
          std::strtoul(name.c_str() + (hex ? 2 : 1), &rest, hex ? 16 : 10);
      if (*rest == '\0' && number < 0x110000 &&
          (number < 0xD800 || number > 0xDFFF)) {
        code = static_cast<char32_t>(number);
      }
    }
    if (code == 0) {
      out += text[i];
      continue;
    }
    AppendUtf8(code, &out);
    i = end;
  }
  return out;
}

}  // namespace orvanta
