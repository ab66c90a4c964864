// The bar bending schedule's marks as the sections name them.
#include "model/numbers.h"
#include "print/section_parts.h"

namespace plintova::print::section {

std::string RowMarks::tag(const std::string& member, const std::string& where) const {
  if (!bbs) return "";
  for (const BarMark& m : bbs->bars)
    if (m.row == row && m.member == member && m.where == where) return m.mark.substr(m.mark.rfind('-') + 1);
  return "";
}

std::vector<std::string> RowMarks::legend(const std::vector<SteelLayer>& layers) const {
  std::vector<std::string> lines;
  if (!bbs) return lines;
  for (const BarMark& m : bbs->bars) {
    if (m.row != row) continue;
    std::string line = m.mark + "  " + std::to_string(m.perFooting) + " \u00d7 " + std::to_string(m.dia) + " \u00d8 " +
                       (m.member == "footing" ? "" : m.member + " ") + m.where;
    for (const SteelLayer& l : layers)
      if (m.member == "footing" && l.where == m.where && l.spacing > 0) line += " @ " + std::to_string(l.spacing);
    line += std::string(", ") + shapeCode(m.shape);
    for (std::size_t k = 0; k < m.dims.size(); ++k) line += (k == 0 ? " " : " \u00d7 ") + numberText(m.dims[k]);
    lines.push_back(line);
  }
  return lines;
}

}  // namespace plintova::print::section
