// The file of a calculation book, written whole or not at all, and the ZIP
// package an ODT book is stored in, written entry by entry as the book grows.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QTemporaryFile>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/AtomicFile.h"

typedef struct z_stream_s z_stream;

namespace tarnwick::ui {

// A device over an AtomicFile: what is written goes to a new file beside the
// name asked for, which takes the name only at Commit. A failed write is kept
// and answered by Commit, so a writer that checks no errors (QPdfWriter) still
// cannot leave a truncated book under the name.
class AtomicDevice : public QIODevice {
 public:
  // Empty when the new file is open, otherwise why not.
  QString Open(const QString& path);
  // Flushes, closes and renames: empty when the book stands under its name.
  QString Commit();
  bool isSequential() const override { return true; }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override;

 private:
  bool Flush();
  AtomicFile file_;
  QByteArray buffer_;
  bool failed_ = false;
};

// A ZIP archive (PKWARE APPNOTE 6.3) written forwards only: whole entries, and
// one entry written piece by piece between them. That entry is deflated into a
// spool file in `spoolDir` as it comes and stored whole at End, so the entries
// added meanwhile (the pictures) go straight to the archive and nothing grows
// in memory. Without the ZIP64 extension: an archive that would pass 4 GiB or
// 65 535 entries is refused.
class ZipStream {
 public:
  ZipStream(QIODevice& out, const QString& spoolDir);
  ~ZipStream();
  ZipStream(const ZipStream&) = delete;
  ZipStream& operator=(const ZipStream&) = delete;

  // A whole entry, stored as it is or deflated.
  void Add(const std::string& name, const QByteArray& data, bool deflate);
  // The entry written piece by piece, deflated; whole entries may come between.
  void Begin(const std::string& name);
  void Write(const QByteArray& data);
  void End();
  // The central directory; empty, or why the archive cannot be complete (past
  // the limits of ZIP, or its spool not written). A failed write to the device
  // is the device's to answer.
  QString Finish();

 private:
  struct Entry {
    std::string name;
    uint32_t crc = 0, packed = 0, size = 0, offset = 0;
    uint16_t method = 0, flags = 0;
  };
  void Put(const QByteArray& bytes);
  void LocalHeader(const Entry& e);
  void Deflate(const char* data, size_t size, int flush);
  QIODevice& out_;
  uint64_t written_ = 0;
  QString spoolDir_;
  std::vector<Entry> entries_;
  Entry pending_;
  std::unique_ptr<QTemporaryFile> spool_;
  std::unique_ptr<z_stream> z_;
  QString error_;
};

}  // namespace tarnwick::ui
