#include "search/slab.h"

#include <new>

#if defined(__linux__)
#include <sys/mman.h>

#include <cstdint>
#endif

namespace search::slab_detail {

#if defined(__linux__)

// Mapped apart from the heap, so that a slab's memory goes back to the system
// as soon as it is released, huge pages included, whatever else the heap holds.
void* allocate() {
  // Twice the size, then the ends outside the aligned slab given back: mmap
  // aligns to pages only.
  constexpr std::size_t kMapped = 2 * kSlabBytes;
  void* const mapped = mmap(nullptr, kMapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(mapped);
  const std::uintptr_t slab = (start + kSlabBytes - 1) & ~std::uintptr_t{kSlabBytes - 1};
  if (slab > start) munmap(mapped, slab - start);
  if (start + kMapped > slab + kSlabBytes)
    munmap(reinterpret_cast<void*>(slab + kSlabBytes), start + kMapped - slab - kSlabBytes);
  // A hint only: where no huge page is to be had, small pages back the slab.
  madvise(reinterpret_cast<void*>(slab), kSlabBytes, MADV_HUGEPAGE);
  return reinterpret_cast<void*>(slab);
}

void release(void* slab) noexcept { munmap(slab, kSlabBytes); }

#else

void* allocate() { return ::operator new (kSlabBytes, std::align_val_t{kSlabBytes}); }

void release(void* slab) noexcept { ::operator delete (slab, std::align_val_t{kSlabBytes}); }

#endif

}  // namespace search::slab_detail
