// The footing drawing as a DXF file for CAD programs, written with dxflib from the sheet's primitives.
#include "draw/dxf_writer.h"

#include <dl_dxf.h>
#include <dl_writer_ascii.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>

#include "output/project_files.h"
#include "output/safe_file.h"
#include "print/sheet_text.h"

namespace plintova::draw {

namespace {

struct LayerStyle {
  const char* name;
  int colour;      // AutoCAD colour index
  int lineweight;  // 1/100 mm
};

constexpr std::array<LayerStyle, 10> kLayers{{
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
}};

// Line types by the line style of a primitive; their patterns are in paper millimetres, multiplied by
// the drawing's scale so that they look on a plot at that scale as on the printed sheet.
struct LinetypeStyle {
  LineStyle style;
  const char* name;
  const char* description;
  std::vector<double> pattern;  // dashes positive, gaps negative, dots 0
};

const std::vector<LinetypeStyle>& linetypes() {
  static const std::vector<LinetypeStyle> types{
      {LineStyle::Dash, "DASHED", "__ __ __", {2.0, -1.2}},
      {LineStyle::Dot, "DOT", ". . . .", {0.0, -0.8}},
      {LineStyle::DashDot, "DASHDOT", "__ . __ .", {6.0, -1.2, 0.0, -1.2}},
      {LineStyle::DashDotDot, "DIVIDE", "__ . . __", {6.0, -1.2, 0.0, -1.2, 0.0, -1.2}},
  };
  return types;
}

std::string linetypeOf(LineStyle s) {
  for (const LinetypeStyle& t : linetypes())
    if (t.style == s) return t.name;
  return "BYLAYER";
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


// Writes the drawing: header, tables, blocks, entities, objects.
class DxfDrawing {
 public:
  DxfDrawing(const print::Sheet& sheet, DL_WriterA& dw) : sheet_(sheet), dw_(dw) {}

  void write() {
    dxf_.writeHeader(dw_);
    // Millimetres, metric.
    dw_.dxfString(9, "$INSUNITS");
    dw_.dxfInt(70, 4);
    dw_.dxfString(9, "$MEASUREMENT");
    dw_.dxfInt(70, 1);
    dw_.dxfString(9, "$LUNITS");
    dw_.dxfInt(70, 2);
    dw_.sectionEnd();

    dw_.sectionTables();
    dxf_.writeVPort(dw_);
    writeLinetypes();
    dw_.tableLayers(static_cast<int>(kLayers.size()) + 1);
    dxf_.writeLayer(dw_, DL_LayerData("0", 0), DL_Attributes("", 7, -3, "CONTINUOUS", 1.0));
    for (const LayerStyle& l : kLayers)
      dxf_.writeLayer(dw_, DL_LayerData(l.name, 0), DL_Attributes("", l.colour, l.lineweight, "CONTINUOUS", 1.0));
    dw_.tableEnd();
    dw_.tableStyle(1);
    dxf_.writeStyle(dw_, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
    dw_.tableEnd();
    dxf_.writeView(dw_);
    dxf_.writeUcs(dw_);
    dw_.tableAppid(1);
    dxf_.writeAppid(dw_, "ACAD");
    dw_.tableEnd();
    dxf_.writeDimStyle(dw_, 2.5, 1.25, 0.625, 0.625, 2.5);
    dxf_.writeBlockRecord(dw_);
    dw_.tableEnd();
    dw_.sectionEnd();

    dw_.sectionBlocks();
    dxf_.writeBlock(dw_, DL_BlockData("*Model_Space", 0, 0.0, 0.0, 0.0));
    dxf_.writeEndBlock(dw_, "*Model_Space");
    dxf_.writeBlock(dw_, DL_BlockData("*Paper_Space", 0, 0.0, 0.0, 0.0));
    dxf_.writeEndBlock(dw_, "*Paper_Space");
    dxf_.writeBlock(dw_, DL_BlockData("*Paper_Space0", 0, 0.0, 0.0, 0.0));
    dxf_.writeEndBlock(dw_, "*Paper_Space0");
    dw_.sectionEnd();

    dw_.sectionEntities();
    for (const Primitive& p : sheet_.primitives) entity(p);
    dw_.sectionEnd();
    dxf_.writeObjects(dw_);
    dxf_.writeObjectsEnd(dw_);
    dw_.dxfEOF();
  }

 private:
  const print::Sheet& sheet_;
  DL_WriterA& dw_;
  DL_Dxf dxf_;

  // Paper millimetres to model space: the plan at its true millimetres, Z downward as -Y.
  double mx(double x) const { return (x - sheet_.originX) * sheet_.scale; }
  double my(double z) const { return -(z - sheet_.originZ) * sheet_.scale; }

  void writeLinetypes() {
    const std::vector<LinetypeStyle>& types = linetypes();
    dw_.tableLinetypes(3 + static_cast<int>(types.size()));
    dxf_.writeLinetype(dw_, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf_.writeLinetype(dw_, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf_.writeLinetype(dw_, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    for (const LinetypeStyle& t : types) {
      std::vector<double> pattern;
      double length = 0;
      for (double d : t.pattern) {
        pattern.push_back(d * sheet_.scale);
        length += std::fabs(d) * sheet_.scale;
      }
      dxf_.writeLinetype(dw_, DL_LinetypeData(t.name, t.description, 0, static_cast<int>(pattern.size()), length,
                                              pattern.data()));
    }
  }

  DL_Attributes attributes(const Primitive& p) const {
    return DL_Attributes(dxfLayer(p), 256, lineweightOf(p.width), linetypeOf(p.style), 1.0);
  }

  void polyline(const std::vector<Point>& points, bool closed, const DL_Attributes& a) {
    dxf_.writePolyline(dw_, DL_PolylineData(static_cast<int>(points.size()), 0, 0, closed ? 1 : 0), a);
    for (const Point& q : points) dxf_.writeVertex(dw_, DL_VertexData(mx(q.x), my(q.z), 0.0, 0.0));
    dxf_.writePolylineEnd(dw_);
  }

  void text(const Primitive& p) {
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
      dxf_.writeText(dw_,
                     DL_TextData(mx(x), my(z), 0.0, mx(x), my(z), 0.0, em * print::kFontCapHeight * sheet_.scale, 1.0, 0, h, 0,
                                 dxfText(lines[i]), "Standard", p.vertical ? 90.0 : 0.0),
                     attributes(p));
    }
  }

  void entity(const Primitive& p) {
    const DL_Attributes a = attributes(p);
    switch (p.shape) {
      case Shape::Line:
        dxf_.writeLine(dw_, DL_LineData(mx(p.x1), my(p.z1), 0.0, mx(p.x2), my(p.z2), 0.0), a);
        break;
      case Shape::Box:
        polyline({{p.x1, p.z1}, {p.x2, p.z1}, {p.x2, p.z2}, {p.x1, p.z2}}, true, a);
        break;
      case Shape::Polyline:
        if (p.points.size() >= 2) polyline(p.points, p.closed, a);
        break;
      case Shape::Circle:
        dxf_.writeCircle(dw_, DL_CircleData(mx(p.x1), my(p.z1), 0.0, p.radius * sheet_.scale), a);
        break;
      case Shape::Text:
        if (!p.text.empty()) text(p);
        break;
    }
  }
};

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
    default: return "TITLE";
  }
}

std::string dxfText(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size();) {
    const uint32_t c = print::nextCodePoint(s, i);
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

std::string writeDxfFile(const print::Sheet& sheet, const std::string& path) {
  {
    DL_WriterA dw(path.c_str(), DL_Codes::AC1015);
    if (dw.openFailed()) return "the file could not be opened";
    DxfDrawing(sheet, dw).write();
    dw.close();
  }
  // dxflib does not report a failed write: the file must end where the drawing does.
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return "the file could not be read back";
  const std::streamoff size = in.tellg();
  if (size < 16) return "the file came out empty";
  in.seekg(size - 16);
  std::string tail(16, '\0');
  in.read(tail.data(), 16);
  if (!in || tail.find("EOF") == std::string::npos) return "the drawing was not written whole";
  return {};
}

std::string writeSheetDxf(const Project& project, const std::string& path) {
  auto failed = [&path](const std::string& reason) {
    return "The DXF file " + path + " could not be written: " + reason + ".";
  };
  const std::vector<ProtectedFile> inputs = projectInputFiles(project.AnlPath);
  if (const TargetCheck check = checkOutputTarget(path, inputs); !check) return failed(check.reason);
  const print::Sheet sheet = print::cadSheet(project, project.decisions.sheet, print::sheetFontMeasure());
  const std::string reason =
      writeFileSafely(path, [&sheet](const std::string& temporary) { return writeDxfFile(sheet, temporary); }, inputs);
  if (!reason.empty()) return failed(reason);
  return {};
}

}  // namespace plintova::draw
