// A DXF drawing (AutoCAD 2000 format, millimetres) assembled in memory and written as group text
// in the layout of dxflib's ASCII writer:
// model space, one paper-space layout per sheet, blocks, and the tables and objects that tie them
// together, every object with its own handle and the handle of its owner.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace plintova::draw::dxf {

// One group of the file: its code and its value, kept with its type so that the writer formats it.
struct Group {
  enum class Kind { Text, Integer, Real, Handle } kind = Kind::Text;
  int code = 0;
  std::string text;
  long long integer = 0;
  double real = 0;
};

// The text of groups as an ASCII DXF holds them: the code right-aligned in three columns on a line of
// its own, then the value on the next; a real in fixed notation with 16 decimals, its trailing zeros cut
// after the first decimal ("0.0", "2.5", "1234.5678"), as dxflib's writer puts it. Made with to_chars,
// without a stream flushed after every group.
void appendGroupText(std::string& out, const Group& group);

struct Layer {
  std::string name;
  int colour = 7;       // AutoCAD colour index
  int lineweight = 25;  // 1/100 mm
};

// A line type; its pattern in drawing units: dashes positive, gaps negative, dots 0.
struct Linetype {
  std::string name, description;
  std::vector<double> pattern;
};

// A dimension style: `scale` multiplies every size of it (DIMSCALE), `linearFactor` every measured
// length (DIMLFAC); sizes are as they print, in millimetres.
struct DimensionStyle {
  std::string name;
  double scale = 1, linearFactor = 1;
  double textHeight = 2.5, tick = 1, extensionBeyond = 1, lineBeyond = 1, textGap = 0.6;
};

struct LayoutPaper {
  std::string name;  // the layout's tab
  double width = 420, height = 297;
};

// How an entity is drawn: its layer, lineweight (1/100 mm, -1 by layer), line type and its scale, and
// colour (256 by layer).
struct Style {
  std::string layer = "0";
  int lineweight = -1;
  std::string linetype = "BYLAYER";
  double linetypeScale = 1;
  int colour = 256;
};

struct XY {
  double x = 0, y = 0;
};

class Document;

// Where entities go: model space, the paper space of a sheet, or a block.
class Space {
 public:
  // Entities owned by the block record `owner`; `paper` marks those of a paper-space layout.
  Space(Document& doc, unsigned long owner, bool paper) : doc_(doc), owner_(owner), paper_(paper) {}

  void line(const Style& s, XY a, XY b);
  void polyline(const Style& s, const std::vector<XY>& points, bool closed);
  void circle(const Style& s, XY centre, double radius);
  // A filled triangle or quadrilateral (its corners in order round it).
  void solid(const Style& s, const std::vector<XY>& corners);
  // One line of text: its alignment point, cap height, rotation (0 or 90 degrees), horizontal alignment
  // (0 left, 1 centre, 2 right) on its baseline.
  void text(const Style& s, XY at, double height, double rotation, int halign, const std::string& value);
  // A linear dimension drawn by `block`: the extension lines' origins, the point where the dimension line
  // meets the second extension line, the figure's middle, the rotation of the dimension line (0 along X,
  // 90 along Y) and the figure written over the measurement.
  void dimension(const Style& s, const std::string& block, const std::string& dimensionStyle, XY origin1, XY origin2,
                 XY onLine, XY textMiddle, double rotation, const std::string& value);

 private:
  friend class Document;
  void start(const char* type, const Style& s);

  Document& doc_;
  unsigned long owner_;
  bool paper_;
  std::vector<Group> groups_;
};

class Document {
 public:
  // The tables of the drawing and one paper-space layout per entry of `sheets`. Texts take the style
  // "SHEET" in `font` (a TrueType file name).
  Document(std::vector<Layer> layers, std::vector<Linetype> linetypes, std::vector<DimensionStyle> dimensionStyles,
           const std::string& font, const std::vector<LayoutPaper>& sheets);
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  Space& model();
  Space& sheet(std::size_t k);
  std::size_t sheetCount() const;
  // A new anonymous block for a dimension ("*D1", "*D2", ...): its name, and its space for the entities.
  std::pair<std::string, Space*> dimensionBlock();

  // Writes the file; "" or the reason it could not be written whole.
  std::string write(const std::string& path);

  unsigned long handle() { return next_++; }

 private:
  struct Block;
  struct Sheet;

  std::vector<Group> header() const;
  std::vector<Group> tables() const;
  std::vector<Group> blocks() const;
  std::vector<Group> objects() const;
  void blockRecord(std::vector<Group>& g, const Block& b) const;

  std::vector<Layer> layers_;
  std::vector<Linetype> linetypes_;
  std::vector<DimensionStyle> dimensionStyles_;
  std::string font_;
  unsigned long next_ = 0x20;
  // Handles of the tables, the fixed records and objects.
  struct Fixed {
    unsigned long vportTable, ltypeTable, layerTable, styleTable, viewTable, ucsTable, appidTable, dimstyleTable,
        blockTable, vport, appid, textStyle, standardStyle, root, groups, layouts, modelLayout;
    std::vector<unsigned long> linetypes, layers, dimensionStyles;
  } h_{};
  std::vector<std::unique_ptr<Block>> blocks_;  // model space first, then the sheets, then dimensions
  std::vector<std::unique_ptr<Sheet>> sheets_;
  int dimensions_ = 0;
};

}  // namespace plintova::draw::dxf
