// The project: the work of a session kept in one file and opened again. It holds
// the project's name and description, the limits of the checks, every case of
// every window in the order pressed (plain and design cases) and the last box
// texts of each window. The file is JSON, schema "tarnwick-project" version 1:
//
//   {"format": "tarnwick-project", "version": 1,
//    "name": "一号干渠", "description": "",
//    "cover": {"number": "", "stage": "", "organisation": "", "title": "",
//              "computed_by": "", "checked_by": "", "reviewed_by": "", "approved_by": ""},
//    "limits": {"velocity_min": null, "velocity_max": 3, "lining": "concrete",
//               "soil_exponent": 0.25, "clearance_area_percent": 15, "clearance_height": 0.4,
//               "closed_rule": null|"tunnel"|"fill"|"none", "shape_fit_percent": 1,
//               "froude_low": 0.8, "froude_high": 1.2, "search_percent": 0.5},
//    "cases": [RECORD, ...],
//    "windows": [{"window": "Form21", "boxes": ["2", "1.5", "0.025", "1000", "5"]}],
//    "canals": [CANAL, ...]}                     (optional)
//
// RECORD (also one line of the JSON Lines the calculation book reads):
//   {"window": "Form32", "boxes": ["", "1.5", "0.025", "1000", "1.2"],
//    "design": {"mode": "solve"|"ratio"|"best"|"size", "box": "Text2", "discharge": 5,
//               "ratio": 2, "answer": 0},        (design cases only)
//    "profile": {"length": 500, "step": 10, "control": 2.4|"critical"|"normal",
//                "bed": 0},                      (a water-surface profile asked of it)
//    "limits": {...}, "outcome": "report", "report": ["line", ...],
//    "checks": [{"name", "status", "value", "limit", "box", "text"}]}
// CANAL is a canal of reaches in the fields of `tarnwick-calc --canal FILE`
// (sections/CanalFile.h), so that one kept here runs on the command line as it is.
// "boxes" are the texts exactly as typed. "outcome", "report" and "checks" are
// what the press printed and judged when it was saved; opening recomputes every
// case from its texts and says, case by case, where the stored result differs
// from the one computed now (a newer program), rather than replacing it unsaid.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Canal.h"
#include "CaseRecord.h"
#include "core/AtomicFile.h"

namespace tarnwick {

inline constexpr std::string_view kProjectFormat = "tarnwick-project";
inline constexpr int kProjectVersion = 1;

// The cover of the calculation book: what a design institute's review asks of
// it besides the project's name. An empty field is printed as a blank to fill.
struct BookCover {
  std::string number;        // 工程编号
  std::string stage;         // 设计阶段
  std::string organisation;  // 设计单位
  std::string title;         // 计算书名称
  std::string computedBy;    // 计算
  std::string checkedBy;     // 校核
  std::string reviewedBy;    // 审核
  std::string approvedBy;    // 审定
  friend bool operator==(const BookCover&, const BookCover&) = default;
};

// The JSON keys of the cover ("number", …, "approved_by") with their fields and
// the captions the cover gives them.
struct CoverKey {
  std::string_view key;
  std::string BookCover::*field;
  std::string_view caption;  // "工程编号"
};
std::span<const CoverKey> CoverKeys();
// Sets the field named `key`; false when there is none of that name.
bool SetCoverField(BookCover& cover, std::string_view key, std::string value);

struct Project {
  std::string name;
  std::string description;
  BookCover cover;
  CheckLimits limits;
  std::vector<CaseRecord> cases;
  // The last box texts of each window, in the order the windows were first used.
  std::vector<std::pair<const WindowSpec*, std::vector<std::string>>> windowTexts;
  // The canals of reaches edited in the canal window.
  std::vector<CanalInput> canals;

  void KeepTexts(const WindowSpec& window, std::span<const std::string> texts);
  const std::vector<std::string>* TextsOf(const WindowSpec& window) const;
};

// The outcome of reading a project or a record.
struct ProjectRead {
  std::optional<Project> project;
  // Why the file was refused: "FILE: 第 L 行第 C 列: 问题", "FILE: 第 N 个算例: 问题"
  // or "FILE: 第 N 个渠道: 问题".
  std::string error;
  // One line a case whose stored result differs from the one computed now.
  std::vector<std::string> differences;
};

// The file's text of a project.
std::string ProjectText(const Project& project);
// A project from a file's text; `fileName` names it in the messages.
ProjectRead ParseProject(std::string_view text, std::string_view fileName);
ProjectRead ReadProjectFile(const std::string& path);
// Written whole or not at all; empty on success, otherwise why.
std::string WriteProjectFile(const std::string& path, const Project& project);

// Cases added to a project file as they are computed, so that a batch of any
// length is saved without being held: the old file is read and checked first,
// the new one is written beside it, case by case, and takes its name at Commit.
class ProjectAppender {
 public:
  // Reads the project at `path`, if there is one: empty when it is absent or
  // read, otherwise why it cannot be (then nothing may be written).
  std::string Read(const std::string& path);
  // Starts the new file; empty, or why it cannot be written.
  std::string Open();
  void Add(const CaseRecord& record);
  // A canal kept after the project's own (before Open).
  void AddCanal(const CanalInput& canal) { canals_.push_back(canal); }
  // Finishes the file with each window's last texts; empty, or why it was not written.
  std::string Commit();
  // The project's name as read (empty for a new project), and to set for a new one.
  std::string& Name() { return name_; }

 private:
  std::string path_;
  std::string name_;
  std::string head_;                      // the file up to the first case
  std::vector<std::string> storedCases_;  // the old cases as stored
  std::vector<CanalInput> canals_;        // canals to add
  Project windows_;                       // the windows' last texts
  AtomicFile file_;
  bool firstCase_ = true;
  bool fresh_ = false;  // no file stood there: a new project
};

// One record as one line of JSON (no line break inside), and back: the record
// read is computed anew from its texts, design and limits; `difference` then says
// how the stored result differs from it, empty when it does not.
std::string RecordLine(const CaseRecord& record);
struct RecordRead {
  std::vector<CaseRecord> records;  // one, or none when refused
  std::string error;                // why the line was refused
  std::string difference;
};
RecordRead ParseRecordLine(std::string_view line);

// The JSON words of the outcomes and statuses, shared with the command's output.
std::string_view OutcomeName(PressOutcome outcome);

}  // namespace tarnwick
