// Byte buffers for whole images (a chart of 4100 × 3300 pixels takes 54 MB). A fresh buffer is
// asked for in huge pages where the system allows it: filling millions of small pages one fault
// at a time can cost more than the drawing or the encoding itself.
#pragma once

#include <sys/mman.h>

#include <cstdint>
#include <vector>

namespace ravelo {

// Gives the buffer size zero bytes, advising huge pages for the part of a fresh allocation that
// holds whole ones before the pages are first touched.
inline void ResizeLargeBuffer(std::vector<uint8_t>& buffer, std::size_t size) {
  constexpr std::uintptr_t kHugePage = 2 << 20;
  if (buffer.capacity() < size && size >= kHugePage) {
    std::vector<uint8_t>().swap(buffer);
    buffer.reserve(size);
    const auto begin = reinterpret_cast<std::uintptr_t>(buffer.data());
    const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t last = (begin + size) & ~(kHugePage - 1);
    if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
  }
  buffer.resize(size);
}

}  // namespace ravelo
