#include "platform/shell/ShellNative.h"

#include <windows.h>
// After windows.h, which it needs.
#include <io.h>
#include <objbase.h>
#include <shellapi.h>

namespace shellnative {

bool Open(const std::u16string& File, const std::u16string& Directory) {
  // Shell extensions that handle the request may use COM, which wants the
  // calling thread in a single-threaded apartment; once per thread is enough
  // (later calls only count up).
  static thread_local const HRESULT ComReady =
      CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  (void)ComReady;
  const wchar_t* Folder =
      Directory.empty() ? nullptr : reinterpret_cast<const wchar_t*>(Directory.c_str());
  HINSTANCE Result = ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t*>(File.c_str()),
                                   nullptr, Folder, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(Result) > 32;
}

void Beep(unsigned Type) { MessageBeep(Type); }

void ConsoleBell() {
  if (_isatty(2)) {
    // Nothing to do about a bell that cannot be written.
    (void)_write(2, "\a", 1);
  }
}

}  // namespace shellnative
