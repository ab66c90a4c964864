// Opens the PDF renderer module beside the batch tool, only when a PDF is asked for.
#pragma once

#include <string>

#include "render/pdf_renderer.h"

namespace plintova::cli {

struct LoadedRenderer {
  const pdf::Renderer* renderer = nullptr;
  std::string error;  // why there is none: "The PDF renderer <path> could not be opened: <reason>."
};

// The renderer from the first of the module's places that holds it: the batch tool's own folder (the
// build tree) and the package's library folder relative to it. The module stays loaded to the end.
LoadedRenderer loadPdfRenderer();

}  // namespace plintova::cli
