#include "CalcBook.h"

#include "sections/ProjectFile.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
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

}  // namespace

BookWriter::~BookWriter() {
  if (fd_ >= 0) close(fd_);
  if (child_ > 0) {
    int status = 0;
    while (waitpid(child_, &status, 0) < 0 && errno == EINTR) {
    }
  }
}

bool BookWriter::Start(const std::string& path, const std::string& project, std::ostream& err,
                       const std::vector<std::string>& cover) {
  path_ = path;
  const std::string writer = OwnFolder() + "tarnwick-book";
  if (access(writer.c_str(), X_OK) != 0) {
    err << "tarnwick-calc: no book written: " << writer
        << " is missing (the calculation book comes with the desktop build)\n";
    return false;
  }
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) {
    err << "tarnwick-calc: no book written: " << std::strerror(errno) << "\n";
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[0], STDIN_FILENO);
  // The writer's command line: FILE PROJECT [--cover KEY=VALUE]…; the records
  // come on standard input.
  std::vector<std::string> words = {writer, path, project};
  for (const std::string& field : cover) words.insert(words.end(), {"--cover", field});
  std::vector<char*> argv;
  argv.reserve(words.size() + 1);
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  const int spawned = posix_spawn(&child_, writer.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[0]);
  if (spawned != 0) {
    child_ = -1;
    close(pipeFds[1]);
    err << "tarnwick-calc: no book written: " << std::strerror(spawned) << "\n";
    return false;
  }
  fd_ = pipeFds[1];
  // A writer that ends early must not end this program with SIGPIPE.
  std::signal(SIGPIPE, SIG_IGN);
  return true;
}

bool BookWriter::Add(const CaseRecord& record) { return AddLine(RecordLine(record)); }

bool BookWriter::AddLine(const std::string& line) {
  if (fd_ < 0 || !handedOver_) return false;
  handedOver_ = WriteAll(fd_, line + "\n");
  ++cases_;
  return handedOver_;
}

void BookWriter::Abandon() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (child_ > 0) {
    int status = 0;
    while (waitpid(child_, &status, 0) < 0 && errno == EINTR) {
    }
  }
  child_ = -1;
}

bool BookWriter::Finish(std::ostream& err) {
  if (fd_ >= 0 && handedOver_) {
    handedOver_ = WriteAll(fd_, "{\"end\": " + std::to_string(cases_) + "}\n");
  }
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  int status = 0;
  if (child_ > 0) {
    while (waitpid(child_, &status, 0) < 0 && errno == EINTR) {
    }
  }
  const bool written = child_ > 0 && handedOver_ && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  child_ = -1;
  if (!written) err << "tarnwick-calc: the calculation book " << path_ << " was not written\n";
  return written;
}

int SaveToProject(const std::string& path, const std::string& newName, const CaseRecord* record,
                  const CanalInput* canal, std::ostream& err) {
  ProjectAppender project;
  if (const std::string why = project.Read(path); !why.empty()) {
    err << "tarnwick-calc: " << why << "; nothing was saved\n";
    return 2;
  }
  if (project.Name().empty()) project.Name() = newName;
  if (canal != nullptr) project.AddCanal(*canal);
  std::string why = project.Open();
  if (why.empty()) {
    if (record != nullptr) project.Add(*record);
    why = project.Commit();
  }
  if (!why.empty()) {
    err << "tarnwick-calc: cannot save " << path << ": " << why << "; the old file is unchanged\n";
    return 3;
  }
  return 0;
}

}  // namespace tarnwick
