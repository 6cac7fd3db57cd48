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

// The texts of the two "Fail" boxes: no directory to refresh, no log file to parse.
inline const std::wstring kNoDirectoryText = L"请选择日志文件所在的目录后再次刷新！";
inline const std::wstring kNoFileText = L"请选择日志文件后再次解析！";

// Where a box came from: a box of the UI thread (the test's thread) disables the main window,
// a box of a task thread leaves it usable.
enum class BoxThread { kUi, kTask };

// Checks an ownerless "Fail" box with `text`, shown from `from`.
void ExpectFailBox(const SeenBox& box, const std::wstring& text, BoxThread from);

}  // namespace ui_testing
