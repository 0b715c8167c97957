// The child-process runner of the command-line tests.
#include "testing/cli_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "testing/temp_dir.h"

namespace orvanta::testing {
namespace {

std::string FromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) throw std::runtime_error(std::string(name) + " unset");
  return value;
}

// The orvanta-cli of this build.
std::string CliPath() {
  return FromEnvironment("ORVANTA_BUILD_DIR") + "/orvanta-cli";
}

void WriteAll(int fd, const std::string& data) {
  for (size_t done = 0; done < data.size();) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n <= 0) return;  // the child closed its input: fine
    done += static_cast<size_t>(n);
  }
}

[[noreturn]] void ExecChild(const CliRun& run, int in, int out, int err) {
  ::dup2(in, 0);
  ::dup2(out, 1);
  ::dup2(err, 2);
  ::setpgid(0, 0);
  for (const std::string& setting : run.env) ::putenv(strdup(setting.c_str()));
  if (run.open_file_limit > 0) {
    rlimit limit = {static_cast<rlim_t>(run.open_file_limit),
                    static_cast<rlim_t>(run.open_file_limit)};
    if (::setrlimit(RLIMIT_NOFILE, &limit) != 0) ::_exit(126);
  }
  std::vector<std::string> text = {CliPath()};
  if (!run.program_folder.empty()) {
    text.insert(text.end(), {"--program-folder", run.program_folder});
  }
  text.insert(text.end(), run.args.begin(), run.args.end());
  std::vector<char*> argv;
  for (std::string& arg : text) argv.push_back(arg.data());
  argv.push_back(nullptr);
  ::execv(argv[0], argv.data());
  ::_exit(127);
}

}  // namespace

std::string TestConverterPath() {
  return FromEnvironment("ORVANTA_SOURCE_DIR") +
         "/tests/testing/test_converter.sh";
}

CliResult RunCli(const CliRun& run) {
  int in[2], out[2], err[2];
  if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 ||
      ::pipe2(err, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe failed");
  }
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) ExecChild(run, in[0], out[1], err[1]);
  ::close(in[0]);
  ::close(out[1]);
  ::close(err[1]);
  ::signal(SIGPIPE, SIG_IGN);

  CliResult result;
  WriteAll(in[1], run.input);
  ::close(in[1]);
  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::seconds(run.timeout_seconds);
  bool open[2] = {true, true};
  while (open[0] || open[1]) {
    pollfd fds[2] = {{open[0] ? out[0] : -1, POLLIN, 0},
                     {open[1] ? err[0] : -1, POLLIN, 0}};
    int ready = ::poll(fds, 2, 200);
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(-child, SIGKILL);  // ends in signal 9
      break;
    }
    for (int i = 0; i < 2 && ready > 0; ++i) {
      if (fds[i].revents == 0) continue;
      char buffer[65536];
      ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
      if (n <= 0) open[i] = false;
      if (n > 0) (i == 0 ? result.out : result.err).append(buffer, n);
    }
  }
  ::close(out[0]);
  ::close(err[0]);
  int raw = 0;
  ::waitpid(child, &raw, 0);
  if (WIFEXITED(raw)) result.status = WEXITSTATUS(raw);
  if (WIFSIGNALED(raw)) result.signal = WTERMSIG(raw);
  return result;
}

std::map<std::string, std::string> SnapshotTree(const std::string& folder) {
  namespace fs = std::filesystem;
  std::map<std::string, std::string> files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(
           folder, fs::directory_options::skip_permission_denied)) {
    const std::string rel = fs::relative(entry.path(), folder).string();
    if (entry.is_symlink()) {
      files[rel] = "-> " + fs::read_symlink(entry.path()).string();
    } else if (entry.is_directory()) {
      files[rel + "/"] = "";
    } else {
      files[rel] = ReadFile(entry.path());
    }
  }
  return files;
}

int CountOccurrences(const std::string& haystack, const std::string& needle) {
  int count = 0;
  for (size_t at = haystack.find(needle); at != std::string::npos;
       at = haystack.find(needle, at + needle.size())) {
    ++count;
  }
  return count;
}

}  // namespace orvanta::testing
