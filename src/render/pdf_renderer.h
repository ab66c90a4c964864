// The PDF renderer the batch tool opens at run time: the drawing sheets, the A3 plan and the calculation
// report painted with Qt. A run that prints only text never loads Qt's painting and PDF libraries; the
// renderer module (plintova-pdf.so) is opened when a PDF is asked for. This header is all the two share.
#pragma once

#include <cstddef>
#include <string>

#include "model/project.h"

namespace plintova::pdf {

// Raised whenever the table below or anything passed through it changes shape.
constexpr int kInterfaceVersion = 1;

using WritePdf = std::string (*)(const Project& project, const std::string& path);

// The renderer's entry points. `projectSize` guards against a module of another build: the batch tool
// refuses one whose Project differs from its own.
struct Renderer {
  int interfaceVersion;
  std::size_t projectSize;
  const char* programVersion;
  // Starts the GUI application the fonts need (offscreen unless a platform is set); "" or the reason.
  std::string (*start)();
  WritePdf sheets;  // the footing drawing's sheets
  WritePdf plan;    // the bare plan on one A3 page
  WritePdf report;  // the calculation report
  // Ends the GUI application before the program ends.
  void (*finish)();
};

}  // namespace plintova::pdf

// The one symbol the module exports.
extern "C" const plintova::pdf::Renderer* plintova_pdf_renderer();

#define PLINTOVA_PDF_ENTRY "plintova_pdf_renderer"
