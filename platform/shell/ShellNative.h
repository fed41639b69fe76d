#pragma once
// The Windows shell calls, apart from the platform's own names (MB_OK,
// MessageBeep, ShellExecute, SE_ERR_...), which <windows.h> defines too:
// only ShellNativeWin32.cpp includes <windows.h>.

#include <string>

namespace shellnative {

// Hands File to the shell's "open" (ShellExecuteW, no parameters, Directory
// as the working folder when not empty). No command interpreter is involved:
// a web address goes to the default browser as one string. True when the
// shell took it.
bool Open(const std::u16string& File, const std::u16string& Directory);

// The system's sound for a message of the given MB_ type.
void Beep(unsigned Type);

// Rings the console's bell when standard error is one.
void ConsoleBell();

}  // namespace shellnative
