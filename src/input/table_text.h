// The text of one line of a table of reactions: its fields split off (quoted or not), a field's number,
// and a field shown in a message.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plintova::table_text {

// A text of the file shown in a message: quoted, at most 24 characters, control characters and bytes
// that are not UTF-8 shown as "?".
std::string shown(std::string_view t);

// A field that cannot be split off: its quote is not closed on the line, or text follows the closing
// quote. `field` is its index; -1 when the line splits.
struct QuoteFault {
  long long field = -1;
  bool unclosed = false;
};

// Splits a line into its fields. Blanks around a field are dropped; a field may be quoted ("..." with
// "" for a quote inside), which keeps the separator and blanks inside it.
QuoteFault splitFields(std::string_view line, char separator, std::vector<std::string>& out);

// The text without the blanks and tabs around it.
std::string_view trimmed(std::string_view t);

// The text with A to Z lowered (other bytes as they are).
std::string lowerCase(std::string_view t);

enum class NumberFault { None, Missing, NotANumber, OutOfRange };

// A plain decimal with a point or an exponent form: optional sign, digits with at most one point (at
// least one digit), an optional exponent "e" or "E" with optional sign and digits. Blanks around it are
// allowed; nothing else is (no thousands separators, no decimal comma, no "inf").
NumberFault parseNumber(std::string_view t, double& v);

}  // namespace plintova::table_text
