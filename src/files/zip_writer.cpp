// A zip archive written front to back through zlib's raw deflate.
#include "files/zip_writer.h"

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <limits>

#include "files/safe_file.h"

namespace plintova {

namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kDataDescriptor = 0x08074b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndOfDirectory = 0x06054b50;
constexpr std::uint16_t kVersion = 20;             // 2.0: deflate
constexpr std::uint16_t kSizesAfterData = 0x0008;  // CRC-32 and sizes in a descriptor after the data
constexpr std::uint16_t kDeflated = 8;
// Every entry is dated 1 January 1980, 00:00 (the format's first day): the same sheets always give the
// same bytes, whenever they are written.
constexpr std::uint16_t kDosTime = 0;
constexpr std::uint16_t kDosDate = (0 << 9) | (1 << 5) | 1;
constexpr std::uint64_t kMost32 = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kOutputChunk = 64 * 1024;

void put16(std::string& out, std::uint16_t v) {
  out.push_back(static_cast<char>(v & 0xff));
  out.push_back(static_cast<char>(v >> 8));
}
void put32(std::string& out, std::uint64_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}

}  // namespace

struct ZipWriter::Deflater {
  z_stream stream{};
  bool ready = false;
  ~Deflater() {
    if (ready) deflateEnd(&stream);
  }
};

ZipWriter::ZipWriter(ZipSink sink, int level) : sink_(std::move(sink)), level_(level), deflater_(new Deflater) {}

ZipWriter::~ZipWriter() = default;

void ZipWriter::fail(std::string reason) {
  if (failure_.empty()) failure_ = std::move(reason);
}

void ZipWriter::emit(std::string_view bytes) {
  if (!failure_.empty() || bytes.empty()) return;
  if (written_ + bytes.size() > kMost32) {
    fail("the file would pass 4 GB");
    return;
  }
  if (std::string reason = sink_(bytes); !reason.empty()) {
    fail(std::move(reason));
    return;
  }
  written_ += bytes.size();
}

void ZipWriter::begin(std::string name) {
  endEntry();
  if (!failure_.empty()) return;
  if (entries_.size() >= 0xffff) return fail("the file would hold more than 65,535 parts");
  Entry entry;
  entry.name = std::move(name);
  entry.offset = written_;
  std::string header;
  put32(header, kLocalHeader);
  put16(header, kVersion);
  put16(header, kSizesAfterData);
  put16(header, kDeflated);
  put16(header, kDosTime);
  put16(header, kDosDate);
  put32(header, 0);  // CRC-32 and sizes: in the descriptor
  put32(header, 0);
  put32(header, 0);
  put16(header, static_cast<std::uint16_t>(entry.name.size()));
  put16(header, 0);
  header += entry.name;
  emit(header);

  z_stream& z = deflater_->stream;
  const int status = deflater_->ready ? deflateReset(&z)
                                      : deflateInit2(&z, level_, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  if (status != Z_OK) return fail("the compressor cannot start");
  deflater_->ready = true;
  entries_.push_back(std::move(entry));
  open_ = true;
}

void ZipWriter::deflateInput(bool last) {
  z_stream& z = deflater_->stream;
  if (out_.size() != kOutputChunk) out_.resize(kOutputChunk);
  for (;;) {
    z.next_out = reinterpret_cast<Bytef*>(out_.data());
    z.avail_out = static_cast<uInt>(out_.size());
    const int status = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
    if (status == Z_STREAM_ERROR) return fail("the compressor failed");
    const std::size_t made = out_.size() - z.avail_out;
    entries_.back().compressed += made;
    emit(std::string_view(out_.data(), made));
    if (!failure_.empty()) return;
    if (last ? status == Z_STREAM_END : (z.avail_in == 0 && z.avail_out != 0)) return;
  }
}

void ZipWriter::write(std::string_view bytes) {
  if (!failure_.empty() || !open_ || bytes.empty()) return;
  Entry& entry = entries_.back();
  entry.size += bytes.size();
  if (entry.size > kMost32) return fail("a part of the file would pass 4 GB");
  z_stream& z = deflater_->stream;
  // zlib's counts are 32 bits wide, the part is below 4 GB: one piece at a time is enough.
  entry.crc = static_cast<std::uint32_t>(
      crc32(entry.crc, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  z.avail_in = static_cast<uInt>(bytes.size());
  deflateInput(false);
}

void ZipWriter::endEntry() {
  if (!open_) return;
  open_ = false;
  if (!failure_.empty()) return;
  deflater_->stream.avail_in = 0;
  deflateInput(true);
  const Entry& entry = entries_.back();
  std::string descriptor;
  put32(descriptor, kDataDescriptor);
  put32(descriptor, entry.crc);
  put32(descriptor, entry.compressed);
  put32(descriptor, entry.size);
  emit(descriptor);
}

std::string ZipWriter::finish() {
  endEntry();
  if (!failure_.empty()) return failure_;
  const std::uint64_t start = written_;
  std::string directory;
  for (const Entry& entry : entries_) {
    put32(directory, kCentralHeader);
    put16(directory, kVersion);  // made by: MS-DOS attributes, version 2.0
    put16(directory, kVersion);
    put16(directory, kSizesAfterData);
    put16(directory, kDeflated);
    put16(directory, kDosTime);
    put16(directory, kDosDate);
    put32(directory, entry.crc);
    put32(directory, entry.compressed);
    put32(directory, entry.size);
    put16(directory, static_cast<std::uint16_t>(entry.name.size()));
    put16(directory, 0);  // extra field
    put16(directory, 0);  // comment
    put16(directory, 0);  // disk
    put16(directory, 0);  // internal attributes
    put32(directory, 0);  // external attributes
    put32(directory, entry.offset);
    directory += entry.name;
  }
  const std::size_t directorySize = directory.size();
  put32(directory, kEndOfDirectory);
  put16(directory, 0);
  put16(directory, 0);
  put16(directory, static_cast<std::uint16_t>(entries_.size()));
  put16(directory, static_cast<std::uint16_t>(entries_.size()));
  put32(directory, directorySize);
  put32(directory, start);
  put16(directory, 0);
  emit(directory);
  return failure_;
}

ZipFileSink::ZipFileSink(const std::string& path) {
  fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd_ < 0) openFailure_ = std::strerror(errno);
}

ZipFileSink::~ZipFileSink() {
  if (fd_ >= 0) ::close(fd_);
}

std::string ZipFileSink::write(std::string_view bytes) {
  if (fd_ < 0) return openFailure_.empty() ? "the file is closed" : openFailure_;
  return writeAll(fd_, bytes);
}

std::string ZipFileSink::close() {
  if (fd_ < 0) return openFailure_;
  const int status = ::close(fd_);
  fd_ = -1;
  return status == 0 ? std::string() : std::strerror(errno);
}

}  // namespace plintova
