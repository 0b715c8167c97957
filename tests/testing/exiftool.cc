// exiftool and other tools run as child processes for the tests.
#include "testing/exiftool.h"

#include <stdexcept>

#include "imagetools/process_runner.h"

namespace orvanta::testing {
namespace {

constexpr int kLimitSeconds = 120;

ProgramRun RunOrThrow(const std::vector<std::string>& args) {
  ProgramRun run = RunProgram(args, kLimitSeconds);
  if (run.outcome != ProgramRun::Outcome::kEnded) {
    throw std::runtime_error(args[0] + " could not run");
  }
  if (run.exit_status != 0) {
    throw std::runtime_error(args[0] + " failed: " + run.output);
  }
  return run;
}

}  // namespace

void RunExiftool(const std::vector<ExiftoolCommand>& commands) {
  std::vector<std::string> args = {"exiftool"};
  for (const ExiftoolCommand& command : commands) {
    args.insert(args.end(), command.arguments.begin(), command.arguments.end());
    args.push_back(command.path);
    args.push_back("-execute");
  }
  // Options of every command; warnings ("[minor] ...") left out.
  args.insert(args.end(), {"-common_args", "-q", "-q", "-overwrite_original"});
  const ProgramRun run = RunOrThrow(args);
  if (run.output.find("Error") != std::string::npos) {
    throw std::runtime_error("exiftool failed: " + run.output);
  }
}

std::string RunTool(const std::string& program,
                    const std::vector<std::string>& arguments) {
  std::vector<std::string> args = {program};
  args.insert(args.end(), arguments.begin(), arguments.end());
  return RunOrThrow(args).output;
}

}  // namespace orvanta::testing
