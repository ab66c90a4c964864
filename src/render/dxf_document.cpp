// The DXF drawing assembled in memory: sections, tables, blocks, layouts and their handles, written as
// dxflib's ASCII writer writes them, in one buffer.
#include "render/dxf_document.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string_view>
#include <tuple>

namespace plintova::draw::dxf {

namespace {

Group textGroup(int code, const std::string& v) { return {Group::Kind::Text, code, v, 0, 0}; }
Group intGroup(int code, long long v) { return {Group::Kind::Integer, code, {}, v, 0}; }
Group realGroup(int code, double v) { return {Group::Kind::Real, code, {}, 0, v}; }
Group handleGroup(int code, unsigned long h) { return {Group::Kind::Handle, code, {}, static_cast<long long>(h), 0}; }

class Groups {
 public:
  explicit Groups(std::vector<Group>& g) : g_(g) {}
  Groups& s(int code, const std::string& v) { return g_.push_back(textGroup(code, v)), *this; }
  Groups& i(int code, long long v) { return g_.push_back(intGroup(code, v)), *this; }
  Groups& r(int code, double v) { return g_.push_back(realGroup(code, v)), *this; }
  Groups& h(int code, unsigned long v) { return g_.push_back(handleGroup(code, v)), *this; }
  Groups& xy(int code, double x, double y) { return r(code, x).r(code + 10, y).r(code + 20, 0); }

 private:
  std::vector<Group>& g_;
};

std::string hexText(unsigned long h) {
  char s[32];
  std::snprintf(s, sizeof s, "%lX", h);
  return s;
}

// A symbol table's head.
void tableHead(Groups& g, const char* name, unsigned long handle, std::size_t entries) {
  g.s(0, "TABLE").s(2, name).h(5, handle).h(330, 0).s(100, "AcDbSymbolTable").i(70, static_cast<long long>(entries));
}

void recordHead(Groups& g, const char* type, const char* subclass, unsigned long handle, unsigned long table,
                int handleCode = 5) {
  g.s(0, type).h(handleCode, handle).h(330, table).s(100, "AcDbSymbolTableRecord").s(100, subclass);
}

}  // namespace

struct Document::Block {
  std::string name;
  unsigned long record = 0, begin = 0, end = 0, layout = 0;
  bool paper = false, inEntities = false, anonymous = false;
  Space space;
  Block(Document& doc, std::string n, unsigned long r, bool paperSpace)
      : name(std::move(n)), record(r), paper(paperSpace), space(doc, r, paperSpace) {}
};

struct Document::Sheet {
  LayoutPaper paper;
  Block* block = nullptr;
};

// ---- entities ----

void Space::start(const char* type, const Style& s) {
  Groups g(groups_);
  g.s(0, type).h(5, doc_.handle()).h(330, owner_).s(100, "AcDbEntity");
  if (paper_) g.i(67, 1);
  g.s(8, s.layer).s(6, s.linetype).i(62, s.colour).i(370, s.lineweight);
  if (s.linetypeScale != 1) g.r(48, s.linetypeScale);
}

void Space::line(const Style& s, XY a, XY b) {
  start("LINE", s);
  Groups(groups_).s(100, "AcDbLine").xy(10, a.x, a.y).xy(11, b.x, b.y);
}

void Space::polyline(const Style& s, const std::vector<XY>& points, bool closed) {
  start("LWPOLYLINE", s);
  Groups g(groups_);
  g.s(100, "AcDbPolyline").i(90, static_cast<long long>(points.size())).i(70, closed ? 1 : 0).r(43, 0);
  for (const XY& p : points) g.r(10, p.x).r(20, p.y);
}

void Space::circle(const Style& s, XY centre, double radius) {
  start("CIRCLE", s);
  Groups(groups_).s(100, "AcDbCircle").xy(10, centre.x, centre.y).r(40, radius);
}

void Space::solid(const Style& s, const std::vector<XY>& corners) {
  if (corners.size() < 3) return;
  start("SOLID", s);
  // SOLID takes its corners in the order 1, 2, 4, 3 round the outline; a triangle repeats its last.
  const XY c[4] = {corners[0], corners[1], corners.size() > 3 ? corners[3] : corners[2], corners[2]};
  Groups g(groups_);
  g.s(100, "AcDbTrace");
  for (int k = 0; k < 4; ++k) g.xy(10 + k, c[k].x, c[k].y);
}

void Space::text(const Style& s, XY at, double height, double rotation, int halign, const std::string& value) {
  start("TEXT", s);
  Groups g(groups_);
  g.s(100, "AcDbText").xy(10, at.x, at.y).r(40, height).s(1, value).r(50, rotation).s(7, "SHEET");
  if (halign != 0) g.i(72, halign).xy(11, at.x, at.y);
  g.s(100, "AcDbText").i(73, 0);
}

void Space::dimension(const Style& s, const std::string& block, const std::string& dimensionStyle, XY origin1,
                      XY origin2, XY onLine, XY textMiddle, double rotation, const std::string& value) {
  start("DIMENSION", s);
  Groups g(groups_);
  // Flags: a rotated linear dimension (0) whose block is its own (32) and whose figure stands where
  // the drawing put it (128).
  g.s(100, "AcDbDimension").s(2, block).xy(10, onLine.x, onLine.y).xy(11, textMiddle.x, textMiddle.y).i(70, 160);
  g.s(1, value).s(3, dimensionStyle);
  g.s(100, "AcDbAlignedDimension").xy(13, origin1.x, origin1.y).xy(14, origin2.x, origin2.y).r(50, rotation);
  g.s(100, "AcDbRotatedDimension");
}

// ---- the document ----

Document::Document(std::vector<Layer> layers, std::vector<Linetype> linetypes,
                   std::vector<DimensionStyle> dimensionStyles, const std::string& font,
                   const std::vector<LayoutPaper>& sheets)
    : layers_(std::move(layers)), linetypes_(std::move(linetypes)), dimensionStyles_(std::move(dimensionStyles)),
      font_(font) {
  Fixed& f = h_;
  for (unsigned long* t : {&f.vportTable, &f.ltypeTable, &f.layerTable, &f.styleTable, &f.viewTable, &f.ucsTable,
                           &f.appidTable, &f.dimstyleTable, &f.blockTable, &f.vport, &f.appid, &f.textStyle,
                           &f.standardStyle, &f.root, &f.groups, &f.layouts, &f.modelLayout})
    *t = handle();
  for (std::size_t k = 0; k < 3 + linetypes_.size(); ++k) f.linetypes.push_back(handle());
  for (std::size_t k = 0; k < 1 + layers_.size(); ++k) f.layers.push_back(handle());
  for (std::size_t k = 0; k < 1 + dimensionStyles_.size(); ++k) f.dimensionStyles.push_back(handle());

  auto addBlock = [&](const std::string& name, bool paper) {
    blocks_.push_back(std::make_unique<Block>(*this, name, handle(), paper));
    Block& b = *blocks_.back();
    b.begin = handle();
    b.end = handle();
    return &b;
  };
  Block* model = addBlock("*Model_Space", false);
  model->inEntities = true;
  model->layout = f.modelLayout;
  for (std::size_t k = 0; k < sheets.size(); ++k) {
    // The first layout's paper space is *Paper_Space, its entities in the ENTITIES section; the others'
    // are *Paper_Space0, *Paper_Space1, ... with their entities in their blocks.
    Block* b = addBlock(k == 0 ? "*Paper_Space" : "*Paper_Space" + std::to_string(k - 1), true);
    b->inEntities = k == 0;
    b->layout = handle();
    sheets_.push_back(std::make_unique<Sheet>(Sheet{sheets[k], b}));
  }
}

Document::~Document() = default;

Space& Document::model() { return blocks_.front()->space; }
Space& Document::sheet(std::size_t k) { return sheets_.at(k)->block->space; }
std::size_t Document::sheetCount() const { return sheets_.size(); }

std::pair<std::string, Space*> Document::dimensionBlock() {
  const std::string name = "*D" + std::to_string(++dimensions_);
  blocks_.push_back(std::make_unique<Block>(*this, name, handle(), false));
  Block& b = *blocks_.back();
  b.begin = handle();
  b.end = handle();
  b.anonymous = true;
  return {name, &b.space};
}

std::vector<Group> Document::header() const {
  std::vector<Group> out;
  Groups g(out);
  g.s(0, "SECTION").s(2, "HEADER");
  g.s(9, "$ACADVER").s(1, "AC1015");
  g.s(9, "$HANDSEED").s(5, hexText(next_));
  g.s(9, "$INSUNITS").i(70, 4);     // millimetres
  g.s(9, "$MEASUREMENT").i(70, 1);  // metric
  g.s(9, "$LUNITS").i(70, 2);
  g.s(9, "$LUPREC").i(70, 0);
  g.s(9, "$TEXTSTYLE").s(7, "SHEET");
  g.s(9, "$DIMSTYLE").s(2, dimensionStyles_.empty() ? "Standard" : dimensionStyles_.front().name);
  g.s(9, "$CLAYER").s(8, "0");
  g.s(9, "$LTSCALE").r(40, 1);
  g.s(9, "$PSLTSCALE").i(70, 0);
  g.s(9, "$TILEMODE").i(70, 1);
  g.s(0, "ENDSEC");
  return out;
}

void Document::blockRecord(std::vector<Group>& out, const Block& b) const {
  Groups g(out);
  recordHead(g, "BLOCK_RECORD", "AcDbBlockTableRecord", b.record, h_.blockTable);
  g.s(2, b.name);
  if (b.layout) g.h(340, b.layout);
}

std::vector<Group> Document::tables() const {
  std::vector<Group> out;
  Groups g(out);
  g.s(0, "SECTION").s(2, "TABLES");

  tableHead(g, "VPORT", h_.vportTable, 1);
  recordHead(g, "VPORT", "AcDbViewportTableRecord", h_.vport, h_.vportTable);
  g.s(2, "*Active").i(70, 0).xy(10, 0, 0).r(11, 1).r(21, 1).xy(12, 0, 0).r(13, 0).r(23, 0).r(14, 10).r(24, 10);
  g.r(15, 10).r(25, 10).r(16, 0).r(26, 0).r(36, 1).r(17, 0).r(27, 0).r(37, 0).r(40, 1000).r(41, 1.34).r(42, 50);
  g.r(43, 0).r(44, 0).r(50, 0).r(51, 0).i(71, 0).i(72, 1000).i(73, 1).i(74, 3).i(75, 0).i(76, 0).i(77, 0).i(78, 0);
  g.s(0, "ENDTAB");

  tableHead(g, "LTYPE", h_.ltypeTable, 3 + linetypes_.size());
  const char* fixed[3] = {"ByBlock", "ByLayer", "Continuous"};
  for (int k = 0; k < 3; ++k) {
    recordHead(g, "LTYPE", "AcDbLinetypeTableRecord", h_.linetypes[static_cast<std::size_t>(k)], h_.ltypeTable);
    g.s(2, fixed[k]).i(70, 0).s(3, k == 2 ? "Solid line" : "").i(72, 65).i(73, 0).r(40, 0);
  }
  for (std::size_t k = 0; k < linetypes_.size(); ++k) {
    const Linetype& t = linetypes_[k];
    double length = 0;
    for (double d : t.pattern) length += std::fabs(d);
    recordHead(g, "LTYPE", "AcDbLinetypeTableRecord", h_.linetypes[3 + k], h_.ltypeTable);
    g.s(2, t.name).i(70, 0).s(3, t.description).i(72, 65).i(73, static_cast<long long>(t.pattern.size())).r(40, length);
    for (double d : t.pattern) g.r(49, d).i(74, 0);
  }
  g.s(0, "ENDTAB");

  tableHead(g, "LAYER", h_.layerTable, 1 + layers_.size());
  for (std::size_t k = 0; k <= layers_.size(); ++k) {
    const Layer l = k == 0 ? Layer{"0", 7, -3} : layers_[k - 1];
    recordHead(g, "LAYER", "AcDbLayerTableRecord", h_.layers[k], h_.layerTable);
    g.s(2, l.name).i(70, 0).i(62, l.colour).s(6, "Continuous").i(370, l.lineweight);
  }
  g.s(0, "ENDTAB");

  tableHead(g, "STYLE", h_.styleTable, 2);
  for (const auto& [handle, name, file] : {std::tuple{h_.standardStyle, std::string("Standard"), std::string("txt")},
                                           std::tuple{h_.textStyle, std::string("SHEET"), font_}}) {
    recordHead(g, "STYLE", "AcDbTextStyleTableRecord", handle, h_.styleTable);
    g.s(2, name).i(70, 0).r(40, 0).r(41, 1).r(50, 0).i(71, 0).r(42, 2.5).s(3, file).s(4, "");
  }
  g.s(0, "ENDTAB");

  tableHead(g, "VIEW", h_.viewTable, 0);
  g.s(0, "ENDTAB");
  tableHead(g, "UCS", h_.ucsTable, 0);
  g.s(0, "ENDTAB");
  tableHead(g, "APPID", h_.appidTable, 1);
  recordHead(g, "APPID", "AcDbRegAppTableRecord", h_.appid, h_.appidTable);
  g.s(2, "ACAD").i(70, 0);
  g.s(0, "ENDTAB");

  tableHead(g, "DIMSTYLE", h_.dimstyleTable, 1 + dimensionStyles_.size());
  g.s(100, "AcDbDimStyleTable");
  for (std::size_t k = 0; k <= dimensionStyles_.size(); ++k) {
    const DimensionStyle d = k == 0 ? DimensionStyle{"Standard"} : dimensionStyles_[k - 1];
    recordHead(g, "DIMSTYLE", "AcDbDimStyleTableRecord", h_.dimensionStyles[k], h_.dimstyleTable, 105);
    g.s(2, d.name).i(70, 0);
    // Sizes, then switches: oblique ticks (DIMTSZ), the figure above the line and aligned with it,
    // whole millimetres with a point as the decimal sign, every size multiplied by DIMSCALE.
    g.r(40, d.scale).r(41, d.tick).r(42, 0).r(43, 3.75).r(44, d.extensionBeyond).r(45, 0).r(46, d.lineBeyond);
    g.r(140, d.textHeight).r(141, 0).r(142, d.tick).r(144, d.linearFactor).r(147, d.textGap);
    g.i(73, 0).i(74, 0).i(77, 1).i(78, 8).i(172, 1).i(271, 0).i(277, 2).i(278, 46).i(279, 2);
    g.h(340, h_.textStyle).i(371, -2).i(372, -2);
  }
  g.s(0, "ENDTAB");

  tableHead(g, "BLOCK_RECORD", h_.blockTable, blocks_.size());
  for (const auto& b : blocks_) blockRecord(out, *b);
  g.s(0, "ENDTAB");
  g.s(0, "ENDSEC");
  return out;
}

std::vector<Group> Document::blocks() const {
  std::vector<Group> out;
  Groups g(out);
  g.s(0, "SECTION").s(2, "BLOCKS");
  for (const auto& b : blocks_) {
    g.s(0, "BLOCK").h(5, b->begin).h(330, b->record).s(100, "AcDbEntity");
    if (b->paper) g.i(67, 1);
    g.s(8, "0").s(100, "AcDbBlockBegin").s(2, b->name).i(70, b->anonymous ? 1 : 0).xy(10, 0, 0).s(3, b->name).s(1, "");
    if (!b->inEntities) out.insert(out.end(), b->space.groups_.begin(), b->space.groups_.end());
    g.s(0, "ENDBLK").h(5, b->end).h(330, b->record).s(100, "AcDbEntity");
    if (b->paper) g.i(67, 1);
    g.s(8, "0").s(100, "AcDbBlockEnd");
  }
  g.s(0, "ENDSEC");
  return out;
}

std::vector<Group> Document::objects() const {
  std::vector<Group> out;
  Groups g(out);
  g.s(0, "SECTION").s(2, "OBJECTS");
  g.s(0, "DICTIONARY").h(5, h_.root).h(330, 0).s(100, "AcDbDictionary").i(281, 1);
  g.s(3, "ACAD_GROUP").h(350, h_.groups).s(3, "ACAD_LAYOUT").h(350, h_.layouts);
  g.s(0, "DICTIONARY").h(5, h_.groups).h(330, h_.root).s(100, "AcDbDictionary").i(281, 1);
  g.s(0, "DICTIONARY").h(5, h_.layouts).h(330, h_.root).s(100, "AcDbDictionary").i(281, 1);
  g.s(3, "Model").h(350, h_.modelLayout);
  for (const auto& s : sheets_) g.s(3, s->paper.name).h(350, s->block->layout);

  auto layout = [&](unsigned long handle, const LayoutPaper& paper, int tab, unsigned long record) {
    g.s(0, "LAYOUT").h(5, handle).h(330, h_.layouts).s(100, "AcDbPlotSettings").s(1, "").s(2, "none_device");
    g.s(4, "").s(6, "").r(40, 0).r(41, 0).r(42, 0).r(43, 0).r(44, paper.width).r(45, paper.height).r(46, 0).r(47, 0);
    g.r(48, 0).r(49, 0).r(140, 0).r(141, 0).r(142, 1).r(143, 1).i(70, tab == 0 ? 1024 : 0).i(72, 1).i(73, 0).i(74, 5);
    g.s(7, "").i(75, 16).r(147, 1).r(148, 0).r(149, 0);
    g.s(100, "AcDbLayout").s(1, tab == 0 ? "Model" : paper.name).i(70, 1).i(71, tab);
    g.r(10, 0).r(20, 0).r(11, paper.width).r(21, paper.height).xy(12, 0, 0).xy(14, 0, 0).xy(15, paper.width, paper.height);
    g.r(146, 0).xy(13, 0, 0).xy(16, 1, 0).r(17, 0).r(27, 1).r(37, 0).i(76, 0).h(330, record);
  };
  layout(h_.modelLayout, LayoutPaper{"Model", 420, 297}, 0, blocks_.front()->record);
  for (std::size_t k = 0; k < sheets_.size(); ++k)
    layout(sheets_[k]->block->layout, sheets_[k]->paper, static_cast<int>(k) + 1, sheets_[k]->block->record);
  g.s(0, "ENDSEC");
  return out;
}

std::string Document::write(const std::string& path) {
  std::vector<Group> all;
  auto append = [&all](const std::vector<Group>& g) { all.insert(all.end(), g.begin(), g.end()); };
  std::vector<Group> entities;
  {
    Groups g(entities);
    g.s(0, "SECTION").s(2, "ENTITIES");
    for (const auto& b : blocks_)
      if (b->inEntities) entities.insert(entities.end(), b->space.groups_.begin(), b->space.groups_.end());
    g.s(0, "ENDSEC");
  }
  // The header names the next free handle: it is made last, once every handle is given out.
  const std::vector<Group> body[] = {tables(), blocks(), entities, objects()};
  append(header());
  append({textGroup(0, "SECTION"), textGroup(2, "CLASSES"), textGroup(0, "ENDSEC")});
  for (const auto& b : body) append(b);
  append({textGroup(0, "EOF")});

  std::string text;
  text.reserve(all.size() * 12);
  for (const Group& x : all) appendGroupText(text, x);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return "the file could not be opened";
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) return "the drawing was not written whole";
  return {};
}

void appendGroupText(std::string& out, const Group& group) {
  char buffer[400];
  char* end = buffer;
  if (group.code < 10) *end++ = ' ';
  if (group.code < 100) *end++ = ' ';
  end = std::to_chars(end, buffer + sizeof buffer, group.code).ptr;
  *end++ = '\n';
  out.append(buffer, end);
  switch (group.kind) {
    case Group::Kind::Text: out += group.text; break;
    case Group::Kind::Integer:
      out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, static_cast<int>(group.integer)).ptr);
      break;
    case Group::Kind::Handle: out += hexText(static_cast<unsigned long>(group.integer)); break;
    case Group::Kind::Real: {
      // Fixed with 16 decimals (what "%.16f" gives), then the zeros after the first decimal cut.
      const auto r = std::to_chars(buffer, buffer + sizeof buffer, group.real, std::chars_format::fixed, 16);
      std::string_view number(buffer, r.ec == std::errc() ? static_cast<std::size_t>(r.ptr - buffer) : 0);
      if (const std::size_t dot = number.find('.'); dot != std::string_view::npos) {
        std::size_t keep = dot + 2;
        for (std::size_t i = dot + 1; i < number.size(); ++i)
          if (number[i] != '0') keep = i + 1;
        number = number.substr(0, std::min(keep, number.size()));
      }
      out += number;
      break;
    }
  }
  out += '\n';
}

}  // namespace plintova::draw::dxf
