// The PDF's objects written in order, each page's content stream deflated through zlib, and the fonts
// as Type 0 fonts over CID-keyed TrueType subsets: a glyph's number is its character code (Identity-H,
// Identity CID to glyph map), its width is written once in the font, and a ToUnicode map gives the
// text each glyph stands for, so that the text reads back out of the file.
#include "files/pdf_writer.h"

#include <zlib.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <utility>

#include "model/utf8.h"

namespace plintova {

namespace {

// Fixed objects; the rest are numbered as they are reserved.
constexpr int kCatalog = 1, kPageTree = 2, kResources = 3, kInfo = 4, kFirstFree = 5;

void appendInt(std::string& out, long long v) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  out.append(buf, r.ptr);
}

// A number with at most `decimals` decimals, trailing zeros dropped ("12.5", "-0.25", "3").
void appendNumber(std::string& out, double v, int decimals = 3) {
  static constexpr long long kScale[] = {1, 10, 100, 1000, 10000};
  const long long scale = kScale[decimals];
  long long t = std::llround(v * static_cast<double>(scale));
  if (t < 0) out.push_back('-'), t = -t;
  appendInt(out, t / scale);
  long long f = t % scale;
  if (f == 0) return;
  out.push_back('.');
  for (long long d = scale / 10; d > 0 && f > 0; d /= 10) {
    out.push_back(static_cast<char>('0' + f / d));
    f %= d;
  }
}

// Numbers separated by blanks, then the operator that takes them ("1 0 0 rg\n").
void appendOperation(std::string& out, std::initializer_list<double> numbers, std::string_view op) {
  for (double v : numbers) {
    appendNumber(out, v);
    out.push_back(' ');
  }
  out += op;
}

// A reference to an object ("12 0 R").
std::string ref(int number) { return std::to_string(number) + " 0 R"; }

void appendHex4(std::string& out, std::uint32_t v) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kHex[(v >> shift) & 0xf]);
}

// A character as UTF-16 code units in hex, for a ToUnicode map or a text string.
void appendUtf16Hex(std::string& out, char32_t c) {
  if (c >= 0x10000 && c <= 0x10FFFF) {
    appendHex4(out, 0xD800 + ((c - 0x10000) >> 10));
    appendHex4(out, 0xDC00 + ((c - 0x10000) & 0x3ff));
  } else {
    appendHex4(out, c > 0xFFFF ? 0xFFFD : c);
  }
}

// A text string in UTF-16 with its byte-order mark, from UTF-8 (a byte that starts no well-formed
// sequence reads as the replacement character).
std::string textString(const std::string& utf8) {
  std::string out = "<FEFF";
  for (std::size_t k = 0; k < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[k]);
    if (lead < 0x80 || utf8SequenceAt(utf8, k) > 0) {
      appendUtf16Hex(out, nextCodePoint(utf8, k));
    } else {
      appendUtf16Hex(out, 0xFFFD);
      ++k;
    }
  }
  return out + ">";
}

}  // namespace

struct PdfWriter::Font {
  std::string name;
  TrueTypeFont program;
  int type0 = 0, cidFont = 0, descriptor = 0, file = 0, toUnicode = 0;
  std::vector<bool> used;
  std::vector<char32_t> chars;  // the character each used glyph first stood for
  std::map<std::uint32_t, std::u32string> texts;  // glyphs standing for several characters
  // The glyph's advance in thousandths of the em, as its width is written in the font.
  int width(std::uint32_t glyph) const {
    return static_cast<int>(std::lround(program.advance(glyph) * 1000.0 / program.unitsPerEm()));
  }
};

struct PdfWriter::Deflater {
  z_stream stream{};
  bool ready = false;
  ~Deflater() {
    if (ready) deflateEnd(&stream);
  }
};

PdfWriter::PdfWriter(PdfSink sink, double pageWidthPt, double pageHeightPt, double pointsPerUnit)
    : sink_(std::move(sink)), width_(pageWidthPt), height_(pageHeightPt), scale_(pointsPerUnit),
      deflater_(new Deflater), offsets_(kFirstFree, 0) {
  // zlib's fastest level: the 412-page report takes 0.4 s and 2.5 MB, at the default level 0.55 s and 1.9 MB.
  if (deflateInit(&deflater_->stream, 1) == Z_OK) deflater_->ready = true;
  else failure_ = "no memory for the page streams' compression";
}

PdfWriter::~PdfWriter() = default;

int PdfWriter::reserve() {
  offsets_.push_back(0);
  return static_cast<int>(offsets_.size() - 1);
}

void PdfWriter::out(std::string_view bytes) {
  if (!failure_.empty() || bytes.empty()) return;
  if (written_ == 0) {
    // The header, with a binary comment so that file transfers treat the file as binary; written with
    // the first object, so that a writer made and left unused writes nothing.
    constexpr std::string_view kHeader = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    if (std::string reason = sink_(kHeader); !reason.empty()) {
      failure_ = std::move(reason);
      return;
    }
    written_ = kHeader.size();
  }
  if (std::string reason = sink_(bytes); !reason.empty()) {
    failure_ = std::move(reason);
    return;
  }
  written_ += bytes.size();
}

void PdfWriter::beginObject(int number) {
  offsets_[static_cast<std::size_t>(number)] = written_;
  std::string head;
  appendInt(head, number);
  head += " 0 obj\n";
  out(head);
}

void PdfWriter::writeObject(int number, std::string_view body) {
  beginObject(number);
  out(body);
  out("\nendobj\n");
}

// Every stream is deflated: page contents, font programs and Unicode maps.
void PdfWriter::writeStream(int number, const std::string& dictionary, std::string_view data) {
  std::string packed;
  if (failure_.empty()) {
    z_stream& z = deflater_->stream;
    deflateReset(&z);
    packed.resize(deflateBound(&z, static_cast<uLong>(data.size())));
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(packed.data());
    z.avail_out = static_cast<uInt>(packed.size());
    if (deflate(&z, Z_FINISH) != Z_STREAM_END) failure_ = "a page stream could not be compressed";
    packed.resize(z.total_out);
    data = packed;
  }
  beginObject(number);
  std::string head = "<< /Length ";
  appendInt(head, static_cast<long long>(data.size()));
  head += " /Filter /FlateDecode";
  head += dictionary;
  head += " >>\nstream\n";
  out(head);
  out(data);
  out("\nendstream\nendobj\n");
}

int PdfWriter::addFont(const std::string& name, TrueTypeFont font) {
  auto f = std::make_unique<Font>();
  f->name = name;
  f->used.assign(font.glyphCount(), false);
  f->chars.assign(font.glyphCount(), 0);
  f->program = std::move(font);
  f->type0 = reserve();
  f->cidFont = reserve();
  f->descriptor = reserve();
  f->file = reserve();
  f->toUnicode = reserve();
  fonts_.push_back(std::move(f));
  return static_cast<int>(fonts_.size() - 1);
}

void PdfWriter::beginPage() {
  content_.clear();
  // Square line ends, as the drawing's pens have.
  content_ += "2 J\n";
  inText_ = false;
  textFont_ = -1;
  lineWidth_ = -1;
  fill_.reset();
  stroke_.reset();
}

void PdfWriter::endText() {
  if (!inText_) return;
  content_ += "ET\n";
  inText_ = false;
}

void PdfWriter::setColour(std::optional<PdfColour>& current, PdfColour c, std::string_view op) {
  if (current == c) return;
  current = c;
  appendOperation(content_, {c.r / 255.0, c.g / 255.0, c.b / 255.0}, op);
}

void PdfWriter::fill(double x, double y, double w, double h, PdfColour colour) {
  endText();
  setColour(fill_, colour, "rg\n");
  appendOperation(content_, {px(x), py(y + h), w * scale_, h * scale_}, "re f\n");
}

void PdfWriter::line(double x1, double y1, double x2, double y2, double width, PdfColour colour) {
  endText();
  setColour(stroke_, colour, "RG\n");
  if (width * scale_ != lineWidth_) {
    lineWidth_ = width * scale_;
    appendOperation(content_, {lineWidth_}, "w\n");
  }
  appendOperation(content_, {px(x1), py(y1)}, "m ");
  appendOperation(content_, {px(x2), py(y2)}, "l S\n");
}

void PdfWriter::glyphs(int font, double size, PdfColour colour, const std::uint32_t* glyphs, const double* x,
                       const double* y, const char32_t* chars, std::size_t n) {
  const double sizePt = size * scale_;
  if (n == 0 || font < 0 || static_cast<std::size_t>(font) >= fonts_.size() || !(sizePt > 0)) return;
  Font& f = *fonts_[static_cast<std::size_t>(font)];
  if (!inText_) {
    content_ += "BT\n";
    inText_ = true;
    textFont_ = -1;
  }
  setColour(fill_, colour, "rg\n");
  if (font != textFont_ || sizePt != textSize_) {
    textFont_ = font;
    textSize_ = sizePt;
    content_ += "/F";
    appendInt(content_, font);
    content_.push_back(' ');
    appendNumber(content_, sizePt, 4);
    content_ += " Tf\n";
  }
  // Each baseline starts a line at its first glyph; along it, the pen moves by the glyphs' widths as the
  // font states them, and where the next glyph stands elsewhere (kerning, a gap between table cells)
  // the difference is written in thousandths of the em, rounded, and the pen follows the rounded value.
  double pen = 0;
  for (std::size_t k = 0; k < n; ++k) {
    const std::uint32_t g = glyphs[k] < f.used.size() ? glyphs[k] : 0;
    const double gx = px(x[k]);
    if (k == 0 || y[k] != y[k - 1]) {
      if (k > 0) content_ += ">] TJ\n";
      appendOperation(content_, {1, 0, 0, 1, gx, py(y[k])}, "Tm [<");
      pen = gx;
    } else if (const double shift = std::round((pen - gx) * 1000.0 / sizePt * 100) / 100; shift != 0) {
      content_.push_back('>');
      appendNumber(content_, shift, 2);
      content_.push_back('<');
      pen -= shift * sizePt / 1000.0;
    }
    appendHex4(content_, g);
    pen += f.width(g) * sizePt / 1000.0;
    f.used[g] = true;
    if (f.chars[g] == 0 && chars && !f.texts.count(g)) f.chars[g] = chars[k];
  }
  content_ += ">] TJ\n";
}

void PdfWriter::mapGlyph(int font, std::uint32_t glyph, std::u32string text) {
  if (font < 0 || static_cast<std::size_t>(font) >= fonts_.size()) return;
  Font& f = *fonts_[static_cast<std::size_t>(font)];
  // A glyph stands for the text it first stood for, wherever it is drawn.
  if (glyph >= f.used.size() || f.chars[glyph] != 0) return;
  f.texts.try_emplace(glyph, std::move(text));
}

void PdfWriter::endPage() {
  endText();
  const int contents = reserve(), page = reserve();
  writeStream(contents, "", content_);
  std::string object = "<< /Type /Page /Parent " + ref(kPageTree) + " /MediaBox [0 0 ";
  appendNumber(object, width_);
  object.push_back(' ');
  appendNumber(object, height_);
  object += "] /Resources " + ref(kResources) + " /Contents " + ref(contents) + " >>";
  writeObject(page, object);
  pages_.push_back(page);
  content_.clear();
}

void PdfWriter::writeFont(const Font& f) {
  const TrueTypeFont& t = f.program;
  const double toThousandths = 1000.0 / t.unitsPerEm();
  // A subset's name starts with six capitals of its own, here taken from the glyphs it holds.
  std::uint64_t hash = 14695981039346656037ull;
  for (std::size_t g = 0; g < f.used.size(); ++g)
    if (f.used[g]) hash = (hash ^ g) * 1099511628211ull;
  std::string name = "/";
  for (int k = 0; k < 6; ++k, hash /= 26) name.push_back(static_cast<char>('A' + hash % 26));
  name += "+";
  for (char c : f.name)
    if (c > ' ' && c < 127 && std::string_view("()<>[]{}/%#").find(c) == std::string_view::npos) name.push_back(c);

  std::string widths, cmap;
  int mapped = 0;
  std::string entries;
  for (std::size_t g = 0; g < f.used.size();) {
    if (!f.used[g]) {
      ++g;
      continue;
    }
    appendInt(widths, static_cast<long long>(g));
    widths += " [";
    for (; g < f.used.size() && f.used[g]; ++g) {
      appendInt(widths, f.width(static_cast<std::uint32_t>(g)));
      widths.push_back(' ');
      const auto several = f.texts.find(static_cast<std::uint32_t>(g));
      if (f.chars[g] == 0 && several == f.texts.end()) continue;
      entries.push_back('<');
      appendHex4(entries, static_cast<std::uint32_t>(g));
      entries += "> <";
      if (several == f.texts.end()) appendUtf16Hex(entries, f.chars[g]);
      else
        for (char32_t c : several->second) appendUtf16Hex(entries, c);
      entries += ">\n";
      if (++mapped % 100 == 0) {
        cmap += "100 beginbfchar\n" + entries + "endbfchar\n";
        entries.clear();
      }
    }
    widths += "] ";
  }
  if (mapped % 100 != 0) cmap += std::to_string(mapped % 100) + " beginbfchar\n" + entries + "endbfchar\n";

  writeObject(f.type0, "<< /Type /Font /Subtype /Type0 /BaseFont " + name + " /Encoding /Identity-H /DescendantFonts [" +
                           ref(f.cidFont) + "] /ToUnicode " + ref(f.toUnicode) + " >>");
  writeObject(f.cidFont, "<< /Type /Font /Subtype /CIDFontType2 /BaseFont " + name +
                             " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> /FontDescriptor " +
                             ref(f.descriptor) + " /CIDToGIDMap /Identity /W [" + widths + "] >>");

  std::string o = "<< /Type /FontDescriptor /FontName " + name + " /Flags ";
  appendInt(o, t.italicAngle() != 0 ? 32 + 64 : 32);  // non-symbolic, and italic where it leans
  o += " /FontBBox [";
  for (int k = 0; k < 4; ++k) {
    appendNumber(o, t.box()[k] * toThousandths, 0);
    o += k < 3 ? " " : "]";
  }
  o += " /ItalicAngle ";
  appendNumber(o, t.italicAngle(), 2);
  o += " /Ascent ";
  appendNumber(o, t.ascent() * toThousandths, 0);
  o += " /Descent ";
  appendNumber(o, t.descent() * toThousandths, 0);
  o += " /CapHeight ";
  appendNumber(o, t.capHeight() * toThousandths, 0);
  o += " /StemV 80 /FontFile2 " + ref(f.file) + " >>";
  writeObject(f.descriptor, o);

  const std::string program = t.subset(f.used);
  writeStream(f.file, " /Length1 " + std::to_string(program.size()), program);
  const std::string unicode =
      "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
      "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n" +
      cmap + "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
  writeStream(f.toUnicode, "", unicode);
}

std::string PdfWriter::finish(const std::string& title, const std::string& creator) {
  for (const auto& font : fonts_) writeFont(*font);

  std::string o = "<< /Font << ";
  for (std::size_t k = 0; k < fonts_.size(); ++k) o += "/F" + std::to_string(k) + " " + ref(fonts_[k]->type0) + " ";
  writeObject(kResources, o + ">> /ProcSet [/PDF /Text] >>");

  o = "<< /Type /Pages /Count " + std::to_string(pages_.size()) + " /Kids [";
  for (int page : pages_) o += ref(page) + " ";
  writeObject(kPageTree, o + "] >>");

  writeObject(kCatalog, "<< /Type /Catalog /Pages " + ref(kPageTree) + " >>");
  writeObject(kInfo, "<< /Title " + textString(title) + " /Creator " + textString(creator) + " /Producer " +
                         textString(creator) + " >>");

  const std::uint64_t xref = written_;
  std::string table = "xref\n0 " + std::to_string(offsets_.size()) + "\n0000000000 65535 f \n";
  table.reserve(table.size() + 20 * offsets_.size() + 128);
  for (std::size_t k = 1; k < offsets_.size(); ++k) {
    char entry[24];
    std::snprintf(entry, sizeof entry, "%010llu 00000 n \n", static_cast<unsigned long long>(offsets_[k]));
    table += entry;
  }
  table += "trailer\n<< /Size " + std::to_string(offsets_.size()) + " /Root " + ref(kCatalog) + " /Info " +
           ref(kInfo) + " >>\nstartxref\n" +
           std::to_string(xref) + "\n%%EOF\n";
  out(table);
  return failure_;
}

}  // namespace plintova
