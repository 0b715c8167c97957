// Thumbnail creation: worker order, the prompts and the external converter.
#include "engine/thumbnails.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>

#include "common/error.h"
#include "engine/ordered_work.h"
#include "imagetools/process_runner.h"
#include "testing/engine_fixture.h"
#include "testing/test_pictures.h"

namespace orvanta::testing {
namespace {

using ::testing::HasSubstr;

TEST(OrderedWorkTest, ResultsComeInOrderFromSeveralWorkers) {
  std::atomic<int> started{0};
  OrderedWork<int> work(50, 3, [&](int i) {
    ++started;
    std::this_thread::sleep_for(std::chrono::microseconds((50 - i) * 100));
    return i * i;
  });
  for (int i = 0; i < 50; ++i) EXPECT_EQ(work.Take(i, [] {}), i * i);
  EXPECT_EQ(started.load(), 50);
}

TEST(OrderedWorkTest, StopHandsOutNoMoreWork) {
  std::atomic<int> started{0};
  {
    OrderedWork<int> work(1000, 2, [&](int i) {
      ++started;
      return i;
    });
    EXPECT_EQ(work.Take(0, [] {}), 0);
    work.Stop();
  }
  // Workers stay a few items ahead of the consumer, no further.
  EXPECT_LE(started.load(), 8);
}

// An image tool whose shrinking fails for names holding "fail".
class FailingTool : public ImageTool {
 public:
  explicit FailingTool(ErrorKind kind) : kind_(kind) {}
  void Mogrify(const std::vector<std::string>& args) override {
    MakeThumbnail(args.back(), args.back(), 150);
  }
  void MakeThumbnail(const std::string& source, const std::string& target,
                     int) override {
    if (source.find("fail") != std::string::npos) {
      throw Error("cannot shrink " + source, kind_);
    }
    WriteFile(target, "small");
  }
  std::string Identify(const std::vector<std::string>&) override {
    return "10,10";
  }

 private:
  ErrorKind kind_;
};

class ThumbnailPromptTest : public EngineTest {
 protected:
  FolderInfo Folder(std::vector<std::string> names) {
    FolderInfo info;
    info.folder_path = Input("") + "/";
    for (const std::string& name : names) WriteFile(Input(name), "pixels");
    info.thumbnails_to_create = names;
    return info;
  }
};

TEST_F(ThumbnailPromptTest, OtherFailuresAskWhetherToGoOn) {
  FailingTool tool(ErrorKind::kGeneral);
  RunContext& ctx = Context();
  ctx.image_tool = &tool;
  FolderInfo info = Folder({"a_fail.jpg", "b.jpg", "c_fail.jpg", "d.jpg"});
  ui.answers = {Answer::kYes, Answer::kNo, Answer::kYes};
  CreateThumbnails(ctx, info, 0);
  ASSERT_EQ(ui.messages.size(), 3u);
  EXPECT_EQ(ui.messages[0].text,
            "Error Creating Thumbnails: cannot shrink " + Input("a_fail.jpg") +
                "\r\nContinue creating thumbnails for the files in this "
                "folder?");
  EXPECT_EQ(ui.messages[0].icon, Icon::kWarning);
  EXPECT_EQ(ui.messages[2].text,
            "Try to create thumbnails for files on other folders?");
  // Yes to the second question: this folder stops, the run goes on.
  EXPECT_FALSE(ctx.state.abort_processing);
  EXPECT_FALSE(ctx.state.thumbnails_switched_off);
  EXPECT_EQ(ui.CountProgress("UpdateSubtaskProgressBar"), 2);
}

TEST_F(ThumbnailPromptTest, DecliningOtherFoldersSwitchesThumbnailsOff) {
  FailingTool tool(ErrorKind::kGeneral);
  RunContext& ctx = Context();
  ctx.image_tool = &tool;
  FolderInfo info = Folder({"a_fail.jpg", "b.jpg"});
  ui.answers = {Answer::kNo, Answer::kNo};
  CreateThumbnails(ctx, info, 0);
  EXPECT_TRUE(ctx.state.thumbnails_switched_off);
  EXPECT_FALSE(ctx.state.abort_processing);
  ui.answers = {Answer::kCancel};
  CreateThumbnails(ctx, info, 0);
  EXPECT_TRUE(ctx.state.abort_processing);
}

TEST_F(ThumbnailPromptTest, PictureErrorsAreOnlyListed) {
  FailingTool tool(ErrorKind::kImageData);
  RunContext& ctx = Context();
  ctx.image_tool = &tool;
  FolderInfo info = Folder({"a_fail.jpg", "b.jpg", "c_fail.jpg"});
  CreateThumbnails(ctx, info, 5);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ctx.state.thumbnail_error_list,
            "Error Creating Thumbnails: cannot shrink " + Input("a_fail.jpg") +
                "\r\nError Creating Thumbnails: cannot shrink " +
                Input("c_fail.jpg") + "\r\n");
  // The full-size picture stands in for a thumbnail that failed.
  EXPECT_EQ(ReadFile(Input("t_a_fail.jpg")), "pixels");
  EXPECT_EQ(ReadFile(Input("t_b.jpg")), "small");
  EXPECT_EQ(ui.progress.back(), "UpdateProgressBar:8");
}

TEST_F(ThumbnailPromptTest, AbortRequestStopsBetweenFiles) {
  FailingTool tool(ErrorKind::kImageData);
  RunContext& ctx = Context();
  ctx.image_tool = &tool;
  FolderInfo info = Folder({"a.jpg", "b.jpg", "c.jpg"});
  ui.on_progress = [&](const std::string& event) {
    if (event == "UpdateSubtaskProgressBar:1") ui.SetKeyPressAbortProcess(2);
  };
  CreateThumbnails(ctx, info, 0);
  EXPECT_TRUE(ctx.state.abort_processing);
  EXPECT_EQ(ui.CountProgress("UpdateCurrentSubTask"), 1);
}

class ConverterTest : public EngineTest {
 protected:
  void SetUp() override {
    const char* build = std::getenv("ORVANTA_BUILD_DIR");
    ASSERT_NE(build, nullptr);
    converter = std::string(build) + "/tests/orvanta-test-converter";
    ASSERT_TRUE(PathExists(converter));
    ui.controls.use_irfanview = 1;
    ui.controls.irfanview_path = converter;
  }
  std::string converter;
};

TEST_F(ConverterTest, MakesThumbnailsWithTheConverter) {
  MakePicture(Input("one.jpg"), 600, 300);
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_EQ(ReadPictureSize(Input("t_one.jpg")), (PictureSize{150, 75}));
}

TEST_F(ConverterTest, HangingConverterIsStoppedAndReported) {
  MakePicture(Input("hang.jpg"), 60, 60);
  MakePicture(Input("hang2.jpg"), 60, 60);
  settings.converter_time_limit_seconds = 2;
  ui.answers = {Answer::kNo};
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(9));
  ASSERT_GE(ui.messages.size(), 2u);
  // Thumbnails are made in the folder's listing order, so either file may
  // come first.
  std::string expected[2];
  for (int i = 0; i < 2; ++i) {
    const std::string name = i == 0 ? "hang.jpg" : "hang2.jpg";
    expected[i] = "Error calling IrfanView using command line: \r\n" +
                  BuildConverterCommandLine(converter, Input(name),
                                            Input("t_" + name), 150) +
                  "\r\n\r\nSkipping this picture.  Prompt on additional "
                  "errors?";
  }
  EXPECT_THAT(ui.messages[0].text, ::testing::AnyOf(expected[0], expected[1]));
  EXPECT_EQ(ui.messages[0].icon, Icon::kQuestion);
  // No: the second hang is not asked about.
  EXPECT_EQ(ui.messages[1].title, "Gallery created");
  EXPECT_FALSE(PathExists(Input("t_hang.jpg")));
}

TEST_F(ConverterTest, ConverterThatLeavesNoThumbnailIsReported) {
  MakePicture(Input("crash.jpg"), 60, 60);
  MakePicture(Input("fail.jpg"), 60, 60);
  ui.answers = {Answer::kYes, Answer::kYes};
  EXPECT_EQ(Run(), RunOutcome::kCompleted);
  ASSERT_EQ(ui.messages.size(), 3u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_THAT(ui.messages[i].text,
                HasSubstr("Error calling IrfanView using command line: "));
  }
  EXPECT_FALSE(PathExists(Input("t_crash.jpg")));
  EXPECT_FALSE(PathExists(Input("t_fail.jpg")));
}

}  // namespace
}  // namespace orvanta::testing
