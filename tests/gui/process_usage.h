#pragma once

#include <windows.h>

#include <cstddef>

namespace gui {

// What a process holds of the system: its own memory, its windows, its kernel
// handles and its GDI and USER objects. Wine counts neither the handles nor
// the GDI and USER objects of a process: under Wine those read 0, and only the
// memory and the windows tell.
struct ProcessUsage {
  std::size_t privateBytes = 0;
  DWORD handles = 0;
  std::size_t windows = 0;
  DWORD gdiObjects = 0;
  DWORD userObjects = 0;
};

// The memory committed to the process alone (its heap, its stacks, ...): the
// sum of its private committed regions, which Wine reports where the
// process's memory counters stay at zero.
std::size_t privateBytes(HANDLE process);

// The usage of a process whose windows all belong to one thread.
ProcessUsage usageOf(HANDLE process, DWORD threadId);

}  // namespace gui
