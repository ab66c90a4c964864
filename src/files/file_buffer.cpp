// The buffer a file is read into.
#include "files/file_buffer.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace plintova {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Below this a file fits in a few hundred ordinary pages and the heap serves it as well.
constexpr std::size_t kMappedFrom = 2 * kHugePage;

}  // namespace

void FileBufferRelease::operator()(char* data) const noexcept {
  if (!data) return;
  if (mappedBytes == 0) {
    delete[] data;
    return;
  }
  ::munmap(data, mappedBytes);
}

FileBuffer allocateFileBuffer(std::size_t size) {
  if (size < kMappedFrom) return FileBuffer(new char[size], FileBufferRelease{0});
  if (size > SIZE_MAX - kHugePage) throw std::bad_alloc();
  const std::size_t length = (size + kHugePage - 1) / kHugePage * kHugePage;
  void* data = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (data == MAP_FAILED) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
  // Advice only: where huge pages are off, the mapping is filled page by page as any other memory.
  ::madvise(data, length, MADV_HUGEPAGE);
#endif
  return FileBuffer(static_cast<char*>(data), FileBufferRelease{length});
}

}  // namespace plintova
