// Projects for the window tests, run through the core as the desktop program runs them, and test helpers.
#pragma once

#include <QDir>
#include <QString>
#include <cstdio>
#include <memory>
#include <string>

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
inline std::string runCommand(const std::string& command) {
  std::string out;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

}  // namespace plintova::uitest
