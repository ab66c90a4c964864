// The desktop program's runs: choose a listing or a project, read it, take the design inputs, open the
// main window, and replace it by another listing or project without a restart.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <future>
#include <memory>
#include <string>

#include "input/listing_reader.h"
#include "ui/recovery.h"

class QFileDialog;
class QWidget;

namespace plintova {

struct Project;
class Prompter;
class StartupDialog;
class MainWindow;
struct SavedProject;

// Asks for the analysis listing (or project) to open; an empty text means the engineer cancelled.
using ListingChooser = std::function<std::string(QWidget* parent)>;

// The open-file dialog of the start: its first filter, the one it opens with, shows listings, reaction
// tables and Plintova projects together; the others one kind each, or all files. It opens in `folder`.
std::unique_ptr<QFileDialog> startupFileDialog(QWidget* parent, const QString& folder);

// That dialog, opening in the folder of the shipped examples.
ListingChooser desktopListingChooser();

// The program's run. start() first offers the recovery copies of runs that did not end normally (when a
// recovery chooser is set): one opened is the run's plan; otherwise it opens what it is given (a listing
// or a project file, by extension), or asks for a file. A listing is read
// and the start-up dialog waits for SBC and depth; its confirmation opens the main window and closes
// the dialog. A project file brings its listing, inputs and decisions. While a plan is open, the main
// window's File menu asks for another listing or project: the new one replaces the plan (the old
// window writes its layout file as on close) once it stands; until then the old plan stays. A
// cancelled choice, a listing that cannot be used or a dialog's Exit end the run only when no plan is
// open. Closing the main window ends the run. `finished` tells the program to quit.
class AppFlow : public QObject {
  Q_OBJECT
 public:
  AppFlow(Prompter& prompter, ListingChooser chooser, QObject* parent = nullptr);
  ~AppFlow() override;

  // Shows the recovery copies at start; without one none are offered and all stay on disk.
  void setRecoveryChooser(RecoveryChooser chooser) { recoveryChooser_ = std::move(chooser); }
  // False when the run ended at once (nothing chosen, or nothing that could be opened).
  bool start(const std::string& path = {});
  // Reads a listing and shows the start-up dialog for it. False when it could not be read.
  bool openListing(const std::string& path);
  // Opens a saved project (or a recovery copy, which opens as not saved). False when it could not be opened.
  bool openProject(const std::string& path, bool recovered = false);

  Project* project() const { return project_.get(); }
  StartupDialog* startupDialog() const;
  MainWindow* mainWindow() const { return main_.get(); }

 signals:
  void finished();

 private:
  void openMainWindow();
  bool adopt(std::unique_ptr<Project> project, const SavedProject* saved, const std::string& projectPath,
             bool recovered);
  bool offerRecovery();

  Prompter& prompter_;
  ListingChooser chooser_;
  RecoveryChooser recoveryChooser_;
  std::unique_ptr<Project> project_;  // the plan's project
  // Waits for the work left from reading the pending listing and puts it in place (false: it failed,
  // and the reason was shown); with `keep` false it is only waited for, since the listing is given up.
  bool finishPending(bool keep = true);

  std::unique_ptr<Project> pending_;  // a listing read, waiting for its start-up dialog
  // The support fingerprints and beam lattices of the pending listing, made on another thread while
  // the start-up dialog is shown.
  std::future<ListingRest> rest_;
  QPointer<StartupDialog> dialog_;
  std::unique_ptr<MainWindow> main_;
};

}  // namespace plintova
