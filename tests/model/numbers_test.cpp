// Rounding half to even, general-format number text and the numeric value of a text.
#include "model/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>
#include <string>

using namespace plintova;

TEST(Numbers, RoundToUsesTheExactBinaryValueAndTiesToEven) {
  EXPECT_EQ(roundTo(150.5, 0), 150);
  EXPECT_EQ(roundTo(151.5, 0), 152);
  EXPECT_EQ(roundTo(150.4, 0), 150);
  EXPECT_EQ(roundTo(2.50049, 3), 2.5);
  EXPECT_EQ(roundTo(2.34519 + 0.00049, 3), 2.346);
  // 4.35 as a double lies just below 4.35; 0.25 is an exact tie.
  EXPECT_EQ(roundTo(4.35, 1), 4.3);
  EXPECT_EQ(roundTo(0.25, 1), 0.2);
  EXPECT_EQ(roundTo(0.35, 1), 0.3);  // 0.35 lies below 0.35 as a double
  EXPECT_EQ(roundTo(-2.5, 0), -2);
  EXPECT_EQ(roundTo(-0.004, 2), 0.0);
  EXPECT_FALSE(std::signbit(roundTo(-0.004, 2)));
  // A grouping key: 2.0 + 0.049999 stays 2.0, 2.0001 + 0.049999 becomes 2.1.
  EXPECT_EQ(static_cast<float>(roundTo(2.0f + 0.049999, 1)), 2.0f);
  EXPECT_EQ(static_cast<float>(roundTo(2.0001f + 0.049999, 1)), 2.1f);
  EXPECT_EQ(roundTo(1e300, 2), 1e300);
}

TEST(Numbers, WholeNumberConversionsGoHalfToEvenAndRefuseOverflow) {
  EXPECT_EQ(roundWhole(0.5), 0);
  EXPECT_EQ(roundWhole(1.5), 2);
  EXPECT_EQ(roundWhole(2.5), 2);
  EXPECT_EQ(roundWhole(-3.5), -4);
  EXPECT_EQ(*toInt16(150.5), 150);
  EXPECT_EQ(*toInt16(32767.4), 32767);
  EXPECT_FALSE(toInt16(32767.5).has_value());  // 32768 after rounding to even
  EXPECT_FALSE(toInt16(1e10).has_value());
  EXPECT_EQ(*toInt32(-2147483648.0), INT32_MIN);
  EXPECT_FALSE(toInt32(3e9).has_value());
}

TEST(Numbers, NumberTextIsTheShortestGeneralFormat) {
  EXPECT_EQ(numberText(2.346f), "2.346");
  EXPECT_EQ(numberText(0.34f), "0.34");
  EXPECT_EQ(numberText(137.8f), "137.8");
  EXPECT_EQ(numberText(1360.0f), "1360");
  EXPECT_EQ(numberText(1.5), "1.5");
  EXPECT_EQ(numberText(0.0), "0");
  EXPECT_EQ(numberText(-0.0), "0");
  EXPECT_EQ(numberText(-12.5f), "-12.5");
  EXPECT_EQ(numberText(0.65000004f), "0.65");  // seven significant digits at most
  EXPECT_EQ(numberText(2.48), "2.48");
  EXPECT_EQ(numberText(1234567.0), "1234567");
  EXPECT_EQ(numberText(0.0001), "0.0001");
  EXPECT_EQ(numberText(1e-6), "1E-06");
  EXPECT_EQ(numberText(15000000.0), "1.5E+07");
  EXPECT_EQ(numberText(1.0 / 3.0), "0.3333333");
  EXPECT_EQ(numberText(9999999.6), "1E+07");
}

namespace {

// The number text and rounding as printf gives them: seven significant digits by %.6e, then %.*f with
// that many places and trailing zeros dropped; Round by %.*f. The quicker formatting must agree to the
// byte on every value.
std::string printfNumberText(double v) {
  if (v == 0.0) return "0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.6e", v);
  const char* e = std::strchr(buf, 'e');
  const int exponent = std::atoi(e + 1);
  auto strip = [](std::string s) {
    if (s.find('.') == std::string::npos) return s;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
  };
  if (exponent >= -5 && exponent < 7) {
    std::snprintf(buf, sizeof buf, "%.*f", 6 - exponent, v);
    return strip(buf);
  }
  char tail[16];
  std::snprintf(tail, sizeof tail, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
  return strip(std::string(buf, static_cast<std::size_t>(e - buf))) + tail;
}

double printfRoundTo(double x, int n) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", n, x);
  const double r = std::strtod(buf, nullptr);
  return r == 0.0 ? 0.0 : r;
}

}  // namespace

// Floats and doubles over every magnitude the model meets, with the floats between 2^-10 and 0.001 and
// between 2^33 and 1E+10 (whose shortest text is not always their seven-digit text), floats next to
// powers of ten, and exact ties of Round (0.125 to 2 places is 0.12, 0.375 is 0.38).
TEST(Numbers, NumberTextAndRoundAgreeWithPrintfOnEveryValue) {
  std::mt19937_64 random(26);
  std::uniform_real_distribution<double> mantissa(1, 10);
  std::uniform_int_distribution<int> decade(-9, 11), places(0, 6);
  std::vector<double> values = {0.0009765625, 0.00099999f, 8589934592.0, 9.999999e9f, 0.125, 0.375, 2.5,
                                9999999.6, 1e-6, 15000000.0};
  for (int i = 0; i < 50000; ++i) {
    const double v = mantissa(random) * std::pow(10.0, decade(random)) * (i % 3 ? 1 : -1);
    values.push_back(v);
    values.push_back(static_cast<float>(v));
    values.push_back(std::nextafter(static_cast<float>(std::pow(10.0f, decade(random))), 0.0f));
    values.push_back(static_cast<float>(0.0009765625 + (i % 1000) * 2.3e-11));
    values.push_back(static_cast<float>(8589934592.0 + i * 7040.0));
    values.push_back((i % 2000) / 8.0);  // eighths: exact ties at two places
  }
  for (const double v : values) {
    ASSERT_EQ(numberText(v), printfNumberText(v)) << std::hexfloat << v;
    const int n = places(random);
    ASSERT_EQ(roundTo(v, n), printfRoundTo(v, n)) << std::hexfloat << v << " to " << n;
  }
}

TEST(Numbers, NumericValueReadsTheLeadingNumber) {
  EXPECT_EQ(numericValue("  3000.0 mm"), 3000);
  EXPECT_EQ(numericValue("1*1*2"), 1);
  EXPECT_EQ(numericValue(""), 0);
  EXPECT_EQ(numericValue("abc"), 0);
  EXPECT_EQ(numericValue("  -12.5E+2xyz"), -1250);
  EXPECT_EQ(numericValue("1.2D-1"), 0.12);
  EXPECT_EQ(numericValue("1.2E-05"), 1.2e-05);
  EXPECT_EQ(numericValue("2.17185E+007"), 21718500);
  EXPECT_EQ(numericValue("- 4 2"), -42);  // blanks inside the number are ignored
  EXPECT_EQ(numericValue("12E"), 12);     // an exponent mark without digits ends the number
  EXPECT_EQ(numericValue(".5"), 0.5);
  EXPECT_EQ(numericValue("-"), 0);
  EXPECT_EQ(numericValue("\f PAGE NO. 3"), 0);
  EXPECT_EQ(numericValue("---------"), 0);
  EXPECT_EQ(numericValue("007"), 7);
  EXPECT_EQ(numericValue("0.005"), 0.005);
  // Absurd texts stay finite.
  EXPECT_TRUE(std::isfinite(numericValue(std::string(400, '9'))));
  EXPECT_TRUE(std::isfinite(numericValue("1E99999999999")));
  EXPECT_EQ(numericValue("1E-99999999999"), 0);
  EXPECT_NEAR(numericValue("1" + std::string(60, '0')), 1e60, 1e46);
  EXPECT_NEAR(numericValue("0." + std::string(50, '0') + "123"), 1.23e-51, 1e-64);
}

TEST(Numbers, IsNumericAcceptsWholeNumbersOnly) {
  EXPECT_TRUE(isNumeric("1.5"));
  EXPECT_TRUE(isNumeric(" -0.5 "));
  EXPECT_TRUE(isNumeric("1e3"));
  EXPECT_TRUE(isNumeric(".5"));
  EXPECT_TRUE(isNumeric("5."));
  EXPECT_FALSE(isNumeric(""));
  EXPECT_FALSE(isNumeric("Select"));
  EXPECT_FALSE(isNumeric("1.5m"));
  EXPECT_FALSE(isNumeric("1e"));
  EXPECT_FALSE(isNumeric("."));
  EXPECT_FALSE(isNumeric("1.2.3"));
  EXPECT_FALSE(isNumeric("- "));
}
