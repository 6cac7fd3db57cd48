#include <windows.h>

#include "ui/Startup.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return ui::RunProgram(); }
