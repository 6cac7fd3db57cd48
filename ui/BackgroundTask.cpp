#include "BackgroundTask.h"

#include <windows.h>

#include <memory>

namespace ui {
namespace {

DWORD WINAPI RunTask(void* parameter) {
  std::unique_ptr<std::function<void()>> action(static_cast<std::function<void()>*>(parameter));
  (*action)();
  return 0;
}

}  // namespace

void StartBackgroundTask(std::function<void()> action) {
  auto* owned = new std::function<void()>(std::move(action));
  HANDLE thread = CreateThread(nullptr, 0, RunTask, owned, 0, nullptr);
  if (thread) {
    CloseHandle(thread);
  } else {
    delete owned;
  }
}

}  // namespace ui
