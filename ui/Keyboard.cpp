#include "Keyboard.h"

#include "Layout.h"

namespace ui {
namespace {

bool IsDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

bool CanTakeFocus(HWND control) { return control && IsWindowVisible(control) && IsWindowEnabled(control); }

// The tab stop of the tab order that holds `control`, itself or as a parent (a combo box's
// edit field, say); -1 when it holds none.
int TabIndexOf(HWND window, HWND control) {
  for (HWND w = control; w && w != window; w = GetParent(w)) {
    for (size_t i = 0; i < kTabOrder.size(); ++i) {
      if (GetDlgItem(window, kTabOrder[i]) == w) return static_cast<int>(i);
    }
  }
  return -1;
}

void MoveFocus(HWND window, bool backwards) {
  const int count = static_cast<int>(kTabOrder.size());
  const int current = TabIndexOf(window, GetFocus());
  int index = current < 0 ? (backwards ? 0 : count - 1) : current;
  for (int step = 0; step < count; ++step) {
    index = (index + (backwards ? count - 1 : 1)) % count;
    HWND next = GetDlgItem(window, kTabOrder[index]);
    if (CanTakeFocus(next)) {
      SetFocus(next);
      return;
    }
  }
}

}  // namespace

bool HandleWindowKey(HWND window, const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  if (!window || (msg.hwnd != window && !IsChild(window, msg.hwnd))) return false;
  const bool shift = IsDown(VK_SHIFT), control = IsDown(VK_CONTROL), alt = IsDown(VK_MENU);
  if (msg.wParam == VK_TAB && !control && !alt) {
    MoveFocus(window, shift);
    return true;
  }
  if (msg.wParam == VK_ESCAPE && !shift && !control && !alt) {
    SendMessageW(window, WM_CLOSE, 0, 0);
    return true;
  }
  return false;
}

void RememberFocus(HWND window, HWND& lastFocus) {
  HWND focus = GetFocus();
  if (focus && IsChild(window, focus)) lastFocus = focus;
}

void RestoreFocus(HWND window, HWND lastFocus) {
  if (lastFocus && IsWindow(lastFocus) && IsChild(window, lastFocus)) {
    SetFocus(lastFocus);
    return;
  }
  for (int id : kTabOrder) {
    HWND control = GetDlgItem(window, id);
    if (CanTakeFocus(control)) {
      SetFocus(control);
      return;
    }
  }
}

}  // namespace ui
