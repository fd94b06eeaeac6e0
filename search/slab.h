#pragma once

#include <cstddef>
#include <memory>
#include <type_traits>

namespace search {

// Memory for tables that grow a slab at a time: slabs of kSlabBytes, each
// aligned to its size, which Linux is asked to back with one huge page. A
// table written once across megabytes, as the buckets of a window of rows
// are, would otherwise take a page fault every 4 KB, and a fault costs some
// microseconds, more than the entries that fill its page.
inline constexpr std::size_t kSlabBytes = std::size_t{2} << 20;

namespace slab_detail {
void* allocate();
void release(void* slab) noexcept;
}  // namespace slab_detail

template <typename T>
struct SlabRelease {
  void operator()(T* slab) const noexcept { slab_detail::release(slab); }
};

// kSlabBytes / sizeof(T) elements, left uninitialised.
template <typename T>
using Slab = std::unique_ptr<T[], SlabRelease<T>>;

template <typename T>
Slab<T> makeSlab() {
  static_assert(std::is_trivially_default_constructible_v<T> && std::is_trivially_destructible_v<T>);
  return Slab<T>(static_cast<T*>(slab_detail::allocate()));
}

}  // namespace search
