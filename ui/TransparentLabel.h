// A text label of the program's own class with no background of its own: the window's
// background shows through and only the text is painted, on one line, centred vertically.
#pragma once

#include <windows.h>

namespace ui {

// Creates a hidden label; `centred` centres the text horizontally, else it is left-aligned.
HWND CreateTransparentLabel(HWND parent, int id, const RECT& rect, const wchar_t* text, bool centred);

}  // namespace ui
