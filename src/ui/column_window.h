// The column layout window: the beams of one storey and a marker per footing, to offset footings under columns.
#pragma once

#include <QWidget>

namespace plintova {

struct Project;

class ColumnWindow : public QWidget {
  Q_OBJECT
 public:
  explicit ColumnWindow(Project& project, QWidget* parent = nullptr);
  ~ColumnWindow() override;

 signals:
  // A marker was picked: SelectedFooting changed (the selection is shared with the main plan).
  void selectionChanged();
  // The window closed (Esc or the frame): SelectedFooting is 0 and the main plan redraws its outlines.
  void closed();

 private:
  Project& project_;
};

}  // namespace plintova
