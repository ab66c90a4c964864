// The workbook written as an .xlsx package of the program's own making through the safe file writer.
#include "design/workbook_xlsx.h"

#include <string>

#include "design/xlsx_writer.h"
#include "files/project_files.h"
#include "files/safe_file.h"
#include "files/zip_writer.h"

namespace plintova {

namespace {

// zlib's fastest level: on the capacity listing's sheets, levels 1 and 2 make files within a few per cent
// of each other and of the default level 6, in a fraction of its time.
constexpr int kDeflateLevel = 1;

}  // namespace

std::string writeSheets(const std::vector<Sheet>& sheets, const std::string& path,
                        const std::vector<ProtectedFile>& protectedFiles) {
  if (path.empty()) return "no file name was given";
  // Refused before anything is written, so a workbook a spreadsheet would not open is never made.
  std::string reason = xlsxLimitProblem(sheets);
  if (reason.empty())
    reason = writeFileSafely(
        path,
        [&sheets](const std::string& temporary) -> std::string {
          // Each sheet's rows go through the deflater as they are made: the file is never whole in memory.
          ZipFileSink file(temporary);
          if (!file.openFailure().empty()) return file.openFailure();
          ZipWriter zip([&file](std::string_view bytes) { return file.write(bytes); }, kDeflateLevel);
          writeXlsx(sheets, zip);
          std::string failure = zip.finish();
          const std::string closed = file.close();
          return failure.empty() ? closed : failure;
        },
        protectedFiles);
  if (!reason.empty()) return "cannot write " + path + ": " + reason;
  return {};
}

std::string writeWorkbook(const Project& p, const std::string& path) {
  return writeSheets(buildWorkbook(p), path, projectInputFiles(p.AnlPath));
}

}  // namespace plintova
