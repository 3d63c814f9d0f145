// Writing a file so that it is either written whole or not at all: the text goes
// to a new file beside the one named, is flushed to the disk, and only then takes
// the name. A full disk, a closed device or a failed rename leaves the old file as
// it was and no partial file under its name.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// A file written piece by piece beside its name and put in its place by Commit.
// Dropped uncommitted, or after a failed write, it leaves nothing behind.
class AtomicFile {
 public:
  AtomicFile() = default;
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  ~AtomicFile();

  // Empty when the new file is open; otherwise why not. A symbolic link is
  // followed, so the file it names is replaced and the link kept; a path that
  // names something other than a regular file (a device, a folder) is refused.
  std::string Open(const std::string& path);
  // False once any write has failed; the reason is kept for Commit.
  bool Write(std::string_view text);
  // Flushes, closes and renames: empty when the file now stands under its name.
  std::string Commit();

 private:
  void Abandon();
  std::string target_;
  std::string temp_;
  int fd_ = -1;
  int error_ = 0;
};

// The whole text at once; empty on success, otherwise why (the old file untouched).
std::string WriteFileAtomically(const std::string& path, std::string_view text);

// The whole of a file, or empty with `error` set.
std::string ReadWholeFile(const std::string& path, std::string& error);

}  // namespace tarnwick
