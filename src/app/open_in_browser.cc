// The opener as a child process: no shell, the address passed as it is.
#include "app/open_in_browser.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

extern char** environ;

namespace orvanta {
namespace {

constexpr char kOpener[] = "xdg-open";
constexpr int kWaitMilliseconds = 5000;

}  // namespace

std::string OpenInBrowser(const std::string& address) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // Its chatter stays off standard output, whose last line names the page.
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null",
                                   O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, STDERR_FILENO, STDOUT_FILENO);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  std::string program = kOpener;
  std::string argument = address;
  char* argv[] = {program.data(), argument.data(), nullptr};
  pid_t child = 0;
  const int error =
      posix_spawnp(&child, kOpener, &actions, &attributes, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) return std::string(kOpener) + ": " + std::strerror(error);
  for (int waited = 0; waited < kWaitMilliseconds; waited += 50) {
    int status = 0;
    const pid_t ended = waitpid(child, &status, WNOHANG);
    if (ended == child) {
      if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return "";
      return std::string(kOpener) + " ended with status " +
             std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    }
    if (ended < 0) return "";
    usleep(50 * 1000);
  }
  return "";
}

}  // namespace orvanta
