// The child-process runner of the bad-input tests.
#include "hardening/cli_runner.h"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace orvanta::testing {
namespace {

std::string BuildDir() {
  const char* build = std::getenv("ORVANTA_BUILD_DIR");
  return build != nullptr ? build : ".";
}

void WriteAllOrIgnore(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n <= 0) return;  // the child closed its input: fine
    done += static_cast<size_t>(n);
  }
}

void Walk(const std::string& root, const std::string& relative,
          std::map<std::string, std::string>* files) {
  const std::string folder = relative.empty() ? root : root + "/" + relative;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  while (struct dirent* item = ::readdir(dir)) {
    std::string name = item->d_name;
    if (name == "." || name == "..") continue;
    std::string rel = relative.empty() ? name : relative + "/" + name;
    std::string path = root + "/" + rel;
    struct stat status;
    if (::lstat(path.c_str(), &status) != 0) continue;
    if (S_ISLNK(status.st_mode)) {
      char target[4096];
      ssize_t n = ::readlink(path.c_str(), target, sizeof target);
      (*files)[rel] = "-> " + std::string(target, n > 0 ? n : 0);
    } else if (S_ISDIR(status.st_mode)) {
      (*files)[rel + "/"] = "";
      Walk(root, rel, files);
    } else if (S_ISREG(status.st_mode)) {
      std::ifstream in(path, std::ios::binary);
      std::ostringstream data;
      data << in.rdbuf();
      (*files)[rel] = data.str();
    }
  }
  ::closedir(dir);
}

}  // namespace

std::string CliPath() { return BuildDir() + "/orvanta-cli"; }

std::string TestConverterPath() {
  return BuildDir() + "/tests/orvanta-test-converter";
}

CliResult RunCli(const CliRun& run) {
  std::vector<std::string> argv_text = {CliPath()};
  if (!run.program_folder.empty()) {
    argv_text.push_back("--program-folder");
    argv_text.push_back(run.program_folder);
  }
  argv_text.insert(argv_text.end(), run.args.begin(), run.args.end());
  std::vector<char*> argv;
  for (std::string& arg : argv_text) argv.push_back(arg.data());
  argv.push_back(nullptr);

  int in_pipe[2], out_pipe[2], err_pipe[2];
  if (::pipe2(in_pipe, O_CLOEXEC) != 0 || ::pipe2(out_pipe, O_CLOEXEC) != 0 ||
      ::pipe2(err_pipe, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe failed");
  }
  const auto start = std::chrono::steady_clock::now();
  pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    ::dup2(in_pipe[0], 0);
    ::dup2(out_pipe[1], 1);
    ::dup2(err_pipe[1], 2);
    ::setpgid(0, 0);
    if (run.open_file_limit > 0) {
      struct rlimit limit = {static_cast<rlim_t>(run.open_file_limit),
                             static_cast<rlim_t>(run.open_file_limit)};
      if (::setrlimit(RLIMIT_NOFILE, &limit) != 0) ::_exit(126);
    }
    if (run.run_as_uid >= 0) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(run.run_as_uid) != 0 ||
          ::setuid(run.run_as_uid) != 0) {
        ::_exit(125);
      }
    }
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(in_pipe[0]);
  ::close(out_pipe[1]);
  ::close(err_pipe[1]);
  ::signal(SIGPIPE, SIG_IGN);

  CliResult result;
  bool waiting = !run.wait_for.empty();
  if (!waiting) {
    WriteAllOrIgnore(in_pipe[1], run.input);
    ::close(in_pipe[1]);
  }
  bool out_open = true, err_open = true;
  const auto deadline = start + std::chrono::seconds(run.timeout_seconds);
  while (out_open || err_open) {
    struct pollfd fds[2] = {{out_open ? out_pipe[0] : -1, POLLIN, 0},
                            {err_open ? err_pipe[0] : -1, POLLIN, 0}};
    int ready = ::poll(fds, 2, 200);
    if (std::chrono::steady_clock::now() > deadline) {
      result.timed_out = true;
      ::kill(-child, SIGKILL);
      break;
    }
    if (ready <= 0) continue;
    char buffer[65536];
    for (int i = 0; i < 2; ++i) {
      if (fds[i].revents == 0) continue;
      ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
      if (n <= 0) {
        (i == 0 ? out_open : err_open) = false;
        continue;
      }
      (i == 0 ? result.out : result.err).append(buffer, n);
    }
    if (waiting && result.err.find(run.wait_for) != std::string::npos) {
      waiting = false;
      if (run.then) run.then();
      WriteAllOrIgnore(in_pipe[1], run.answer + run.input);
      ::close(in_pipe[1]);
    }
  }
  if (waiting) ::close(in_pipe[1]);
  ::close(out_pipe[0]);
  ::close(err_pipe[0]);
  int raw = 0;
  struct rusage usage {};
  ::wait4(child, &raw, 0, &usage);
  result.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
          .count();
  result.max_rss_kb = usage.ru_maxrss;
  if (WIFEXITED(raw)) result.status = WEXITSTATUS(raw);
  if (WIFSIGNALED(raw)) result.signal = WTERMSIG(raw);
  return result;
}

std::map<std::string, std::string> SnapshotTree(const std::string& folder) {
  std::map<std::string, std::string> files;
  Walk(folder, "", &files);
  return files;
}

std::vector<pid_t> ProcessesMentioning(const std::string& text) {
  std::vector<pid_t> found;
  DIR* proc = ::opendir("/proc");
  if (proc == nullptr) return found;
  while (struct dirent* item = ::readdir(proc)) {
    char* end = nullptr;
    long pid = std::strtol(item->d_name, &end, 10);
    if (*end != '\0' || pid <= 0) continue;
    std::ifstream in("/proc/" + std::string(item->d_name) + "/cmdline",
                     std::ios::binary);
    std::ostringstream data;
    data << in.rdbuf();
    if (data.str().find(text) != std::string::npos) {
      found.push_back(static_cast<pid_t>(pid));
    }
  }
  ::closedir(proc);
  return found;
}

}  // namespace orvanta::testing
