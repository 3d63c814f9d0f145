// Water-surface profiles in the calculation book: a case's stored profile and
// a canal's reaches, each as its heading block on the report grid, its station
// table with units and its drawing in elevation (ProfileSheet), and the flow
// combination of a case as a table with units.
#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

// The section model's names come before the profile engine's.
#include "sections/Canal.h"
#include "sections/CaseRecord.h"

#include "ProfileSheet.h"

namespace tarnwick::ui {

namespace book {
class Writer;
}

// One profile as the book shows it.
struct BookProfile {
  QString caption;                   // over its heading block
  std::vector<std::string> heading;  // the heading block's lines
  std::vector<ProfileStation> stations;
  double offset = 0.0;  // x of the table counted from here
  ProfileSheet sheet;
};

// The profile of a case's stored request, or its refusal's lines in `heading`
// with no stations.
BookProfile CaseProfile(const CaseRecord& record);

// A canal computed for the book: its reaches, their banks when asked for, or
// why it was refused.
struct BookCanal {
  CanalInput input;
  CanalResult result;
  std::optional<CanalBanks> banks;
  std::vector<BookProfile> reaches;
  std::vector<std::string> heading;  // the canal's own lines over its reaches
};
BookCanal ComputeBookCanal(const CanalInput& canal);

// The inputs of a canal: its discharge and control, and a row a reach.
void CanalInputs(book::Writer& out, const CanalInput& canal);

// Heading block, station table (with units) and drawing, under `caption`.
void WriteProfile(book::Writer& out, const BookProfile& p, const QString& pictureName);

// The three discharges side by side with units (design, increased, least).
std::vector<QStringList> FlowRows(const FlowCombination& f);

}  // namespace tarnwick::ui
