// The two detail popups of the plan: an isolated footing with its pressures by load case, and a combined footing.
#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

class QLabel;

namespace plintova {

struct Project;

// What the footing popup shows for one footing, worked out from the model.
struct FootingDetail {
  std::string number;      // LabN0: "F " and the joint number
  std::string position;    // LabXY: "off ColumnX - PosX X ColumnZ - PosZ"
  std::string offset;      // LabOffcet: "OffsetX X OffsetZ"
  std::string columnSize;  // LabColSize: "ColSize d4 X d3"
  std::string size;        // LabSize: "SizeL X SizeB X depth estimate"
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
  std::string members;   // LabCf1f2: joint numbers of the two members
  std::string size;      // LabCfSize: "CfLength X CfWidth"
  std::string cant1;     // LabCnt1
  std::string cant2;     // LabCnt2
  std::string distance;  // LabDisf_f: "F1-F2 CfDistance  ( CfHalfSkew )"
};
CombinedDetail combinedDetail(const Project& p, int n);

// The footing popup: the footing's position, offset, column and size, and a table with one row per load
// case: the reactions, the largest and smallest soil pressure and the allowable pressure, the governing
// rows bold and framed. It only shows values. Each fill replaces the rows and marks of the last one.
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

// The combined footing popup: size, cantilevers, centre distance and the two member footings.
class CombinedPopup : public QWidget {
  Q_OBJECT
 public:
  explicit CombinedPopup(Project& project, QWidget* parent = nullptr);
  void fill(int n);
  QLabel* label(const char* name) const;

 private:
  Project& project_;
  QLabel* members_ = nullptr;
  QLabel* size_ = nullptr;
  QLabel* cant1_ = nullptr;
  QLabel* cant2_ = nullptr;
  QLabel* distance_ = nullptr;
};

}  // namespace plintova
