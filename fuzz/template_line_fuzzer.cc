// Fuzz target: expanding one template line. The input is a flag byte, a
// folder title, a NUL byte and the line. Checked besides memory safety:
// a line without "%" comes back unchanged; a bad code shows exactly one
// message and stops the run; a block code empties the line; otherwise no
// message is shown.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "engine/run_context.h"
#include "engine/templates.h"
#include "fuzz_support.h"
#include "testing/mem_file_system.h"
#include "testing/recording_ui.h"

namespace orvanta::fuzz {
namespace {

void ExpandOne(const uint8_t* data, size_t size) {
  if (size == 0) return;
  const bool keyboard = (data[0] & 1) != 0;
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  size_t nul = rest.find('\0');
  std::string_view title =
      nul == std::string_view::npos ? std::string_view() : rest.substr(0, nul);
  std::string line(nul == std::string_view::npos ? rest : rest.substr(nul + 1));
  const std::string original = line;

  testing::RecordingUi ui;
  testing::MemFileSystem fs;
  RunSettings settings;
  RunContext ctx(ui, fs, settings);
  ctx.options.include_keyboard_navigation = keyboard;

  std::string code;
  ExpandTemplateLine(ctx, &line, &code, PageContext{title},
                     "/fuzz/IndexTemplate.html");

  if (original.find('%') == std::string::npos) {
    Check(line == original, "a line without % comes back unchanged");
    Check(code.empty(), "a line without % has no block code");
    Check(ui.messages.size() == 0, "a line without % shows no message");
  }
  if (ctx.state.abort_processing) {
    Check(ui.messages.size() == 1, "a bad code shows one message");
    Check(ui.messages.back().text.find(original) != std::string::npos,
          "the bad-code message names the line");
  } else {
    Check(ui.messages.size() == 0, "no message without a bad code");
    for (const char* block :
         {kCodeThumbnails, kCodeSubdirNav, kCodeScriptInclude,
          kCodePictureSource, kCodePictureDescription, kCodeNavBack,
          kCodeNavForward, kCodeDirectoryHeader, kCodeUpLink,
          kCodeFolderDescription, kCodeSubfolderCards, kCodeThumbnailGrid,
          kCodePictureView, kCodePictureDetails}) {
      if (code == block) Check(line.empty(), "a block code empties the line");
    }
  }
}

}  // namespace
}  // namespace orvanta::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  orvanta::fuzz::ExpandOne(data, size);
  return 0;
}
