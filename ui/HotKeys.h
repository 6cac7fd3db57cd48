// F5 and F7 as system-wide hot keys, read from the key state at every tick of the window's
// 100 ms timer: F5 starts a refresh task, F7 a parse (after the same check as the parse button).
#pragma once

#include "MainWindow.h"

namespace ui {

void PollHotKeys(const Controls& c);

}  // namespace ui
