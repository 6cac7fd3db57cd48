// Operations on the main window's controls. Each may be called from the UI thread or from a
// background task; from a task it is carried out by the UI thread while the task waits, so each
// operation is whole. On a window that no longer exists an operation does nothing and reads
// as empty.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "MainWindow.h"
#include "logdata/LogText.h"

namespace ui {

using logdata::Text;

// Runs `action` on the thread that owns `window`; false when the window is gone.
bool RunOnUiThread(HWND window, const std::function<void()>& action);

Text GetDirText(const Controls& c);
void SetDirText(const Controls& c, const Text& text);

Text GetComboText(const Controls& c);  // the current entry's text, or empty
void AppendComboEntry(const Controls& c, const Text& text);
void SetComboCurrent(const Controls& c, int index);

// The table. A parse begins by emptying it; its text and lines then reach the table only while
// no later parse has begun (the generation tells them apart).
uint64_t BeginParse(const Controls& c);  // 0 when the window is gone
bool SetParseText(const Controls& c, uint64_t generation,
                  std::shared_ptr<const logdata::LogBuffer> text);
// A parse whose file could not be read after all: its rows go, the table is empty.
void AbandonParse(const Controls& c, uint64_t generation);
bool PostParseLines(const Controls& c, uint64_t generation, std::vector<logdata::LineEnd> ends);

size_t RowCount(const Controls& c);
int SelectedRow(const Controls& c);  // -1 when no row is selected
int ColumnCount(const Controls& c);
Text CellText(const Controls& c, int row, int column);

}  // namespace ui
