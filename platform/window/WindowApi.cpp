// The API of window classes, creation, relations, window data, text,
// positions and coordinates.

#include <algorithm>

#include "platform/window/WinUser.h"
#include "platform/window/WindowCore.h"

namespace {

TWindowCore* Core() { return TWindowCore::Current(); }

TWindow* Live(HWND Window) {
  TWindowCore* C = Core();
  return C ? C->Lookup(Window) : nullptr;
}

TWindowClassInfo ClassInfoOf(const WNDCLASS& Class) {
  TWindowClassInfo Info;
  Info.Name = Class.lpszClassName;
  Info.Style = Class.style;
  Info.Proc = Class.lpfnWndProc;
  Info.Cursor = Class.hCursor;
  Info.Background = Class.hbrBackground;
  return Info;
}

}  // namespace

bool RegisterClass(const WNDCLASS& Class) {
  TWindowCore* C = Core();
  if (!C || Class.lpszClassName.empty()) return false;
  if (C->FClasses.count(Class.lpszClassName)) return false;
  C->FClasses[Class.lpszClassName] = ClassInfoOf(Class);
  return true;
}

HWND CreateWindowEx(DWORD ExStyle, const std::string& ClassName, const std::string& WindowName,
                    DWORD Style, int X, int Y, int Width, int Height, HWND Parent, WNDPROC Proc,
                    void* Param) {
  TWindowCore* C = Core();
  if (!C) return nullptr;
  auto It = C->FClasses.find(ClassName);
  if (It == C->FClasses.end()) return nullptr;
  const TWindowClassInfo Class = It->second;
  return C->CreateWindowImpl(ExStyle, Class, WindowName, Style, X, Y, Width, Height, Parent,
                             std::move(Proc), Param);
}

HWND CreateWindowEx(DWORD ExStyle, const WNDCLASS& Class, const std::string& WindowName,
                    DWORD Style, int X, int Y, int Width, int Height, HWND Parent, WNDPROC Proc,
                    void* Param) {
  TWindowCore* C = Core();
  if (!C) return nullptr;
  return C->CreateWindowImpl(ExStyle, ClassInfoOf(Class), WindowName, Style, X, Y, Width, Height,
                             Parent, std::move(Proc), Param);
}

bool DestroyWindow(HWND Window) {
  TWindow* W = Live(Window);
  return W && Core()->DestroyWindowImpl(W);
}

bool IsWindow(HWND Window) { return Live(Window) != nullptr; }

bool IsChild(HWND Parent, HWND Window) {
  TWindow* P = Live(Parent);
  TWindow* W = Live(Window);
  return P && W && W != P && Core()->IsDescendant(P, W);
}

HWND GetParent(HWND Window) {
  TWindow* W = Live(Window);
  if (!W) return nullptr;
  if (W->Parent) return W->Parent->Handle;
  return W->Owner && Live(W->Owner) ? W->Owner : nullptr;
}

HWND GetAncestor(HWND Window, UINT Flags) {
  TWindow* W = Live(Window);
  if (!W) return nullptr;
  switch (Flags) {
    case GA_PARENT:
      return W->Parent ? W->Parent->Handle : nullptr;
    case GA_ROOT:
      return Core()->TopLevelOf(W)->Handle;
    case GA_ROOTOWNER: {
      TWindow* R = Core()->TopLevelOf(W);
      while (TWindow* O = Live(R->Owner)) R = Core()->TopLevelOf(O);
      return R->Handle;
    }
    default:
      return nullptr;
  }
}

HWND GetWindow(HWND Window, UINT Command) {
  TWindowCore* C = Core();
  TWindow* W = Live(Window);
  if (!W) return nullptr;
  if (Command == GW_CHILD) return W->Children.empty() ? nullptr : W->Children.front()->Handle;
  if (Command == GW_OWNER) return Live(W->Owner) ? W->Owner : nullptr;
  const std::vector<TWindow*>& List = C->SiblingList(W);
  auto It = std::find(List.begin(), List.end(), W);
  switch (Command) {
    case GW_HWNDFIRST:
      return List.front()->Handle;
    case GW_HWNDLAST:
      return List.back()->Handle;
    case GW_HWNDNEXT:
      return It + 1 != List.end() ? (*(It + 1))->Handle : nullptr;
    case GW_HWNDPREV:
      return It != List.begin() ? (*(It - 1))->Handle : nullptr;
    default:
      return nullptr;
  }
}

HWND GetTopWindow(HWND Parent) {
  TWindowCore* C = Core();
  if (!C) return nullptr;
  if (!Parent) return C->FTopLevels.empty() ? nullptr : C->FTopLevels.front()->Handle;
  return GetWindow(Parent, GW_CHILD);
}

HWND SetParent(HWND Window, HWND NewParent) {
  TWindowCore* C = Core();
  TWindow* W = Live(Window);
  if (!W) return nullptr;
  TWindow* P = nullptr;
  if (NewParent && (P = C->Lookup(NewParent)) == nullptr) return nullptr;
  return C->SetParentImpl(W, P);
}

LONG_PTR GetWindowLong(HWND Window, int Index) {
  TWindow* W = Live(Window);
  if (!W) return 0;
  switch (Index) {
    case GWL_STYLE:
      return LONG_PTR(W->Style);
    case GWL_EXSTYLE:
      return LONG_PTR(W->ExStyle);
    case GWL_ID:
      return W->Id;
    case GWL_USERDATA:
      return W->UserData;
    default:
      return 0;
  }
}

LONG_PTR SetWindowLong(HWND Window, int Index, LONG_PTR Value) {
  TWindowCore* C = Core();
  TWindow* W = Live(Window);
  if (!W) return 0;
  switch (Index) {
    case GWL_STYLE: {
      const DWORD Old = W->Style;
      const DWORD New = DWORD(Value);
      // Visibility goes through the usual path so that focus, capture and
      // painting stay consistent.
      W->Style = (New & ~WS_VISIBLE) | (Old & WS_VISIBLE);
      C->SyncNative(W);
      if ((New ^ Old) & WS_VISIBLE)
        C->SetWindowPosImpl(W, nullptr, 0, 0, 0, 0,
                            ((New & WS_VISIBLE) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOMOVE |
                                SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      if ((W = Live(Window)) != nullptr) C->Send(W, WM_STYLECHANGED, WPARAM(GWL_STYLE), 0);
      return LONG_PTR(Old);
    }
    case GWL_EXSTYLE: {
      const DWORD Old = W->ExStyle;
      // Topmost is a place in the z-order: SetWindowPos changes it.
      W->ExStyle = (DWORD(Value) & ~WS_EX_TOPMOST) | (Old & WS_EX_TOPMOST);
      C->SyncNative(W);
      C->Send(W, WM_STYLECHANGED, WPARAM(GWL_EXSTYLE), 0);
      return LONG_PTR(Old);
    }
    case GWL_ID:
      std::swap(W->Id, Value);
      return Value;
    case GWL_USERDATA:
      std::swap(W->UserData, Value);
      return Value;
    default:
      return 0;
  }
}

LONG_PTR GetClassLong(HWND Window, int Index) {
  TWindow* W = Live(Window);
  if (!W || Index != GCL_STYLE) return 0;
  return LONG_PTR(W->Class.Style);
}

WNDPROC GetWindowProc(HWND Window) {
  TWindow* W = Live(Window);
  return W ? W->Proc : WNDPROC();
}

WNDPROC SetWindowProc(HWND Window, WNDPROC Proc) {
  TWindow* W = Live(Window);
  if (!W) return WNDPROC();
  std::swap(W->Proc, Proc);
  return Proc;
}

LRESULT CallWindowProc(const WNDPROC& Proc, HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (!Live(Window)) return 0;
  if (!Proc) return DefWindowProc(Window, Msg, WParam, LParam);
  return Proc(Window, Msg, WParam, LParam);
}

LRESULT DefWindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  TWindow* W = Live(Window);
  return W ? Core()->DefProc(W, Msg, WParam, LParam) : 0;
}

bool SetWindowText(HWND Window, const std::string& Text) {
  TWindow* W = Live(Window);
  return W && Core()->Send(W, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Text.c_str())) != 0;
}

std::string GetWindowText(HWND Window) {
  TWindow* W = Live(Window);
  if (!W) return std::string();
  const LRESULT Length = Core()->Send(W, WM_GETTEXTLENGTH, 0, 0);
  if (Length <= 0) return std::string();
  std::string Text(std::size_t(Length) + 1, '\0');
  const LRESULT Got =
      Core()->Send(Window, WM_GETTEXT, Text.size(), reinterpret_cast<LPARAM>(&Text[0]));
  Text.resize(std::clamp<std::size_t>(std::size_t(std::max<LRESULT>(Got, 0)), 0, Text.size() - 1));
  return Text;
}

int GetWindowTextLength(HWND Window) {
  TWindow* W = Live(Window);
  return W ? int(Core()->Send(W, WM_GETTEXTLENGTH, 0, 0)) : 0;
}

std::string GetClassName(HWND Window) {
  TWindow* W = Live(Window);
  return W ? W->Class.Name : std::string();
}

bool SetWindowPos(HWND Window, HWND InsertAfter, int X, int Y, int CX, int CY, UINT Flags) {
  TWindow* W = Live(Window);
  return W && Core()->SetWindowPosImpl(W, InsertAfter, X, Y, CX, CY, Flags);
}

bool MoveWindow(HWND Window, int X, int Y, int Width, int Height, bool Repaint) {
  return SetWindowPos(Window, nullptr, X, Y, Width, Height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (Repaint ? 0u : UINT(SWP_NOREDRAW)));
}

bool ShowWindow(HWND Window, int Command) {
  TWindow* W = Live(Window);
  return W && Core()->ShowWindowImpl(W, Command);
}

bool BringWindowToTop(HWND Window) {
  return SetWindowPos(Window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool IsWindowVisible(HWND Window) {
  TWindow* W = Live(Window);
  return W && Core()->IsVisibleDeep(W);
}

bool GetWindowRect(HWND Window, TRect& Rect) {
  TWindow* W = Live(Window);
  if (!W) return false;
  Rect = Core()->ScreenRect(W);
  return true;
}

bool GetClientRect(HWND Window, TRect& Rect) {
  TWindow* W = Live(Window);
  if (!W) return false;
  Rect = TRect{0, 0, W->Client.Width(), W->Client.Height()};
  return true;
}

bool ClientToScreen(HWND Window, TPoint& Point) {
  TWindow* W = Live(Window);
  if (!W) return false;
  const TPoint O = Core()->ClientScreenOrigin(W);
  Point = TPoint{Point.X + O.X, Point.Y + O.Y};
  return true;
}

bool ScreenToClient(HWND Window, TPoint& Point) {
  TWindow* W = Live(Window);
  if (!W) return false;
  const TPoint O = Core()->ClientScreenOrigin(W);
  Point = TPoint{Point.X - O.X, Point.Y - O.Y};
  return true;
}

int MapWindowPoints(HWND From, HWND To, TPoint* Points, int Count) {
  TWindowCore* C = Core();
  if (!C) return 0;
  TPoint A{0, 0}, B{0, 0};
  if (From) {
    TWindow* W = C->Lookup(From);
    if (!W) return 0;
    A = C->ClientScreenOrigin(W);
  }
  if (To) {
    TWindow* W = C->Lookup(To);
    if (!W) return 0;
    B = C->ClientScreenOrigin(W);
  }
  const int DX = A.X - B.X, DY = A.Y - B.Y;
  for (int I = 0; I < Count; ++I) Points[I] = TPoint{Points[I].X + DX, Points[I].Y + DY};
  return int(MAKELPARAM(DX, DY));
}

int MapWindowPoints(HWND From, HWND To, TRect& Rect) {
  TPoint P[2] = {{Rect.Left, Rect.Top}, {Rect.Right, Rect.Bottom}};
  const int R = MapWindowPoints(From, To, P, 2);
  Rect = TRect{P[0].X, P[0].Y, P[1].X, P[1].Y};
  return R;
}
