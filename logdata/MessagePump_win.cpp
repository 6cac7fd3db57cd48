#include <windows.h>

#include "LogScan.h"

namespace logdata {

void PumpPendingMessages() {
  // The windows of this program are Unicode windows, so the W functions keep character messages
  // intact. A quit message taken here would be lost to the message loop; it is posted again on
  // the way out so that the program still ends when its window is destroyed during a walk.
  MSG msg;
  bool quit = false;
  WPARAM exitCode = 0;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      quit = true;
      exitCode = msg.wParam;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (quit) PostQuitMessage(static_cast<int>(exitCode));
}

}  // namespace logdata
