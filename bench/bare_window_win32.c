/* The floor of the Windows start-up benchmark (bench/startup-wine.sh): a
 * trivial Win32 program, built by the same cross compiler as the search
 * bar, that shows a 500x35 window at 20,20 painted blue. Under Wine most of
 * a process's memory is Wine's own libraries; what the search bar holds
 * beyond this program is its own.
 *
 *   x86_64-w64-mingw32-gcc -O2 -mwindows -o bare_window.exe bench/bare_window_win32.c
 */
#include <windows.h>

static LRESULT CALLBACK WindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  switch (Message) {
    case WM_PAINT: {
      PAINTSTRUCT Paint;
      HDC Dc = BeginPaint(Window, &Paint);
      RECT Client;
      GetClientRect(Window, &Client);
      /* The colour the benchmark's probe waits for at 20,20. */
      HBRUSH Blue = CreateSolidBrush(RGB(0, 0, 255));
      FillRect(Dc, &Client, Blue);
      DeleteObject(Blue);
      EndPaint(Window, &Paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(Window, Message, WParam, LParam);
}

int WINAPI WinMain(HINSTANCE Instance, HINSTANCE Previous, LPSTR CommandLine, int Show) {
  WNDCLASSW Class = {0};
  Class.lpfnWndProc = WindowProc;
  Class.hInstance = Instance;
  Class.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
  Class.lpszClassName = L"BareWindow";
  if (!RegisterClassW(&Class)) return 1;
  HWND Window = CreateWindowExW(WS_EX_TOOLWINDOW, L"BareWindow", L"bare_window", WS_POPUP, 20, 20,
                                500, 35, NULL, NULL, Instance, NULL);
  if (!Window) return 1;
  ShowWindow(Window, SW_SHOWNORMAL);
  UpdateWindow(Window);
  MSG Message;
  while (GetMessageW(&Message, NULL, 0, 0) > 0) {
    TranslateMessage(&Message);
    DispatchMessageW(&Message);
  }
  return 0;
}
