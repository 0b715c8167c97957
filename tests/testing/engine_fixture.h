// Fixture of the engine tests: a program folder and an input folder in a
// temporary folder, the recording user interface and a run context over
// the real file system.
#ifndef ORVANTA_TESTING_ENGINE_FIXTURE_H_
#define ORVANTA_TESTING_ENGINE_FIXTURE_H_

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/file_system.h"
#include "engine/gallery_run.h"
#include "engine/run_context.h"
#include "options/options.h"
#include "testing/recording_ui.h"
#include "testing/temp_dir.h"

namespace orvanta::testing {

class EngineTest : public ::testing::Test {
 protected:
  EngineTest() {
    program.program_folder = temp.Path("program");
    MakeFolders(program.program_folder);
    MakeFolders(Input(""));
    SetDefaultOptions(program.program_folder, &ui.controls, &program.options);
    ui.controls.input_folder = Input("");
    settings.thumbnail_workers = 2;
    settings.converter_time_limit_seconds = 10;
  }
  // A path in the input folder ("" for the folder itself).
  std::string Input(const std::string& relative) const {
    return temp.Path("gallery/" + relative);
  }
  RunOutcome Run(ImageToolFactory factory = CreateMagickImageTool) {
    return CreateGallery(ui, fs, program, factory, settings);
  }
  // A context for calling engine routines directly, with the options
  // captured from the controls.
  RunContext& Context() {
    CaptureOptions(ui.controls, program.program_folder, &program.options);
    context = std::make_unique<RunContext>(ui, fs, program.options, settings);
    context->program_folder = program.program_folder;
    return *context;
  }

  TempDir temp;
  PosixFileSystem fs;
  RecordingUi ui;
  ProgramState program;
  RunSettings settings;
  std::unique_ptr<RunContext> context;
};

}  // namespace orvanta::testing

#endif  // ORVANTA_TESTING_ENGINE_FIXTURE_H_
