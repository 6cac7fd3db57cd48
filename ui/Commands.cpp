#include "Commands.h"

#include "BackgroundTask.h"
#include "Layout.h"
#include "Texts.h"
#include "logdata/Cp936.h"
#include "logdata/LogScan.h"

namespace ui {

using logdata::WideFromCp936;

void OnButtonClicked(const Controls& c, int id) {
  switch (id) {
    case kBrowseDirButtonId:
      ChooseLogDirectory(c);
      break;
    case kDefaultDirButtonId:
      UseDefaultDirectory(c);
      break;
    case kRefreshButtonId:
      RefreshLogList(c);
      break;
    case kParseButtonId:
      RequestParseSelectedLog(c);
      break;
  }
}

void OnMenuCommand(const Controls& c, int id) {
  switch (id) {
    case kCopyRowItemId:
      CopySelectedRow(c);
      break;
    case kSelectDirItemId:
      StartBackgroundTask([c] { ChooseLogDirectory(c); });
      break;
    case kRefreshItemId:
      StartBackgroundTask([c] { RefreshLogList(c); });
      break;
    case kParseItemId:
      RequestParseSelectedLog(c);
      break;
    case kExitItemId:
      ExitProgram(c);
      break;
    case kCheckUpdateItemId:
      ShowUpdateNotice();
      break;
    case kAboutItemId:
      ShowAbout();
      break;
  }
}

void ShowInfoMessage(const Text& text, const Text& caption) {
  MessageBoxW(nullptr, WideFromCp936(text).c_str(), WideFromCp936(caption).c_str(),
              MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
  // A box that disabled the main window may close before the window is enabled again, leaving
  // the thread with no active window; the user expects to be back in the main window.
  const HWND main = MainControls().window;
  if (main && GetWindowThreadProcessId(main, nullptr) == GetCurrentThreadId() &&
      !GetActiveWindow()) {
    SetForegroundWindow(main);
  }
}

void UseDefaultDirectory(const Controls& c) { SetDirText(c, text::kDefaultLogDirectory); }

void RefreshLogList(const Controls& c) {
  const Text directory = GetDirText(c);
  if (directory.empty()) {
    ShowInfoMessage(text::kNoDirectoryMessage, text::kFailCaption);
    return;
  }
  logdata::ScanLogDirectory(directory, text::kLogFilePattern,
                            [&c](const Text& dir, const Text& name) {
                              // Appending and making the first entry current go to the UI thread
                              // together: one exchange per file found instead of two.
                              RunOnUiThread(c.window, [&] {
                                AppendComboEntry(c, dir + name);
                                SetComboCurrent(c, 0);
                              });
                            });
}

void RequestParseSelectedLog(const Controls& c) {
  if (GetComboText(c).empty()) {
    ShowInfoMessage(text::kNoLogFileMessage, text::kFailCaption);
    return;
  }
  StartBackgroundTask([c] { ParseSelectedLog(c); });
}

void PopUpMainMenu(const Controls& c) {
  POINT at;
  GetCursorPos(&at);
  HMENU menu = CreatePopupMenu();
  const MenuLayout& mainMenu = kMenus[0];
  for (int i = 0; i < mainMenu.itemCount; ++i) {
    AppendMenuW(menu, MF_STRING, mainMenu.items[i].id, WideFromCp936(mainMenu.items[i].text).c_str());
  }
  TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x + 3, at.y + 3, 0,
                 c.window, nullptr);
  DestroyMenu(menu);
}

void CopySelectedRow(const Controls& c) {
  const int columns = ColumnCount(c);
  const int row = SelectedRow(c);
  Text line;
  for (int column = 0; column < columns; ++column) {
    line += CellText(c, row, column);
    line += text::kCellSeparator;
  }
  if (CopyTextToClipboard(line)) ShowInfoMessage(text::kCopiedMessage, text::kInfoCaption);
}

void ShowAbout() { ShowInfoMessage(text::kAboutText, text::kAboutCaption); }

void ShowUpdateNotice() { ShowInfoMessage(text::kUpdateNotice, text::kInfoCaption); }

void ExitProgram(const Controls& c) {
  // Carried out when the UI thread next takes its messages, not within this call.
  PostMessageW(c.window, WM_CLOSE, 0, 0);
}

}  // namespace ui
