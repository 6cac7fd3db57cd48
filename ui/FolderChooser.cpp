#include <shlobj.h>

#include <vector>

#include "Commands.h"
#include "Texts.h"
#include "logdata/Cp936.h"

namespace ui {
namespace {

// Disables every visible, enabled top-level window of this process while it lives and gives
// each its enabled state back afterwards, so a chooser without an owner is modal for the whole
// program too.
class ProgramWindowsDisabled {
 public:
  ProgramWindowsDisabled() {
    EnumWindows(
        [](HWND w, LPARAM self) -> BOOL {
          DWORD process = 0;
          GetWindowThreadProcessId(w, &process);
          if (process == GetCurrentProcessId() && IsWindowVisible(w) && IsWindowEnabled(w)) {
            reinterpret_cast<ProgramWindowsDisabled*>(self)->disabled_.push_back(w);
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(this));
    for (HWND w : disabled_) EnableWindow(w, FALSE);
  }
  ~ProgramWindowsDisabled() {
    for (HWND w : disabled_) {
      if (IsWindow(w)) EnableWindow(w, TRUE);
    }
  }

 private:
  std::vector<HWND> disabled_;
};

Text BrowseForFolder() {
  const std::wstring prompt = logdata::WideFromCp936(text::kFolderPrompt);
  BROWSEINFOW info{};
  info.hwndOwner = GetActiveWindow();  // the main window when run inline, none on a task thread
  info.lpszTitle = prompt.c_str();
  info.ulFlags = BIF_EDITBOX;
  HWND foreground = GetForegroundWindow();
  HWND active = info.hwndOwner;
  Text result;
  {
    ProgramWindowsDisabled disabled;
    if (PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info)) {
      wchar_t path[MAX_PATH] = {};
      if (SHGetPathFromIDListW(item, path)) result = logdata::Cp936FromWide(path);
      CoTaskMemFree(item);
    }
  }
  if (foreground && IsWindow(foreground)) SetForegroundWindow(foreground);
  if (active && IsWindow(active)) SetActiveWindow(active);
  return result;
}

}  // namespace

void ChooseLogDirectory(const Controls& c) {
  // The UI thread has OLE from start-up; a task thread initialises COM for the chooser itself.
  const bool onUiThread = GetWindowThreadProcessId(c.window, nullptr) == GetCurrentThreadId();
  const bool comStarted = !onUiThread && SUCCEEDED(OleInitialize(nullptr));
  SetDirText(c, BrowseForFolder());  // a cancelled chooser clears the directory
  if (comStarted) OleUninitialize();
}

}  // namespace ui
