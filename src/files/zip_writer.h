// A zip archive written front to back: each entry deflated as its bytes come, the central directory
// at the end. Enough for the packages office files are made of (no encryption, no Zip64).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plintova {

// Takes the archive's bytes in order; returns "" when they were written, else the reason.
using ZipSink = std::function<std::string(std::string_view bytes)>;

// Writes entries one after the other through a sink. Each entry's local header carries no sizes (the
// data-descriptor flag): its CRC-32 and sizes follow its data, so nothing is ever sought back. The first
// failure (of the sink, of the deflater, or an archive past the 4 GB the plain format can address) is
// kept; later calls do nothing and `finish` returns it.
class ZipWriter {
 public:
  // `level` is zlib's compression level (1 fastest ... 9 smallest).
  explicit ZipWriter(ZipSink sink, int level = 1);
  ~ZipWriter();
  ZipWriter(const ZipWriter&) = delete;
  ZipWriter& operator=(const ZipWriter&) = delete;

  // Starts an entry (ending the one before); names are written as given, '/' between folders.
  void begin(std::string name);
  // Appends bytes to the entry begun last.
  void write(std::string_view bytes);
  // Ends the last entry and writes the central directory. Returns "" or the first failure.
  std::string finish();

  const std::string& failure() const { return failure_; }

 private:
  struct Entry {
    std::string name;
    std::uint32_t crc = 0;
    std::uint64_t compressed = 0, size = 0, offset = 0;
  };
  void endEntry();
  void deflateInput(bool last);
  void emit(std::string_view bytes);
  void fail(std::string reason);

  struct Deflater;
  ZipSink sink_;
  int level_;
  std::unique_ptr<Deflater> deflater_;
  std::vector<Entry> entries_;
  bool open_ = false;  // an entry is being written
  std::uint64_t written_ = 0;
  std::string out_;  // room for the deflater's output
  std::string failure_;
};

// A sink that writes to the file `path`, replacing what it holds; `close` reports a failed write.
class ZipFileSink {
 public:
  explicit ZipFileSink(const std::string& path);
  ~ZipFileSink();
  ZipFileSink(const ZipFileSink&) = delete;
  ZipFileSink& operator=(const ZipFileSink&) = delete;
  // "" when the file is open, else why it cannot be.
  const std::string& openFailure() const { return openFailure_; }
  std::string write(std::string_view bytes);
  std::string close();

 private:
  int fd_ = -1;
  std::string openFailure_;
};

}  // namespace plintova
