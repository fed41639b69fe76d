#pragma once
// The system's own shell opener and beeper, used when nothing else is
// installed: xdg-open and the terminal's bell on Linux
// (SystemShellPosix.cpp), ShellExecuteW and MessageBeep on Windows
// (SystemShellWin32.cpp).

#include "platform/shell/Beep.h"
#include "platform/shell/Shell.h"

TShellOpener& SystemShellOpener();
TBeeper& SystemBeeper();
