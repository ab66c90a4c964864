// The buffer a file is read into.
#include "files/file_buffer.h"

#include <sys/mman.h>
#include <unistd.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace plintova {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Below this a file fits in a few hundred ordinary pages and the heap serves it as well.
constexpr std::size_t kMappedFrom = 2 * kHugePage;
// The most the allocator lets come from the heap rather than from a mapping of its own.
constexpr std::size_t kLargestFromHeap = std::size_t{32} << 20;
// Set once preferLargeHeapPages has prepared the heap for the whole run.
bool heapPrepared = false;

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

void preferLargeHeapPages(std::size_t reserveBytes) {
#if defined(__GLIBC__) && defined(MADV_HUGEPAGE)
  const std::size_t region = std::clamp<std::size_t>(reserveBytes, kHugePage, std::size_t{1} << 30);
  // Tables up to 32 MB (the most the allocator lets come from the heap) are taken from it rather than
  // from a fresh mapping each; the heap grows by the whole region at once and is not trimmed back when
  // a table is freed.
  ::mallopt(M_MMAP_THRESHOLD, static_cast<int>(kLargestFromHeap));
  ::mallopt(M_TRIM_THRESHOLD, static_cast<int>(std::min<std::size_t>(2 * region, INT32_MAX)));
  ::mallopt(M_TOP_PAD, static_cast<int>(region));
  char* before = static_cast<char*>(::sbrk(0));
  // A block the heap's free top cannot hold makes it grow by the block and the pad; freed, all of it
  // stays as free room.
  // (The pointer is volatile: a compiler may drop a malloc whose block is freed unused.)
  void* volatile block = std::malloc(kLargestFromHeap / 2);
  std::free(block);
  char* after = static_cast<char*>(::sbrk(0));
  ::mallopt(M_TOP_PAD, static_cast<int>(kHugePage));
  heapPrepared = true;
  if (before == reinterpret_cast<char*>(-1) || after <= before) return;
  // Advise the whole huge pages of the new region: the kernel fills each with one fault on first touch.
  const auto first = (reinterpret_cast<std::uintptr_t>(before) + kHugePage - 1) / kHugePage * kHugePage;
  const auto last = reinterpret_cast<std::uintptr_t>(after) / kHugePage * kHugePage;
  if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
  (void)reserveBytes;
#endif
}

LargeBlocksInHeap::LargeBlocksInHeap() {
#if defined(__GLIBC__)
  if (heapPrepared) return;
  ::mallopt(M_MMAP_THRESHOLD, static_cast<int>(kLargestFromHeap));
  ::mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * kLargestFromHeap));
#endif
}

LargeBlocksInHeap::~LargeBlocksInHeap() {
#if defined(__GLIBC__)
  if (heapPrepared) return;
  // Back to the library's default sizes (which it no longer adjusts as blocks are freed).
  ::mallopt(M_MMAP_THRESHOLD, 128 << 10);
  ::mallopt(M_TRIM_THRESHOLD, 128 << 10);
  ::malloc_trim(0);
#endif
}

}  // namespace plintova
