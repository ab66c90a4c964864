// The buffer a file is read into: never zero-filled first, and for a large file made of huge pages.
#pragma once

#include <cstddef>
#include <memory>

namespace plintova {

// Gives back the memory of a FileBuffer, however it was taken.
struct FileBufferRelease {
  std::size_t mappedBytes = 0;  // the length of an anonymous mapping; 0 for a buffer from new[]
  void operator()(char* data) const noexcept;
};

using FileBuffer = std::unique_ptr<char[], FileBufferRelease>;

// Room for `size` bytes, uninitialised. A buffer of some megabytes (a listing of a large building) is
// an anonymous mapping that asks for transparent huge pages: the kernel then fills it 2 MB at a time
// instead of one page fault per 4 kB, which costs a large listing more than reading its bytes. Throws
// std::bad_alloc when the memory cannot be had.
FileBuffer allocateFileBuffer(std::size_t size);

// Prepares the heap of a run that reads a large listing: the model's tables (reactions, members,
// lattices: some megabytes, made and grown while reading) are served from one region of the heap that
// asks for transparent huge pages, and freed memory is kept for the next table instead of being given
// back and faulted in again page by page. `reserveBytes` is the region's size; pages are taken only as
// they are touched. Advice only: on a system without it the heap behaves as before. Call once, early.
void preferLargeHeapPages(std::size_t reserveBytes);

// While it lives, blocks up to 32 MB come from the heap and freed ones stay there for the next, instead
// of each being mapped anew and zero-filled by the kernel page by page; when it goes, the allocator's
// default sizes come back and the memory is given back. Where the run prefers large heap pages already
// (above), it changes nothing.
class LargeBlocksInHeap {
 public:
  LargeBlocksInHeap();
  ~LargeBlocksInHeap();
  LargeBlocksInHeap(const LargeBlocksInHeap&) = delete;
  LargeBlocksInHeap& operator=(const LargeBlocksInHeap&) = delete;
};

}  // namespace plintova
