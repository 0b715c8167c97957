// Whole runs inside the process on the file system in memory, where any
// call can fail on cue: a gallery that cannot be written, folders that
// cannot be read, files and folders that vanish after the count, and an
// image tool that throws what nobody expected, FIFOs where files go. (A
// full disk: the faults test, on a small real disk.)
#include "engine/gallery_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <set>

#include "common/error.h"
#include "engine/styles/page_style.h"
#include "testing/cli_runner.h"
#include "testing/mem_file_system.h"
#include "testing/recording_ui.h"
#include "testing/scripted_image_tool.h"
#include "testing/test_pictures.h"

namespace orvanta::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using Op = MemFileSystem::Op;

class GalleryRunTest : public ::testing::Test {
 protected:
  GalleryRunTest() {
    fs.AddFolder("/program");
    fs.AddFolder("/g");
    SetDefaultOptions("/program", &settings.controls);
    settings.controls.input_folder = "/g";
    settings.program_folder = "/program";
    settings.thumbnail_workers = 2;
  }
  void AddPicture(const std::string& path, int width = 40, int height = 30) {
    fs.AddFile(path, PictureBytes(width, height, "jpg"));
  }
  // A completed run leaves no progress bar part way.
  RunOutcome Run(const ImageToolFactory& factory = CreateMagickImageTool) {
    const RunOutcome outcome = CreateGallery(ui, fs, settings, factory).outcome;
    if (outcome == RunOutcome::kCompleted) {
      EXPECT_EQ(ui.UnfinishedSubtasks(), 0);
      EXPECT_TRUE(ui.ProgressFull());
    }
    return outcome;
  }

  MemFileSystem fs;
  RecordingUi ui;
  RunSettings settings;
};

TEST_F(GalleryRunTest, GalleryThatCannotBeWrittenEndsTheRunAtItsFirstFile) {
  AddPicture("/g/a.jpg");
  fs.AddFile("/g/DirInfo.txt", "DirectoryTitle=Kept\r\n");
  fs.FailOn(Op::kWrite, "/g/", EACCES);
  EXPECT_EQ(Run(), RunOutcome::kAborted);
  EXPECT_EQ(ui.Transcript(),
            "Error: Error Creating Javascript Navigation File File: "
            "Permission denied\r\nBe sure you have write permission for the "
            "drive where the Photo Gallery Pictures reside \r\n"
            "(/g/NavFunctions.js)\n"
            "Process aborted: Orvanta creation aborted.  Processed 0 image "
            "files in 0 folders.\n");
  for (const char* written :
       {"t_a.jpg", "a.html", "index.html", "NavFunctions.js"}) {
    EXPECT_FALSE(fs.Has("/g/" + std::string(written))) << written;
  }
}

// Files gone between the plan and their thumbnails, or never readable, are
// asked about, as other failures are (a page asks whether to abort); the
// answers let the run go on.
TEST_F(GalleryRunTest, FilesThatCannotBeReadAreAskedAboutAndTheRunGoesOn) {
  settings.thumbnail_workers = 1;
  AddPicture("/g/a.jpg");
  AddPicture("/g/b.jpg");
  AddPicture("/g/locked.jpg");
  AddPicture("/g/sub/c.jpg");
  fs.FailOn(Op::kRead, "locked.jpg", EACCES);
  int reads = 0;  // the plan reads a.jpg's size and metadata, then its
                  // thumbnail is made
  fs.before = [&](Op op, const std::string& path) {
    if (op == Op::kRead && path == "/g/a.jpg" && ++reads == 3) {
      fs.RemoveFile("/g/b.jpg");
      fs.RemoveFile("/g/sub/c.jpg");
    }
  };
  // The subfolder comes before the pictures' pages on the default index.
  ui.answers = {Answer::kYes, Answer::kYes, Answer::kYes, Answer::kNo};
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  const std::string transcript = ui.Transcript();
  EXPECT_EQ(CountOccurrences(transcript, "the file cannot be read"), 4);
  EXPECT_THAT(transcript, HasSubstr("Error creating the html file "
                                    "/g/locked.html.  Abort processing?\r\n"
                                    "the file cannot be read (Permission "
                                    "denied)"));
  EXPECT_THAT(transcript, HasSubstr("Processed 4 image files in 2 folders."));
  EXPECT_TRUE(fs.Has("/g/t_a.jpg"));
  EXPECT_TRUE(fs.Has("/g/locked.html"));
  EXPECT_TRUE(fs.Has("/g/sub/index.html"));
}

// An input tree that cannot be written at all gets its gallery in the
// output folder; a rerun publishes again only the original that changed.
TEST_F(GalleryRunTest, ReadOnlyInputIsPublishedAndARerunRepublishesTheChanged) {
  AddPicture("/g/a.jpg");
  AddPicture("/g/b.jpg");
  AddPicture("/g/sub/c.jpg");
  for (Op op : {Op::kWrite, Op::kCopy, Op::kRemove, Op::kMakeFolders}) {
    fs.FailOn(op, "/g/", EROFS);
  }
  settings.controls.output_folder = "/out";
  ASSERT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_EQ(ui.Transcript(),
            "Gallery created: Orvanta created.  Processed 3 image files in 2 "
            "folders.\n");
  for (const char* file : {"a.jpg", "t_a.jpg", "a.html", "index.html",
                           "sub/c.jpg", "sub/t_c.jpg", "sub/index.html"}) {
    EXPECT_TRUE(fs.Has("/out/" + std::string(file))) << file;
  }
  AddPicture("/g/b.jpg", 60, 40);
  std::set<std::string> published;
  fs.before = [&](Op op, const std::string& path) {
    if ((op == Op::kWrite || op == Op::kCopy) &&
        (path.ends_with("/a.jpg") || path.ends_with("/b.jpg") ||
         path.ends_with("/c.jpg"))) {
      published.insert(path);
    }
  };
  ASSERT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_THAT(published, ::testing::ElementsAre("/out/b.jpg"));
  EXPECT_EQ(fs.Contents("/out/b.jpg"), fs.Contents("/g/b.jpg"));
}

TEST_F(GalleryRunTest, WhatAToolThrowsIsListedAndTheRunGoesOn) {
  for (const char* name : {"a.jpg", "logic.jpg", "slow.jpg", "int.jpg"}) {
    fs.AddFile("/g/" + std::string(name), "picture");
  }
  EXPECT_EQ(Run([](FileSystem& fs) {
              return std::make_unique<ScriptedImageTool>(fs);
            }),
            RunOutcome::kCompleted);
  EXPECT_THAT(ui.report, HasSubstr("Error Creating Thumbnails: logic.jpg: "
                                   "unexpected failure (a fault of the "
                                   "tool's own)\r\n"));
  EXPECT_THAT(ui.report, HasSubstr("Error Creating Thumbnails: int.jpg: "
                                   "unexpected failure\r\n"));
  EXPECT_EQ(fs.Contents("/g/t_slow.jpg"), "thumbnail of slow.jpg");
  EXPECT_TRUE(fs.Has("/g/int.html"));
  EXPECT_THAT(ui.Transcript(), HasSubstr("Processed 4 image files"));
}

TEST_F(GalleryRunTest, FifosWhereFilesGoAreListedAndTheRunGoesOn) {
  AddPicture("/g/a.jpg");
  AddPicture("/g/b.jpg");
  AddPicture("/g/sub/c.jpg");
  for (const char* fifo : {"/g/index.html", "/g/t_b.jpg", "/g/a.html"}) {
    fs.AddFifo(fifo);
  }
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_EQ(ui.report,
            "t_b.jpg: not a regular file, left alone\r\n"
            "index.html: not a regular file, left alone\r\n"
            "a.html: not a regular file, left alone\r\n");
  for (const char* made : {"/g/t_a.jpg", "/g/b.html", "/g/sub/index.html"}) {
    EXPECT_TRUE(fs.FileExists(made)) << made;
  }
  EXPECT_THAT(ui.Transcript(), HasSubstr("Processed 3 image files in 2 "
                                         "folders."));
}

TEST_F(GalleryRunTest, FoldersThatCannotBeReadAreLeftOutAndListed) {
  AddPicture("/g/Open/a.jpg");
  AddPicture("/g/Locked/b.jpg");
  AddPicture("/g/Open/Deeper/c.jpg");
  fs.AddFolder("/g/Open/lost+found");
  fs.FailOn(Op::kList, "/g/Locked", EACCES);
  fs.FailOn(Op::kList, "lost+found", EACCES);
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_EQ(ui.report,
            "g/Locked: the folder cannot be read (Permission denied)\r\n"
            "g/Open/lost+found: the folder cannot be read (Permission "
            "denied)\r\n");
  EXPECT_THAT(fs.Contents("/g/index.html"), Not(HasSubstr("Locked")));
  EXPECT_THAT(fs.Contents("/g/Open/index.html"), Not(HasSubstr("lost")));
  EXPECT_TRUE(fs.Has("/g/Open/Deeper/c.html"));
  EXPECT_THAT(ui.Transcript(), HasSubstr("Processed 2 image files in 3 "
                                         "folders."));
  // The input folder itself: the run stops and says why.
  settings.controls.input_folder = "/g/Locked";
  EXPECT_EQ(Run(), RunOutcome::kStopped);
  EXPECT_THAT(ui.Transcript(),
              HasSubstr("Invalid Path: The input folder path is invalid.  "
                        "Aborting.\r\n/g/Locked: the folder cannot be read "
                        "(Permission denied)\n"));
}

TEST_F(GalleryRunTest, EscapeWhileCountingAndAMissingLibraryStopTheRun) {
  for (int i = 0; i < 12; ++i) fs.AddFolder("/g/f" + std::to_string(i));
  ui.on_progress = [&] { ui.RequestAbort(); };
  EXPECT_EQ(Run(), RunOutcome::kCancelled);
  EXPECT_EQ(ui.Transcript(), "Cancelled: Processing cancelled.\n");
  EXPECT_FALSE(ui.AbortRequested());
  EXPECT_FALSE(ui.busy);
  ui.messages.clear();
  EXPECT_EQ(Run([](FileSystem&) -> std::unique_ptr<ImageTool> {
              throw Error("no configuration files");
            }),
            RunOutcome::kStopped);
  EXPECT_THAT(ui.Transcript(),
              HasSubstr("ImageMagick could not be started (no configuration "
                        "files).  Please install it again (Debian: apt-get"));
  EXPECT_FALSE(fs.Has("/g/index.html"));
}

// Escape while the thumbnails are made: no further thumbnail is waited
// for, no page is written.
TEST_F(GalleryRunTest, EscapeDuringTheThumbnailsAbandonsTheRun) {
  settings.thumbnail_workers = 1;
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"}) {
    AddPicture("/g/" + std::string(name), 400, 300);
  }
  int moves = 0;
  ui.on_progress = [&] {
    if (++moves == 2) ui.RequestAbort();
  };
  EXPECT_EQ(Run(), RunOutcome::kAborted);
  EXPECT_FALSE(fs.Has("/g/index.html"));
  EXPECT_FALSE(fs.Has("/g/d.html"));
}

// More pages than one sitemap may hold: sitemap.xml lists the parts. The
// feed holds the newest 50 files.
TEST_F(GalleryRunTest, LargeGalleriesGetTheirSitemapInParts) {
  settings.controls.gallery_address = "https://example.org/";
  settings.controls.create_thumbnails_index = kNoThumbnails;
  for (int i = 0; i < 50000; ++i)
    fs.AddFile("/g/" + std::to_string(i) + ".jpg", "x");
  EXPECT_EQ(Run([](FileSystem& fs) {
              return std::make_unique<ScriptedImageTool>(fs);
            }),
            RunOutcome::kCompleted);
  EXPECT_THAT(fs.Contents("/g/sitemap.xml"),
              HasSubstr("<sitemapindex xmlns=\"http://www.sitemaps.org/schemas/"
                        "sitemap/0.9\">\r\n<sitemap><loc>https://example.org/"
                        "sitemap-1.xml</loc></sitemap>\r\n<sitemap><loc>https:"
                        "//example.org/sitemap-2.xml</loc></sitemap>\r\n"
                        "</sitemapindex>"));
  EXPECT_EQ(CountOccurrences(fs.Contents("/g/sitemap-1.xml"), "<url>"), 50000);
  EXPECT_EQ(CountOccurrences(fs.Contents("/g/sitemap-2.xml"), "<url>"), 1);
  EXPECT_EQ(CountOccurrences(fs.Contents("/g/feed.atom"), "<entry>"), 50);
}

// Chat programs leave pictures over 600 KB out of their previews: a page
// whose copy is larger offers its half-size copy, else its thumbnail.
TEST_F(GalleryRunTest, PreviewsOfferTheThumbnailForACopyTooLargeToShare) {
  ApplyPageStyle(*FindPageStyle("modern"), &settings.controls);
  settings.controls.gallery_address = "https://example.org/";
  const std::string too_large =
      PictureBytes(640, 480, "jpg") + std::string(600 * 1024, 'x');
  for (const char* name : {"a", "b", "c"}) {
    AddPicture("/g/" + std::string(name) + ".jpg", 1200, 900);
  }
  fs.AddFile("/g/m_a.jpg", too_large);
  fs.AddFile("/g/m_a-half.jpg", too_large);
  fs.AddFile("/g/m_c.jpg", too_large);
  fs.AddFile("/g/m_c-half.jpg", PictureBytes(320, 240, "jpg"));
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_THAT(fs.Contents("/g/a.html"),
              HasSubstr("\"og:image\" content=\"https://example.org/t_a.jpg"));
  EXPECT_THAT(fs.Contents("/g/b.html"),
              HasSubstr("\"og:image\" content=\"https://example.org/m_b.jpg"));
  EXPECT_THAT(fs.Contents("/g/c.html"),
              HasSubstr("\"og:image\" content=\"https://example.org/"
                        "m_c-half.jpg"));
}

}  // namespace
}  // namespace orvanta::testing
