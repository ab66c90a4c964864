// Opens the PDF renderer module with dlopen, checking that it was built with this batch tool.
#include "cli/pdf_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#ifndef PLINTOVA_PDF_MODULE_DIR
#define PLINTOVA_PDF_MODULE_DIR "."
#endif

namespace plintova::cli {

namespace {

constexpr const char* kModuleName = "plintova-pdf.so";

std::filesystem::path programFolder() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path{} : self.parent_path();
}

// Where the module may lie: beside the program (a build tree), then the installed library folder.
std::vector<std::filesystem::path> modulePlaces() {
  const std::filesystem::path folder = programFolder();
  if (folder.empty()) return {};
  return {folder / kModuleName, (folder / PLINTOVA_PDF_MODULE_DIR / kModuleName).lexically_normal()};
}

std::string refusal(const std::filesystem::path& path, std::string_view reason) {
  return "The PDF renderer " + path.string() + " could not be opened: " + std::string(reason) +
         ". The PDF files need it; reinstall the program, or leave out --pdf, --plan-pdf and a .pdf report.";
}

}  // namespace

LoadedRenderer loadPdfRenderer() {
  const std::vector<std::filesystem::path> places = modulePlaces();
  if (places.empty()) return {nullptr, refusal(kModuleName, "the batch tool's own folder is unknown")};
  std::error_code error;
  const auto found = std::find_if(places.begin(), places.end(),
                                  [&](const std::filesystem::path& p) { return std::filesystem::exists(p, error); });
  const std::filesystem::path path = found == places.end() ? places.back() : *found;
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!module) {
    const char* reason = dlerror();
    return {nullptr, refusal(path, reason ? reason : "unknown reason")};
  }
  auto entry = reinterpret_cast<const pdf::Renderer* (*)()>(dlsym(module, PLINTOVA_PDF_ENTRY));
  const pdf::Renderer* renderer = entry ? entry() : nullptr;
  if (!renderer) return {nullptr, refusal(path, "it holds no renderer")};
  if (renderer->interfaceVersion != pdf::kInterfaceVersion || renderer->projectSize != sizeof(Project) ||
      std::string_view(renderer->programVersion) != PLINTOVA_VERSION)
    return {nullptr, refusal(path, std::string("it belongs to another build (version ") + renderer->programVersion + ")")};
  return {renderer, {}};
}

}  // namespace plintova::cli
