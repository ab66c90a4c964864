// Projects built in code for the design, schedule and workbook tests.
#pragma once

#include <initializer_list>
#include <memory>

#include "footing/design_inputs.h"
#include "model/project.h"

namespace plintova::design_test {

// One reaction line: load case number, FY, MX, MZ.
struct ReactionLine {
  float lc, fy, mx, mz;
};

// Support and footing s with joint number `joint` and the given reaction lines from position 0.
// SupportCount and FootingCount grow to cover s.
inline void setSupport(Project& p, int s, int joint, std::initializer_list<ReactionLine> cases) {
  p.ReactionTable(s, 0, 0) = static_cast<float>(joint);
  int c = 0;
  for (const ReactionLine& k : cases) {
    p.ReactionTable(s, c, 1) = k.lc;
    p.ReactionTable(s, c, 2) = k.fy;
    p.ReactionTable(s, c, 3) = k.mx;
    p.ReactionTable(s, c, 4) = k.mz;
    ++c;
  }
  if (p.supportCount() < s) p.ReactionTable(0, 0, 0) = static_cast<float>(s);
  if (p.FootingCount < s) p.FootingCount = static_cast<int16_t>(s);
  p.FootingTable[s].JointNo = static_cast<int16_t>(joint);
}

// A ticked size group of the given size and pedestal holding the listed footings, which become its
// isolated members with the group's size and mark. Returns the group index.
inline int addGroup(Project& p, float size, float pedestal, std::initializer_list<int> members, int16_t dia = 10) {
  const int g = ++p.SizeGroupCount;
  SizeGroupRecord& grp = p.SizeGroupTable[g];
  grp.GroupBaseSize = grp.GroupSize = size;
  grp.Pedestal = PedestalSides::square(pedestal);
  grp.BarDia = dia;
  grp.Checked = true;
  for (int s : members) {
    grp.Members[++grp.MemberCount] = static_cast<int16_t>(s);
    FootingRecord& f = p.FootingTable[s];
    f.Kind = FootingKind::Isolated;
    f.GroupNo = static_cast<int16_t>(g);
    f.SizeL = f.SizeB = size;
  }
  int mark = 0;
  for (int k = 1; k <= p.SizeGroupCount; ++k) {
    SizeGroupRecord& other = p.SizeGroupTable[k];
    other.GroupMark = static_cast<int16_t>(other.MemberCount > 0 ? ++mark : 0);
  }
  for (int s : members) p.FootingTable[s].GroupRank = grp.GroupMark;
  return g;
}

// Schedule rows for every size group that has footings, in group order, as the Design command leaves
// them for the workbook (the group's record with its mark), without designing them.
inline void setScheduleRows(Project& p) {
  p.DesignGroupCount = 0;
  for (int g = 1; g <= p.SizeGroupCount; ++g)
    if (p.SizeGroupTable[g].MemberCount > 0) p.DesignGroupTable[++p.DesignGroupCount] = p.SizeGroupTable[g];
}

// Grades 20 and 415 and an SBC of 200 with a founding depth of 1.5 m.
inline std::unique_ptr<Project> newProject() {
  auto p = std::make_unique<Project>();
  p->Fck = 20;
  p->Fe = 415;
  p->CaseSbc[0] = 200;
  for (int c = 1; c < cap::kCasePositions; ++c) p->CaseSbc[c] = 250;
  setFoundingDepth(*p, 1.5);
  return p;
}

}  // namespace plintova::design_test
