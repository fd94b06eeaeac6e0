#include "runtime/win32/line_list.h"

#include "runtime/runtime_error.h"
#include "runtime/win32/dpi.h"
#include "runtime/win32/text.h"

namespace runtime::win32 {

LineList::LineList(HWND listView) : listView_(listView) {
  ListView_SetExtendedListViewStyle(listView_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  LVCOLUMNW column{.mask = LVCF_FMT | LVCF_WIDTH, .fmt = LVCFMT_LEFT};
  if (ListView_InsertColumn(listView_, 0, &column) != 0) {
    throw RuntimeError("Impossible de préparer la liste : colonne refusée.");
  }
}

void LineList::append(std::string_view line) { appendListLine(lines_, line); }

void LineList::clear() {
  lines_.clear();
  shownCount_ = 0;
  if (!ListView_DeleteAllItems(listView_)) throw RuntimeError("Impossible de vider la liste.");
}

void LineList::syncCount() {
  if (shownCount_ == lines_.size()) return;
  // LVM_SETITEMCOUNT answers 0 on failure for owner-data lists.
  if (SendMessageW(listView_, LVM_SETITEMCOUNT, lines_.size(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL) ==
      0) {
    throw RuntimeError("Impossible de mettre à jour le nombre de lignes de la liste.");
  }
  shownCount_ = lines_.size();
}

void LineList::fitColumn(int dpi) {
  RECT client{};
  GetClientRect(listView_, &client);
  const bool hasVerticalBar = (GetWindowLongPtrW(listView_, GWL_STYLE) & WS_VSCROLL) != 0;
  const int width = client.right - (hasVerticalBar ? 0 : systemMetric(SM_CXVSCROLL, dpi));
  ListView_SetColumnWidth(listView_, 0, width);
}

void LineList::fillItem(LVITEMW& item) const {
  if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr) return;
  const auto index = static_cast<std::size_t>(item.iItem);
  const bool known = item.iItem >= 0 && index < lines_.size();
  widenInto(known ? lines_.line(index) : std::string_view(), item.pszText, item.cchTextMax);
}

}  // namespace runtime::win32
