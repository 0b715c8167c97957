// Shortening a path for the progress display. (The other path routines
// show in every gallery.)
#include "common/path_utils.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

TEST(ShortenPathTest, KeepsTheStartAndTheLastFolders) {
  const struct {
    std::string path;
    int max_length;
    std::string expected;
  } cases[] = {
      {"/Documents/Pictures/2004/Summer/Beach", 43,
       "/Documents/Pictures/2004/Summer/Beach"},
      {"/Documents/Pictures/2004/Summer/Beach", 28,
       "/.../Pic../2004/Summer/Beach"},
      {"/a/b/c/verylongfilename.txt", 18, "/.../c../verylon.."},
      {"  ./short/path  ", 20, "./short/path"},
      {"./first/second/third/fourth", 22, "./.../s../third/fourth"},
      {"../first/second/third/fourth", 23, "../.../s../third/fourth"},
      {"/one/two/three/four/five/six/seven/end", 22, "/.../f../six/seven/end"},
      {"abcdefgh", 0, "abc.."},
      {"abc", 1, "abc"},
      {"/abcdefghij/b/c", 12, "/abcde../b/c"},
      {"abcdefghij/klm/nop", 12, "ab../klm/nop"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShortenPath(c.path, c.max_length, '/'), c.expected) << c.path;
    // The same rules with the other separator.
    std::string path = c.path, expected = c.expected;
    std::replace(path.begin(), path.end(), '/', '\\');
    std::replace(expected.begin(), expected.end(), '/', '\\');
    EXPECT_EQ(ShortenPath(path, c.max_length, '\\'), expected) << path;
  }
}

}  // namespace
}  // namespace orvanta
