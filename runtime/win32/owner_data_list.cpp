#include "runtime/win32/owner_data_list.h"

#include "runtime/runtime_error.h"
#include "runtime/win32/clipboard.h"
#include "runtime/win32/text.h"

namespace runtime::win32 {

OwnerDataList::OwnerDataList(HWND listView) : listView_(listView) {
  ListView_SetExtendedListViewStyle(listView_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  LVCOLUMNW column{};
  column.mask = LVCF_FMT | LVCF_WIDTH;
  column.fmt = LVCFMT_LEFT;
  if (ListView_InsertColumn(listView_, 0, &column) != 0) {
    throw RuntimeError("Impossible de préparer la liste : colonne refusée.");
  }
}

void OwnerDataList::append(std::string_view line) { appendListLine(lines_, line); }

void OwnerDataList::clear() {
  lines_.clear();
  shownCount_ = 0;
  if (!ListView_DeleteAllItems(listView_)) throw RuntimeError("Impossible de vider la liste.");
}

void OwnerDataList::syncCount() {
  if (shownCount_ == lines_.size()) return;
  // LVM_SETITEMCOUNT answers 0 on failure for owner-data lists.
  if (SendMessageW(listView_, LVM_SETITEMCOUNT, lines_.size(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL) ==
      0) {
    throw RuntimeError("Impossible de mettre à jour le nombre de lignes de la liste.");
  }
  shownCount_ = lines_.size();
}

void OwnerDataList::fitColumn() {
  RECT client{};
  GetClientRect(listView_, &client);
  const bool hasVerticalBar = (GetWindowLongPtrW(listView_, GWL_STYLE) & WS_VSCROLL) != 0;
  const int width = client.right - (hasVerticalBar ? 0 : GetSystemMetrics(SM_CXVSCROLL));
  ListView_SetColumnWidth(listView_, 0, width);
}

void OwnerDataList::fillItem(LVITEMW& item) const {
  if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr) return;
  const auto index = static_cast<std::size_t>(item.iItem);
  if (item.iItem < 0 || index >= lines_.size()) {
    widenInto({}, item.pszText, item.cchTextMax);
    return;
  }
  widenInto(lines_.line(index), item.pszText, item.cchTextMax);
}

void OwnerDataList::copyAllToClipboard() const {
  constexpr std::wstring_view kLineEnd = L"\r\n";
  std::size_t length = 0;
  for (std::size_t i = 0; i < lines_.size(); ++i) length += wideLength(lines_.line(i)) + kLineEnd.size();
  setClipboardText(listView_, length, [&](std::span<wchar_t> text) {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      const wchar_t* const end = widenTo(lines_.line(i), text);
      text = text.subspan(static_cast<std::size_t>(end - text.data()));
      text = text.subspan(kLineEnd.copy(text.data(), kLineEnd.size()));
    }
  });
}

}  // namespace runtime::win32
