// Tests of the path routines, ShortenPath above all, in both the "\" and
// the "/" form of paths.
#include "common/path_utils.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/temp_dir.h"

namespace orvanta {
namespace {

TEST(JoinPathTest, AddsOneSeparatorAndChangesTheFolder) {
  std::string folder = "C:\\Photos";
  EXPECT_EQ(JoinPath(&folder, "NavFunctions.js", '\\'),
            "C:\\Photos\\NavFunctions.js");
  EXPECT_EQ(folder, "C:\\Photos\\");
  EXPECT_EQ(JoinPath(&folder, "x", '\\'), "C:\\Photos\\x");

  std::string empty;
  EXPECT_EQ(JoinPath(&empty, "a", '/'), "/a");
  EXPECT_EQ(empty, "/");
  EXPECT_EQ(JoinPathCopy("/srv/photos/", "a.jpg", '/'), "/srv/photos/a.jpg");
  EXPECT_EQ(WithTrailingSeparator("/srv", '/'), "/srv/");
}

TEST(ExtensionTest, ExtensionAndBaseName) {
  EXPECT_EQ(ExtensionOf("a.tar.gz"), "gz");
  EXPECT_EQ(ExtensionOf("README"), "");
  EXPECT_EQ(ExtensionOf("dir.d/README"), "");
  EXPECT_EQ(BaseNameOf("x/Ocean.jpg"), "Ocean");
  EXPECT_EQ(BaseNameOf("README"), "README");
}

TEST(ChangeExtensionTest, ReplacesAppendsOrKeeps) {
  EXPECT_EQ(ChangeExtension("archive.tar.gz", ".html", true),
            "archive.tar.html");
  EXPECT_EQ(ChangeExtension("archive.tar.gz", " .html ", false),
            "archive.tar.gz.html");
  EXPECT_EQ(HtmlPageName("photo.jpg"), "photo.html");
  EXPECT_EQ(HtmlPageName("page.HTML"), "page.HTML");
  EXPECT_EQ(HtmlPageName("name"), "name.html");
}

TEST(FileExistsTest, OnlyRegularFilesCount) {
  testing::TempDir dir;
  testing::WriteFile(dir.Path("a.txt"), "x");
  PosixFileSystem fs;
  EXPECT_TRUE(FileExists(fs, dir.Path("a.txt")));
  EXPECT_FALSE(FileExists(fs, dir.path()));
  EXPECT_FALSE(FileExists(fs, dir.Path("missing")));
  EXPECT_FALSE(FileExists(fs, ""));
}

TEST(QuoteIfSpacesTest, QuotesOnlyPathsWithBlanks) {
  EXPECT_EQ(QuoteIfSpaces("C:\\My Photos"), "\"C:\\My Photos\"");
  EXPECT_EQ(QuoteIfSpaces("\"C:\\My Photos\""), "\"C:\\My Photos\"");
  EXPECT_EQ(QuoteIfSpaces("\"C:\\My Photos"), "\"C:\\My Photos\"");
  EXPECT_EQ(QuoteIfSpaces("C:\\Photos"), "C:\\Photos");
}

struct ShortenCase {
  std::string path;  // in the "\" form
  int max_length;
  std::string expected;
};

// The same path in the "/" form: "\" becomes "/", and a drive "C:\" the
// root "/" (two characters shorter, so the length shrinks by two too).
ShortenCase ToSlashForm(const ShortenCase& c) {
  ShortenCase slash = c;
  for (std::string* text : {&slash.path, &slash.expected}) {
    if (text->size() >= 3 && text->compare(1, 2, ":\\") == 0) {
      text->erase(0, 2);
      if (text == &slash.path) slash.max_length -= 2;
    }
    for (char& ch : *text) {
      if (ch == '\\') ch = '/';
    }
  }
  return slash;
}

TEST(ShortenPathTest, ExamplesInBothForms) {
  const std::string sixty(60, 'n');
  const ShortenCase cases[] = {
      {"C:\\Documents\\Pictures\\2004\\Summer\\Beach", 45,
       "C:\\Documents\\Pictures\\2004\\Summer\\Beach"},
      {"C:\\Documents\\Pictures\\2004\\Summer\\Beach", 30,
       "C:\\...\\Pic..\\2004\\Summer\\Beach"},
      {"C:\\a\\b\\c\\verylongfilename.txt", 20, "C:\\...\\c..\\verylon.."},
      {"\\\\server\\share\\photos\\2004\\summer\\trip\\day1\\", 30,
       "\\\\server\\...\\summer\\trip\\day1\\"},
      {sixty, 20, sixty.substr(0, 18) + ".."},
      {"  .\\short\\path  ", 20, ".\\short\\path"},
      {".\\first\\second\\third\\fourth", 22, ".\\...\\s..\\third\\fourth"},
      {"..\\first\\second\\third\\fourth", 23, "..\\...\\s..\\third\\fourth"},
  };
  for (const ShortenCase& c : cases) {
    EXPECT_EQ(ShortenPath(c.path, c.max_length, '\\'), c.expected) << c.path;
    ShortenCase slash = ToSlashForm(c);
    EXPECT_EQ(ShortenPath(slash.path, slash.max_length, '/'), slash.expected)
        << slash.path;
  }
  EXPECT_EQ(
      ShortenPath("C:\\Documents\\Pictures\\2004\\Summer\\Beach", 30, '\\')
          .size(),
      30u);
}

TEST(ShortenPathTest, ExactLengthAndTinyMaximum) {
  const std::string path = "C:\\abc\\defgh\\ij";
  EXPECT_EQ(ShortenPath(path, static_cast<int>(path.size()), '\\'), path);
  EXPECT_EQ(ShortenPath("abcdefgh", 2, '\\'), ShortenPath("abcdefgh", 3, '\\'));
  EXPECT_EQ(ShortenPath("abcdefgh", 0, '/'), "abc..");
  EXPECT_EQ(ShortenPath("abc", 1, '/'), "abc");
}

TEST(ShortenPathTest, EachStepHidesOneMoreFolder) {
  // Deep enough that several "...\" steps are needed; only one mark stays
  // and the last folders survive.
  const std::string deep = "C:\\one\\two\\three\\four\\five\\six\\seven\\end";
  std::string shortened = ShortenPath(deep, 24, '\\');
  EXPECT_EQ(shortened, "C:\\...\\f..\\six\\seven\\end");
  EXPECT_EQ(shortened.find("...\\"), shortened.rfind("...\\"));
  // An already shortened path is shortened further from its mark on.
  EXPECT_EQ(ShortenPath("C:\\...\\five\\six\\seven\\end", 24, '\\'), shortened);
  EXPECT_EQ(ShortenPath("/one/two/three/four/five/six/seven/end", 22, '/'),
            "/.../f../six/seven/end");
}

TEST(ShortenPathTest, LongServerNamesAreCut) {
  // One part only: the server name gives way first.
  EXPECT_EQ(ShortenPath("\\\\averyverylongservername\\file.txt", 20, '\\'),
            "\\\\averyve..\\file.txt");
  EXPECT_EQ(ShortenPath("//averyverylongservername/file.txt", 20, '/'),
            "//averyve../file.txt");
  // Several parts: folders give way first, then the server name.
  EXPECT_EQ(
      ShortenPath("\\\\averyverylongservername\\share\\pics\\x.jpg", 25, '\\'),
      "\\\\averyve..\\...\\p..\\x.jpg");
  // A bare "\\" prefix has no server part to cut.
  EXPECT_EQ(ShortenPath("\\\\averyverylongservername", 12, '\\'),
            "\\\\averyver..");
}

}  // namespace
}  // namespace orvanta
