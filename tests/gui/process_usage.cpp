#include "process_usage.h"

#include <cstdint>

namespace gui {
namespace {

BOOL CALLBACK countWindow(HWND /*window*/, LPARAM count) {
  ++*reinterpret_cast<std::size_t*>(count);
  return TRUE;
}

// A top-level window and all its descendants (EnumChildWindows walks them all).
BOOL CALLBACK countWindowAndChildren(HWND window, LPARAM count) {
  countWindow(window, count);
  EnumChildWindows(window, &countWindow, count);
  return TRUE;
}

}  // namespace

std::size_t privateBytes(HANDLE process) {
  std::size_t total = 0;
  MEMORY_BASIC_INFORMATION region{};
  // Addresses as integers: in a 32-bit process the end of the last region can
  // wrap around to 0, which ends the walk instead of starting it again.
  for (std::uintptr_t address = 0; VirtualQueryEx(process, reinterpret_cast<const void*>(address), &region,
                                                  sizeof(region)) == sizeof(region);) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    const std::uintptr_t next = reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize;
    if (next <= address) break;
    address = next;
  }
  return total;
}

ProcessUsage usageOf(HANDLE process, DWORD threadId) {
  ProcessUsage usage;
  usage.privateBytes = privateBytes(process);
  GetProcessHandleCount(process, &usage.handles);
  EnumThreadWindows(threadId, &countWindowAndChildren, reinterpret_cast<LPARAM>(&usage.windows));
  usage.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
  usage.userObjects = GetGuiResources(process, GR_USEROBJECTS);
  return usage;
}

}  // namespace gui
