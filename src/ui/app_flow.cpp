// The desktop program's runs: choose a listing or a project, read it, take the design inputs, open the
// main window, and replace it by another listing or project without a restart.
#include "ui/app_flow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <algorithm>

#include "model/project.h"
#include "model/prompter.h"
#include "project/plan_opening.h"
#include "project/project_file.h"
#include "ui/main_window.h"
#include "ui/recovery.h"
#include "ui/startup_dialog.h"

namespace plintova {

namespace {

bool isProjectFile(const std::string& path) {
  return QString::fromStdString(path).endsWith(QStringLiteral(".plintova"), Qt::CaseInsensitive);
}

// Reads a listing into a fresh project; the message of a listing that cannot be used is shown.
std::unique_ptr<Project> readInto(const std::string& path, Prompter& prompter, ListingSummary* summary,
                                  bool deferred = false) {
  ListingRead read = readPlanListing(path, prompter, ListingParts{.deferred = deferred});
  if (!read.error.empty()) prompter.message(read.error);
  if (read && summary) *summary = read.summary;
  return std::move(read.project);
}

}  // namespace

std::unique_ptr<QFileDialog> startupFileDialog(QWidget* parent, const QString& folder) {
  // Listings are written with a capital extension; the lower-case one is offered too, since file
  // names on this system are case-sensitive.
  auto dialog = std::make_unique<QFileDialog>(parent, QStringLiteral("Open Analysis Listing or Project"), folder);
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setNameFilters({QStringLiteral("Listings and projects (*.ANL *.anl *.csv *.tsv *.plintova)"),
                          QStringLiteral("Staad Files (*.ANL *.anl)"), QStringLiteral("Reaction tables (*.csv *.tsv)"),
                          QStringLiteral("Plintova projects (*.plintova)"), QStringLiteral("All Files (*)")});
  return dialog;
}

ListingChooser desktopListingChooser() {
  return [](QWidget* parent) {
    // The examples of the source tree; an installed program has none, and offers the examples where the
    // package put them, found from its own folder; else the working folder.
    QString folder = QStringLiteral(PLINTOVA_EXAMPLES);
    if (!QDir(folder).exists())
      folder = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral(PLINTOVA_INSTALLED_EXAMPLES));
    if (!QDir(folder).exists()) folder = QDir::currentPath();
    const std::unique_ptr<QFileDialog> dialog = startupFileDialog(parent, folder);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::string();
    return dialog->selectedFiles().first().toStdString();
  };
}

AppFlow::AppFlow(Prompter& prompter, ListingChooser chooser, QObject* parent)
    : QObject(parent), prompter_(prompter), chooser_(std::move(chooser)) {}

AppFlow::~AppFlow() {
  finishPending(false);
  delete dialog_;
  main_.reset();  // the window refers to the project: it goes first
}

StartupDialog* AppFlow::startupDialog() const { return dialog_; }

bool AppFlow::offerRecovery() {
  if (!recoveryChooser_) return false;
  // Offered again after every deletion and after a copy that could not be opened (its message shown),
  // until the engineer opens one or keeps the rest. Nothing is deleted unless the engineer ticks it.
  for (std::vector<RecoveryCopy> copies = leftRecoveryCopies(); !copies.empty(); copies = leftRecoveryCopies()) {
    const RecoveryChoice choice = recoveryChooser_(nullptr, copies);
    const auto valid = [&](int i) { return i >= 0 && static_cast<std::size_t>(i) < copies.size(); };
    switch (choice.action) {
      case RecoveryChoice::Action::Keep:
        return false;
      case RecoveryChoice::Action::Delete:
        if (std::none_of(choice.remove.begin(), choice.remove.end(), valid)) return false;
        for (int i : choice.remove)
          if (valid(i)) deleteRecoveryCopy(copies[static_cast<std::size_t>(i)].path);
        break;
      case RecoveryChoice::Action::Open:
        if (!valid(choice.open)) return false;
        if (openProject(copies[static_cast<std::size_t>(choice.open)].path, true)) return true;
        break;
    }
  }
  return false;
}

bool AppFlow::start(const std::string& given) {
  // On every start, a file given or not: a double-click on a listing after a crash must not pass over
  // (and then lose) the work of the crashed run.
  if (offerRecovery()) return true;
  const std::string path = !given.empty() ? given : (chooser_ ? chooser_(nullptr) : std::string());
  if (path.empty()) return false;
  return isProjectFile(path) ? openProject(path) : openListing(path);
}

bool AppFlow::openListing(const std::string& path) {
  ListingSummary summary;
  std::unique_ptr<Project> project = readInto(path, prompter_, &summary, true);
  if (!project) return false;
  finishPending(false);  // a listing still waiting for its dialog is replaced
  pending_ = std::move(project);
  // The engineer reads the dialog meanwhile; nothing changes the tables read until OK, which waits.
  if (summary.deferred)
    rest_ = std::async(std::launch::async, [p = static_cast<const Project*>(pending_.get())] { return listingRest(*p); });
  delete dialog_;
  dialog_ = new StartupDialog(*pending_, summary, prompter_);
  dialog_->setBeforeTaking([this] {
    if (finishPending()) return true;
    dialog_->reject();  // the listing cannot be used: as when it could not be read
    return false;
  });
  connect(dialog_, &StartupDialog::confirmed, this, &AppFlow::openMainWindow);
  connect(dialog_, &QDialog::rejected, this, [this] {
    finishPending(false);
    pending_.reset();
    // The dialog's Exit ends the run only when no plan is open; otherwise the plan stays.
    if (!main_) emit finished();
  });
  dialog_->show();
  return true;
}

bool AppFlow::finishPending(bool keep) {
  if (!rest_.valid()) return true;
  try {
    ListingRest rest = rest_.get();
    if (keep && pending_) finishListing(*pending_, std::move(rest));
    return true;
  } catch (const std::exception& e) {
    if (keep) prompter_.message(std::string("The listing could not be read: ") + e.what());
    return false;
  }
}

void AppFlow::openMainWindow() {
  if (!adopt(std::move(pending_), nullptr, {}, false) && !main_) emit finished();
  // The dialog closes for good once the main window stands.
  if (dialog_) dialog_->deleteLater();
}

bool AppFlow::openProject(const std::string& path, bool recovered) {
  const ReadProject read = readProjectFile(path);
  if (!read.project) {
    prompter_.message(read.error);
    return false;
  }
  const SavedProject& saved = *read.project;
  std::unique_ptr<Project> project = readInto(listingPathOf(saved, path), prompter_, nullptr);
  if (!project) return false;
  if (const std::string refusal = acceptSavedInputs(*project, saved); !refusal.empty()) {
    prompter_.message("The project " + path + " cannot be opened: " + refusal);
    return false;
  }
  return adopt(std::move(project), &saved, path, recovered);
}

bool AppFlow::adopt(std::unique_ptr<Project> project, const SavedProject* saved, const std::string& projectPath,
                    bool recovered) {
  if (!project) return false;
  auto window = std::make_unique<MainWindow>(*project, prompter_);
  if (!window->load(saved, projectPath, recovered)) return false;  // the old plan, if any, stays
  // The new plan stands: the old window goes (writing its layout file as on close), then its project.
  if (main_) {
    main_->closeForReplacement();
    main_.reset();
  }
  project_ = std::move(project);
  main_ = std::move(window);
  connect(main_.get(), &MainWindow::closed, this, &AppFlow::finished);
  // Queued: the request comes from inside the window that a new plan will replace.
  connect(main_.get(), &MainWindow::openListingRequested, this,
          [this](const QString& p) { openListing(p.toStdString()); }, Qt::QueuedConnection);
  connect(main_.get(), &MainWindow::openProjectRequested, this,
          [this](const QString& p) { openProject(p.toStdString()); }, Qt::QueuedConnection);
  return true;
}

}  // namespace plintova
