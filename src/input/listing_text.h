// Text primitives of the listing reader: lines over the in-memory listing, number walks, values and
// the words of units.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace plintova::listing {

// A number character of the listing's number walks: "-", ".", "/" or a digit (codes 45 to 57).
inline bool isNumberChar(char c) { return c >= '-' && c <= '9'; }
// Blanks separate numbers; a tab counts as a blank.
inline bool isBlank(char c) { return c == ' ' || c == '\t'; }
inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

constexpr std::size_t npos = std::string_view::npos;

// Index of the first number character at or after i, or npos when none follows before `end`.
std::size_t nextNumberStart(std::string_view line, std::size_t i, std::size_t end);
inline std::size_t nextNumberStart(std::string_view line, std::size_t i) { return nextNumberStart(line, i, line.size()); }

// Index just past the run of number characters that starts at i (at most `end`).
std::size_t numberEnd(std::string_view line, std::size_t i, std::size_t end);
inline std::size_t numberEnd(std::string_view line, std::size_t i) { return numberEnd(line, i, line.size()); }

// As numberEnd, but an exponent written right after the number ("E+007", "e-015", "D3") belongs to it.
std::size_t numberEndWithExponent(std::string_view line, std::size_t i, std::size_t end);

// As numberEnd, but a "-" that directly follows a digit starts the next number, so that two fields of
// a fixed-width table that touch ("7866.85-120061.42") read as two values.
std::size_t numberEndSplittingMinus(std::string_view line, std::size_t i, std::size_t end);

// The numeric value of a text (the shared rule of numericValue), computed without allocating for the
// plain decimals that fill a listing; any other text falls back to numericValue with the same result.
double textValue(std::string_view text);

// Whether the numeric value of a whole line is 0: headings, dashes, blank lines and page headers.
bool lineValueIsZero(std::string_view line);

// Value of the number whose text starts at i and runs to the next blank (blanks end a number in the
// walks, as if they had been replaced by another character).
double valueAt(std::string_view line, std::size_t i);

// Value of the text right after the first occurrence of `marker` in the line; 0 when it is absent.
double valueAfter(std::string_view line, std::string_view marker);

// Index of the second number of the line (the first after the echo line number), or npos when the
// line has none before `end`.
std::size_t secondNumberStart(std::string_view line, std::size_t end);

// A commented-out input line as echoed by the analysis program: after blanks and an optional echo
// line number ("   45. "), the text starts with "*".
bool isCommentLine(std::string_view line);

// Where the numbers of an input line end: before a continuation mark " -" that closes the line (the
// command goes on on the next numbered line), else at the end of the line.
std::size_t scanEndBeforeContinuation(std::string_view line);
// Whether the line ends in the continuation mark " -".
inline bool endsWithContinuation(std::string_view line) { return scanEndBeforeContinuation(line) < line.size(); }

// Whether the line contains the marker (a case-sensitive substring).
inline bool contains(std::string_view line, std::string_view marker) { return line.find(marker) != npos; }

// A short printable form of a number text for messages: at most 24 characters.
std::string shortText(std::string_view text);

// The first occurrence of the marker in text[0, size), or nullptr: memmem's result, found sixteen or
// thirty-two bytes at a time where the machine allows.
const char* findBytes(const char* text, std::size_t size, std::string_view marker);

// The first occurrence of any of the markers in text[0, size), or nullptr: one pass over the text
// however many markers (the earliest start wins; of two markers at one start, either).
const char* findAnyBytes(const char* text, std::size_t size, std::initializer_list<std::string_view> markers);

// Units a listing may print, and what its values are multiplied by to reach the model's units.
enum class LengthUnit { Unknown, Metre, Millimetre, Centimetre, Foot, Inch };
enum class ForceUnit { Unknown, Kilonewton, Newton, Kip, PoundForce, MetricTon, KilogramForce };

// The unit a word of a UNIT command or of a table heading names, in any letter case: the word as the
// analysis program spells it, or cut to its first four letters as its headings print it. Lengths:
// METE, METER(S), METRE(S), M; MMS, MM, MILL(IMETRE..); CMS, CM, CENT(IMETRE..); FEET, FT, FOOT;
// INCH, INCHES, IN. Forces: KN, KNS, KILON(EWTON..); NEWT(ON..), N; KIP, KIPS; POUN(D..), LB, LBS;
// MTON(S); KG, KGS, KILOG(RAM..). Any other word is Unknown.
LengthUnit lengthUnitOfWord(std::string_view word);
ForceUnit forceUnitOfWord(std::string_view word);

// A factor written as times / per, applied in that order in double precision. Dividing by a power of
// ten (rather than multiplying by its inverse, which has no exact binary value) makes a value printed
// in millimetres or newtons give exactly the double that the same value printed in metres or
// kilonewtons gives, and a factor of 1 / 1 leaves every value as it was.
struct UnitScale {
  double times = 1;
  double per = 1;
  double apply(double v) const { return v * times / per; }
  bool isIdentity() const { return times == 1 && per == 1; }
};
// Whole millimetres per length unit, for joint coordinates (1000 for metres).
double millimetresPer(LengthUnit u);
// Length to metres, force to kilonewtons, and a moment (force times length) to kN m.
UnitScale toMetres(LengthUnit u);
UnitScale toKilonewtons(ForceUnit u);
UnitScale toKilonewtonMetres(ForceUnit f, LengthUnit l);

// Lines of a listing held in memory. A line is the text up to a line feed, without the line feed and
// without the carriage returns before it (CR LF, and CR CR LF from line ends converted twice). The cursor always stands on a current line until the end.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : text_(text) { load(0); }

  bool atEnd() const { return start_ > text_.size(); }
  std::string_view text() const { return text_; }
  std::string_view line() const { return line_; }
  std::size_t offset() const { return start_; }
  // Offset of the line after the current one (npos when the current line is the last).
  std::size_t nextOffset() const { return next_ != npos && next_ < text_.size() ? next_ : npos; }
  // Moves to the next line; false (and atEnd) when the current line was the last.
  bool next();
  // Moves to the line that starts at the given offset.
  void moveTo(std::size_t lineStart) { load(lineStart); }
  // Finds the first line at or after the current one that contains the marker, the current line
  // tested first. Lines rejected by `skipComments` (commented-out input) do not count. Returns false
  // and leaves the cursor at the end when the listing has no such line.
  bool findForward(std::string_view marker, bool skipComments = false);
  // Offset of the start of the first line at or after `from` that contains the marker (npos if none).
  // Only lines that start before `until` (a line start) are searched: a marker holds no line feed, so
  // none can begin before that line and end in it.
  std::size_t findLineFrom(std::size_t from, std::string_view marker, bool skipComments = false,
                           std::size_t until = npos) const;
  // 1-based number of the current line, for messages.
  std::size_t lineNumber() const;

 private:
  void load(std::size_t lineStart);
  std::string_view text_;
  std::size_t start_ = 0;   // offset of the current line; text_.size() + 1 once past the last line
  std::size_t next_ = 0;    // offset of the line after it
  std::string_view line_;
};

}  // namespace plintova::listing
