// The desktop program's start: choose a listing, read it, take the design inputs, open the main window.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace plintova {

struct Project;
class Prompter;
class StartupDialog;
class MainWindow;

// Asks for the analysis listing to open; an empty text means the engineer cancelled.
using ListingChooser = std::function<std::string(QWidget* parent)>;

// The open-file dialog: "Staad Files" (*.ANL) or all files, opening in the folder of the shipped
// examples.
ListingChooser desktopListingChooser();

// One run of the program. start() asks for a listing and reads it; a cancelled choice ends the run
// silently and a listing that cannot be used shows its message (when it has one) and ends it. Then the
// start-up dialog waits for SBC and depth; its confirmation loads the main window and closes the dialog,
// its Exit ends the run. Closing the main window ends the run. `finished` tells the program to quit.
class AppFlow : public QObject {
  Q_OBJECT
 public:
  AppFlow(Prompter& prompter, ListingChooser chooser, QObject* parent = nullptr);
  ~AppFlow() override;

  // False when the run ended at once (no listing, or one that cannot be used).
  bool start();

  Project* project() const { return project_.get(); }
  StartupDialog* startupDialog() const;
  MainWindow* mainWindow() const { return main_.get(); }

 signals:
  void finished();

 private:
  void openMainWindow();

  Prompter& prompter_;
  ListingChooser chooser_;
  std::unique_ptr<Project> project_;
  QPointer<StartupDialog> dialog_;
  std::unique_ptr<MainWindow> main_;
};

}  // namespace plintova
