#pragma once

#include <windows.h>

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

// Conversions at the boundary with the wide-character Windows API: the program
// keeps its texts in UTF-8.
namespace runtime::win32 {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

// The UTF-16 length of utf8, and its conversion into out, which must hold at
// least that length, returning the end of what was written. Windows is always
// told the buffer's true size: a size past the end of the address space makes
// the conversion fail in a 32-bit process.
std::size_t wideLength(std::string_view utf8);
wchar_t* widenTo(std::string_view utf8, std::span<wchar_t> out);

// Writes utf8 into a buffer of capacity wide characters, ending it with a
// null character and cutting the text short if it does not fit.
void widenInto(std::string_view utf8, wchar_t* buffer, int capacity);

// A window's text, named name in the error, and the user's decimal separator.
std::string windowText(HWND window, std::string_view name);
std::string userDecimalSeparator();

}  // namespace runtime::win32
