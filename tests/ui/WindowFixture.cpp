#include "WindowFixture.h"

#include <ole2.h>

#include <vector>

#include "ui/Startup.h"

namespace ui_testing {

void PumpFor(int ms) {
  PumpUntil([] { return false; }, ms);
}

bool PumpUntil(const std::function<bool()>& done, int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message != WM_QUIT) ui::ProcessMessage(msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

std::wstring WindowTextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

RECT ClientRectOf(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void SendKey(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof(INPUT));
}

void PressKey(WORD key, bool shift, bool control, bool alt) {
  std::vector<WORD> keys;
  if (shift) keys.push_back(VK_SHIFT);
  if (control) keys.push_back(VK_CONTROL);
  if (alt) keys.push_back(VK_MENU);
  keys.push_back(key);
  std::vector<INPUT> inputs;
  for (WORD k : keys) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = k;
    inputs.push_back(in);
  }
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = *it;
    in.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(in);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  PumpFor(150);
}

namespace {

// The bit "pressed since the last read" of F5 and F7 outlives a window: it is read away while no
// window polls, so that a press made in one test does not count in the next.
void ForgetHotKeyPresses() {
  GetAsyncKeyState(VK_F5);
  GetAsyncKeyState(VK_F7);
}

}  // namespace

void MainWindowTest::SetUp() {
  ForgetHotKeyPresses();
  OleInitialize(nullptr);
  ASSERT_TRUE(ui::CreateMainWindow());
  c_ = ui::MainControls();
  SetForegroundWindow(c_.window);
  PumpFor(100);
}

void MainWindowTest::TearDown() {
  // A test that held a hot key down lets it go, so that no later window sees it held.
  SendKey(VK_F5, true);
  SendKey(VK_F7, true);
  if (IsWindow(c_.window)) DestroyWindow(c_.window);
  PumpFor(50);  // drains the quit message too
  OleUninitialize();
  ForgetHotKeyPresses();
}

}  // namespace ui_testing
