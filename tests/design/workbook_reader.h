// Reading a written workbook back through an independent reader (openpyxl, by tests/design/dump_workbook.py).
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "../command_output.h"

namespace plintova::design_test {

// A Python interpreter that has openpyxl, or "" when none does.
inline std::string pythonWithOpenpyxl() {
  for (const char* candidate : {"/usr/bin/python3", "python3"}) {
    std::string probe = std::string(candidate) + " -c 'import openpyxl' >/dev/null 2>&1";
    if (std::system(probe.c_str()) == 0) return candidate;
  }
  return {};
}

// What the dump script prints of the workbook at `path` (its formats and page setup too when `details`).
inline std::string dumpWorkbook(const std::string& python, const std::string& path, bool details = false) {
  // Found from the test data folder, an absolute path at any build folder (the compiler may see this file
  // by a relative path).
  const std::string script =
      (std::filesystem::path(PLINTOVA_TEST_DATA).parent_path() / "design" / "dump_workbook.py").string();
  return commandOutput(python + " '" + script + "' '" + path + "'" + (details ? " --details" : "") + " 2>&1");
}

}  // namespace plintova::design_test
