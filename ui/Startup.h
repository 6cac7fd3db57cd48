// The program's life on the UI thread: start-up, the message loop, shutdown.
#pragma once

namespace ui {

// Runs the program and ends the process; returns only if the process could not be ended.
int RunProgram();

}  // namespace ui
