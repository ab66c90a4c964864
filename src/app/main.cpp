// The desktop program: one run from the open-file dialog to the closed main window.
#include <QApplication>

#include "ui/app_flow.h"
#include "ui/qt_prompter.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Plintova"));
  // The run ends when the flow says so (main window closed, Exit, or no usable listing), not when a
  // window happens to be the last one shown.
  QApplication::setQuitOnLastWindowClosed(false);

  plintova::QtPrompter prompter;
  plintova::AppFlow flow(prompter, plintova::desktopListingChooser());
  QObject::connect(&flow, &plintova::AppFlow::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
  if (!flow.start()) return 0;
  return app.exec();
}
