// The column layout window (placeholder until the storey view arrives).
#include "ui/column_window.h"

namespace plintova {

ColumnWindow::ColumnWindow(Project& project, QWidget* parent) : QWidget(parent, Qt::Window), project_(project) {
  setWindowTitle("Column Layout");
}

ColumnWindow::~ColumnWindow() = default;

}  // namespace plintova
