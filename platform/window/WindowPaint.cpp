// Invalid regions, WM_PAINT, device contexts on a top-level's back buffer,
// presenting, and the caret.
//
// Each window's update region is kept in its client coordinates; whether
// the frame needs painting and whether the background needs erasing are
// flags beside it. Moving, sizing, showing and hiding invalidate what they
// change (see SetWindowPosImpl); since nothing is copied on the back buffer,
// a child that moves is repainted whole and what it uncovered is exposed to
// the windows beneath.
//
// The caret is never drawn into the back buffer: it is inverted on the way
// out, around Present, so painting never has to hide it and a read-back of
// the back buffer shows the window as painted.

#include <algorithm>

#include "platform/window/WinUser.h"
#include "platform/window/WindowCore.h"

namespace {

constexpr UINT kCaretBlinkTime = 530;

TRect SurfaceClientRect(const TWindowCore& Core, const TWindow* W) {
  const TPoint O = Core.SurfaceOrigin(W);
  return Bounds(O.X + W->Client.Left, O.Y + W->Client.Top, W->Client.Width(), W->Client.Height());
}

TRect ClientBounds(const TWindow* W) { return TRect{0, 0, W->Client.Width(), W->Client.Height()}; }

void InvertSurface(TSurface& S, const TRegion& Region) {
  for (const TRect& R : Region.Rects()) {
    for (int Y = std::max(0, R.Top); Y < std::min(S.Height(), R.Bottom); ++Y) {
      std::uint32_t* Row = S.Row(Y);
      for (int X = std::max(0, R.Left); X < std::min(S.Width(), R.Right); ++X) Row[X] ^= 0x00FFFFFF;
    }
  }
}

}  // namespace

TRegion TWindowCore::VisibleRegion(TWindow* W, bool ClientOnly, bool ClipChildren) {
  TRegion R;
  if (!IsVisibleDeep(W)) return R;
  TWindow* Top = TopLevelOf(W);
  if (!Top->Surface) return R;
  const TPoint O = SurfaceOrigin(W);
  R.SetRect(ClientOnly ? SurfaceClientRect(*this, W)
                       : Bounds(O.X, O.Y, W->Rect.Width(), W->Rect.Height()));
  const TWindow* Child = W;
  for (TWindow* P = W->Parent; P; Child = P, P = P->Parent) {
    const TRect PC = SurfaceClientRect(*this, P);
    R.Intersect(PC);
    // Siblings above clip this window.
    for (TWindow* S : P->Children) {
      if (S == Child) break;
      if (S->Style & WS_VISIBLE)
        R.Subtract(Bounds(PC.Left + S->Rect.Left, PC.Top + S->Rect.Top, S->Rect.Width(),
                          S->Rect.Height()));
    }
  }
  R.Intersect(TRect{0, 0, Top->Surface->Width(), Top->Surface->Height()});
  if (ClipChildren) {
    const TRect C = SurfaceClientRect(*this, W);
    for (TWindow* Kid : W->Children)
      if (Kid->Style & WS_VISIBLE)
        R.Subtract(Bounds(C.Left + Kid->Rect.Left, C.Top + Kid->Rect.Top, Kid->Rect.Width(),
                          Kid->Rect.Height()));
  }
  return R;
}

void TWindowCore::InvalidateImpl(TWindow* W, const TRegion* ClientRegion, bool Erase) {
  if (!IsVisibleDeep(W)) return;
  if (ClientRegion) {
    TRegion R = *ClientRegion;
    R.Intersect(ClientBounds(W));
    if (R.IsEmpty()) return;
    W->Update.Union(R);
  } else {
    if (ClientBounds(W).IsEmpty()) return;
    W->Update.Union(ClientBounds(W));
  }
  if (Erase) W->NeedErase = true;
}

void TWindowCore::InvalidateWhole(TWindow* W, bool Subtree) {
  if (!IsVisibleDeep(W)) return;
  W->Update.SetRect(ClientBounds(W));
  W->NeedErase = true;
  W->NeedNcPaint = true;
  if (Subtree)
    for (TWindow* C : W->Children) InvalidateWhole(C, true);
}

void TWindowCore::ExposeArea(TWindow* Top, const TRegion& Area) {
  if (Area.IsEmpty()) return;
  std::vector<TWindow*> Stack{Top};
  while (!Stack.empty()) {
    TWindow* W = Stack.back();
    Stack.pop_back();
    if (!(W->Style & WS_VISIBLE)) continue;
    TRegion Client = VisibleRegion(W, true);
    Client.Intersect(Area);
    if (!Client.IsEmpty()) {
      const TRect C = SurfaceClientRect(*this, W);
      Client.Offset(-C.Left, -C.Top);
      W->Update.Union(Client);
      W->NeedErase = true;
    }
    TRegion Frame = VisibleRegion(W, false);
    Frame.Intersect(Area);
    Frame.Subtract(SurfaceClientRect(*this, W));
    if (!Frame.IsEmpty()) W->NeedNcPaint = true;
    for (TWindow* Kid : W->Children) Stack.push_back(Kid);
  }
}

static bool NeedsPaint(const TWindow* W) {
  return W->PaintDepth == 0 && (!W->Update.IsEmpty() || W->NeedNcPaint || W->InternalPaint);
}

static TWindow* FindPaint(TWindow* W, HWND Filter) {
  if (!(W->Style & WS_VISIBLE)) return nullptr;
  if (NeedsPaint(W) && (!Filter || W->Handle == Filter)) return W;
  for (TWindow* Kid : W->Children)
    if (TWindow* Found = FindPaint(Kid, Filter)) return Found;
  return nullptr;
}

TWindow* TWindowCore::NextWindowToPaint(HWND Filter) {
  // Parents before children, top-level windows in z-order.
  for (TWindow* Top : FTopLevels)
    if (TWindow* Found = FindPaint(Top, Filter)) return Found;
  return nullptr;
}

void TWindowCore::UpdateTree(TWindow* W) {
  const HWND Handle = W->Handle;
  if (!IsVisibleDeep(W)) return;
  if (NeedsPaint(W)) {
    if (W->Update.IsEmpty() && !W->InternalPaint) {
      W->NeedNcPaint = false;
      W->NeedErase = false;
      Send(W, WM_NCPAINT, 1, 0);
    } else {
      PaintNow(W);
    }
  }
  if ((W = Lookup(Handle)) == nullptr) return;
  std::vector<HWND> Kids;
  for (TWindow* K : W->Children) Kids.push_back(K->Handle);
  for (HWND K : Kids)
    if (TWindow* KW = Lookup(K)) UpdateTree(KW);
}

HDC TWindowCore::GetDCImpl(TWindow* W, bool WholeWindow, const TRegion* Limit,
                           bool FromBeginPaint) {
  TDCRecord Rec;
  if (!W) {
    Rec.DC = std::make_unique<TDeviceContext>();
  } else {
    TWindow* Top = TopLevelOf(W);
    if (!Top->Surface) EnsureSurface(Top);
    Rec.Surface = Top->Surface;
    Rec.DC = std::make_unique<TDeviceContext>(*Rec.Surface);
    // The window's place and visible area are the context's device origin
    // and system clip, out of the application's reach: a control that
    // resets its viewport origin or removes its clip region still draws
    // only where its window shows, as a Win32 window context does.
    TPoint O = SurfaceOrigin(W);
    if (!WholeWindow) O = TPoint{O.X + W->Client.Left, O.Y + W->Client.Top};
    Rec.DC->SetDeviceOrigin(O.X, O.Y);
    TRegion Visible = VisibleRegion(W, !WholeWindow);
    if (Limit) Visible.Intersect(*Limit);
    Rec.DC->SetSystemClip(&Visible);
    Rec.Visible = std::move(Visible);
    Rec.Window = W->Handle;
    Rec.TopLevel = Top->Handle;
  }
  Rec.FromBeginPaint = FromBeginPaint;
  HDC DC = Rec.DC.get();
  FDCs.push_back(std::move(Rec));
  return DC;
}

bool TWindowCore::ReleaseDCImpl(HDC DC) {
  for (auto It = FDCs.begin(); It != FDCs.end(); ++It) {
    if (It->DC.get() != DC) continue;
    TWindow* Top = Lookup(It->TopLevel);
    if (Top && Top->Surface == It->Surface && !It->Visible.IsEmpty()) Top->Dirty.Union(It->Visible);
    FDCs.erase(It);
    return true;
  }
  return false;
}

HDC TWindowCore::BeginPaintImpl(TWindow* W, PAINTSTRUCT& Paint) {
  const HWND Handle = W->Handle;
  Paint = PAINTSTRUCT{};
  W->BeganPaint = true;
  if (W->NeedNcPaint) {
    W->NeedNcPaint = false;
    Send(W, WM_NCPAINT, 1, 0);
    if ((W = Lookup(Handle)) == nullptr) return nullptr;
  }
  TRegion Region = W->Update;
  Region.Intersect(ClientBounds(W));
  W->Update = TRegion();
  W->InternalPaint = false;
  const bool Erase = W->NeedErase;
  W->NeedErase = false;
  const TRect C = SurfaceClientRect(*this, W);
  TRegion Limit = Region;
  Limit.Offset(C.Left, C.Top);
  HDC DC = GetDCImpl(W, false, &Limit, true);
  Paint.hdc = DC;
  Paint.rcPaint = Region.Bounds();
  if (Erase) {
    const LRESULT Erased = Send(W, WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
    Paint.fErase = Erased == 0;
  }
  return DC;
}

void TWindowCore::Present(TWindow* Top) {
  if (!Top->Native || !Top->Surface || !(Top->Style & WS_VISIBLE) || Top->Dirty.IsEmpty()) return;
  TRegion Caret;
  if (FCaretOn) {
    if (TWindow* CW = Lookup(FCaretWindow); CW && TopLevelOf(CW) == Top) {
      const TRect C = SurfaceClientRect(*this, CW);
      Caret = VisibleRegion(CW, true);
      Caret.Intersect(Bounds(C.Left + FCaretRect.Left, C.Top + FCaretRect.Top, FCaretRect.Width(),
                             FCaretRect.Height()));
    }
  }
  InvertSurface(*Top->Surface, Caret);
  FBackend->Present(Top->Native, *Top->Surface, Top->Dirty.Rects());
  InvertSurface(*Top->Surface, Caret);
  Top->Dirty = TRegion();
}

void TWindowCore::PresentAll() {
  for (TWindow* Top : FTopLevels) Present(Top);
}

// ---- caret

void TWindowCore::DrawCaret(bool On) {
  TWindow* W = Lookup(FCaretWindow);
  if (!W) {
    FCaretOn = false;
    return;
  }
  if (FCaretOn == On) return;
  FCaretOn = On;
  TWindow* Top = TopLevelOf(W);
  const TRect C = SurfaceClientRect(*this, W);
  TRegion Area = VisibleRegion(W, true);
  Area.Intersect(Bounds(C.Left + FCaretRect.Left, C.Top + FCaretRect.Top, FCaretRect.Width(),
                        FCaretRect.Height()));
  Top->Dirty.Union(Area);
}

void TWindowCore::CaretTick() {
  if (!FCaretWindow || FCaretHide > 0) return;
  const std::uint32_t Now = FBackend->Now();
  if (std::int32_t(Now - FCaretNextBlink) < 0) return;
  DrawCaret(!FCaretOn);
  FCaretNextBlink = Now + kCaretBlinkTime;
}

void TWindowCore::UpdateTextInputSpot() {
  TWindow* W = Lookup(FCaretWindow);
  if (!W) return;
  TWindow* Top = TopLevelOf(W);
  const TPoint O = SurfaceOrigin(W);
  const TRect& R = FCaretRect;
  FBackend->SetTextInputSpot(
      Top->Native,
      Bounds(O.X + W->Client.Left + R.Left, O.Y + W->Client.Top + R.Top, R.Width(), R.Height()));
}

// ---- API

bool InvalidateRect(HWND Window, const TRect* Rect, bool Erase) {
  TWindowCore* C = TWindowCore::Current();
  if (!C) return false;
  if (!Window) {
    for (TWindow* Top : C->FTopLevels) C->InvalidateWhole(Top, true);
    return true;
  }
  TWindow* W = C->Lookup(Window);
  if (!W) return false;
  if (Rect) {
    const TRegion R(*Rect);
    C->InvalidateImpl(W, &R, Erase);
  } else {
    C->InvalidateImpl(W, nullptr, Erase);
  }
  return true;
}

bool ValidateRgn(HWND Window, const TRegion* Region) {
  TWindowCore* C = TWindowCore::Current();
  TWindow* W = C ? C->Lookup(Window) : nullptr;
  if (!W) return false;
  if (Region)
    W->Update.Subtract(*Region);
  else
    W->Update = TRegion();
  if (W->Update.IsEmpty()) W->NeedErase = false;
  W->InternalPaint = false;
  return true;
}

bool GetUpdateRect(HWND Window, TRect* Rect, bool Erase) {
  TWindowCore* C = TWindowCore::Current();
  TWindow* W = C ? C->Lookup(Window) : nullptr;
  if (!W) return false;
  if (Rect) *Rect = W->Update.Bounds();
  return !W->Update.IsEmpty();
}

bool UpdateWindow(HWND Window) {
  TWindowCore* C = TWindowCore::Current();
  TWindow* W = C ? C->Lookup(Window) : nullptr;
  if (!W) return false;
  C->UpdateTree(W);
  if ((W = C->Lookup(Window)) != nullptr) C->Present(C->TopLevelOf(W));
  return true;
}

HDC BeginPaint(HWND Window, PAINTSTRUCT& Paint) {
  TWindowCore* C = TWindowCore::Current();
  TWindow* W = C ? C->Lookup(Window) : nullptr;
  if (!W) return nullptr;
  return C->BeginPaintImpl(W, Paint);
}

bool EndPaint(HWND Window, const PAINTSTRUCT& Paint) {
  TWindowCore* C = TWindowCore::Current();
  return C && Paint.hdc && C->ReleaseDCImpl(Paint.hdc);
}

HDC GetDC(HWND Window) {
  TWindowCore* C = TWindowCore::Current();
  if (!C) return nullptr;
  if (!Window) return C->GetDCImpl(nullptr, false, nullptr, false);
  TWindow* W = C->Lookup(Window);
  return W ? C->GetDCImpl(W, false, nullptr, false) : nullptr;
}

HDC GetWindowDC(HWND Window) {
  TWindowCore* C = TWindowCore::Current();
  TWindow* W = C ? C->Lookup(Window) : nullptr;
  return W ? C->GetDCImpl(W, true, nullptr, false) : nullptr;
}

int ReleaseDC(HWND Window, HDC DC) {
  TWindowCore* C = TWindowCore::Current();
  return C && C->ReleaseDCImpl(DC) ? 1 : 0;
}

bool CreateCaret(HWND Window, int Width, int Height) {
  TWindowCore* C = TWindowCore::Current();
  if (!C || !C->Lookup(Window)) return false;
  DestroyCaret();
  C->FCaretWindow = Window;
  C->FCaretRect = TRect{0, 0, Width > 0 ? Width : 1, Height > 0 ? Height : 1};
  C->FCaretHide = 1;  // created hidden, as in Win32
  C->FCaretOn = false;
  C->UpdateTextInputSpot();
  return true;
}

bool DestroyCaret() {
  TWindowCore* C = TWindowCore::Current();
  if (!C || !C->FCaretWindow) return false;
  C->DrawCaret(false);
  if (TWindow* W = C->Lookup(C->FCaretWindow))
    C->Backend().SetTextInputSpot(C->TopLevelOf(W)->Native, TRect{});
  C->FCaretWindow = nullptr;
  return true;
}

bool SetCaretPos(int X, int Y) {
  TWindowCore* C = TWindowCore::Current();
  if (!C || !C->Lookup(C->FCaretWindow)) return false;
  const bool WasOn = C->FCaretOn;
  C->DrawCaret(false);
  C->FCaretRect = Bounds(X, Y, C->FCaretRect.Width(), C->FCaretRect.Height());
  if (WasOn || C->FCaretHide == 0) {
    C->DrawCaret(true);
    C->FCaretNextBlink = C->Backend().Now() + kCaretBlinkTime;
  }
  C->UpdateTextInputSpot();
  return true;
}

bool GetCaretPos(TPoint& Point) {
  TWindowCore* C = TWindowCore::Current();
  if (!C || !C->Lookup(C->FCaretWindow)) return false;
  Point = TPoint{C->FCaretRect.Left, C->FCaretRect.Top};
  return true;
}

bool ShowCaret(HWND Window) {
  TWindowCore* C = TWindowCore::Current();
  if (!C || !C->Lookup(C->FCaretWindow)) return false;
  if (Window && Window != C->FCaretWindow) return false;
  if (C->FCaretHide == 0) return true;
  if (--C->FCaretHide == 0) {
    C->DrawCaret(true);
    C->FCaretNextBlink = C->Backend().Now() + kCaretBlinkTime;
  }
  return true;
}

bool HideCaret(HWND Window) {
  TWindowCore* C = TWindowCore::Current();
  if (!C || !C->Lookup(C->FCaretWindow)) return false;
  if (Window && Window != C->FCaretWindow) return false;
  ++C->FCaretHide;
  C->DrawCaret(false);
  return true;
}

UINT GetCaretBlinkTime() { return kCaretBlinkTime; }
