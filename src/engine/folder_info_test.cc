// Folder information files, the scan of a folder and the safety of names.
#include "engine/folder_info.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "engine/folder_scan.h"
#include "engine/html_text.h"
#include "testing/engine_fixture.h"

namespace orvanta::testing {
namespace {

using FolderInfoTest = EngineTest;

TEST_F(FolderInfoTest, ReadsFolderKeysAndPictureEntries) {
  WriteFile(Input("DirInfo.txt"),
            "[Directory Information]\r\n"
            "DirectoryTitle=First\r\n"
            "DIRECTORYTITLE=June <i>2003</i>\r\n"
            "DirectoryDescription=Family trip=fun\r\n"
            "SidebarPictureName=Sunset.jpg\r\n"
            "SidebarPictureCaption=Sunset over the ocean\r\n"
            "DirectoryTitle = X\r\n"
            "oceansideview.JPG=Surf\r\n"
            "OceanSideView.jpg=Second entry loses\r\n"
            "OldLighthouse.jpg=\r\n"
            "Note: see a=b\r\n"
            "no equals sign\n");
  RunContext& ctx = Context();
  FolderInfo info;
  info.folder_path = Input("");
  ReadFolderInfoFile(ctx, &info);
  EXPECT_EQ(info.folder_path, Input("") + "/");
  EXPECT_EQ(info.title, "June <i>2003</i>");
  EXPECT_EQ(info.description, "Family trip=fun");
  EXPECT_EQ(info.sidebar_picture_name, "Sunset.jpg");
  EXPECT_EQ(LookupPictureTitle(info, "OceanSideView.jpg"), "Surf");
  EXPECT_EQ(LookupPictureTitle(info, "OldLighthouse.jpg"), "");
  EXPECT_EQ(LookupPictureTitle(info, "DirectoryTitle "), " X");
  EXPECT_EQ(LookupPictureTitle(info, "Note: see a"), "b");
  EXPECT_EQ(LookupPictureTitle(info, "Other <1>.jpeg"), "Other &lt;1&gt;");
}

TEST_F(FolderInfoTest, DefaultsWithoutAFile) {
  MakeFolders(Input("A&B"));
  RunContext& ctx = Context();
  FolderInfo info;
  info.folder_path = Input("A&B");
  ReadFolderInfoFile(ctx, &info);
  EXPECT_EQ(info.title, HtmlEscape(Input("A&B") + "/"));
  EXPECT_TRUE(info.description.empty());
  FolderInfo parent;
  parent.folder_path = Input("") + "/";
  EXPECT_EQ(LookupSubfolderCaption(ctx, parent, "A&B"), "A&amp;B");
}

TEST_F(FolderInfoTest, SubfolderCaptionIsTheFirstTitle) {
  WriteFile(Input("Sub/DirInfo.txt"),
            "DirectoryTitle=One\nDirectoryTitle=Two\n");
  RunContext& ctx = Context();
  FolderInfo parent;
  parent.folder_path = Input("") + "/";
  EXPECT_EQ(LookupSubfolderCaption(ctx, parent, "Sub"), "One");
  FolderInfo sub;
  sub.folder_path = Input("Sub");
  ReadFolderInfoFile(ctx, &sub);
  EXPECT_EQ(sub.title, "Two");
}

TEST_F(FolderInfoTest, SidebarPictureHtml) {
  RunContext& ctx = Context();
  FolderInfo info;
  info.folder_path = Input("") + "/";
  info.sidebar_picture_name = "Sun set.jpg";
  info.sidebar_picture_caption = "Sunset \"over\" the ocean";
  // Missing file: the alt text is the name.
  EXPECT_EQ(BuildSidebarPictureHtml(ctx, info),
            "<img src=\"Sun%20set.jpg\" alt=\"Sun set.jpg\"><BR>\r\n"
            "Sunset \"over\" the ocean");
  WriteFile(Input("Sun set.jpg"), "x");
  EXPECT_EQ(BuildSidebarPictureHtml(ctx, info),
            "<img src=\"Sun%20set.jpg\" alt=\"Sunset &quot;over&quot; the "
            "ocean\"><BR>\r\nSunset \"over\" the ocean");
  info.sidebar_picture_caption.clear();
  EXPECT_EQ(BuildSidebarPictureHtml(ctx, info),
            "<img src=\"Sun%20set.jpg\" alt=\"\">");
}

TEST(HtmlTextTest, NamesAreSafeInLinksAndText) {
  EXPECT_EQ(UrlEncodeName("a b#c%d?e\"f<g>h\\i&j:k.jpg"),
            "a%20b%23c%25d%3Fe%22f%3Cg%3Eh%5Ci%26j%3Ak.jpg");
  EXPECT_EQ(UrlEncodeName("Été\x01.jpg"), "%C3%89t%C3%A9%01.jpg");
  EXPECT_EQ(UrlEncodeName("Beach-1_(2)~.jpg"), "Beach-1_(2)~.jpg");
  EXPECT_EQ(HtmlEscape("<a href=\"x\">&</a>"),
            "&lt;a href=&quot;x&quot;&gt;&amp;&lt;/a&gt;");
}

using FolderScanTest = EngineTest;

TEST_F(FolderScanTest, CountsAndListsByExtensionKindAndPrefix) {
  for (const char* name :
       {"b.jpg", "A.JPG", "c.gif", "t_rex.jpg", "T_x.png", "clip.mov",
        "notes.txt", ".hidden.jpg", "SUNSET.JPG"}) {
    WriteFile(Input(name), "x");
  }
  WriteFile(Input("Sub/d.jpg"), "x");
  WriteFile(Input(".secret/e.jpg"), "x");
  ui.controls.picture_file_extensions = " .jpg ;; gif,JPG";
  RunContext& ctx = Context();
  int32_t folders = 0;
  int32_t files = 0;
  CountGalleryFiles(ctx, Input(""), &folders, &files);
  EXPECT_EQ(folders, 1);
  // jpg twice (b, A, SUNSET, and Sub/d each twice), gif once, mov once.
  EXPECT_EQ(files, 2 * 4 + 1 + 1);

  FolderInfo info;
  info.folder_path = Input("") + "/";
  info.sidebar_picture_name = "Sunset.jpg";
  std::vector<std::string> names;
  ListFolderFiles(ctx, &info, &names);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"A.JPG", "A.JPG", "b.jpg", "b.jpg",
                                             "c.gif", "clip.mov"}));
  // Mode 1: every picture lacks a thumbnail; movies never get one.
  EXPECT_EQ(info.thumbnails_to_create.size(), 5u);

  ui.controls.include_picture_files = 0;
  ui.controls.create_thumbnails_index = 0;
  RunContext& movies_only = Context();
  FolderInfo info2;
  info2.folder_path = Input("") + "/";
  names.clear();
  ListFolderFiles(movies_only, &info2, &names);
  EXPECT_EQ(names, std::vector<std::string>{"clip.mov"});
  EXPECT_TRUE(info2.thumbnails_to_create.empty());
}

TEST_F(FolderScanTest, FindsThumbnailsByBothNames) {
  WriteFile(Input("t_photo.jpg"), "x");
  WriteFile(Input("t_clip.jpg"), "x");
  WriteFile(Input("t_b.jpg"), "x");
  RunContext& ctx = Context();
  FolderInfo info;
  info.folder_path = Input("") + "/";
  std::string path;
  bool movie = true;
  EXPECT_TRUE(ThumbnailExists(ctx, info, "photo.png", &path, &movie));
  EXPECT_EQ(path, Input("t_photo.jpg"));
  EXPECT_FALSE(movie);
  EXPECT_TRUE(ThumbnailExists(ctx, info, "clip.mov", &path, &movie));
  EXPECT_TRUE(movie);
  EXPECT_FALSE(ThumbnailExists(ctx, info, "b.JPG", &path, &movie));
  EXPECT_EQ(path, "");
  // The movie thumbnail extension is honoured.
  program.options.movie_file_thumbnail_extension = "png";
  EXPECT_FALSE(ThumbnailExists(ctx, info, "clip.mov", &path, &movie));
}

TEST_F(FolderScanTest, LinkedAndHiddenFoldersAreLeftOut) {
  MakeFolders(Input("Real"));
  MakeFolders(Input(".hidden"));
  ASSERT_EQ(symlink(Input("").c_str(), Input("Loop").c_str()), 0);
  EXPECT_EQ(ListSubfolders(fs, Input("")), std::vector<std::string>{"Real"});
}

}  // namespace
}  // namespace orvanta::testing
