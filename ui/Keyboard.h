// The main window's keyboard rules, applied in the message loop before a control gets a key:
// Tab and Shift+Tab move the focus through the tab order, Esc closes the window.
#pragma once

#include <windows.h>

namespace ui {

// True when the key was the window's (and must not reach the control).
bool HandleWindowKey(HWND window, const MSG& msg);

// Focus memory across deactivation; the first control of the tab order when none is kept.
void RememberFocus(HWND window, HWND& lastFocus);
void RestoreFocus(HWND window, HWND lastFocus);

}  // namespace ui
