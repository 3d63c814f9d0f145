// 工程信息: the fields of the calculation book's cover typed for the project —
// the project name, then each field of the cover (sections/ProjectFile.h
// CoverKeys) with the signatures 计算/校核/审核/审定. Accepted, the session
// keeps them; the book every window writes takes them.
#pragma once

#include <QDialog>
#include <vector>

class QLineEdit;

namespace tarnwick::ui {

class Session;

class CoverDialog : public QDialog {
  Q_OBJECT
 public:
  CoverDialog(Session& session, QWidget* parent = nullptr);

  // The project name box, then one box a cover field in the order of CoverKeys.
  QLineEdit* NameBox() const { return name_; }
  const std::vector<QLineEdit*>& FieldBoxes() const { return fields_; }

  void accept() override;

 private:
  Session& session_;
  QLineEdit* name_ = nullptr;
  std::vector<QLineEdit*> fields_;
};

}  // namespace tarnwick::ui
