// Watches for message boxes of this process from a helper thread, records what they say and
// closes each with OK, so that a test on the UI thread is never stuck in a box's modal loop.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ui_testing {

struct SeenBox {
  std::wstring caption;
  std::wstring text;
  HWND owner;
  bool mainWindowWasDisabled;  // whether the main window was disabled while the box was open
  DWORD threadId;              // the thread that owns the box
};

class MessageBoxWatcher {
 public:
  // `closeAfterMs`: how long each box stays open before it is closed.
  explicit MessageBoxWatcher(HWND mainWindow, int closeAfterMs = 0);
  ~MessageBoxWatcher();

  std::vector<SeenBox> Seen();
  size_t OpenCount() const { return open_.load(); }

 private:
  void Run();

  HWND mainWindow_;
  int closeAfterMs_;
  std::atomic<bool> stop_{false};
  std::atomic<size_t> open_{0};
  std::mutex mutex_;
  std::vector<SeenBox> seen_;
  std::thread thread_;
};

}  // namespace ui_testing
