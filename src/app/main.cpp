// The desktop program: one run from the open-file dialog to the closed main window.
#include <QApplication>
#include <string>

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
  // A listing or a project file given on the command line (as a double-click on one gives it) opens
  // at once; without one the file dialog asks.
  if (!flow.start(argc > 1 ? std::string(argv[1]) : std::string())) return 0;
  return app.exec();
}
