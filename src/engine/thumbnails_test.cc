// What only a run inside the process shows: the external converter
// hanging, crashing or failing under a short time limit, Escape while the
// files are counted, and a missing image library.
#include "engine/thumbnails.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>

#include "testing/cli_runner.h"
#include "testing/engine_fixture.h"
#include "testing/test_pictures.h"

namespace orvanta::testing {
namespace {

using ::testing::HasSubstr;

using ThumbnailsTest = EngineTest;

TEST_F(ThumbnailsTest, ConvertersThatHangCrashOrFailAreStoppedAndAskedAbout) {
  for (const char* name : {"good.jpg", "hang.jpg", "crash.jpg", "fail.jpg"}) {
    MakePicture(Input(name), 64, 48);
  }
  WriteFile(Input("not-executable"), "#!/bin/sh\nexit 0\n");
  ui.controls.use_irfanview = 1;
  ui.controls.irfanview_path = TestConverterPath();
  settings.converter_time_limit_seconds = 2;
  ui.answers = {Answer::kYes, Answer::kYes, Answer::kYes};
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  const std::string transcript = ui.Transcript();
  EXPECT_EQ(CountOccurrences(transcript,
                             "Skipping this picture.  Prompt on "
                             "additional errors?"),
            3);
  for (const char* name : {"hang.jpg", "crash.jpg", "fail.jpg"}) {
    EXPECT_THAT(transcript, HasSubstr("/" + std::string(name) + "\" "));
    EXPECT_FALSE(PathExists(Input("t_" + std::string(name))));
  }
  EXPECT_EQ(ReadPictureSize(Input("t_good.jpg")), (PictureSize{150, 113}));
  // The hanging converter was ended and reaped: no child is left.
  EXPECT_TRUE(waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD);

  // A converter that cannot run asks too; No stops the questions.
  ui.messages.clear();
  ui.controls.irfanview_path = Input("not-executable");
  ui.controls.create_thumbnails_index = 2;
  ui.answers = {Answer::kNo};
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_EQ(CountOccurrences(ui.Transcript(), "Skipping this picture."), 1);
}

TEST_F(ThumbnailsTest, EscapeWhileCountingCancels) {
  for (int i = 0; i < 12; ++i) MakeFolders(Input("f" + std::to_string(i)));
  ui.on_progress = [&](const std::string& event) {
    if (event == "UpdateProgressBar") ui.abort = kAbortRequested;
  };
  EXPECT_EQ(Run(), RunOutcome::kCancelled);
  EXPECT_EQ(ui.Transcript(), "Cancelled: Processing cancelled.\n");
  EXPECT_FALSE(PathExists(Input("index.html")));
  EXPECT_EQ(ui.abort, 0);
  EXPECT_FALSE(ui.busy);
}

TEST_F(ThumbnailsTest, MissingImageLibraryStopsWithItsMessage) {
  EXPECT_EQ(Run([](std::string*) { return std::unique_ptr<ImageTool>(); }),
            RunOutcome::kStopped);
  EXPECT_THAT(ui.Transcript(), HasSubstr("Unable to create a reference to the "
                                         "ImageMagick Object."));
  EXPECT_FALSE(PathExists(Input("index.html")));
}

}  // namespace
}  // namespace orvanta::testing
