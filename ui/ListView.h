// The log table: a virtual report list view whose cells come from the window's LogRowStore.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "MainWindowState.h"

namespace ui {

HWND CreateLogListView(HWND parent, int id, const RECT& rect);

// WM_NOTIFY of the main window: cell texts for painting always, the right click only while
// events are delivered.
LRESULT OnListViewNotify(MainWindowState& state, NMHDR* header, bool eventsEnabled);

// A batch of line ends from a parse task; dropped when a later parse has begun. Takes `ends`.
void OnParseLines(MainWindowState& state, uint64_t generation, std::vector<logdata::LineEnd>* ends);

}  // namespace ui
