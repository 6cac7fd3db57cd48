#include "Controls.h"

#include <commctrl.h>

#include "MainWindowState.h"
#include "logdata/Cp936.h"

namespace ui {

using logdata::Cp936FromWide;
using logdata::WideFromCp936;

bool RunOnUiThread(HWND window, const std::function<void()>& action) {
  if (!window) return false;
  if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
    if (!IsWindow(window)) return false;
    action();
    return true;
  }
  bool ran = false;
  std::function<void()> call = [&] {
    action();
    ran = true;
  };
  SendMessageW(window, kRunOnUiThreadMessage, 0, reinterpret_cast<LPARAM>(&call));
  return ran;
}

Text GetDirText(const Controls& c) {
  Text text;
  RunOnUiThread(c.window, [&] {
    const int length = GetWindowTextLengthW(c.dirEdit);
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    wide.resize(static_cast<size_t>(GetWindowTextW(c.dirEdit, wide.data(), length + 1)));
    text = Cp936FromWide(wide);
  });
  return text;
}

void SetDirText(const Controls& c, const Text& text) {
  RunOnUiThread(c.window, [&] { SetWindowTextW(c.dirEdit, WideFromCp936(text).c_str()); });
}

Text GetComboText(const Controls& c) {
  Text text;
  RunOnUiThread(c.window, [&] {
    const auto index = SendMessageW(c.combo, CB_GETCURSEL, 0, 0);
    if (index < 0) return;
    const auto length = SendMessageW(c.combo, CB_GETLBTEXTLEN, index, 0);
    if (length <= 0) return;
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(c.combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide.data()));
    wide.resize(static_cast<size_t>(length));
    text = Cp936FromWide(wide);
  });
  return text;
}

void AppendComboEntry(const Controls& c, const Text& text) {
  RunOnUiThread(c.window, [&] {
    SendMessageW(c.combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromCp936(text).c_str()));
  });
}

void SetComboCurrent(const Controls& c, int index) {
  RunOnUiThread(c.window, [&] { SendMessageW(c.combo, CB_SETCURSEL, index, 0); });
}

uint64_t BeginParse(const Controls& c) {
  uint64_t generation = 0;
  RunOnUiThread(c.window, [&] {
    generation = StateOf(c.window).rows.Reset();
    SendMessageW(c.listView, LVM_SETITEMCOUNT, 0, 0);
  });
  return generation;
}

bool SetParseText(const Controls& c, uint64_t generation,
                  std::shared_ptr<const logdata::LogBuffer> text) {
  bool current = false;
  RunOnUiThread(c.window, [&] {
    logdata::LogRowStore& rows = StateOf(c.window).rows;
    current = rows.generation() == generation;
    if (current) rows.SetText(std::move(text));
  });
  return current;
}

void AbandonParse(const Controls& c, uint64_t generation) {
  RunOnUiThread(c.window, [&] {
    logdata::LogRowStore& rows = StateOf(c.window).rows;
    if (rows.generation() != generation) return;
    rows.Clear();
    SendMessageW(c.listView, LVM_SETITEMCOUNT, 0, 0);
  });
}

bool PostParseLines(const Controls& c, uint64_t generation, std::vector<logdata::LineEnd> ends) {
  auto* batch = new std::vector<logdata::LineEnd>(std::move(ends));
  if (PostMessageW(c.window, kAppendLinesMessage, static_cast<WPARAM>(generation),
                   reinterpret_cast<LPARAM>(batch))) {
    return true;
  }
  delete batch;
  return false;
}

size_t RowCount(const Controls& c) {
  size_t count = 0;
  RunOnUiThread(c.window, [&] { count = StateOf(c.window).rows.RowCount(); });
  return count;
}

int SelectedRow(const Controls& c) {
  int row = -1;
  RunOnUiThread(c.window, [&] {
    row = static_cast<int>(SendMessageW(c.listView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                        MAKELPARAM(LVNI_SELECTED, 0)));
  });
  return row;
}

int ColumnCount(const Controls& c) {
  int count = 0;
  RunOnUiThread(c.window, [&] {
    const auto header = reinterpret_cast<HWND>(SendMessageW(c.listView, LVM_GETHEADER, 0, 0));
    count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  });
  return count;
}

Text CellText(const Controls& c, int row, int column) {
  Text text;
  RunOnUiThread(c.window, [&] {
    if (row >= 0 && column >= 0) text = Text(StateOf(c.window).rows.Cell(row, column));
  });
  return text;
}

}  // namespace ui
