// Projects for the window tests, run through the core as the desktop program runs them, and test helpers.
#pragma once

#include <QDir>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "../command_output.h"
#include "footing/derived_plan.h"
#include "footing/design_inputs.h"
#include "input/listing_reader.h"
#include "model/project.h"
#include "model/prompter.h"
#include "project/plan_editor.h"
#include "project/schedule_design.h"
#include "ui_support.h"

namespace plintova::uitest {

// A listing read and taken through the main window's start-up (SBC 200, depth 1.5 m, every group
// ticked) and one Design command.
inline std::unique_ptr<Project> designedFrame(Prompter& prompter,
                                              const std::string& listing = PLINTOVA_EXAMPLES "/FRAME1.ANL") {
  auto p = std::make_unique<Project>();
  readListing(*p, listing, prompter);
  acceptDesignInputs(*p, "1.5", "200");
  startPlan(*p, prompter);
  designSchedule(*p, prompter);
  return p;
}

using windowtest::shotPath;

// Output of a shell command (stderr included), for poppler's tools.
inline std::string runCommand(const std::string& command) { return commandOutput(command + " 2>&1"); }

// The text of a PDF from poppler's pdftotext, in its printed layout or as a plain run of words.
inline QString pdfText(const std::string& path, bool layout = true) {
  return QString::fromStdString(runCommand(std::string("pdftotext ") + (layout ? "-layout " : "") + "'" + path + "' -"));
}

// What poppler's pdfinfo says of a PDF (pages, page size, ...).
inline std::string pdfInfo(const std::string& path) { return runCommand("pdfinfo '" + path + "'"); }

// The number of pages of a PDF, 0 when it cannot be read.
inline int pdfPages(const std::string& path) {
  const std::string info = pdfInfo(path);
  const auto at = info.find("Pages:");
  return at == std::string::npos ? 0 : std::atoi(info.c_str() + at + 6);
}

}  // namespace plintova::uitest
