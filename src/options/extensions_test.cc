// Tests of the extension table: the window's and the file's list forms,
// lookups ignoring case, movie tests and the list texts.
#include "options/extensions.h"

#include <gtest/gtest.h>

#include <string>

namespace orvanta {
namespace {

std::string Describe(const ExtensionTable& table) {
  std::string text;
  for (const KnownExtension& entry : table.entries()) {
    text += "[" + entry.extension + (entry.is_movie ? "]M" : "]P");
  }
  return text;
}

TEST(ExtensionTableTest, Defaults) {
  ExtensionTable table;
  table.AddExtensionList("tif", false);
  table.SetDefaultExtensions();
  EXPECT_EQ(Describe(table), "[jpg]P[jpeg]P[gif]P[png]P[bmp]P[mov]M[avi]M");
  EXPECT_EQ(table.ExtensionListText(false), "jpg,jpeg,gif,png,bmp");
  EXPECT_EQ(table.ExtensionListText(true), "mov,avi");
  EXPECT_EQ(table.FindExtensionIndex("tif"), -1);
}

TEST(ExtensionTableTest, WindowListTrimsAndCombinesDelimiters) {
  ExtensionTable table;
  table.AddExtensionList("  .jpg ;; gif", false);
  EXPECT_EQ(Describe(table), "[jpg]P[gif]P");

  table.Clear();
  table.AddExtensionList(",jpg", false);  // leading delimiter: empty entry
  EXPECT_EQ(Describe(table), "[]P[jpg]P");
  EXPECT_EQ(table.FindExtensionIndex(""), 0);
  EXPECT_FALSE(table.IsMovieFile("README"));

  table.Clear();
  table.AddExtensionList("jpg, JPG", false);  // duplicates stay
  EXPECT_EQ(table.size(), 2);
  EXPECT_EQ(table.FindExtensionIndex("Jpg"), 0);

  table.Clear();
  table.AddExtensionList("", false);
  table.AddExtensionList("  ", true);
  EXPECT_EQ(Describe(table), "[]M");  // a blank text is one empty item
}

TEST(ExtensionTableTest, WindowListKeepsAHundredItems) {
  std::string list;
  for (int i = 0; i < 105; ++i) list += "e" + std::to_string(i) + ",";
  ExtensionTable table;
  table.AddExtensionList(list, false);
  EXPECT_EQ(table.size(), 100);
  EXPECT_EQ(table.entries().back().extension, "e99");
}

TEST(ExtensionTableTest, FileListSplitsAtCommasOnly) {
  ExtensionTable table;
  table.AddExtensionListFromFile(".jpg, gif;png,,MOV", false);
  EXPECT_EQ(Describe(table), "[jpg]P[ gif;png]P[]P[MOV]P");
  table.Clear();
  table.AddExtensionListFromFile("", true);
  EXPECT_TRUE(table.empty());
  // A list written by the table reads back the same.
  table.AddExtensionList(",jpg;mov", false);
  ExtensionTable copy;
  copy.AddExtensionListFromFile(table.ExtensionListText(false), false);
  EXPECT_EQ(Describe(copy), Describe(table));
}

TEST(ExtensionTableTest, LookupAndMovies) {
  ExtensionTable table;
  table.AddExtensionList("jpg, Mov", false);
  table.AddExtensionList("mov, AVI", true);
  EXPECT_EQ(table.FindExtensionIndex(".JPG"), 0);
  EXPECT_EQ(table.FindExtensionIndex("mov"), 1);  // the first one wins
  EXPECT_EQ(table.FindExtensionIndex("avi"), 3);
  EXPECT_FALSE(table.IsMovieFile("clip.mov"));  // listed as a picture first
  EXPECT_TRUE(table.IsMovieFile("dir.x/clip.Avi"));
  EXPECT_FALSE(table.IsMovieFile("photo.jpg"));
  EXPECT_FALSE(table.IsMovieFile("notes.txt"));
  EXPECT_EQ(table.ExtensionListText(false), "jpg,Mov");
  EXPECT_EQ(table.ExtensionListText(true), "mov,AVI");
  table.Clear();
  EXPECT_EQ(table.FindExtensionIndex("jpg"), -1);
  EXPECT_EQ(table.ExtensionListText(true), "");
}

TEST(ExtensionTableTest, LargeTablesHaveNoCap) {
  ExtensionTable table;
  for (int i = 0; i < 40000; ++i) {
    table.AddExtensionListFromFile("x" + std::to_string(i), i % 2 == 1);
  }
  EXPECT_EQ(table.size(), 40000);
  EXPECT_EQ(table.FindExtensionIndex("X39999"), 39999);
  EXPECT_TRUE(table.IsMovieFile("a.x39999"));
}

}  // namespace
}  // namespace orvanta
