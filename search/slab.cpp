#include "search/slab.h"

#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace search::slab_detail {

void* allocate() {
  void* const slab = ::operator new (kSlabBytes, std::align_val_t{kSlabBytes});
#if defined(__linux__)
  // A hint only: where no huge page is to be had, small pages back the slab.
  madvise(slab, kSlabBytes, MADV_HUGEPAGE);
#endif
  return slab;
}

void release(void* slab) noexcept { ::operator delete (slab, std::align_val_t{kSlabBytes}); }

}  // namespace search::slab_detail
