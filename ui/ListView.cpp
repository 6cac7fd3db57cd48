#include "ListView.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "Commands.h"
#include "Layout.h"
#include "logdata/Cp936.h"

namespace ui {
namespace {

constexpr DWORD kExtendedStyles = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_FLATSB |
                                  LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES;

void FillCellText(const logdata::LogRowStore& rows, NMLVDISPINFOW& info) {
  if (!(info.item.mask & LVIF_TEXT) || !info.item.pszText || info.item.cchTextMax <= 0) return;
  const std::wstring wide =
      logdata::WideFromCp936(rows.Cell(static_cast<size_t>(info.item.iItem), info.item.iSubItem));
  const size_t count = std::min(wide.size(), static_cast<size_t>(info.item.cchTextMax - 1));
  wide.copy(info.item.pszText, count);
  info.item.pszText[count] = L'\0';
}

}  // namespace

HWND CreateLogListView(HWND parent, int id, const RECT& rect) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  // Owner data: the list holds no rows of its own and asks for the text of each visible cell.
  const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | WS_BORDER | WS_CLIPCHILDREN |
                      LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDATA;
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", style, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (!list) return nullptr;
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, kExtendedStyles, kExtendedStyles);
  SendMessageW(list, LVM_SETTEXTCOLOR, 0, RGB(0, 0, 0));
  SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, RGB(255, 255, 255));
  SendMessageW(list, LVM_SETBKCOLOR, 0, RGB(255, 255, 255));
  for (size_t i = 0; i < kColumns.size(); ++i) {
    std::wstring title = logdata::WideFromCp936(kColumns[i].title);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = kColumns[i].width;
    column.pszText = title.data();
    column.iSubItem = static_cast<int>(i);
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
  return list;
}

LRESULT OnListViewNotify(MainWindowState& state, NMHDR* header, bool eventsEnabled) {
  if (header->hwndFrom != state.controls.listView) return 0;
  switch (header->code) {
    case LVN_GETDISPINFOW:
      FillCellText(state.rows, *reinterpret_cast<NMLVDISPINFOW*>(header));
      return 0;
    case NM_RCLICK:
      if (eventsEnabled) PopUpMainMenu(state.controls);
      return 0;
    default:
      return 0;
  }
}

void OnParseLines(MainWindowState& state, uint64_t generation, std::vector<logdata::LineEnd>* ends) {
  const std::unique_ptr<std::vector<logdata::LineEnd>> batch(ends);
  if (generation != state.rows.generation() || batch->empty()) return;
  state.rows.AppendLines(*batch);
  SendMessageW(state.controls.listView, LVM_SETITEMCOUNT, state.rows.RowCount(),
               LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

}  // namespace ui
