#include "Session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

namespace tarnwick::ui {

Session::Session(QObject* parent) : QObject(parent) {}

// A session that ends in order leaves nothing aside to restore.
Session::~Session() {
  if (autosave_) QFile::remove(AutosavePath());
}

std::vector<const CaseRecord*> Session::RecordsOf(FrameKey key) const {
  std::vector<const CaseRecord*> records;
  for (const CaseRecord& r : project_.cases) {
    if (key.Holds(r)) records.push_back(&r);
  }
  return records;
}

void Session::Touched() {
  const bool was = dirty_;
  dirty_ = true;
  WriteAside();
  emit changed();
  if (!was) emit titleChanged();
}

void Session::Add(std::vector<CaseRecord> records) {
  for (CaseRecord& r : records) project_.cases.push_back(std::move(r));
  Touched();
}

void Session::KeepTexts(const WindowSpec& window, std::span<const std::string> texts) {
  project_.KeepTexts(window, texts);
}

std::optional<std::vector<std::string>> Session::TakeTexts(const WindowSpec& window) {
  const auto pending = std::find(pendingTexts_.begin(), pendingTexts_.end(), &window);
  if (pending == pendingTexts_.end()) return std::nullopt;
  pendingTexts_.erase(pending);
  const std::vector<std::string>* texts = project_.TextsOf(window);
  if (texts == nullptr) return std::nullopt;
  return *texts;
}

void Session::SetName(const std::string& name) { project_.name = name; }

void Session::SetCover(const std::string& name, const BookCover& cover) {
  if (name == project_.name && cover == project_.cover) return;
  project_.name = name;
  project_.cover = cover;
  Touched();
  emit coverChanged();
}

bool Session::SetProfile(const CaseRecord* record, const ProfileRequest& request) {
  for (CaseRecord& r : project_.cases) {
    if (&r != record) continue;
    r.profile = request;
    Touched();
    return true;
  }
  return false;
}

const CanalInput* Session::Canal() const {
  return project_.canals.empty() ? nullptr : &project_.canals.front();
}

void Session::SetCanal(const CanalInput& canal) {
  if (project_.canals.empty()) {
    project_.canals.push_back(canal);
  } else {
    project_.canals.front() = canal;
  }
  Touched();
}

void Session::SetLimits(const CheckLimits& limits) {
  project_.limits = limits;
  for (CaseRecord& r : project_.cases) Rejudge(r, limits);
  emit changed();
}

void Session::Remove(FrameKey key, std::size_t index) {
  std::size_t seen = 0;
  for (std::size_t k = 0; k < project_.cases.size(); ++k) {
    if (!key.Holds(project_.cases[k]) || seen++ != index) continue;
    removed_.clear();
    removed_.emplace_back(k, std::move(project_.cases[k]));
    project_.cases.erase(project_.cases.begin() + static_cast<std::ptrdiff_t>(k));
    Touched();
    return;
  }
}

void Session::Clear(FrameKey key) {
  std::vector<std::pair<std::size_t, CaseRecord>> removed;
  std::vector<CaseRecord> kept;
  for (std::size_t k = 0; k < project_.cases.size(); ++k) {
    if (key.Holds(project_.cases[k])) {
      removed.emplace_back(k, std::move(project_.cases[k]));
    } else {
      kept.push_back(std::move(project_.cases[k]));
    }
  }
  project_.cases = std::move(kept);
  if (removed.empty()) return;
  removed_ = std::move(removed);
  Touched();
}

void Session::Undo() {
  if (removed_.empty()) return;
  // In ascending order of place, each case goes back where it stood.
  for (auto& [place, record] : removed_) {
    const std::size_t at = std::min(place, project_.cases.size());
    project_.cases.insert(project_.cases.begin() + static_cast<std::ptrdiff_t>(at),
                          std::move(record));
  }
  removed_.clear();
  Touched();
}

QString Session::TitleMark() const {
  const QString name = path_.isEmpty() ? QStringLiteral("未命名") : QFileInfo(path_).fileName();
  return dirty_ ? name + QLatin1Char('*') : name;
}

QString Session::Save(const QString& path) {
  const std::string why = WriteProjectFile(QFile::encodeName(path).toStdString(), project_);
  if (!why.empty()) return QString::fromStdString(why);
  path_ = path;
  dirty_ = false;
  if (autosave_) QFile::remove(AutosavePath());
  emit titleChanged();
  return {};
}

ProjectRead Session::Open(const QString& path) {
  ProjectRead read = ReadProjectFile(QFile::encodeName(path).toStdString());
  if (read.project) Replace(*read.project, path, false);
  return read;
}

void Session::New() { Replace(Project{}, {}, false); }

void Session::Replace(Project project, const QString& path, bool dirty) {
  project_ = std::move(project);
  path_ = path;
  dirty_ = dirty;
  removed_.clear();
  pendingTexts_.clear();
  for (const auto& [window, texts] : project_.windowTexts) pendingTexts_.push_back(window);
  emit replaced();
  emit changed();
  emit titleChanged();
}

QString Session::AutosavePath() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
         QStringLiteral("/autosave.tarnwick.json");
}

// Written whole or not at all (beside, flushed, renamed), as a save is.
void Session::WriteAside() const {
  if (!autosave_) return;
  QDir().mkpath(QFileInfo(AutosavePath()).absolutePath());
  WriteProjectFile(QFile::encodeName(AutosavePath()).toStdString(), project_);
}

bool Session::RestoreAutosave() {
  const QString aside = AutosavePath();
  if (!QFileInfo::exists(aside)) return false;
  ProjectRead read = ReadProjectFile(QFile::encodeName(aside).toStdString());
  if (!read.project) return false;
  // The restored cases are unsaved until the user saves them to a file.
  Replace(*read.project, {}, true);
  return true;
}

}  // namespace tarnwick::ui
