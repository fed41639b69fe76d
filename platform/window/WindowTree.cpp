// Window objects, their handles, the tree, z-order, positions and
// visibility.

#include <algorithm>

#include "platform/gdi/SysColors.h"
#include "platform/window/WinUser.h"
#include "platform/window/WindowCore.h"

namespace {

TWindowCore* GCurrent = nullptr;

// A handle is (generation << kIndexBits) | (slot index + 1): a slot reused
// by a later window has another generation, so old handles never match it.
constexpr int kIndexBits = 20;
constexpr std::uintptr_t kIndexMask = (std::uintptr_t(1) << kIndexBits) - 1;

HWND MakeHandle(std::size_t Index, std::uint32_t Generation) {
  return reinterpret_cast<HWND>((std::uintptr_t(Generation) << kIndexBits) | (Index + 1));
}

// Where CW_USEDEFAULT puts and sizes a top-level window.
constexpr int kDefaultLeft = 40;
constexpr int kDefaultTop = 40;
constexpr int kDefaultWidth = 400;
constexpr int kDefaultHeight = 300;

bool IsSpecialInsertAfter(HWND H) {
  return H == HWND_TOP || H == HWND_BOTTOM || H == HWND_TOPMOST || H == HWND_NOTOPMOST;
}

}  // namespace

TWindowCore::TWindowCore(std::unique_ptr<TBackend> Backend) : FBackend(std::move(Backend)) {
  FPreviousCore = GCurrent;
  GCurrent = this;
  SetScreenSize(FBackend->ScreenWidth(), FBackend->ScreenHeight());
  SetScreenPixelsPerInch(FBackend->PixelsPerInch());
  FCursor = CursorFromShape(crsArrow);
}

TWindowCore::~TWindowCore() {
  for (TWindow* Top : FTopLevels)
    if (Top->Native) FBackend->DestroyNativeWindow(Top->Native);
  FTopLevels.clear();
  FDCs.clear();
  FDeferredFrees.clear();
  FSlots.clear();
  if (GCurrent == this) GCurrent = FPreviousCore;
}

TWindowCore* TWindowCore::Current() { return GCurrent; }

TWindow* TWindowCore::Lookup(HWND Handle) const {
  const std::uintptr_t Value = reinterpret_cast<std::uintptr_t>(Handle);
  const std::uintptr_t Index = Value & kIndexMask;
  if (Index == 0 || Index - 1 >= FSlots.size()) return nullptr;
  const TSlot& Slot = FSlots[Index - 1];
  if (!Slot.Window || Slot.Generation != (Value >> kIndexBits)) return nullptr;
  if (Slot.Window->Dead) return nullptr;
  return Slot.Window.get();
}

std::vector<TWindow*>& TWindowCore::SiblingList(TWindow* W) {
  return W->Parent ? W->Parent->Children : FTopLevels;
}

TWindow* TWindowCore::TopLevelOf(TWindow* W) const {
  while (W && W->Parent) W = W->Parent;
  return W;
}

TPoint TWindowCore::ScreenOrigin(const TWindow* W) const {
  if (!W->Parent) return TPoint{W->Rect.Left, W->Rect.Top};
  const TPoint P = ClientScreenOrigin(W->Parent);
  return TPoint{P.X + W->Rect.Left, P.Y + W->Rect.Top};
}

TPoint TWindowCore::ClientScreenOrigin(const TWindow* W) const {
  const TPoint P = ScreenOrigin(W);
  return TPoint{P.X + W->Client.Left, P.Y + W->Client.Top};
}

TPoint TWindowCore::SurfaceOrigin(const TWindow* W) const {
  if (!W->Parent) return TPoint{0, 0};
  const TPoint P = SurfaceOrigin(W->Parent);
  return TPoint{P.X + W->Parent->Client.Left + W->Rect.Left,
                P.Y + W->Parent->Client.Top + W->Rect.Top};
}

TRect TWindowCore::ScreenRect(const TWindow* W) const {
  const TPoint P = ScreenOrigin(W);
  return Bounds(P.X, P.Y, W->Rect.Width(), W->Rect.Height());
}

bool TWindowCore::IsVisibleDeep(const TWindow* W) const {
  for (; W; W = W->Parent)
    if (!(W->Style & WS_VISIBLE)) return false;
  return true;
}

bool TWindowCore::IsDescendant(const TWindow* Ancestor, const TWindow* W) const {
  for (; W; W = W->Parent)
    if (W == Ancestor) return true;
  return false;
}

void TWindowCore::EnsureSurface(TWindow* Top) {
  const int Width = std::max(0, Top->Rect.Width());
  const int Height = std::max(0, Top->Rect.Height());
  if (Top->Surface && Top->Surface->Width() == Width && Top->Surface->Height() == Height) return;
  // A new surface rather than a resized one: a device context still handed
  // out keeps drawing into the old one instead of past the end of the new.
  const TColor Fill = Top->Class.Background != clNone ? Top->Class.Background : clWindow;
  Top->Surface = std::make_shared<TSurface>(Width, Height, ColorToPixel(Fill));
  Top->Dirty.SetRect(TRect{0, 0, Width, Height});
}

void TWindowCore::SyncNative(TWindow* W) {
  if (W->Parent) return;
  TNativeWindowParams P;
  P.ScreenRect = W->Rect;
  P.Title = W->Text;
  P.Decorated = HasWindowManagerFrame(W);
  P.Resizable = P.Decorated && (W->Style & WS_THICKFRAME);
  P.ToolWindow = (W->ExStyle & WS_EX_TOOLWINDOW) != 0;
  P.Topmost = (W->ExStyle & WS_EX_TOPMOST) != 0;
  P.NoActivate = (W->Style & WS_CHILD) || (W->ExStyle & WS_EX_NOACTIVATE);
  if (TWindow* Owner = Lookup(W->Owner)) P.Owner = Owner->Native;
  if (!W->Native) {
    W->Native = FBackend->CreateNativeWindow(P);
  } else if (!(P == W->NativeParams)) {
    FBackend->UpdateNativeWindow(W->Native, P);
  }
  W->NativeParams = P;
}

void TWindowCore::RestackNatives() {
  std::vector<TNativeWindow> Order;
  for (TWindow* Top : FTopLevels)
    if (Top->Native && (Top->Style & WS_VISIBLE)) Order.push_back(Top->Native);
  FBackend->RestackNativeWindows(Order);
}

void TWindowCore::Restack(TWindow* W, HWND InsertAfter) {
  std::vector<TWindow*>& List = SiblingList(W);
  List.erase(std::find(List.begin(), List.end(), W));
  const bool TopLevel = W->Parent == nullptr;
  if (TopLevel) {
    if (InsertAfter == HWND_TOPMOST) W->ExStyle |= WS_EX_TOPMOST;
    if (InsertAfter == HWND_NOTOPMOST || InsertAfter == HWND_BOTTOM) W->ExStyle &= ~WS_EX_TOPMOST;
  }
  // Top-level windows are banded: topmost ones first. Children have no bands.
  std::size_t BandStart = 0, BandEnd = List.size();
  if (TopLevel) {
    std::size_t FirstNormal = 0;
    while (FirstNormal < List.size() && (List[FirstNormal]->ExStyle & WS_EX_TOPMOST)) ++FirstNormal;
    if (W->ExStyle & WS_EX_TOPMOST)
      BandEnd = FirstNormal;
    else
      BandStart = FirstNormal;
  }
  std::size_t Pos = BandStart;
  if (InsertAfter == HWND_BOTTOM) {
    Pos = BandEnd;
  } else if (!IsSpecialInsertAfter(InsertAfter)) {
    TWindow* After = Lookup(InsertAfter);
    auto It = std::find(List.begin(), List.end(), After);
    if (After && It != List.end())
      Pos = std::clamp<std::size_t>(It - List.begin() + 1, BandStart, BandEnd);
  }
  List.insert(List.begin() + Pos, W);
}

void TWindowCore::RaiseOwned(TWindow* W) {
  if (W->Parent) return;
  std::vector<TWindow*> Owned;
  for (TWindow* Top : FTopLevels)
    if (Top->Owner == W->Handle) Owned.push_back(Top);
  // Re-inserted bottom-most first, so they keep their order above W.
  for (auto It = Owned.rbegin(); It != Owned.rend(); ++It) Restack(*It, HWND_TOP);
}

MINMAXINFO TWindowCore::GetMinMaxInfo(TWindow* W) {
  MINMAXINFO Info;
  const int SW = FBackend->ScreenWidth(), SH = FBackend->ScreenHeight();
  const TRect Insets = NonClientInsets(W);
  int MinX = Insets.Left + Insets.Right, MinY = Insets.Top + Insets.Bottom;
  if (W->Style & WS_VSCROLL) MinX += GetScaledSystemMetrics(SM_CXVSCROLL);
  if (W->Style & WS_HSCROLL) MinY += GetScaledSystemMetrics(SM_CYHSCROLL);
  Info.ptMaxSize = TPoint{SW, SH};
  Info.ptMaxPosition = TPoint{0, 0};
  Info.ptMinTrackSize = TPoint{MinX, MinY};
  Info.ptMaxTrackSize = TPoint{SW + 12, SH + 12};
  Send(W->Handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&Info));
  return Info;
}

// Runs WM_NCCALCSIZE for NewRect and stores the client rectangle it gives.
// Answers false when the window died in the handler.
static bool CalcClientRect(TWindowCore& Core, HWND Handle, const TRect& NewRect, WINDOWPOS* Pos) {
  TWindow* W = Core.Lookup(Handle);
  if (!W) return false;
  TRect Client;
  if (!Pos) {
    Client = NewRect;
    Core.Send(Handle, WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&Client));
  } else {
    NCCALCSIZE_PARAMS Params;
    Params.rgrc[0] = NewRect;
    Params.rgrc[1] = W->Rect;
    Params.rgrc[2] = Bounds(W->Rect.Left + W->Client.Left, W->Rect.Top + W->Client.Top,
                            W->Client.Width(), W->Client.Height());
    Params.lppos = Pos;
    Core.Send(Handle, WM_NCCALCSIZE, 1, reinterpret_cast<LPARAM>(&Params));
    Client = Params.rgrc[0];
  }
  W = Core.Lookup(Handle);
  if (!W) return false;
  // Relative to the window, and never outside it or inside out.
  const int Width = NewRect.Width(), Height = NewRect.Height();
  TRect R{Client.Left - NewRect.Left, Client.Top - NewRect.Top, Client.Right - NewRect.Left,
          Client.Bottom - NewRect.Top};
  R.Left = std::clamp(R.Left, 0, Width);
  R.Top = std::clamp(R.Top, 0, Height);
  R.Right = std::clamp(R.Right, R.Left, Width);
  R.Bottom = std::clamp(R.Bottom, R.Top, Height);
  W->Client = R;
  return true;
}

HWND TWindowCore::CreateWindowImpl(DWORD ExStyle, const TWindowClassInfo& Class,
                                   const std::string& Name, DWORD Style, int X, int Y, int W, int H,
                                   HWND ParentHandle, WNDPROC Proc, void* Param) {
  TWindow* Parent = nullptr;
  HWND Owner = nullptr;
  if (ParentHandle) {
    TWindow* P = Lookup(ParentHandle);
    if (!P) return nullptr;
    if (Style & WS_CHILD)
      Parent = P;
    else
      Owner = TopLevelOf(P)->Handle;
  } else if (Style & WS_CHILD) {
    return nullptr;  // a child window needs a parent
  }
  if (!Parent) {
    if (X == CW_USEDEFAULT) X = kDefaultLeft, Y = (Y == CW_USEDEFAULT ? kDefaultTop : Y);
    if (W == CW_USEDEFAULT) W = kDefaultWidth, H = (H == CW_USEDEFAULT ? kDefaultHeight : H);
  }
  if (X == CW_USEDEFAULT) X = 0;
  if (Y == CW_USEDEFAULT) Y = 0;
  if (W == CW_USEDEFAULT || W < 0) W = 0;
  if (H == CW_USEDEFAULT || H < 0) H = 0;

  std::size_t Index;
  if (!FFreeSlots.empty()) {
    Index = FFreeSlots.back();
    FFreeSlots.pop_back();
  } else {
    Index = FSlots.size();
    if (Index >= kIndexMask) return nullptr;
    FSlots.emplace_back();
  }
  TSlot& Slot = FSlots[Index];
  Slot.Window = std::make_unique<TWindow>();
  TWindow* Win = Slot.Window.get();
  const HWND Handle = MakeHandle(Index, Slot.Generation);
  Win->Handle = Handle;
  Win->Class = Class;
  Win->Style = Style & ~WS_VISIBLE;
  Win->ExStyle = ExStyle;
  Win->Proc = Proc ? Proc : Class.Proc;
  Win->Parent = Parent;
  Win->Owner = Owner;
  Win->Rect = Bounds(X, Y, W, H);
  Win->Client = TRect{0, 0, W, H};
  Win->Text = Name;
  if (Parent) {
    Parent->Children.insert(Parent->Children.begin(), Win);
  } else {
    FTopLevels.push_back(Win);
    Restack(Win, HWND_TOP);
    EnsureSurface(Win);
    SyncNative(Win);
  }

  CREATESTRUCT Create;
  Create.lpCreateParams = Param;
  Create.hwndParent = ParentHandle;
  Create.x = X, Create.y = Y, Create.cx = W, Create.cy = H;
  Create.style = Style;
  Create.dwExStyle = ExStyle;
  Create.lpszName = Name;
  Create.lpszClass = Class.Name;
  if (!Send(Handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&Create))) {
    if (TWindow* Dead = Lookup(Handle)) {
      Dead->Destroying = true;
      DestroyWindowImpl(Dead);
    }
    return nullptr;
  }
  if (!CalcClientRect(*this, Handle, Bounds(X, Y, W, H), nullptr)) return nullptr;
  if (Send(Handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&Create)) == -1) {
    if (TWindow* Dead = Lookup(Handle)) DestroyWindowImpl(Dead);
    return nullptr;
  }
  Win = Lookup(Handle);
  if (!Win) return nullptr;
  Send(Handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(Win->Client.Width(), Win->Client.Height()));
  if ((Win = Lookup(Handle)) == nullptr) return nullptr;
  Send(Handle, WM_MOVE, 0,
       MAKELPARAM(Win->Rect.Left + Win->Client.Left, Win->Rect.Top + Win->Client.Top));
  if ((Win = Lookup(Handle)) == nullptr) return nullptr;
  if (Style & WS_VISIBLE) ShowWindowImpl(Win, SW_SHOW);
  return Lookup(Handle) ? Handle : nullptr;
}

// WM_DESTROY goes to a window before its children.
static void SendDestroy(TWindowCore& Core, HWND Handle) {
  TWindow* W = Core.Lookup(Handle);
  if (!W) return;
  W->Destroying = true;
  Core.Send(Handle, WM_DESTROY, 0, 0);
  W = Core.Lookup(Handle);
  if (!W) return;
  std::vector<HWND> Children;
  for (TWindow* C : W->Children) Children.push_back(C->Handle);
  for (HWND C : Children) SendDestroy(Core, C);
}

// WM_NCDESTROY goes to the children first; then the window is unlinked and
// its handle dies.
static void FreeTree(TWindowCore& Core, HWND Handle) {
  TWindow* W = Core.Lookup(Handle);
  if (!W) return;
  W->Destroying = true;
  std::vector<HWND> Children;
  for (TWindow* C : W->Children) Children.push_back(C->Handle);
  for (HWND C : Children) FreeTree(Core, C);
  Core.Send(Handle, WM_NCDESTROY, 0, 0);
  W = Core.Lookup(Handle);
  if (!W) return;

  std::vector<TWindow*>& List = Core.SiblingList(W);
  List.erase(std::remove(List.begin(), List.end(), W), List.end());
  // Children that escaped (re-parented away during the messages) keep
  // living; the rest are already gone.
  Core.KillTimersOf(Handle);
  Core.UnregisterHotKeysOf(Handle);
  if (Core.FCaretWindow == Handle) Core.FCaretWindow = nullptr;
  if (Core.FTrackWindow == Handle) Core.FTrackWindow = nullptr;
  if (Core.FFocus == Handle) Core.FFocus = nullptr;
  if (Core.FCapture == Handle) {
    Core.FCapture = nullptr;
    Core.SyncPointerCapture();
  }
  if (Core.FActive == Handle) Core.FActive = nullptr;
  if (!W->Parent && W->Native) {
    Core.FBackend->DestroyNativeWindow(W->Native);
    W->Native = 0;
    Core.RestackNatives();
  }
  W->Dead = true;

  const std::uintptr_t Index = (reinterpret_cast<std::uintptr_t>(Handle) & kIndexMask) - 1;
  TWindowCore::TSlot& Slot = Core.FSlots[Index];
  Core.FDeferredFrees.push_back(std::move(Slot.Window));
  if (++Slot.Generation == 0) Slot.Generation = 1;
  Core.FFreeSlots.push_back(static_cast<std::uint32_t>(Index));
  if (Core.FDispatchDepth == 0) Core.FlushDeferredFrees();
}

void TWindowCore::FlushDeferredFrees() { FDeferredFrees.clear(); }

bool TWindowCore::DestroyWindowImpl(TWindow* W) {
  const HWND Handle = W->Handle;
  if (W->Destroying && W->Dead) return false;
  const bool AlreadyDestroying = W->Destroying;
  W->Destroying = true;

  // Owned windows go first.
  std::vector<HWND> Owned;
  for (TWindow* Top : FTopLevels)
    if (Top->Owner == Handle) Owned.push_back(Top->Handle);
  for (HWND O : Owned)
    if (TWindow* OW = Lookup(O)) DestroyWindowImpl(OW);

  if ((W = Lookup(Handle)) == nullptr) return true;
  if (W->Style & WS_VISIBLE)
    SetWindowPosImpl(W, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if ((W = Lookup(Handle)) == nullptr) return true;
  WindowHidden(W);
  if (!AlreadyDestroying) SendDestroy(*this, Handle);
  FreeTree(*this, Handle);
  return true;
}

// A frame change repaints the frame; the client area (and the children in
// it) only when it moved inside the window or changed size.
static void FrameChanged(TWindowCore& Core, TWindow* W, bool ClientChanged) {
  if (ClientChanged)
    Core.InvalidateWhole(W, true);
  else
    W->NeedNcPaint = true;
}

bool TWindowCore::SetWindowPosImpl(TWindow* W, HWND InsertAfter, int X, int Y, int CX, int CY,
                                   UINT Flags) {
  const HWND Handle = W->Handle;
  const bool WasVisible = (W->Style & WS_VISIBLE) != 0;
  if ((Flags & SWP_SHOWWINDOW) && WasVisible) Flags &= ~SWP_SHOWWINDOW;
  if ((Flags & SWP_HIDEWINDOW) && !WasVisible) Flags &= ~SWP_HIDEWINDOW;
  if (Flags & SWP_SHOWWINDOW) Flags &= ~SWP_HIDEWINDOW;
  if (InsertAfter == Handle) Flags |= SWP_NOZORDER;

  WINDOWPOS Pos;
  Pos.hwnd = Handle;
  Pos.hwndInsertAfter = InsertAfter;
  Pos.x = (Flags & SWP_NOMOVE) ? W->Rect.Left : X;
  Pos.y = (Flags & SWP_NOMOVE) ? W->Rect.Top : Y;
  Pos.cx = (Flags & SWP_NOSIZE) ? W->Rect.Width() : CX;
  Pos.cy = (Flags & SWP_NOSIZE) ? W->Rect.Height() : CY;
  Pos.flags = Flags;
  if (!(Flags & SWP_NOSENDCHANGING)) {
    Send(Handle, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&Pos));
    if ((W = Lookup(Handle)) == nullptr) return false;
    Flags = Pos.flags;
  }
  Pos.cx = std::max(0, Pos.cx);
  Pos.cy = std::max(0, Pos.cy);
  const TRect NewRect = Bounds(Pos.x, Pos.y, Pos.cx, Pos.cy);
  const TRect OldRect = W->Rect;
  const TRect OldClient = W->Client;
  const bool Moved = NewRect.Left != OldRect.Left || NewRect.Top != OldRect.Top;
  const bool Resized = NewRect.Width() != OldRect.Width() || NewRect.Height() != OldRect.Height();
  if (!Moved) Pos.flags |= SWP_NOMOVE;
  if (!Resized) Pos.flags |= SWP_NOSIZE;
  const bool TopLevel = W->Parent == nullptr;
  TWindow* Top = TopLevelOf(W);
  const bool Redraw = !(Flags & SWP_NOREDRAW);

  // What the window covered before, for the windows under it.
  TRegion OldArea;
  if (!TopLevel && WasVisible) OldArea = VisibleRegion(W, false, false);

  if (Resized || (Flags & SWP_FRAMECHANGED)) {
    if (!CalcClientRect(*this, Handle, NewRect, &Pos)) return false;
    W = Lookup(Handle);
  }
  W->Rect = NewRect;
  const bool ZChanged = !(Flags & SWP_NOZORDER);
  if (ZChanged) {
    Restack(W, InsertAfter);
    RaiseOwned(W);
  }
  if (Flags & SWP_SHOWWINDOW) W->Style |= WS_VISIBLE;
  if (Flags & SWP_HIDEWINDOW) W->Style &= ~WS_VISIBLE;
  const bool NowVisible = (W->Style & WS_VISIBLE) != 0;

  if (TopLevel) {
    if (Resized) EnsureSurface(W);
    SyncNative(W);
    if (Moved || Resized) FBackend->SetNativeBounds(W->Native, W->Rect);
    if (Flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))
      FBackend->ShowNativeWindow(W->Native, NowVisible);
    if (ZChanged || (Flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))) RestackNatives();
  }

  if (Redraw) {
    const bool ClientChanged = W->Client != OldClient;
    if (!TopLevel) {
      if (!OldArea.IsEmpty() && (Moved || Resized || ZChanged || (Flags & SWP_HIDEWINDOW)))
        ExposeArea(Top, OldArea);
      if (NowVisible && (Moved || Resized || (Flags & SWP_SHOWWINDOW) || ZChanged))
        InvalidateWhole(W, true);
      else if (NowVisible && (Flags & SWP_FRAMECHANGED))
        FrameChanged(*this, W, ClientChanged);
    } else if (NowVisible) {
      if (Resized || (Flags & SWP_SHOWWINDOW))
        InvalidateWhole(W, true);
      else if (Flags & SWP_FRAMECHANGED)
        FrameChanged(*this, W, ClientChanged);
    }
  }

  if (Flags & SWP_HIDEWINDOW) {
    WindowHidden(W);
    if ((W = Lookup(Handle)) == nullptr) return true;
  }
  if (TopLevel && NowVisible && !(Flags & SWP_NOACTIVATE) &&
      ((Flags & SWP_SHOWWINDOW) || ZChanged) && IsActivatable(W)) {
    SetActiveImpl(W, WA_ACTIVE, false);
    if ((W = Lookup(Handle)) == nullptr) return true;
  }
  // A window moved inside its top-level carries the caret with it: the
  // input method's spot follows.
  if (!TopLevel && (!(Flags & SWP_NOMOVE) || !(Flags & SWP_NOSIZE)))
    if (TWindow* Caret = Lookup(FCaretWindow); Caret && IsDescendant(W, Caret))
      UpdateTextInputSpot();
  Send(Handle, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&Pos));
  return true;
}

bool TWindowCore::ShowWindowImpl(TWindow* W, int Command) {
  const HWND Handle = W->Handle;
  const bool WasVisible = (W->Style & WS_VISIBLE) != 0;
  if (Command == SW_HIDE) {
    if (!WasVisible) return false;
    Send(Handle, WM_SHOWWINDOW, 0, 0);
    if ((W = Lookup(Handle)) == nullptr) return true;
    SetWindowPosImpl(W, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
  }
  UINT Flags = SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE;
  const bool NoActivate = Command == SW_SHOWNOACTIVATE || Command == SW_SHOWNA ||
                          Command == SW_SHOWMINNOACTIVE || Command == SW_MINIMIZE;
  if (NoActivate) Flags |= SWP_NOACTIVATE;
  if (Command == SW_SHOWNA || Command == SW_SHOWNOACTIVATE) Flags |= SWP_NOZORDER;
  if (W->Style & WS_CHILD) Flags |= SWP_NOACTIVATE | SWP_NOZORDER;
  if (!WasVisible) {
    Send(Handle, WM_SHOWWINDOW, 1, 0);
    if ((W = Lookup(Handle)) == nullptr) return false;
  }
  SetWindowPosImpl(W, HWND_TOP, 0, 0, 0, 0, Flags);
  return WasVisible;
}

HWND TWindowCore::SetParentImpl(TWindow* W, TWindow* NewParent) {
  if (NewParent && IsDescendant(W, NewParent)) return nullptr;
  const HWND Handle = W->Handle;
  const HWND NewParentHandle = NewParent ? NewParent->Handle : nullptr;
  const HWND OldParentHandle = W->Parent ? W->Parent->Handle : nullptr;
  const bool WasVisible = (W->Style & WS_VISIBLE) != 0;
  if (WasVisible) {
    SetWindowPosImpl(W, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if ((W = Lookup(Handle)) == nullptr) return nullptr;
    if (NewParentHandle && (NewParent = Lookup(NewParentHandle)) == nullptr) return nullptr;
    if (NewParent && IsDescendant(W, NewParent)) return nullptr;
  }
  const bool WasTopLevel = W->Parent == nullptr;
  std::vector<TWindow*>& OldList = SiblingList(W);
  OldList.erase(std::find(OldList.begin(), OldList.end(), W));
  if (WasTopLevel && NewParent) {
    if (W->Native) FBackend->DestroyNativeWindow(W->Native);
    W->Native = 0;
    W->NativeParams = TNativeWindowParams{};
    W->Surface.reset();
    W->Dirty = TRegion();
    W->Owner = nullptr;
  }
  W->Parent = NewParent;
  if (NewParent) {
    NewParent->Children.insert(NewParent->Children.begin(), W);
  } else {
    FTopLevels.push_back(W);
    Restack(W, HWND_TOP);
    if (WasTopLevel) {
      SyncNative(W);
    } else {
      EnsureSurface(W);
      SyncNative(W);
    }
  }
  if (WasTopLevel || !NewParent) RestackNatives();
  if (WasVisible)
    SetWindowPosImpl(W, HWND_TOP, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return OldParentHandle;
}
