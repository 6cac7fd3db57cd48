#include "Startup.h"

#include <ole2.h>

#include "Commands.h"
#include "Keyboard.h"
#include "MainWindow.h"
#include "Texts.h"

namespace ui {

void ProcessMessage(const MSG& msg) {
  if (HandleWindowKey(MainControls().window, msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

int RunProgram() {
  OleInitialize(nullptr);
  if (!CreateMainWindow()) {
    ShowInfoMessage(text::kWindowFailedMessage, text::kFailCaption);
    OleUninitialize();
    ExitProcess(1);
  }
  // Runs until the main window's destruction posts the quit message.
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) ProcessMessage(msg);
  OleUninitialize();
  // Tasks still running end here with the process, wherever they are; none of them writes.
  ExitProcess(0);
}

}  // namespace ui
