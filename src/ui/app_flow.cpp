// The desktop program's start: choose a listing, read it, take the design inputs, open the main window.
#include "ui/app_flow.h"

#include <QDir>
#include <QFileDialog>
#include <exception>

#include "input/listing_reader.h"
#include "model/errors.h"
#include "model/project.h"
#include "model/prompter.h"
#include "ui/main_window.h"
#include "ui/startup_dialog.h"

namespace plintova {

ListingChooser desktopListingChooser() {
  return [](QWidget* parent) {
    QString folder = QStringLiteral(PLINTOVA_EXAMPLES);
    if (!QDir(folder).exists()) folder = QDir::currentPath();
    // Listings are written with a capital extension; the lower-case one is offered too, since file
    // names on this system are case-sensitive.
    const QString file = QFileDialog::getOpenFileName(
        parent, QStringLiteral("Open Analysis Listing"), folder,
        QStringLiteral("Staad Files (*.ANL *.anl);;All Files (*)"));
    return file.toStdString();
  };
}

AppFlow::AppFlow(Prompter& prompter, ListingChooser chooser, QObject* parent)
    : QObject(parent), prompter_(prompter), chooser_(std::move(chooser)) {}

AppFlow::~AppFlow() {
  delete dialog_;
}

StartupDialog* AppFlow::startupDialog() const { return dialog_; }

bool AppFlow::start() {
  const std::string path = chooser_ ? chooser_(nullptr) : std::string();
  if (path.empty()) return false;
  project_ = std::make_unique<Project>();
  ListingSummary summary;
  try {
    summary = readListing(*project_, path, prompter_);
  } catch (const ListingError& e) {
    if (!e.silent()) prompter_.message(e.what());
    project_.reset();
    return false;
  } catch (const std::exception& e) {
    // Nothing else should escape the reader; if it does, the engineer still learns why the run ends.
    prompter_.message(std::string("The listing could not be read: ") + e.what());
    project_.reset();
    return false;
  }

  dialog_ = new StartupDialog(*project_, summary);
  connect(dialog_, &StartupDialog::confirmed, this, &AppFlow::openMainWindow);
  connect(dialog_, &QDialog::rejected, this, &AppFlow::finished);
  dialog_->show();
  return true;
}

void AppFlow::openMainWindow() {
  main_ = std::make_unique<MainWindow>(*project_, prompter_);
  connect(main_.get(), &MainWindow::closed, this, &AppFlow::finished);
  const bool loaded = main_->load();
  // The dialog closes for good once the main window stands.
  if (dialog_) dialog_->deleteLater();
  // A listing whose footings cannot be designed ends the run once its reason was shown.
  if (!loaded) emit finished();
}

}  // namespace plintova
