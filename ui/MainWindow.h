// The program's one top-level window: building it, keeping the table fitted to it, and the
// handles that actions and background tasks use to reach its controls.
#pragma once

#include <windows.h>

namespace ui {

// What actions touch. Plain handles, so a task can hold a copy; an operation on a handle whose
// window is gone does nothing.
struct Controls {
  HWND window = nullptr;
  HWND dirEdit = nullptr;
  HWND combo = nullptr;
  HWND listView = nullptr;
};

// Builds the window with its menu bar, timer and controls while no handler runs, raises the
// created, moved and size-changed events, then shows it. False if the window cannot be created.
bool CreateMainWindow();

// Sizes the table to the window's outer size less fixed margins (the size-changed handler).
void FitListToWindow();

// The main window's controls; all handles are null once it has been destroyed.
Controls MainControls();

// Messages of the main window.
enum : UINT {
  // lParam points to a std::function<void()> that runs on the UI thread (sent, never posted).
  kRunOnUiThreadMessage = WM_APP + 1,
  // Posted by a parse task: wParam is its generation, lParam a heap std::vector<LineEnd>.
  kAppendLinesMessage,
};

}  // namespace ui
