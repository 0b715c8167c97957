// ffmpeg hanging under a short time limit, in a run inside the process: the
// clip is listed and no process is left. (The converter's hangs: the
// process runner's test; its crashes and failures: the orvanta-cli table.)
#include "engine/work/picture_work.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>

#include "engine/gallery_run.h"
#include "testing/cli_runner.h"
#include "testing/recording_ui.h"
#include "testing/temp_dir.h"
#include "testing/test_pictures.h"

namespace orvanta::testing {
namespace {

using ::testing::HasSubstr;

// A program folder and an input folder, the recording interface, and runs
// over the real file system.
class ThumbnailsTest : public ::testing::Test {
 protected:
  ThumbnailsTest() {
    settings.program_folder = temp.Path("program");
    MakeFolders(settings.program_folder);
    MakeFolders(Input(""));
    SetDefaultOptions(settings.program_folder, &controls);
    controls.input_folder = Input("");
    settings.thumbnail_workers = 2;
  }
  std::string Input(const std::string& relative) const {
    return temp.Path("gallery/" + relative);
  }
  RunOutcome Run(ImageToolFactory factory = CreateMagickImageTool) {
    return CreateGallery(ui, fs, settings, factory).outcome;
  }

  TempDir temp;
  PosixFileSystem fs;
  RecordingUi ui;
  RunSettings settings;
  OptionControls& controls = settings.controls;
};

TEST_F(ThumbnailsTest, HangingFfmpegIsStoppedAndTheClipListed) {
  MakeClip(Input("clip.mp4"), 1);
  // An ffmpeg that never ends, first on the search path.
  WriteFile(temp.Path("bin/ffmpeg"), "#!/bin/sh\nexec sleep 60\n");
  chmod(temp.Path("bin/ffmpeg").c_str(), 0755);
  const std::string path = std::getenv("PATH");
  setenv("PATH", (temp.Path("bin") + ":" + path).c_str(), 1);
  controls.movie_file_extensions = "mp4";
  controls.create_movie_thumbnails = 1;
  settings.converter_time_limit_seconds = 1;
  const RunOutcome outcome = Run();
  setenv("PATH", path.c_str(), 1);
  EXPECT_EQ(outcome, RunOutcome::kCompleted);
  EXPECT_THAT(ui.report, HasSubstr("clip.mp4: ffmpeg took longer than 1 "
                                   "seconds"));
  EXPECT_FALSE(PathExists(Input("t_clip.jpg")));
  EXPECT_TRUE(waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD);
}

}  // namespace
}  // namespace orvanta::testing
