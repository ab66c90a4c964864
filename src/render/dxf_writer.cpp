// The footing drawing as a DXF file for CAD programs: the plan in model space, each sheet a layout.
#include "render/dxf_writer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>

#include "files/project_files.h"
#include "files/safe_file.h"
#include "model/utf8.h"
#include "print/sheet_sections.h"
#include "print/sheet_text.h"
#include "render/dxf_document.h"

namespace plintova::draw {

namespace {

constexpr std::array<dxf::Layer, 13> kLayers{{
    {"GRID", 8, 18},
    {"GRID-TEXT", 7, 25},
    {"FOOTING", 7, 35},
    {"PEDESTAL", 3, 25},
    {"COLUMN", 1, 18},
    {"MARK", 2, 25},
    {"DIMENSION", 4, 13},
    {"SCHEDULE", 7, 18},
    {"NOTES", 7, 18},
    {"TITLE", 7, 25},
    {"SECTION", 7, 25},
    {"REBAR", 1, 35},
    {"HATCH", 8, 9},
}};

// Line types by the line style of a primitive, their patterns in paper millimetres: model space scales
// them by the drawing's scale, so that a plot at that scale shows them as the printed sheet does.
struct LinetypeStyle {
  LineStyle style;
  dxf::Linetype type;
};

const std::vector<LinetypeStyle>& linetypes() {
  static const std::vector<LinetypeStyle> types{
      {LineStyle::Dash, {"DASHED", "__ __ __", {2.0, -1.2}}},
      {LineStyle::Dot, {"DOT", ". . . .", {0.0, -0.8}}},
      {LineStyle::DashDot, {"DASHDOT", "__ . __ .", {6.0, -1.2, 0.0, -1.2}}},
      {LineStyle::DashDotDot, {"DIVIDE", "__ . . __", {6.0, -1.2, 0.0, -1.2, 0.0, -1.2}}},
  };
  return types;
}

std::string linetypeOf(LineStyle s) {
  for (const LinetypeStyle& t : linetypes())
    if (t.style == s) return t.type.name;
  return "Continuous";
}

// The standard lineweight nearest to a width in tenths of a millimetre.
int lineweightOf(double width) {
  static constexpr int kWeights[] = {5, 9, 13, 15, 18, 20, 25, 30, 35, 40, 50, 53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};
  const double wanted = width * 10;
  int best = kWeights[0];
  for (int w : kWeights)
    if (std::fabs(w - wanted) < std::fabs(best - wanted)) best = w;
  return best;
}

// The AutoCAD colour index nearest to a fill: black ink, dark and light greys.
int colourOf(Rgb c) {
  const int grey = (c.r + c.g + c.b) / 3;
  return grey < 40 ? 7 : grey < 150 ? 8 : 9;
}

// Names of the dimension styles: model space measures true millimetres and scales its sizes; paper space
// measures paper millimetres and scales the measurement.
constexpr const char* kPlanDimensions = "PLAN";
constexpr const char* kSheetDimensions = "SHEET";

// The style of a section's dimensions at 1:scale on paper: "SECTION-50".
std::string sectionDimensions(int scale) { return "SECTION-" + std::to_string(scale); }

// One space being filled from the primitives of one sheet: where paper millimetres go in it.
class SpaceWriter {
 public:
  SpaceWriter(dxf::Document& doc, dxf::Space& space, std::function<dxf::XY(double, double)> map, double scale,
              const char* dimensionStyle)
      : doc_(doc), space_(space), map_(std::move(map)), scale_(scale), dimensionStyle_(dimensionStyle) {}

  void entity(const Primitive& p) { entity(space_, p); }

 private:
  dxf::Document& doc_;
  dxf::Space& space_;
  std::function<dxf::XY(double, double)> map_;
  double scale_;  // drawing units per paper millimetre
  const char* dimensionStyle_;

  dxf::Style styleOf(const Primitive& p) const {
    dxf::Style s;
    s.layer = dxfLayer(p);
    s.lineweight = lineweightOf(p.width);
    s.linetype = linetypeOf(p.style);
    s.linetypeScale = p.style == LineStyle::Solid ? 1 : scale_;
    return s;
  }

  std::vector<dxf::XY> mapped(const std::vector<Point>& points) const {
    std::vector<dxf::XY> out;
    for (const Point& q : points) out.push_back(map_(q.x, q.z));
    return out;
  }

  void fill(dxf::Space& space, const Primitive& p, const std::vector<Point>& corners) {
    if (!p.filled || p.fillColour == kWhite || corners.size() < 3 || corners.size() > 4) return;
    dxf::Style s = styleOf(p);
    s.colour = colourOf(p.fillColour);
    space.solid(s, mapped(corners));
  }

  void text(dxf::Space& space, const Primitive& p) {
    const std::vector<std::string> lines = textLines(p.text);
    const double em = p.fontSize * print::kMmPerPoint;
    const double lineHeight = em * print::kFontLineHeight, ascent = em * print::kFontAscent;
    const double height = lineHeight * static_cast<double>(lines.size());
    // The first line's baseline across the text from its anchor (toward larger Z, or larger X upright).
    const double v0 = p.valign == VAlign::Top ? ascent : p.valign == VAlign::Middle ? -height / 2 + ascent : 0;
    const int h = p.halign == HAlign::Left ? 0 : p.halign == HAlign::Centre ? 1 : 2;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].empty()) continue;
      const double v = v0 + static_cast<double>(i) * lineHeight;
      const double x = p.vertical ? p.x1 + v : p.x1, z = p.vertical ? p.z1 : p.z1 + v;
      space.text(styleOf(p), map_(x, z), em * print::kFontCapHeight * scale_, p.vertical ? 90 : 0, h, dxfText(lines[i]));
    }
  }

  // A DIMENSION whose block holds what the sheet draws for it.
  void dimension(dxf::Space& space, const Primitive& p) {
    auto [name, block] = doc_.dimensionBlock();
    for (const Primitive& part : dimensionParts(p)) entity(*block, part);
    const dxf::XY o1 = map_(p.x1, p.z1), o2 = map_(p.x2, p.z2);
    const dxf::XY onLine = p.vertical ? map_(p.dimensionLine, p.z2) : map_(p.x2, p.dimensionLine);
    const std::string style = p.dimensionScale > 0 ? sectionDimensions(p.dimensionScale) : dimensionStyle_;
    space.dimension(styleOf(p), name, style, o1, o2, onLine, map_(p.textAt.x, p.textAt.z),
                    p.vertical ? 90 : 0, dxfText(p.text));
  }

  void entity(dxf::Space& space, const Primitive& p) {
    switch (p.shape) {
      case Shape::Line:
        space.line(styleOf(p), map_(p.x1, p.z1), map_(p.x2, p.z2));
        break;
      case Shape::Box: {
        const std::vector<Point> corners{{p.x1, p.z1}, {p.x2, p.z1}, {p.x2, p.z2}, {p.x1, p.z2}};
        fill(space, p, corners);
        space.polyline(styleOf(p), mapped(corners), true);
        break;
      }
      case Shape::Polyline:
        if (p.points.size() < 2) break;
        if (p.closed) fill(space, p, p.points);
        space.polyline(styleOf(p), mapped(p.points), p.closed);
        break;
      case Shape::Circle:
        space.circle(styleOf(p), map_(p.x1, p.z1), p.radius * scale_);
        break;
      case Shape::Text:
        if (!p.text.empty()) text(space, p);
        break;
      case Shape::Dimension:
        dimension(space, p);
        break;
    }
  }
};

// The cap height of the dimension figures on paper, mm: the size the sheet sets them at.
double dimensionTextHeight(const print::Sheet& plan) {
  for (const Primitive& p : plan.primitives)
    if (p.shape == Shape::Dimension) return p.fontSize * print::kMmPerPoint * print::kFontCapHeight;
  return print::kSmallestText * print::kMmPerPoint * print::kFontCapHeight;
}

}  // namespace

std::string dxfLayer(const Primitive& p) {
  switch (p.role) {
    case Role::SheetGrid:
    case Role::GridLine:
    case Role::PageGrid: return "GRID";
    case Role::GridName: return "GRID-TEXT";
    case Role::FootingOutline:
    case Role::CombinedOutline: return "FOOTING";
    case Role::Pedestal: return "PEDESTAL";
    case Role::Column:
    case Role::ColumnMark: return "COLUMN";
    case Role::FootingMark:
    case Role::FootingLabel: return "MARK";
    case Role::Dimension: return "DIMENSION";
    case Role::Schedule: return "SCHEDULE";
    case Role::Notes: return "NOTES";
    case Role::Section: return "SECTION";
    case Role::Rebar: return "REBAR";
    case Role::Hatch: return "HATCH";
    default: return "TITLE";
  }
}

std::string dxfText(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size();) {
    const uint32_t c = nextCodePoint(s, i);
    if (c == 0xD8 || c == 0x2300 || c == 0x2205) {
      out += "%%c";
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else if (c >= 0x80) {
      char code[16];
      std::snprintf(code, sizeof code, "\\U+%04X", static_cast<unsigned>(c));
      out += code;
    }
  }
  return out;
}

std::string writeDxfFile(const print::Sheet& plan, const std::vector<print::Sheet>& sheets, const std::string& path) {
  std::vector<dxf::Linetype> types;
  for (const LinetypeStyle& t : linetypes()) types.push_back(t.type);
  const double textHeight = dimensionTextHeight(plan);
  dxf::DimensionStyle model{kPlanDimensions, static_cast<double>(plan.scale), 1, textHeight, kTickHalf * 1.4,
                            kExtensionBeyond, kDimensionLineBeyond, 0.6};
  dxf::DimensionStyle paper = model;
  paper.name = kSheetDimensions;
  paper.scale = 1;
  paper.linearFactor = sheets.empty() ? 1 : sheets.front().scale;
  std::vector<dxf::LayoutPaper> papers;
  for (const print::Sheet& s : sheets)
    papers.push_back({"Sheet " + std::to_string(s.number), s.paper.width, s.paper.height});
  std::vector<dxf::DimensionStyle> styles{model, paper};
  for (int scale : print::kSectionScales) {
    dxf::DimensionStyle section = paper;
    section.name = sectionDimensions(scale);
    section.linearFactor = scale;
    styles.push_back(section);
  }
  dxf::Document doc({kLayers.begin(), kLayers.end()}, types, styles, "DejaVuSans.ttf", papers);

  // Model space: the plan at its true millimetres, Z downward as -Y.
  SpaceWriter planWriter(
      doc, doc.model(),
      [&plan](double x, double z) { return dxf::XY{(x - plan.originX) * plan.scale, -(z - plan.originZ) * plan.scale}; },
      plan.scale, kPlanDimensions);
  for (const Primitive& p : plan.primitives) planWriter.entity(p);
  // Each sheet in paper millimetres from the paper's lower-left corner.
  for (std::size_t k = 0; k < sheets.size(); ++k) {
    const double height = sheets[k].paper.height;
    SpaceWriter sheetWriter(
        doc, doc.sheet(k), [height](double x, double z) { return dxf::XY{x, height - z}; }, 1, kSheetDimensions);
    for (const Primitive& p : sheets[k].primitives) sheetWriter.entity(p);
  }
  return doc.write(path);
}

std::string writeSheetDxf(const Project& project, const std::string& path) {
  auto failed = [&path](const std::string& reason) {
    return "The DXF file " + path + " could not be written: " + reason + ".";
  };
  const std::vector<ProtectedFile> inputs = projectInputFiles(project.AnlPath);
  if (const TargetCheck check = checkOutputTarget(path, inputs); !check) return failed(check.reason);
  const draw::TextMeasure measure = print::sheetFontMeasure();
  const print::Sheet plan = print::cadPlan(project, project.decisions.sheet, measure);
  const std::vector<print::Sheet> sheets = print::footingSheets(project, project.decisions.sheet, measure);
  const std::string reason = writeFileSafely(
      path, [&](const std::string& temporary) { return writeDxfFile(plan, sheets, temporary); }, inputs);
  if (!reason.empty()) return failed(reason);
  return {};
}

}  // namespace plintova::draw
