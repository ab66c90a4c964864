// The desktop program: one run from the open-file dialog to the closed main window.
#include <QApplication>
#include <cstdio>
#include <cstring>
#include <string>

#include "ui/app_flow.h"
#include "ui/qt_prompter.h"
#include "ui/recovery_dialog.h"

int main(int argc, char** argv) {
  // Answered before anything of the windows starts: no display is needed and nothing is read.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("Plintova %s\n", PLINTOVA_VERSION);
      return std::fflush(stdout) == 0 ? 0 : 1;
    }
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::printf(
          "usage: plintova [FILE]\n"
          "Opens FILE, an analysis listing (.ANL), a reaction table (.csv, .tsv) or a project (.plintova);\n"
          "without FILE the file dialog asks for one.\n"
          "  --version  print the version and exit\n"
          "  --help     print this text and exit\n"
          "The batch tool is plintova-cli; see plintova-cli --help.\n");
      return std::fflush(stdout) == 0 ? 0 : 1;
    }
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(plintova::kProgramName));
  QApplication::setApplicationVersion(QStringLiteral(PLINTOVA_VERSION));
  // The run ends when the flow says so (main window closed, Exit, or no usable listing), not when a
  // window happens to be the last one shown.
  QApplication::setQuitOnLastWindowClosed(false);

  plintova::QtPrompter prompter;
  plintova::AppFlow flow(prompter, plintova::desktopListingChooser());
  flow.setRecoveryChooser(plintova::desktopRecoveryChooser());
  QObject::connect(&flow, &plintova::AppFlow::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
  // A listing or a project file given on the command line (as a double-click on one gives it) opens
  // at once; without one the file dialog asks.
  if (!flow.start(argc > 1 ? std::string(argv[1]) : std::string())) return 0;
  return app.exec();
}
