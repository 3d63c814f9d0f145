// The work of one running program: one project (sections/ProjectFile.h) holding
// every case of every calculation window in the order pressed, each window's last
// box texts, the project's name and the limits of the checks. The windows add
// their cases here and show what it holds for them; the shell opens and saves it.
// After each press the project is written aside (AutosavePath) so that a session
// ended by a crash can be offered back at the next start.
#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

#include "sections/ProjectFile.h"

namespace tarnwick::ui {

// The cases of one frame: a window's own presses, or the design presses of a
// family (its discharge window's boxes with a design request).
struct FrameKey {
  const WindowSpec* window = nullptr;  // a window's own frame
  const FamilySpec* design = nullptr;  // a family's design frame
  bool Holds(const CaseRecord& r) const {
    if (design != nullptr) return r.design.has_value() && r.window->family == design->family;
    return r.window == window && !r.design.has_value();
  }
};

class Session : public QObject {
  Q_OBJECT
 public:
  explicit Session(QObject* parent = nullptr);
  ~Session() override;

  const Project& Current() const { return project_; }
  // The cases of a frame, in the order pressed.
  std::vector<const CaseRecord*> RecordsOf(FrameKey key) const;

  void Add(std::vector<CaseRecord> records);
  void KeepTexts(const WindowSpec& window, std::span<const std::string> texts);
  // The last texts of a window kept in a project opened (or restored), once:
  // the window opened next takes them; a window opened afresh later starts empty.
  std::optional<std::vector<std::string>> TakeTexts(const WindowSpec& window);
  void SetName(const std::string& name);
  // The project's name and the fields of its book's cover, typed in 工程信息.
  void SetCover(const std::string& name, const BookCover& cover);
  // Keeps the profile asked of one of the session's cases with it; false when the
  // case is not the session's.
  bool SetProfile(const CaseRecord* record, const ProfileRequest& request);
  // The canal of the canal window, kept in the project; null before one is kept.
  const CanalInput* Canal() const;
  void SetCanal(const CanalInput& canal);
  // Judges every case again against new limits; the project keeps them.
  void SetLimits(const CheckLimits& limits);
  // Removes the `index`-th case of a frame, or all of them; Undo brings back
  // the cases last removed, each in its place.
  void Remove(FrameKey key, std::size_t index);
  void Clear(FrameKey key);
  bool CanUndo() const { return !removed_.empty(); }
  void Undo();

  // Unsaved cases: added, removed or brought back since the last save or open.
  bool Dirty() const { return dirty_; }
  bool HasCases() const { return !project_.cases.empty(); }
  QString Path() const { return path_; }
  // "一号干渠.tarnwick.json", a mark "*" while dirty; "未命名" before a save.
  QString TitleMark() const;

  // Empty when saved, otherwise why not (the old file is whole).
  QString Save(const QString& path);
  // The file read; on refusal (read.project empty) nothing changed.
  ProjectRead Open(const QString& path);
  void New();

  // The program's session (the shell's) writes aside after each press, and its
  // windows ask before unsaved cases are lost; a window's own session does neither.
  void SetProgramSession(bool on) { autosave_ = on; }
  bool IsProgramSession() const { return autosave_; }
  static QString AutosavePath();
  // Replaces the project with the one written aside; false when there is none.
  bool RestoreAutosave();

 signals:
  // Cases, texts or limits changed, or another project was opened.
  void changed();
  // The dirty mark or the file name changed.
  void titleChanged();
  // Another project was opened or begun: windows take its texts and limits.
  void replaced();
  // The project's name or cover changed (SetCover).
  void coverChanged();

 private:
  void Touched();
  void Replace(Project project, const QString& path, bool dirty);
  void WriteAside() const;

  Project project_;
  QString path_;
  bool dirty_ = false;
  bool autosave_ = false;
  std::vector<std::pair<std::size_t, CaseRecord>> removed_;  // place, case
  std::vector<const WindowSpec*> pendingTexts_;
};

}  // namespace tarnwick::ui
