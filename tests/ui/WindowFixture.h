// Creates the real main window for a test and destroys it afterwards; runs the UI thread's
// messages the way the program's message loop does.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

#include "ui/MainWindow.h"

namespace ui_testing {

// Processes the UI thread's messages for `ms` milliseconds.
void PumpFor(int ms);
// Processes messages until `done` holds or `ms` milliseconds have passed; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, int ms = 5000);

std::wstring WindowTextOf(HWND window);
// A control's outer rectangle relative to the client area of its parent.
RECT ClientRectOf(HWND control);

// One key event through real input (no messages are processed).
void SendKey(WORD key, bool up);
// Presses (and releases) a key with modifiers through real input.
void PressKey(WORD key, bool shift = false, bool control = false, bool alt = false);

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  HWND Control(int id) const { return GetDlgItem(c_.window, id); }
  void SetDir(const std::wstring& dir) { SetWindowTextW(c_.dirEdit, dir.c_str()); }

  ui::Controls c_;
};

}  // namespace ui_testing
