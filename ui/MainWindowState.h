// What the main window keeps while it lives, hung off the window itself. UI thread only.
#pragma once

#include <windows.h>

#include <array>

#include "MainWindow.h"
#include "logdata/LogRowStore.h"

namespace ui {

struct MainWindowState {
  Controls controls;
  bool eventsEnabled = false;  // false while the window is being built: events are dropped
  HWND lastFocus = nullptr;    // the control that had the focus when the window was deactivated
  std::array<HFONT, 4> fonts{};  // by FontId; null where the default GUI font is used
  HICON icon = nullptr;
  HFONT windowFont = nullptr;  // given with WM_SETFONT
  logdata::LogRowStore rows;
};

// The state of the main window `window` (which must be the main window, on its own thread).
MainWindowState& StateOf(HWND window);

}  // namespace ui
