// Running helper programs as child processes with a time limit, on POSIX.
//
// The child is started with posix_spawn: the first argument is its path
// (looked up in PATH only when it holds no slash), its standard input is
// /dev/null, its output and error go to a pipe we read, no other
// descriptor of ours is passed on, and it leads a process group of its
// own. Whether it ends or is stopped at the time limit (SIGTERM to the group,
// one second of grace, then SIGKILL), the whole group is killed before the
// child is reaped, so helpers it started in its group go with it. Processes
// that leave the group (setsid) are beyond reach. A watched run may be
// stopped at once (SIGKILL to the group, no grace); the groups running at
// any moment are kept in a table a signal handler can read.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <optional>
#include <thread>

#include "imagetools/process_runner.h"

extern char** environ;

namespace orvanta {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kTerminateGrace(1000);
constexpr size_t kOutputKept = 64 * 1024;
constexpr int kWatchMs = 100;

// The process groups being run, for KillRunningPrograms; 0 marks a free
// place. A group is entered before its leader can be reaped and left
// before it is, so its number is never another's.
constexpr int kGroupPlaces = 64;
std::atomic<pid_t> running_groups[kGroupPlaces];

std::atomic<pid_t>* EnterGroup(pid_t pid) {
  for (std::atomic<pid_t>& place : running_groups) {
    pid_t free = 0;
    if (place.compare_exchange_strong(free, pid)) return &place;
  }
  return nullptr;  // more at once than places: not killed by a signal
}

enum class Wait { kEnded, kDeadline, kStopped };

// Reads what the child wrote so far, keeping the last kOutputKept bytes;
// what came now is also added to *fresh when given.
void Drain(int fd, std::string* output, std::string* fresh = nullptr) {
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    output->append(buffer, static_cast<size_t>(n));
    if (fresh != nullptr) fresh->append(buffer, static_cast<size_t>(n));
    if (output->size() > kOutputKept) {
      output->erase(0, output->size() - kOutputKept);
    }
  }
}

// Waits until the child has ended, without reaping it, or until `deadline`
// (none: no limit) or until `watch` says stop, reading its output from
// `output_fd` (when not -1) into *output as it comes. Uses a pidfd when the
// kernel offers one, else polls.
Wait WaitForEnd(pid_t pid, int pidfd, std::optional<Clock::time_point> deadline,
                int output_fd = -1, std::string* output = nullptr,
                const ProgramWatch* watch = nullptr) {
  for (;;) {
    siginfo_t info = {};
    int result = waitid(P_PID, pid, &info, WEXITED | WNOHANG | WNOWAIT);
    if (result == 0 && info.si_pid == pid) return Wait::kEnded;
    if (result < 0 && errno == ECHILD) return Wait::kEnded;  // reaped elsewhere
    auto now = Clock::now();
    if (deadline && now >= *deadline) return Wait::kDeadline;
    int timeout_ms = -1;
    if (deadline) {
      auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - now);
      timeout_ms = static_cast<int>(left.count());
    }
    if (pidfd < 0) timeout_ms = timeout_ms < 0 ? 10 : std::min(timeout_ms, 10);
    if (watch != nullptr && (timeout_ms < 0 || timeout_ms > kWatchMs)) {
      timeout_ms = kWatchMs;
    }
    pollfd entries[2] = {{pidfd, POLLIN, 0}, {output_fd, POLLIN, 0}};
    std::string fresh;
    if (poll(entries, 2, timeout_ms) > 0 && entries[1].revents != 0) {
      Drain(output_fd, output, &fresh);
      if (entries[1].revents & (POLLHUP | POLLERR)) output_fd = -1;
    }
    if (watch != nullptr && !watch->on_output(fresh)) return Wait::kStopped;
  }
}

// Kills the child's process group (asking first, with a grace, unless
// `ended` or `at_once`) and reaps the child.
void EndProcessGroup(pid_t pid, int pidfd, bool ended, bool at_once,
                     std::atomic<pid_t>* place) {
  if (!ended && !at_once) {
    kill(-pid, SIGTERM);
    WaitForEnd(pid, pidfd, Clock::now() + kTerminateGrace);
  }
  kill(-pid, SIGKILL);  // the child is at least a zombie: the group exists
  if (place != nullptr) place->store(0);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
}

// Starts the program with its output and error going to `output_fd`;
// returns its pid, or -1 with the reason in *error.
pid_t Spawn(const std::vector<std::string>& args, int output_fd, int* error) {
  std::vector<char*> argv;
  for (const std::string& arg : args)
    argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attributes);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, output_fd, 1);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || __GLIBC_MINOR__ >= 34)
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);
#endif
  sigset_t no_signals;
  sigset_t all_signals;
  sigemptyset(&no_signals);
  sigfillset(&all_signals);
  posix_spawnattr_setsigmask(&attributes, &no_signals);
  posix_spawnattr_setsigdefault(&attributes, &all_signals);
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP |
                                            POSIX_SPAWN_SETSIGMASK |
                                            POSIX_SPAWN_SETSIGDEF);
  pid_t pid = -1;
  bool has_slash = args[0].find('/') != std::string::npos;
  int result = has_slash ? posix_spawn(&pid, argv[0], &actions, &attributes,
                                       argv.data(), environ)
                         : posix_spawnp(&pid, argv[0], &actions, &attributes,
                                        argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  *error = result;
  return result == 0 ? pid : -1;
}

}  // namespace

ProgramRun RunProgram(const std::vector<std::string>& args,
                      int32_t limit_seconds) {
  return RunProgram(args, limit_seconds, ProgramWatch());
}

ProgramRun RunProgram(const std::vector<std::string>& args,
                      int32_t limit_seconds, const ProgramWatch& watch) {
  ProgramRun run;
  if (args.empty() || args[0].empty()) {
    run.start_error = ENOENT;
    return run;
  }
  int pipe_fds[2] = {-1, -1};
  // Only our end is non-blocking: a program finding the pipe full waits
  // for it, rather than failing its write.
  if (pipe2(pipe_fds, O_CLOEXEC) != 0 ||
      fcntl(pipe_fds[0], F_SETFL, O_NONBLOCK) != 0) {
    run.start_error = errno;
    for (int fd : pipe_fds) {
      if (fd >= 0) close(fd);
    }
    return run;
  }
  const Clock::time_point start = Clock::now();
  const pid_t pid = Spawn(args, pipe_fds[1], &run.start_error);
  if (pipe_fds[1] >= 0) close(pipe_fds[1]);
  if (pid < 0) {
    if (pipe_fds[0] >= 0) close(pipe_fds[0]);
    return run;
  }
  std::atomic<pid_t>* place = EnterGroup(pid);
  if (watch.niceness != 0) {
    // Threads it starts from now on inherit it.
    setpriority(PRIO_PROCESS, pid,
                getpriority(PRIO_PROCESS, 0) + watch.niceness);
  }
  const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
  std::optional<Clock::time_point> deadline;
  if (limit_seconds > 0) {
    deadline = start + std::chrono::seconds(limit_seconds);
  }
  const Wait wait = WaitForEnd(pid, pidfd, deadline, pipe_fds[0], &run.output,
                               watch.on_output ? &watch : nullptr);
  const bool ended = wait == Wait::kEnded;
  const std::chrono::duration<double> elapsed = Clock::now() - start;
  if (ended) {
    siginfo_t info = {};
    waitid(P_PID, pid, &info, WEXITED | WNOHANG | WNOWAIT);
    if (info.si_code == CLD_EXITED) run.exit_status = info.si_status;
  }
  EndProcessGroup(pid, pidfd, ended, wait == Wait::kStopped, place);
  if (pidfd >= 0) close(pidfd);
  if (pipe_fds[0] >= 0) {
    Drain(pipe_fds[0], &run.output);
    close(pipe_fds[0]);
  }
  const bool in_time =
      limit_seconds <= 0 || elapsed.count() <= 0.95 * limit_seconds;
  run.outcome = wait == Wait::kStopped ? ProgramRun::Outcome::kStopped
                : ended && in_time     ? ProgramRun::Outcome::kEnded
                                       : ProgramRun::Outcome::kTimedOut;
  return run;
}

void KillRunningPrograms() {
  for (std::atomic<pid_t>& place : running_groups) {
    const pid_t group = place.load();
    if (group > 0) kill(-group, SIGKILL);
  }
}

}  // namespace orvanta
