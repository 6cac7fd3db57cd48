// The program's life on the UI thread: start-up, the message loop, shutdown.
#pragma once

#include <windows.h>

namespace ui {

// One message of the UI thread: the window's key rules first, then translation and dispatch.
void ProcessMessage(const MSG& msg);

// Runs the program and ends the process; returns only if the process could not be ended.
int RunProgram();

}  // namespace ui
