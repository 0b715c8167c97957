// Making names from the file system safe where they enter a page: percent
// encoding for link targets and picture sources, HTML escaping for text.
#ifndef ORVANTA_COMMON_HTML_TEXT_H_
#define ORVANTA_COMMON_HTML_TEXT_H_

#include <string>
#include <string_view>

namespace orvanta {

// Percent-encodes a file or folder name for use in href or src: every byte
// but letters, digits and - . _ ~ ! $ ' ( ) * + , ; = @ is written as %XX,
// so blanks, quotes, #, %, ?, &, :, <, >, \, control characters and
// non-ASCII bytes are all safe.
std::string UrlEncodeName(std::string_view name);

// Escapes & < > " for text shown on a page or put in an attribute, and
// leaves out the controls and bidi overrides no page should show
// (WithoutHiddenControls): a file named "abc\u202Egpj.exe" shows as
// "abcgpj.exe", not as "abcexe.jpg".
std::string HtmlEscape(std::string_view text);

// HTML-ready text (a title or description as the person wrote it, tags and
// entities allowed) made fit for an attribute such as alt or a meta
// description: tags dropped (a "<" that opens none becomes &lt;), ">" and
// '"' escaped, runs of blanks, tabs and line breaks made one blank, the
// ends trimmed. Entities ("&amp;") stay as they are.
std::string AttributeText(std::string_view html);

// A relative path written by the person ("Sun set.jpg", "../a/b.jpg"),
// percent-encoded segment by segment for a link.
std::string UrlEncodeRelativePath(const std::string& path);

// The file:// address of an absolute path, percent-encoded segment by
// segment ("/home/me/a b/index.html" gives
// "file:///home/me/a%20b/index.html").
std::string FileAddress(const std::string& absolute_path);

// HTML-ready text as plain text, for places that take no markup (a feed's
// titles): tags dropped and blanks made one as AttributeText does, the
// references &amp; &lt; &gt; &quot; &apos; and numeric ones read; other
// named references stay as they are written.
std::string HtmlToText(std::string_view html);

}  // namespace orvanta

#endif  // ORVANTA_COMMON_HTML_TEXT_H_
