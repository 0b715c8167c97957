// Shortening a path for the progress display, in both the "\" and the
// "/" form of paths. (The other path routines show in every gallery.)
#include "common/path_utils.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

TEST(ShortenPathTest, ExamplesInBothForms) {
  const struct {
    std::string path;  // in the "\" form
    int max_length;
    std::string expected;
  } cases[] = {
      {"C:\\Documents\\Pictures\\2004\\Summer\\Beach", 45,
       "C:\\Documents\\Pictures\\2004\\Summer\\Beach"},
      {"C:\\Documents\\Pictures\\2004\\Summer\\Beach", 30,
       "C:\\...\\Pic..\\2004\\Summer\\Beach"},
      {"C:\\a\\b\\c\\verylongfilename.txt", 20, "C:\\...\\c..\\verylon.."},
      {"\\\\server\\share\\photos\\2004\\summer\\trip\\day1\\", 30,
       "\\\\server\\...\\summer\\trip\\day1\\"},
      {"  .\\short\\path  ", 20, ".\\short\\path"},
      {".\\first\\second\\third\\fourth", 22, ".\\...\\s..\\third\\fourth"},
      {"..\\first\\second\\third\\fourth", 23, "..\\...\\s..\\third\\fourth"},
      {"C:\\one\\two\\three\\four\\five\\six\\seven\\end", 24,
       "C:\\...\\f..\\six\\seven\\end"},
      {"\\\\averyverylongservername\\file.txt", 20, "\\\\averyve..\\file.txt"},
      {"\\\\averyverylongservername\\share\\pics\\x.jpg", 25,
       "\\\\averyve..\\...\\p..\\x.jpg"},
      {"\\\\averyverylongservername", 12, "\\\\averyver.."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShortenPath(c.path, c.max_length, '\\'), c.expected) << c.path;
    // The "/" form: a drive "C:\" becomes the root "/", two shorter.
    std::string path = c.path, expected = c.expected;
    int max_length = c.max_length;
    if (path.starts_with("C:\\")) {
      path.erase(0, 2);
      expected.erase(0, 2);
      max_length -= 2;
    }
    std::replace(path.begin(), path.end(), '\\', '/');
    std::replace(expected.begin(), expected.end(), '\\', '/');
    EXPECT_EQ(ShortenPath(path, max_length, '/'), expected) << path;
  }
  EXPECT_EQ(ShortenPath("abcdefgh", 0, '/'), "abc..");
  EXPECT_EQ(ShortenPath("abc", 1, '/'), "abc");
}

}  // namespace
}  // namespace orvanta
