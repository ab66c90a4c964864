// The two detail popups of the plan: an isolated footing with its pressures by load case, and a combined footing.
#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

class QKeyEvent;
class QLabel;

namespace plintova {

struct Project;

// What the footing popup shows for one footing, worked out from the model.
struct FootingDetail {
  std::string number;      // LabN0: the footing's mark and joint, "F9, joint 14"
  std::string position;    // LabXY: where the column stands, "Column at X 24000, Z 5500 mm from the grid origin"
  std::string offset;      // LabOffcet: the footing centre's offset from the column, mm
  std::string columnSize;  // LabColSize: "Column 300 X 450 mm", along X then Z
  std::string size;        // LabSize: plan size and the effective depth estimate
  struct Row {
    std::string loadCase, load, mx, mz, maxPressure, minPressure, allowable;
  };
  std::vector<Row> rows;  // one per load-case position of the footing
  int maxRow = 0;         // row (from 0) of the smallest margin to the allowable pressure
  int minRow = 0;         // row of the smallest minimum pressure
  bool maxBordered = false;
  bool minBordered = false;
};

// The detail of isolated footing s; empty for a footing without plan area or a member of a combined footing.
std::optional<FootingDetail> footingDetail(const Project& p, int s);

// What the combined footing popup shows for combined footing n.
struct CombinedDetail {
  std::string members;   // LabCf1f2: the mark and the joints of the two members, "C1, joints 20 and 21"
  std::string size;      // LabCfSize: "L X B CfLength X CfWidth m"
  std::string cant1;     // LabCnt1: the cantilever beyond the first member's column
  std::string cant2;     // LabCnt2: beyond the second's
  std::string distance;  // LabDisf_f: the columns' centre distance and half their cross offset
};
CombinedDetail combinedDetail(const Project& p, int n);

// The footing popup: the footing's position, offset, column and size, and a table with one row per load
// case: the reactions, the largest and smallest soil pressure and the allowable pressure, the governing
// rows bold and framed. It only shows values. Each fill replaces the rows and marks of the last one.
// Esc closes it.
class FootingPopup : public QWidget {
  Q_OBJECT
 public:
  // The seven columns of the table, in their order on the window.
  enum Column { Case, Load, Mx, Mz, MaxPressure, MinPressure, Allowable, ColumnCount };

  explicit FootingPopup(Project& project, QWidget* parent = nullptr);

  // Fills the window for footing s; a footing without plan area or a combined member leaves it as it was.
  void fill(int s);
  int rowCount() const { return static_cast<int>(rows_.size()) - 1; }
  // The label of `column` in table row `row` (0 = heading); null outside the table.
  QLabel* cell(int row, int column) const;
  QLabel* label(const char* name) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void setRowCount(int n);
  Project& project_;
  QLabel* number_ = nullptr;
  QLabel* position_ = nullptr;
  QLabel* offset_ = nullptr;
  QLabel* columnSize_ = nullptr;
  QLabel* size_ = nullptr;
  std::vector<std::vector<QLabel*>> rows_;  // rows_[0] is the heading line
};

// The combined footing popup: size, cantilevers, centre distance and the two member footings. Esc closes it.
class CombinedPopup : public QWidget {
  Q_OBJECT
 public:
  explicit CombinedPopup(Project& project, QWidget* parent = nullptr);
  void fill(int n);
  QLabel* label(const char* name) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Project& project_;
  QLabel* members_ = nullptr;
  QLabel* size_ = nullptr;
  QLabel* cant1_ = nullptr;
  QLabel* cant2_ = nullptr;
  QLabel* distance_ = nullptr;
};

}  // namespace plintova
