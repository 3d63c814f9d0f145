// The calculation book from the command line. The book is laid out and painted
// by tarnwick-book, the desktop build's headless writer installed beside
// tarnwick-calc; the command stays free of any window library and hands the
// records over on the writer's standard input, one JSON line a case (or a canal,
// {"canal": the canal file}), as soon as
// each is computed, so the command holds none of them. The last line is
// {"end": N}, N the number of cases: a writer that reads its input to the end
// without it (this command stopped, or its output was lost) writes no book.
#pragma once

#include <sys/types.h>

#include <iosfwd>
#include <string>
#include <vector>

#include "sections/Canal.h"
#include "sections/CaseRecord.h"

namespace tarnwick {

class BookWriter {
 public:
  BookWriter() = default;
  BookWriter(const BookWriter&) = delete;
  BookWriter& operator=(const BookWriter&) = delete;
  ~BookWriter();

  // Starts the writer of the book `path` titled `project`. False, with one line
  // on `err`, when it cannot be started.
  bool Start(const std::string& path, const std::string& project, std::ostream& err,
             const std::vector<std::string>& cover = {});
  // Hands one case over; false once the writer no longer takes any.
  bool Add(const CaseRecord& record);
  // Hands over one record line of another kind ({"canal": …}), counted as a case.
  bool AddLine(const std::string& line);
  // Waits for the writer. False, with one line on `err`, when the book was not
  // written whole (the writer then leaves no file under the name asked for).
  bool Finish(std::ostream& err);
  // Stops the writer without a book: it is told no end, so it writes nothing.
  void Abandon();

 private:
  std::string path_;
  pid_t child_ = -1;
  int fd_ = -1;
  bool handedOver_ = true;
  long cases_ = 0;
};

// One case (with what it keeps, a profile request) or one canal added to the
// project `path` of --save, made when absent, atomically: 0, or 2 when the
// project cannot be read and 3 when it cannot be written, with one line on `err`.
int SaveToProject(const std::string& path, const std::string& newName, const CaseRecord* record,
                  const CanalInput* canal, std::ostream& err);

}  // namespace tarnwick
