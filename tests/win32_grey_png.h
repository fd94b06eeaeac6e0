#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// A PNG file read by the system's decoder (WIC), for the Windows tests.
struct GreyPng {
  bool grey = false;  // stored as 8-bit grey, the only kind whose pixels are read
  UINT width = 0;
  UINT height = 0;
  std::vector<std::uint8_t> pixels;  // rows from the top
};

// The file's first frame; empty when it cannot be read. Needs COM on this thread.
GreyPng readGreyPng(const wchar_t* path);
