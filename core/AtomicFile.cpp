#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace tarnwick {

namespace {

constexpr size_t kLargestRead = size_t{1} << 30;

std::string Reason(int error) { return std::strerror(error); }

// The file a path names, a link followed; the path itself when nothing stands there.
std::string Target(const std::string& path) {
  char resolved[PATH_MAX];
  if (realpath(path.c_str(), resolved) != nullptr) return resolved;
  return path;
}

bool WriteAll(int fd, std::string_view text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

AtomicFile::~AtomicFile() { Abandon(); }

void AtomicFile::Abandon() {
  if (fd_ >= 0) close(fd_);
  if (!temp_.empty()) unlink(temp_.c_str());
  fd_ = -1;
  temp_.clear();
}

std::string AtomicFile::Open(const std::string& path) {
  Abandon();
  error_ = 0;
  target_ = Target(path);
  struct stat old {};
  const bool exists = stat(target_.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) return "not a regular file, which is never replaced";
  const size_t slash = target_.rfind('/');
  const std::string folder = slash == std::string::npos ? "./" : target_.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target_ : target_.substr(slash + 1);
  std::string temp = folder + "." + base + ".XXXXXX";
  fd_ = mkostemp(temp.data(), O_CLOEXEC);
  if (fd_ < 0) return Reason(errno);
  temp_ = temp;
  // The new file keeps the old one's permissions, or gets those of a new file.
  mode_t mode = 0;
  if (exists) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  if (fchmod(fd_, mode) != 0) {
    std::string why = Reason(errno);
    Abandon();
    return why;
  }
  return {};
}

bool AtomicFile::Write(std::string_view text) {
  if (fd_ < 0 || error_ != 0) return false;
  if (!WriteAll(fd_, text)) error_ = errno;
  return error_ == 0;
}

std::string AtomicFile::Commit() {
  if (fd_ < 0) return Reason(EBADF);
  if (error_ == 0 && fsync(fd_) != 0) error_ = errno;
  if (close(fd_) != 0 && error_ == 0) error_ = errno;
  fd_ = -1;
  if (error_ == 0 && rename(temp_.c_str(), target_.c_str()) != 0) error_ = errno;
  if (error_ != 0) {
    std::string why = Reason(error_);
    Abandon();
    return why;
  }
  temp_.clear();
  return {};
}

std::string WriteFileAtomically(const std::string& path, std::string_view text) {
  AtomicFile file;
  if (std::string why = file.Open(path); !why.empty()) return why;
  file.Write(text);
  return file.Commit();
}

std::string ReadWholeFile(const std::string& path, std::string& error) {
  error.clear();
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = Reason(errno);
    return {};
  }
  // A device such as /dev/zero would never end; a pipe may, within reason.
  struct stat st {};
  if (fstat(fd, &st) != 0 || !(S_ISREG(st.st_mode) || S_ISFIFO(st.st_mode))) {
    error = "not a regular file";
    close(fd);
    return {};
  }
  std::string text;
  char buffer[65536];
  for (;;) {
    if (text.size() > kLargestRead) {
      error = "larger than 1 GiB";
      text.clear();
      break;
    }
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = Reason(errno);
      text.clear();
      break;
    }
    if (n == 0) break;
    text.append(buffer, static_cast<size_t>(n));
  }
  close(fd);
  return text;
}

}  // namespace tarnwick
