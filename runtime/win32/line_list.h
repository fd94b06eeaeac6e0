#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <string_view>

#include "runtime/line_store.h"

namespace runtime::win32 {

// A list control for millions of lines: a report-mode list view in owner-data
// mode, which asks for the text of the lines it shows, served from a compact
// line store. Appending only touches the store; the list view learns the new
// count at syncCount(), which the form calls when control goes back to the
// message loop.
class LineList {
 public:
  // Takes a list view created with LVS_REPORT | LVS_OWNERDATA.
  explicit LineList(HWND listView);

  void append(std::string_view line);
  void clear();
  void syncCount();
  [[nodiscard]] const LineStore& lines() const { return lines_; }
  // Fits the one column to the width of the list, leaving room for the scroll bar at a DPI.
  void fitColumn(int dpi);

  // Serves LVN_GETDISPINFOW.
  void fillItem(LVITEMW& item) const;

 private:
  HWND listView_;
  LineStore lines_;
  std::size_t shownCount_ = 0;
};

}  // namespace runtime::win32
