// The text routines: which UTF-8 byte sequences are well-formed, the
// characters kept out of shown texts, Windows-1252; file names in links;
// the letters a text box takes.
#include "common/text_utils.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/html_text.h"
#include "common/key_filter.h"

namespace orvanta {
namespace {

TEST(TextUtilsTest, Utf8LengthAcceptsOnlyWellFormedSequences) {
  for (const char* good : {"A", "\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80",
                           "\xE1\x80\x80", "\xED\x9F\xBF", "\xEF\xBF\xBF",
                           "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF"}) {
    EXPECT_EQ(Utf8Length(good, 0), std::strlen(good)) << good;
    EXPECT_TRUE(IsValidUtf8(std::string("x") + good + "y")) << good;
  }
  for (const char* bad :
       {"\x80", "\xC1\xBF", "\xC2\x41", "\xE0\x9F\xBF", "\xED\xA0\x80",
        "\xE2\x82\x41", "\xE2\x82", "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80",
        "\xF5\x80\x80\x80", "\xF1\x80\x80\x41", "\xF1\x80\x80"}) {
    EXPECT_EQ(Utf8Length(bad, 0), 0u) << ::testing::PrintToString(bad);
    EXPECT_FALSE(IsValidUtf8(std::string("x") + bad)) << bad;
  }
}

TEST(TextUtilsTest, HiddenControlsAreDroppedAndWindows1252Converted) {
  // Tab, NBSP, U+2029, U+2065, U+206A and a stray byte stay; NUL, DEL,
  // U+0085, the bidirectional embeddings and isolates go.
  EXPECT_EQ(WithoutHiddenControls(std::string("a\tb\0c\x7F", 7) +
                                  "\xC2\x85\xC2\x9F\xC2\xA0\xE2\x80\xA9"
                                  "\xE2\x80\xAA\xE2\x80\xAE\xE2\x81\xA5"
                                  "\xE2\x81\xA6\xE2\x81\xA9\xE2\x81\xAA\xFF"),
            "a\tbc\xC2\xA0\xE2\x80\xA9\xE2\x81\xA5\xE2\x81\xAA\xFF");
  EXPECT_EQ(Windows1252ToUtf8(std::string("\x7F\x80\x81\x9F\xA0\xFF\0", 7)),
            std::string("\x7F\xE2\x82\xAC\xC5\xB8\xC2\xA0\xC3\xBF\0", 11));
}

TEST(TextUtilsTest, LinksEscapeAllButUnreservedAndSubDelimiters) {
  using std::string_literals::operator""s;
  EXPECT_EQ(UrlEncodeName("azAZ09-._~!$'()*+,;=@"), "azAZ09-._~!$'()*+,;=@");
  EXPECT_EQ(UrlEncodeName("`{[/:? %\"#\x7F\xC3\xA9\0"s),
            "%60%7B%5B%2F%3A%3F%20%25%22%23%7F%C3%A9%00");
}

TEST(TextUtilsTest, TextBoxesTakeAllLettersOrTheExponentAlone) {
  KeyFilterFlags letters, exponent;
  letters.letters = true;
  exponent.exponent = true;
  // Ctrl+V (22) as well: neither box takes the clipboard's keys.
  for (int key :
       {'@', 'A', 'Z', '[', '`', 'a', 'z', '{', 'd', 'e', 'E', '\x16'}) {
    const bool letter =
        (key >= 'A' && key <= 'Z') || (key >= 'a' && key <= 'z');
    EXPECT_EQ(FilterTextBoxKeyPress(key, letters).key_code, letter ? key : 0);
    EXPECT_EQ(FilterTextBoxKeyPress(key, exponent).key_code,
              key == 'e' || key == 'E' ? 'E' : 0);
  }
}

}  // namespace
}  // namespace orvanta
