#include "CalcBook.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

extern char** environ;

namespace tarnwick {

namespace {

// The folder this program was started from, with its trailing slash.
std::string OwnFolder() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return "./";
  const std::string self(path, static_cast<size_t>(n));
  return self.substr(0, self.rfind('/') + 1);
}

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// One case a line, its box texts separated by tabs, as the writer reads them.
std::string CaseLines(const std::vector<std::vector<std::string>>& cases) {
  std::string text;
  for (const auto& boxes : cases) {
    for (size_t k = 0; k < boxes.size(); ++k) {
      if (k > 0) text.push_back('\t');
      text += boxes[k];
    }
    text.push_back('\n');
  }
  return text;
}

std::string LimitText(const std::optional<double>& limit) {
  return limit ? std::to_string(*limit) : std::string();
}

// The clearance rule chosen as the writer reads it; "kind" for none chosen.
std::string RuleWord(std::optional<ClearanceRule> rule) {
  if (!rule) return "kind";
  switch (*rule) {
    case ClearanceRule::Tunnel: return "tunnel";
    case ClearanceRule::FillRatio: return "fill";
    case ClearanceRule::None: break;
  }
  return "none";
}

}  // namespace

bool WriteBook(const std::string& path, const std::string& project, const WindowSpec& window,
               const std::vector<std::vector<std::string>>& cases, const CheckLimits& limits,
               std::ostream& err) {
  const std::string writer = OwnFolder() + "tarnwick-book";
  if (access(writer.c_str(), X_OK) != 0) {
    err << "tarnwick-calc: no book written: " << writer
        << " is missing (the calculation book comes with the desktop build)\n";
    return false;
  }
  int pipeFds[2];
  if (pipe(pipeFds) != 0) {
    err << "tarnwick-calc: no book written: " << std::strerror(errno) << "\n";
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[0], STDIN_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeFds[1]);
  // The writer's command line: FILE PROJECT WINDOW VMIN VMAX AREA HEIGHT LINING
  // SOILEXP FRLOW FRHIGH RULE.
  std::vector<std::string> words = {writer,
                                    path,
                                    project,
                                    std::string(window.name),
                                    LimitText(limits.velocityMin),
                                    LimitText(limits.velocityMax),
                                    std::to_string(limits.clearanceAreaPercent),
                                    std::to_string(limits.clearanceHeight),
                                    limits.lining,
                                    std::to_string(limits.soilExponent),
                                    std::to_string(limits.froudeLow),
                                    std::to_string(limits.froudeHigh),
                                    RuleWord(limits.closedRule)};
  std::vector<char*> argv;
  argv.reserve(words.size() + 1);
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  const int spawned = posix_spawn(&child, writer.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[0]);
  if (spawned != 0) {
    close(pipeFds[1]);
    err << "tarnwick-calc: no book written: " << std::strerror(spawned) << "\n";
    return false;
  }
  // A writer that ends early must not end this program with SIGPIPE.
  std::signal(SIGPIPE, SIG_IGN);
  const bool handedOver = WriteAll(pipeFds[1], CaseLines(cases));
  close(pipeFds[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!handedOver || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    err << "tarnwick-calc: the calculation book " << path << " was not written\n";
    return false;
  }
  return true;
}

}  // namespace tarnwick
