// Making names from the file system safe where they enter a page: percent
// encoding for link targets and picture sources, HTML escaping for text.
#ifndef ORVANTA_ENGINE_HTML_TEXT_H_
#define ORVANTA_ENGINE_HTML_TEXT_H_

#include <string>
#include <string_view>

namespace orvanta {

// Percent-encodes a file or folder name for use in href or src: every byte
// but letters, digits and - . _ ~ ! $ ' ( ) * + , ; = @ is written as %XX,
// so blanks, quotes, #, %, ?, &, :, <, >, \, control characters and
// non-ASCII bytes are all safe.
std::string UrlEncodeName(std::string_view name);

// Escapes & < > " for text shown on a page or put in an attribute.
std::string HtmlEscape(std::string_view text);

}  // namespace orvanta

#endif  // ORVANTA_ENGINE_HTML_TEXT_H_
