// Whole gallery runs over real folders of real pictures.
#include "engine/gallery_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "testing/engine_fixture.h"
#include "testing/test_pictures.h"

namespace orvanta::testing {
namespace {

using ::testing::HasSubstr;

class GalleryRunTest : public EngineTest {
 protected:
  bool Contains(const std::string& relative, const std::string& text) {
    return Page(relative).find(text) != std::string::npos;
  }
};

TEST_F(GalleryRunTest, WholeTreeWithThumbnailsPagesAndSummary) {
  MakePicture(Input("b.jpg"), 640, 480);
  MakePicture(Input("A.png"), 300, 200);
  MakePicture(Input("Sub dir/c.jpg"), 400, 300, 6);
  WriteFile(Input("clip.mov"), "movie");
  MakePicture(Input("t_clip.jpg"), 100, 80);
  WriteFile(Input("DirInfo.txt"),
            "DirectoryTitle=Beach & sun\r\nDirectoryDescription=Family "
            "trip\r\nb.jpg=The <b>bay</b>\r\n");
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_EQ(ui.LastMessage().title, "Gallery created");
  EXPECT_EQ(ui.LastMessage().text,
            "Orvanta created.  Processed 4 image files in 2 folders.");
  EXPECT_TRUE(ui.LastMessage().summary);
  EXPECT_EQ(ui.messages.size(), 1u);

  // Thumbnails beside the pictures, format kept, upright.
  EXPECT_EQ(ReadPictureSize(Input("t_b.jpg")), (PictureSize{150, 113}));
  EXPECT_EQ(ReadPictureFormat(Input("t_A.png")), "PNG");
  EXPECT_EQ(ReadPictureSize(Input("Sub dir/t_c.jpg")), (PictureSize{113, 150}));
  EXPECT_EQ(ReadPictureSize(Input("t_clip.jpg")), (PictureSize{100, 80}));

  // The index: sorted by character code, names, the description.
  std::string index = Page("index.html");
  EXPECT_THAT(index, HasSubstr("<a href=\"A.html\" name=\"navNext\"> <IMG "
                               "SRC=\"t_A.png\"></a>"));
  EXPECT_THAT(index, HasSubstr("<a href=\"clip.html\" name=\"navPrevious\"> "
                               "<IMG SRC=\"t_clip.jpg\"></a>"));
  EXPECT_LT(index.find("A.html"), index.find("b.html"));
  EXPECT_THAT(index, HasSubstr("<a href=\"Sub%20dir/index.html\">Sub "
                               "dir</a><BR>"));
  EXPECT_THAT(index, HasSubstr("<P>Family trip</P>\r\n"));
  EXPECT_THAT(index, HasSubstr("<TITLE>\r\n      Beach & sun\r\n"));
  EXPECT_THAT(index, HasSubstr("<H2>Beach & sun</H2>"));
  EXPECT_THAT(index, HasSubstr("<TD></TD>\r\n</TR>"));

  // Picture pages with their neighbours and titles.
  std::string b = Page("b.html");
  EXPECT_THAT(b, HasSubstr("The <b>bay</b>"));
  EXPECT_THAT(b, HasSubstr("<a href=\"A.html\" name=\"navPrevious\">"
                           "Previous</a>"));
  EXPECT_THAT(b, HasSubstr("<a href=\"clip.html\" name=\"navNext\">Next</a>"));
  EXPECT_THAT(Page("clip.html"),
              HasSubstr("<a href=\"clip.mov\"><IMG SRC=\"t_clip.jpg\"></a>"));
  EXPECT_THAT(Page("clip.html"),
              HasSubstr("<a href=\"index.html\" name=\"navNext\">Next</a>"));

  // The subfolder: up link, script path, its single picture.
  std::string sub = Page("Sub dir/index.html");
  EXPECT_THAT(sub, HasSubstr("<P><a href=\"../index.html\" "
                             "name=\"navIndex\">Up to Beach & sun</a></P>"));
  EXPECT_THAT(sub, HasSubstr("<Script Src=\"../NavFunctions.js\""));
  EXPECT_THAT(sub, HasSubstr("<TR><TD><a href=\"#\" name=\"navPrevious\">"
                             "</a></TD></TR>"));
  EXPECT_TRUE(PathExists(Input("NavFunctions.js")));
  EXPECT_FALSE(PathExists(Input("Sub dir/NavFunctions.js")));
  EXPECT_TRUE(PathExists(temp.Path("program/IndexTemplate.html")));
  EXPECT_TRUE(PathExists(temp.Path("program/PictureTemplate.html")));
}

TEST_F(GalleryRunTest, ChecksBeforeTheWalk) {
  ui.controls.input_folder = "";
  EXPECT_EQ(Run(), RunOutcome::kStopped);
  EXPECT_EQ(ui.LastMessage().title, "Missing Folder");
  EXPECT_EQ(ui.LastMessage().text, "Please specify an input folder.");

  ui.controls.input_folder = temp.Path("nowhere");
  EXPECT_EQ(Run(), RunOutcome::kStopped);
  EXPECT_EQ(ui.LastMessage().text,
            "The input folder path is invalid.  Aborting.");

  // The converter is checked before the options are taken: the bad number
  // below is never seen.
  ui.controls.use_irfanview = 1;
  ui.controls.irfanview_path = "";
  ui.controls.thumbnails_per_row = "abc";
  ui.messages.clear();
  EXPECT_EQ(Run(), RunOutcome::kStopped);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.LastMessage().text,
            "Invalid path specified for the IrfanView software: ");

  ui.controls.use_irfanview = 0;
  ui.controls.input_folder = Input("");
  EXPECT_EQ(Run(), RunOutcome::kFailed);
  EXPECT_EQ(ui.LastMessage().text,
            "Error Creating Photo Gallery: Type mismatch");
  EXPECT_FALSE(ui.busy());

  ui.messages.clear();
  EXPECT_EQ(Run([](std::string* why) {
              *why = "no library";
              return std::unique_ptr<ImageTool>();
            }),
            RunOutcome::kStopped);
  EXPECT_THAT(ui.LastMessage().text,
              HasSubstr("Unable to create a reference to the ImageMagick "
                        "Object.  Please re-install this software"));
  EXPECT_FALSE(PathExists(Input("index.html")));
}

TEST_F(GalleryRunTest, RootFolderAsksFirst) {
  ui.controls.input_folder = "/";
  EXPECT_EQ(Run(), RunOutcome::kStopped);  // the preselected Cancel
  EXPECT_EQ(ui.LastMessage().title, "Warning");
  EXPECT_EQ(ui.LastMessage().default_button, 3);
}

TEST_F(GalleryRunTest, EscapeWhileCountingCancels) {
  for (int i = 0; i < 12; ++i) MakeFolders(Input("f" + std::to_string(i)));
  ui.on_progress = [&](const std::string& event) {
    if (event.rfind("UpdateProgressBar", 0) == 0) ui.SetKeyPressAbortProcess(2);
  };
  EXPECT_EQ(Run(), RunOutcome::kCancelled);
  EXPECT_EQ(ui.LastMessage().title, "Cancelled");
  EXPECT_EQ(ui.LastMessage().text, "Processing cancelled.");
  EXPECT_FALSE(PathExists(Input("index.html")));
  EXPECT_EQ(ui.KeyPressAbortProcess(), 0);
}

TEST_F(GalleryRunTest, ExistingPagesAreAskedAbout) {
  MakePicture(Input("a.jpg"), 60, 40);
  WriteFile(Input("index.html"), "old index");
  WriteFile(Input("Sub/index.html"), "old sub");
  ui.controls.overwrite_existing_files = 0;
  ui.answers = {Answer::kNo};
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_EQ(ui.messages[0].title, "Overwrite file?");
  EXPECT_EQ(ui.messages[0].text,
            "The file " + Input("index.html") +
                " exists.  Are you sure you want to overwrite it?");
  EXPECT_EQ(ui.messages[0].default_button, 2);
  EXPECT_EQ(Page("index.html"), "old index");
  EXPECT_EQ(Page("Sub/index.html"), "old sub");  // skipped with its parent
  EXPECT_EQ(ui.LastMessage().text,
            "Orvanta created.  Processed 0 image files in 1 folder.");

  ui.messages.clear();
  ui.answers = {Answer::kYes, Answer::kCancel};
  EXPECT_EQ(Run(), RunOutcome::kAborted);
  EXPECT_EQ(ui.LastMessage().title, "Process aborted");
  EXPECT_EQ(Page("Sub/index.html"), "old sub");
  EXPECT_NE(Page("index.html"), "old index");
}

TEST_F(GalleryRunTest, MarkedFoldersAreSkippedButLinked) {
  MakePicture(Input("Keep/x.jpg"), 50, 50);
  WriteFile(Input("Keep/DoNotModify.txt"), "");
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_FALSE(PathExists(Input("Keep/index.html")));
  EXPECT_FALSE(PathExists(Input("Keep/t_x.jpg")));
  EXPECT_TRUE(Contains("index.html", "<a href=\"Keep/index.html\">"));
  EXPECT_EQ(ui.LastMessage().text,
            "Orvanta created.  Processed 0 image files in 2 folders.");
}

TEST_F(GalleryRunTest, MissingTemplateFallsBackAndKeepsAnEditedDefault) {
  WriteFile(temp.Path("program/IndexTemplate.html"),
            "<html>mine %DirectoryTitle%\r\n%Thumbnails%\r\n</html>\r\n");
  ui.controls.index_template_file = "Gone.html";
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_EQ(ui.controls.index_template_file, "IndexTemplate.html");
  EXPECT_EQ(ReadFile(temp.Path("program/IndexTemplate.html")).substr(0, 10),
            "<html>mine");
  EXPECT_EQ(Page("index.html").substr(0, 10), "<html>mine");
}

TEST_F(GalleryRunTest, BadTemplateCodeAbandonsTheRun) {
  WriteFile(temp.Path("program/IndexTemplate.html"),
            "<html>\r\n%foo%\r\nnever\r\n");
  EXPECT_EQ(Run(), RunOutcome::kAborted);
  EXPECT_EQ(ui.messages[0].text,
            "Bad code in line \r\n%foo%\r\n of header file " +
                temp.Path("program/IndexTemplate.html"));
  EXPECT_EQ(Page("index.html"), "<html>\r\n");
}

TEST_F(GalleryRunTest, BrokenPicturesAreListedAndTheRunGoesOn) {
  MakeCorruptPicture(Input("bad.jpg"));
  MakePicture(Input("good.jpg"), 500, 400);
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  ASSERT_EQ(ui.reports.size(), 1u);
  EXPECT_EQ(ui.reports[0].rfind("Error Creating Thumbnails: ", 0), 0u);
  EXPECT_EQ(ui.messages[0].text,
            "Errors occurred during the thumbnail creation process.  Click "
            "OK to see a list of the errors.");
  EXPECT_EQ(ui.messages[0].icon, Icon::kInformation);
  // The full-size copy stays as the thumbnail.
  EXPECT_EQ(ReadFile(Input("t_bad.jpg")), ReadFile(Input("bad.jpg")));
  EXPECT_EQ(ReadPictureSize(Input("t_good.jpg")), (PictureSize{150, 120}));
}

TEST_F(GalleryRunTest, CreateModesAndExistingThumbnails) {
  MakePicture(Input("photo.png"), 200, 100);
  MakePicture(Input("t_photo.jpg"), 20, 10);
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_FALSE(PathExists(Input("t_photo.png")));
  EXPECT_TRUE(Contains("index.html", "<IMG SRC=\"t_photo.jpg\">"));
  ui.controls.create_thumbnails_index = 2;
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_EQ(ReadPictureSize(Input("t_photo.png")), (PictureSize{150, 75}));
  ui.controls.create_thumbnails_index = 0;
  MakePicture(Input("new.gif"), 40, 40);
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_FALSE(PathExists(Input("t_new.gif")));
  EXPECT_TRUE(Contains("index.html", "<IMG SRC=\"new.gif\" WIDTH=150>"));
}

TEST_F(GalleryRunTest, MidSizeAndKeyboardOptions) {
  MakePicture(Input("wide.jpg"), 1200, 700);
  MakePicture(Input("small.jpg"), 800, 600);
  WriteFile(Input("NavFunctions.js"), "// mine");
  ui.controls.target_screen_resolution_index = 2;
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_TRUE(Contains("wide.html",
                       "<a href=\"wide.jpg\"><IMG "
                       "SRC=\"wide.jpg\" HEIGHT=628></a>"));
  EXPECT_TRUE(Contains("small.html", "<IMG SRC=\"small.jpg\">"));
  EXPECT_EQ(Page("NavFunctions.js"), "// mine");

  ui.controls.include_keyboard_navigation = 0;
  ui.controls.include_mid_size_picture = 0;
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_FALSE(Contains("index.html", "Script"));
  EXPECT_TRUE(Contains("index.html", "<BODY BGCOLOR=\"#FFFFFF\" >"));
  EXPECT_TRUE(Contains("wide.html", "<IMG SRC=\"wide.jpg\">"));
}

TEST_F(GalleryRunTest, OddNamesAreEncodedInLinks) {
  MakePicture(Input("a b#1%&\"q\".jpg"), 30, 30);
  MakeFolders(Input("x:y"));
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  std::string index = Page("index.html");
  EXPECT_THAT(index, HasSubstr("<a href=\"a%20b%231%25%26%22q%22.html\""));
  EXPECT_THAT(index, HasSubstr("<IMG SRC=\"t_a%20b%231%25%26%22q%22.jpg\">"));
  EXPECT_THAT(index, HasSubstr("<a href=\"x%3Ay/index.html\">x:y</a>"));
  EXPECT_TRUE(PathExists(Input("a b#1%&\"q\".html")));
}

}  // namespace
}  // namespace orvanta::testing
