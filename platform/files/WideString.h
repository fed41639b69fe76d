#pragma once
// Text for the wide-character calls of Windows. The program's strings are
// code page 932; a std::u16string holds what a wchar_t string holds on
// Windows, so the native files hand its data() to the W functions as it is.
// Used by the *Win32.cpp sources only.

#include <string>
#include <string_view>

namespace files {

// A path (code page 932) for the W calls. A byte that is no CP932 becomes
// U+FFFD, so such a path names no file and the call fails, as it should.
std::u16string WidePath(std::string_view Path);

// UTF-8 (what ToFileSystem gives on Windows) for the W calls.
std::u16string WideFromUtf8(std::string_view Utf8);

// A path the system gave (GetModuleFileNameW, GetFullPathNameW) as the
// program's text; a character CP932 cannot hold becomes "?", so the path
// can still be shown, though not opened.
std::string PathFromWide(std::u16string_view Wide);

}  // namespace files
