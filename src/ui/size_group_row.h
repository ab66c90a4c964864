// The row of size-group controls below the plan: per group its size, its tick with the group's mark and
// the number of its footings, scrolling sideways when the groups do not fit the window.
#pragma once

#include <QWidget>
#include <vector>

class QCheckBox;
class QLabel;
class QScrollArea;

namespace plintova {

struct Project;

// Three rows headed "Size", "Group" and "No's", one column per size group (1..count). Each control
// carries an object name after its row and group ("LabW_3", "Check1_3", "LabNo_3"; group 0 is the
// heading). The row only shows the groups and reports the engineer's gestures as signals; the main
// window turns them into decisions.
class SizeGroupRow : public QWidget {
  Q_OBJECT
 public:
  explicit SizeGroupRow(QWidget* parent);

  int groupCount() const { return static_cast<int>(size_.size()) - 1; }
  // The controls of group g (1..groupCount()); null outside.
  QLabel* sizeLabel(int g) const;
  QCheckBox* check(int g) const;
  QLabel* countLabel(int g) const;

  // Makes the controls of `count` groups afresh (the largest group's tick cannot be cleared).
  void setGroupCount(int count);
  // The captions and ticks of every group as the project holds them.
  void showGroups(const Project& project);
  // Places the row at the bottom of its parent's `width` x `height` area: group g at g times the
  // spacing that divides the width (less 400 twips) evenly, or, when that leaves a group too little
  // room for its captions, each group as wide as its widest caption, in a strip that scrolls a whole
  // column at a time. Gives the height of the horizontal scroll bar that the plan above makes room for
  // (0 when the groups fit).
  int layOut(int width, int height);

 signals:
  void checkClicked(int g, bool checked);
  void sizePressed(int g, Qt::KeyboardModifiers modifiers);
  void countClicked(int g);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Pixels a group's column needs for its widest caption.
  int columnWidth() const;

  std::vector<QLabel*> headings_;  // "Size", "Group", "No's"
  QScrollArea* strip_ = nullptr;   // the groups' controls
  QWidget* canvas_ = nullptr;
  int columnStep_ = 0;             // pixels a scrolling row moves at a time (0: it does not scroll)
  int width_ = 0, height_ = 0;     // the area last laid out in
  std::vector<QLabel*> size_;      // element 0 unused, so that element g is group g
  std::vector<QCheckBox*> check_;
  std::vector<QLabel*> count_;
};

}  // namespace plintova
