// What a shell command writes to standard output, for the tests that read files back through outside
// tools (poppler's pdftotext, pdfinfo and pdftoppm; the workbook's Python reader).
#pragma once

#include <cstdio>
#include <string>

inline std::string commandOutput(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}
