// The actions behind the buttons, the menu items and the table's right click. Each takes the
// controls it works on; those that run as background tasks touch them only through the
// operations of Controls.h.
#pragma once

#include "Controls.h"
#include "MainWindow.h"

namespace ui {

// Event handlers of the main window (UI thread).
void OnButtonClicked(const Controls& c, int id);
void OnMenuCommand(const Controls& c, int id);

// The actions.
void ChooseLogDirectory(const Controls& c);
void UseDefaultDirectory(const Controls& c);
void RefreshLogList(const Controls& c);
void RequestParseSelectedLog(const Controls& c);
void ParseSelectedLog(const Controls& c);
void PopUpMainMenu(const Controls& c);
void CopySelectedRow(const Controls& c);
void ShowAbout();
void ShowUpdateNotice();
void ExitProgram(const Controls& c);

// An ownerless, task-modal information box; returns when the user has closed it.
void ShowInfoMessage(const Text& text, const Text& caption);

// Puts `text` on the clipboard as CF_TEXT (and as CF_UNICODETEXT); false if it did not get there.
bool CopyTextToClipboard(const Text& text);

}  // namespace ui
