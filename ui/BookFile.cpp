#include "BookFile.h"

#include <zlib.h>

#include <QDateTime>
#include <QFile>
#include <QTemporaryFile>
#include <limits>

namespace tarnwick::ui {

namespace {

constexpr qsizetype kFlushAt = 1 << 16;

void Le(QByteArray& bytes, uint64_t value, int width) {
  for (int k = 0; k < width; ++k) bytes.append(char((value >> (8 * k)) & 0xff));
}

// The MS-DOS date and time ZIP stores, of now.
uint32_t DosTime() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate d = now.date();
  const QTime t = now.time();
  const uint32_t date = uint32_t(((d.year() - 1980) << 9) | (d.month() << 5) | d.day());
  const uint32_t time = uint32_t((t.hour() << 11) | (t.minute() << 5) | (t.second() / 2));
  return (date << 16) | time;
}

QString TooLarge() { return QStringLiteral("the book would pass 4 GiB, the limit of ZIP"); }

}  // namespace

QString AtomicDevice::Open(const QString& path) {
  const std::string why = file_.Open(QFile::encodeName(path).toStdString());
  if (!why.empty()) return QString::fromStdString(why);
  QIODevice::open(QIODevice::WriteOnly);
  return {};
}

bool AtomicDevice::Flush() {
  if (!buffer_.isEmpty() && !file_.Write(std::string_view(buffer_.constData(), buffer_.size()))) {
    failed_ = true;
  }
  buffer_.clear();
  return !failed_;
}

qint64 AtomicDevice::writeData(const char* data, qint64 size) {
  if (failed_) return -1;
  buffer_.append(data, size);
  if (buffer_.size() >= kFlushAt && !Flush()) return -1;
  return size;
}

QString AtomicDevice::Commit() {
  Flush();
  QIODevice::close();
  return QString::fromStdString(file_.Commit());
}

ZipStream::ZipStream(QIODevice& out, const QString& spoolDir) : out_(out), spoolDir_(spoolDir) {}

ZipStream::~ZipStream() {
  if (z_) deflateEnd(z_.get());
}

void ZipStream::Put(const QByteArray& bytes) {
  // A failed write is kept by the device, which answers for it at its commit.
  out_.write(bytes);
  written_ += uint64_t(bytes.size());
}

void ZipStream::LocalHeader(const Entry& e) {
  QByteArray h;
  Le(h, 0x04034b50, 4);
  Le(h, 20, 2);  // version needed: 2.0, deflate
  Le(h, e.flags, 2);
  Le(h, e.method, 2);
  Le(h, DosTime(), 4);
  Le(h, e.crc, 4);
  Le(h, e.packed, 4);
  Le(h, e.size, 4);
  Le(h, e.name.size(), 2);
  Le(h, 0, 2);
  h.append(e.name.data(), qsizetype(e.name.size()));
  Put(h);
}

void ZipStream::Add(const std::string& name, const QByteArray& data, bool deflate) {
  if (deflate) {
    Begin(name);
    Write(data);
    End();
    return;
  }
  Entry e{name,
          uint32_t(crc32(0, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size()))),
          uint32_t(data.size()),
          uint32_t(data.size()),
          uint32_t(written_),
          0,
          0};
  if (written_ + uint64_t(data.size()) > std::numeric_limits<uint32_t>::max()) {
    error_ = TooLarge();
  }
  LocalHeader(e);
  Put(data);
  entries_.push_back(std::move(e));
}

void ZipStream::Begin(const std::string& name) {
  spool_ = std::make_unique<QTemporaryFile>(spoolDir_ + QStringLiteral("/.book-XXXXXX"));
  if (!spool_->open() && error_.isEmpty()) error_ = spool_->errorString();
  pending_ = Entry{name, 0, 0, 0, 0, 8, 0};
  z_ = std::make_unique<z_stream>();
  deflateInit2(z_.get(), Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
}

void ZipStream::Deflate(const char* data, size_t size, int flush) {
  z_->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
  z_->avail_in = uInt(size);
  char out[65536];
  do {
    z_->next_out = reinterpret_cast<Bytef*>(out);
    z_->avail_out = sizeof out;
    deflate(z_.get(), flush);
    const qint64 produced = qint64(sizeof out - z_->avail_out);
    pending_.packed += uint32_t(produced);
    if (produced > 0 && spool_->write(out, produced) != produced && error_.isEmpty()) {
      error_ = spool_->errorString();
    }
  } while (z_->avail_out == 0);
}

void ZipStream::Write(const QByteArray& data) {
  pending_.crc = uint32_t(
      crc32(pending_.crc, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size())));
  pending_.size += uint32_t(data.size());
  Deflate(data.constData(), size_t(data.size()), Z_NO_FLUSH);
}

void ZipStream::End() {
  Deflate(nullptr, 0, Z_FINISH);
  deflateEnd(z_.get());
  z_.reset();
  pending_.offset = uint32_t(written_);
  LocalHeader(pending_);
  if (!spool_->seek(0) && error_.isEmpty()) error_ = spool_->errorString();
  while (!spool_->atEnd()) {
    const QByteArray chunk = spool_->read(1 << 16);
    if (chunk.isEmpty()) break;
    Put(chunk);
  }
  spool_.reset();
  entries_.push_back(pending_);
  if (written_ > std::numeric_limits<uint32_t>::max()) error_ = TooLarge();
}

QString ZipStream::Finish() {
  if (entries_.size() > 0xffff)
    error_ = QStringLiteral("the book would hold more than 65 535 files, the limit of ZIP");
  const uint64_t start = written_;
  QByteArray dir;
  for (const Entry& e : entries_) {
    Le(dir, 0x02014b50, 4);
    Le(dir, 20, 2);  // made by: MS-DOS attributes, 2.0
    Le(dir, 20, 2);
    Le(dir, e.flags, 2);
    Le(dir, e.method, 2);
    Le(dir, DosTime(), 4);
    Le(dir, e.crc, 4);
    Le(dir, e.packed, 4);
    Le(dir, e.size, 4);
    Le(dir, e.name.size(), 2);
    Le(dir, 0, 2);  // extra
    Le(dir, 0, 2);  // comment
    Le(dir, 0, 2);  // disk
    Le(dir, 0, 2);  // internal attributes
    Le(dir, 0, 4);  // external attributes
    Le(dir, e.offset, 4);
    dir.append(e.name.data(), qsizetype(e.name.size()));
  }
  const uint64_t dirSize = uint64_t(dir.size());
  Le(dir, 0x06054b50, 4);
  Le(dir, 0, 2);
  Le(dir, 0, 2);
  Le(dir, entries_.size(), 2);
  Le(dir, entries_.size(), 2);
  Le(dir, dirSize, 4);
  Le(dir, start, 4);
  Le(dir, 0, 2);
  Put(dir);
  if (start + uint64_t(dir.size()) > std::numeric_limits<uint32_t>::max()) {
    error_ = TooLarge();
  }
  return error_;
}

}  // namespace tarnwick::ui
