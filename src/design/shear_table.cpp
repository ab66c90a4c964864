// The design shear strength table of concrete and its linear interpolation.
#include "design/shear_table.h"

namespace plintova {

namespace {

// Rows 0..13, seven values each: grades in row 0, then steel percentage and the strengths for the
// grades 15, 20, 25, 30, 35 and 40 N/mm2.
constexpr float kShearConstants[14][7] = {
    {0.00f, 15.0f, 20.0f, 25.0f, 30.0f, 35.0f, 40.0f},
    {0.15f, 0.28f, 0.28f, 0.29f, 0.29f, 0.29f, 0.30f},
    {0.25f, 0.35f, 0.36f, 0.36f, 0.37f, 0.37f, 0.38f},
    {0.50f, 0.46f, 0.48f, 0.49f, 0.50f, 0.50f, 0.51f},
    {0.75f, 0.54f, 0.56f, 0.57f, 0.59f, 0.59f, 0.60f},
    {1.00f, 0.60f, 0.62f, 0.64f, 0.66f, 0.67f, 0.68f},
    {1.25f, 0.64f, 0.67f, 0.70f, 0.71f, 0.73f, 0.74f},
    {1.50f, 0.68f, 0.72f, 0.74f, 0.76f, 0.78f, 0.79f},
    {1.75f, 0.71f, 0.75f, 0.78f, 0.80f, 0.82f, 0.84f},
    {2.00f, 0.71f, 0.79f, 0.82f, 0.84f, 0.86f, 0.88f},
    {2.25f, 0.71f, 0.81f, 0.85f, 0.88f, 0.90f, 0.92f},
    {2.50f, 0.71f, 0.82f, 0.88f, 0.91f, 0.93f, 0.95f},
    {2.75f, 0.71f, 0.82f, 0.90f, 0.94f, 0.96f, 0.98f},
    {3.00f, 0.71f, 0.82f, 0.92f, 0.96f, 0.99f, 1.01f},
};

constexpr int kEmptyColumn = 7;

// Linear interpolation in one grade column; cell(r, c) reads the table.
template <class Cell>
float interpolate(Cell cell, int column, float& pt) {
  if (pt < 0.15f) pt = 0.15f;
  if (column < 0 || column > kEmptyColumn) column = kEmptyColumn;
  for (int r = 1; r <= 13; ++r) {
    if (pt < cell(r, 0)) {
      double lo = cell(r - 1, column), hi = cell(r, column);
      double ptLo = cell(r - 1, 0), ptHi = cell(r, 0);
      return static_cast<float>(lo + (hi - lo) / (ptHi - ptLo) * (pt - ptLo));
    }
  }
  return 0.0f;  // beyond the table
}

float constantCell(int r, int c) { return c < kEmptyColumn ? kShearConstants[r][c] : 0.0f; }

}  // namespace

void BuildShearTable(Project& p) {
  for (int r = 0; r <= 13; ++r) {
    for (int c = 0; c <= 6; ++c) p.ShearTable[r][c] = kShearConstants[r][c];
    p.ShearTable[r][kEmptyColumn] = 0.0f;
  }
}

void FindGradeColumn(Project& p) {
  // The last column reads "M40 and above" (IS 456 Table 19): a stronger concrete takes its values.
  p.ShearGradeColumn = p.Fck > 40 ? int16_t{6} : int16_t{kEmptyColumn};
  for (int c = 1; c <= 6; ++c) {
    if (p.ShearTable[0][c] == static_cast<float>(p.Fck)) {
      p.ShearGradeColumn = static_cast<int16_t>(c);
      break;
    }
  }
}

float ConcreteShearStrength(const Project& p, float& pt) {
  return interpolate([&p](int r, int c) { return p.ShearTable[r][c]; }, p.ShearGradeColumn, pt);
}

float shearStrengthForGrade(int fck, float& pt) {
  int column = fck > 40 ? 6 : kEmptyColumn;  // "M40 and above"
  for (int c = 6; c >= 1; --c)
    if (kShearConstants[0][c] == static_cast<float>(fck)) column = c;  // the first match wins
  return interpolate(constantCell, column, pt);
}

}  // namespace plintova
