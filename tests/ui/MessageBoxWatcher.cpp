#include "MessageBoxWatcher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>

namespace ui_testing {

MessageBoxWatcher::MessageBoxWatcher(HWND mainWindow, int closeAfterMs)
    : mainWindow_(mainWindow), closeAfterMs_(closeAfterMs), thread_([this] { Run(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
  stop_ = true;
  thread_.join();
}

std::vector<SeenBox> MessageBoxWatcher::Seen() {
  std::lock_guard<std::mutex> lock(mutex_);
  return seen_;
}

void MessageBoxWatcher::Run() {
  using Clock = std::chrono::steady_clock;
  std::map<HWND, Clock::time_point> firstSeen;
  while (!stop_) {
    std::vector<HWND> boxes;
    EnumWindows(
        [](HWND w, LPARAM out) -> BOOL {
          DWORD process = 0;
          GetWindowThreadProcessId(w, &process);
          wchar_t name[16] = {};
          GetClassNameW(w, name, 16);
          if (process == GetCurrentProcessId() && IsWindowVisible(w) &&
              std::wstring(name) == L"#32770" && GetDlgItem(w, 0xFFFF)) {
            reinterpret_cast<std::vector<HWND>*>(out)->push_back(w);
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&boxes));
    open_ = boxes.size();
    for (HWND box : boxes) {
      auto [it, isNew] = firstSeen.emplace(box, Clock::now());
      if (isNew) {
        wchar_t caption[256] = {}, text[1024] = {};
        GetWindowTextW(box, caption, 256);
        GetDlgItemTextW(box, 0xFFFF, text, 1024);
        std::lock_guard<std::mutex> lock(mutex_);
        seen_.push_back({caption, text, GetWindow(box, GW_OWNER),
                         mainWindow_ && !IsWindowEnabled(mainWindow_),
                         GetWindowThreadProcessId(box, nullptr)});
      }
      if (Clock::now() - it->second >= std::chrono::milliseconds(closeAfterMs_)) {
        PostMessageW(box, WM_COMMAND, IDOK, 0);
      }
    }
    Sleep(10);
  }
}

void ExpectFailBox(const SeenBox& box, const std::wstring& text, BoxThread from) {
  EXPECT_EQ(box.caption, L"Fail");
  EXPECT_EQ(box.text, text);
  EXPECT_EQ(box.owner, nullptr);
  EXPECT_EQ(box.mainWindowWasDisabled, from == BoxThread::kUi);
  EXPECT_EQ(box.threadId == GetCurrentThreadId(), from == BoxThread::kUi);
}

}  // namespace ui_testing
