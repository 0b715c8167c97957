// Fixture of the bad-input suite: a program folder and a gallery folder in
// a temporary folder that user "nobody" can enter, orvanta-cli runs on
// them, and checks that files the run was not asked to write stay as they
// were.
#ifndef ORVANTA_TESTS_HARDENING_HARDENING_FIXTURE_H_
#define ORVANTA_TESTS_HARDENING_HARDENING_FIXTURE_H_

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>
#include <string>
#include <vector>

#include "hardening/cli_runner.h"
#include "testing/temp_dir.h"

namespace orvanta::testing {

class HardeningTest : public ::testing::Test {
 protected:
  HardeningTest() {
    ::chmod(temp.path().c_str(), 0755);
    MakeFolders(Program(""));
    MakeFolders(Gallery(""));
  }

  std::string Program(const std::string& relative) const {
    return relative.empty() ? temp.Path("program")
                            : temp.Path("program/" + relative);
  }
  std::string Gallery(const std::string& relative) const {
    return relative.empty() ? temp.Path("gallery")
                            : temp.Path("gallery/" + relative);
  }

  // orvanta-cli on the gallery folder with `settings` (KEY=VALUE each).
  CliResult Cli(const std::vector<std::string>& settings = {},
                const std::string& input = "") {
    CliRun run = Run(settings);
    run.input = input;
    return RunCli(run);
  }
  CliRun Run(const std::vector<std::string>& settings = {}) {
    CliRun run;
    run.program_folder = Program("");
    for (const std::string& setting : settings) {
      run.args.push_back("--set");
      run.args.push_back(setting);
    }
    run.args.push_back("--quiet");
    run.args.push_back(Gallery(""));
    return run;
  }

  // Files a run writes into the gallery: pages, thumbnails, the script.
  static bool IsOutput(const std::string& relative) {
    std::string name = relative.substr(relative.rfind('/') + 1);
    return name.ends_with(".html") || name.starts_with("t_") ||
           name == "NavFunctions.js";
  }

  // Every file of `before` that is not an output is still there, unchanged.
  static void ExpectInputsUntouched(
      const std::map<std::string, std::string>& before,
      const std::map<std::string, std::string>& after) {
    for (const auto& [path, contents] : before) {
      if (IsOutput(path)) continue;
      auto found = after.find(path);
      ASSERT_NE(found, after.end()) << path << " was removed";
      EXPECT_TRUE(found->second == contents) << path << " was changed";
    }
  }

  TempDir temp;
};

// Lines of the run's standard error that contain `text`.
inline int CountOccurrences(const std::string& haystack,
                            const std::string& needle) {
  int count = 0;
  for (size_t at = haystack.find(needle); at != std::string::npos;
       at = haystack.find(needle, at + needle.size())) {
    ++count;
  }
  return count;
}

}  // namespace orvanta::testing

#endif  // ORVANTA_TESTS_HARDENING_HARDENING_FIXTURE_H_
