// The calculation report's part of a combined footing's row: where its columns stand, the figure of soil
// pressure, shear force and bending moment along its length, and (in the appendix) every case.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "footing/case_basis.h"
#include "model/numbers.h"
#include "output/report_parts.h"

namespace plintova::report_parts {

namespace {

// The reactions of the two columns of a combined footing by load-case number, as read.
Table pairedReactions(const Project& p, const FootingRow& row, bool alongX) {
  const int a = row.footings[0], b = row.footings[1];
  const std::string along = alongX ? "MZ" : "MX", across = alongX ? "MX" : "MZ";
  const int kAlong = alongX ? 4 : 3, kAcross = alongX ? 3 : 4;
  Table t;
  t.header = {"Case"};
  for (int s : {a, b})
    for (const std::string& h : {"FY " + joint(p, s) + " kN", along + " " + joint(p, s) + " kN·m",
                                 across + " " + joint(p, s) + " kN·m"})
      t.header.push_back(h);
  t.align.assign(t.header.size(), Align::Right);
  for (const PairCaseUse& u : soilCases(p, a, b)) {
    TableRow r;
    r.cells.push_back(std::to_string(u.loadCase));
    for (int m = 0; m < 2; ++m) {
      const int s = m == 0 ? a : b, pos = u.position[m];
      for (int k : {2, kAlong, kAcross}) {
        const float v = pos < 0 ? 0.0f : static_cast<float>(p.ReactionTable(s, pos, k));
        r.cells.push_back(pos < 0 ? "" : num(u.factor == 1.0 ? v : static_cast<float>(u.factor * v)));
      }
    }
    t.rows.push_back(r);
  }
  return t;
}

// The stations a checker reads the figure at: the ends, the pedestal faces and columns, and where the
// moments peak.
std::vector<std::size_t> keyStations(const BeamDiagram& d) {
  std::vector<std::size_t> keys{0, d.x.size() - 1};
  for (double c : d.columns)
    for (std::size_t k = 0; k < d.x.size(); ++k)
      if (std::fabs(d.x[k] - c) < 1e-4) keys.push_back(k);
  keys.push_back(static_cast<std::size_t>(std::max_element(d.momentMax.begin(), d.momentMax.end()) - d.momentMax.begin()));
  keys.push_back(static_cast<std::size_t>(std::min_element(d.momentMin.begin(), d.momentMin.end()) - d.momentMin.begin()));
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  return keys;
}

const CombinedFootingRecord* recordOf(const Project& p, const FootingRow& row) {
  return row.number >= 1 && row.number <= p.CombinedCount ? &p.CombinedFootingTable[row.number] : nullptr;
}

}  // namespace

report::Figure beamFigure(const Project& p, const FootingRow& row) {
  const BeamDiagram& d = row.beam;
  report::Figure f;
  f.caption = row.mark() + ": factored soil pressure (load case " + std::to_string(d.pressureCase) +
              "), and the envelopes of shear force and bending moment over every factored case, along the length";
  f.axis = "x, m from the first end";
  f.stations = d.x;
  for (int j = 0; j < 2 && j < static_cast<int>(row.footings.size()); ++j)
    f.marks.push_back({d.columns[j], "joint " + joint(p, row.footings[static_cast<std::size_t>(j)])});
  f.panels = {{"Soil pressure kN/m", {{d.pressure}}},
              {"Shear force kN", {{d.shearMax}, {d.shearMin}}},
              {"Bending moment kN·m (sagging +)", {{d.momentMax}, {d.momentMin}}}};
  f.values.header = {"x m", "Pressure kN/m", "V max kN", "V min kN", "M max kN·m", "M min kN·m"};
  f.values.align.assign(f.values.header.size(), Align::Right);
  // A column's station on either side of it, where the shear force jumps by its load.
  auto station = [&](std::size_t k) {
    for (int j = 0; j < 2 && j < static_cast<int>(row.footings.size()); ++j)
      if (std::fabs(d.x[k] - d.columns[j]) < 1e-4)
        return rounded(d.x[k], 3) + (d.x[k] < d.columns[j] ? " left of " : " right of ") + "joint " +
               joint(p, row.footings[static_cast<std::size_t>(j)]);
    return rounded(d.x[k], 3);
  };
  for (std::size_t k : keyStations(d))
    f.values.rows.push_back({{station(k), rounded(d.pressure[k], 1), rounded(d.shearMax[k], 1),
                              rounded(d.shearMin[k], 1), rounded(d.momentMax[k], 1), rounded(d.momentMin[k], 1)}});
  return f;
}

void addCombinedGeometry(report::Section& section, const Project& p, const FootingRow& row) {
  if (const CombinedFootingRecord* cf = recordOf(p, row))
    section.blocks.push_back(Paragraph{
        "Columns " + mm(cf->Cant1) + " mm and " + mm(cf->Cant1 + cf->CfDistance / 1000.0) +
        " mm from the first end (centre distance " + mm(cf->CfDistance / 1000.0) + " mm, along " +
        (cf->CfAxis == 1 ? "X" : "Z") + "), cantilevers " + num(cf->Cant1) + " m and " + num(cf->Cant2) + " m, skew " +
        num(2 * cf->CfHalfSkew) + " mm. Each case of the two columns, paired by its number, is factored by 1.5 and "
        "taken with the moments along the footing in both senses; both columns' reactions and the bearing pressure "
        "of every case are in the appendix."});
  if (row.beam.x.empty()) return;
  section.blocks.push_back(Paragraph{"The footing as a beam along its length (IS 456 cl. 34.2.3.1): the soil pressure "
                                     "of the case that presses hardest, and over every case the largest and smallest "
                                     "shear force and bending moment:"});
  section.blocks.push_back(beamFigure(p, row));
}

void addCombinedPressures(report::Section& section, const Project& p, const FootingRow& row) {
  const CombinedFootingRecord* cf = recordOf(p, row);
  section.blocks.push_back(Paragraph{"Reactions of the two columns by load case, as read:"});
  section.blocks.push_back(pairedReactions(p, row, cf && cf->CfAxis == 1));
  if (row.pressures.empty()) return;
  section.blocks.push_back(Paragraph{
      "Bearing pressure of every case on " + num(row.L) + " × " + num(row.B) +
      " m, IS 456 cl. 34.1: q = 1.1 P/(L B) + 6 (|ΣM along| + |e P|)/(B L²) + 6 |ΣM across|/(B² L), with P "
      "the two columns' FY and e the resultant's distance from the footing's centre, or the peak of the "
      "no-tension pressure where the underside would lift off; a case whose P is zero or upward presses on no "
      "soil (UPLIFT: the uplift check takes it). Each column's allowable pressure of that case (SBC, or " +
      num(p.decisions.options.sbcIncrease) + " × SBC for the increased cases):"});
  Table t;
  t.header = {"Case", "P kN", "e m", "q kN/m²", "Allowable " + joint(p, row.footings[0]) + " kN/m²",
              "Allowable " + joint(p, row.footings[1]) + " kN/m²", "Result"};
  t.align = {Align::Right, Align::Right, Align::Right, Align::Right, Align::Right, Align::Right, Align::Left};
  for (const CasePressure& cp : row.pressures) {
    auto allowed = [](double a) { return a < 0 ? std::string("-") : num(a); };
    t.rows.push_back({{std::to_string(cp.loadCase), rounded(cp.fy, 2), rounded(cp.e, 3), rounded(cp.q, 2),
                       allowed(cp.allowable[0]), allowed(cp.allowable[1]),
                       !cp.ok() ? "FAILS" : cp.fy <= 0 ? "UPLIFT" : "OK"},
                      !cp.ok()});
  }
  section.blocks.push_back(t);
}

}  // namespace plintova::report_parts
