// The dialogs of the desktop program beside its messages and questions: choosing a file to open or to
// write, the print and print preview dialogs, the drawing sheet's and the design options' dialogs.
#pragma once

#include <functional>
#include <string>

class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace plintova {

class DesignOptionsDialog;
class SheetSettingsDialog;

enum class FileToOpen { Listing, Project };
enum class FileToSave { Project, Workbook, DrawingPdf, DrawingDxf, Report };
enum class PrintJob { Plan, Drawing };

// The windows ask the engineer through this interface, as the core asks through the Prompter: the
// desktop answers with Qt's dialogs (desktopDialogs), tests with ScriptedDialogs, so that a test drives
// every command without a dialog that waits for a person.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The file to open; "" when the engineer cancelled.
  virtual std::string openFile(QWidget* parent, FileToOpen what) = 0;
  // Where to write, starting from `proposed` (overwriting confirmed by the dialog, the suffix of the
  // type added to a bare name); "" when the engineer cancelled.
  virtual std::string saveFile(QWidget* parent, FileToSave what, const std::string& proposed) = 0;
  // Opens a written file with the desktop's application for it (the workbook); false when none did.
  virtual bool openWithDesktop(const std::string& path) = 0;
  // The print dialog for `printer`, set up beforehand; true when the engineer chose to print.
  virtual bool print(QWidget* parent, PrintJob job, QPrinter& printer) = 0;
  // Shows the print preview, already connected to paint the pages, until the engineer closes it.
  virtual void preview(QPrintPreviewDialog& dialog) = 0;
  // Shows the dialog until the engineer closes it; true for OK.
  virtual bool editSheet(SheetSettingsDialog& dialog) = 0;
  virtual bool editDesignOptions(DesignOptionsDialog& dialog) = 0;
};

// Qt's dialogs, shown modally over `parent`.
Dialogs& desktopDialogs();

// Answers each dialog with the function given for it; a dialog without one is cancelled at once (a
// file chooser gives "", the print and edit dialogs false) and a preview is not shown.
struct ScriptedDialogs : Dialogs {
  std::function<std::string(QWidget* parent, FileToOpen what)> answerOpen;
  std::function<std::string(QWidget* parent, FileToSave what, const std::string& proposed)> answerSave;
  std::function<bool(const std::string& path)> answerOpenWithDesktop;
  std::function<bool(QPrinter& printer, QWidget* parent)> answerPrint;
  std::function<void(QPrintPreviewDialog& dialog)> answerPreview;
  std::function<bool(SheetSettingsDialog& dialog)> answerSheet;
  std::function<bool(DesignOptionsDialog& dialog)> answerDesignOptions;

  std::string openFile(QWidget* parent, FileToOpen what) override {
    return answerOpen ? answerOpen(parent, what) : std::string();
  }
  std::string saveFile(QWidget* parent, FileToSave what, const std::string& proposed) override {
    return answerSave ? answerSave(parent, what, proposed) : std::string();
  }
  bool openWithDesktop(const std::string& path) override {
    return answerOpenWithDesktop && answerOpenWithDesktop(path);
  }
  bool print(QWidget* parent, PrintJob, QPrinter& printer) override {
    return answerPrint && answerPrint(printer, parent);
  }
  void preview(QPrintPreviewDialog& dialog) override {
    if (answerPreview) answerPreview(dialog);
  }
  bool editSheet(SheetSettingsDialog& dialog) override { return answerSheet && answerSheet(dialog); }
  bool editDesignOptions(DesignOptionsDialog& dialog) override {
    return answerDesignOptions && answerDesignOptions(dialog);
  }
};

}  // namespace plintova
