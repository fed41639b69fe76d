#include "platform/backends/headless/HeadlessBackend.h"

#include <algorithm>

#include "platform/gdi/SysColors.h"

THeadlessBackend::THeadlessBackend(int Width, int Height)
    : FWidth(Width > 0 ? Width : 1024), FHeight(Height > 0 ? Height : 768) {}

THeadlessBackend::~THeadlessBackend() = default;

TNativeWindow THeadlessBackend::CreateNativeWindow(const TNativeWindowParams& Params) {
  const TNativeWindow Id = FNextId++;
  FWindows[Id].Params = Params;
  return Id;
}

void THeadlessBackend::DestroyNativeWindow(TNativeWindow Window) {
  FWindows.erase(Window);
  FStack.erase(std::remove(FStack.begin(), FStack.end(), Window), FStack.end());
  if (FFocused == Window) FFocused = 0;
}

void THeadlessBackend::UpdateNativeWindow(TNativeWindow Window, const TNativeWindowParams& Params) {
  auto It = FWindows.find(Window);
  if (It != FWindows.end()) It->second.Params = Params;
}

void THeadlessBackend::SetNativeBounds(TNativeWindow Window, const TRect& ScreenRect) {
  auto It = FWindows.find(Window);
  if (It == FWindows.end()) return;
  It->second.Params.ScreenRect = ScreenRect;
  It->second.BoundsRequests.push_back(ScreenRect);
}

void THeadlessBackend::ShowNativeWindow(TNativeWindow Window, bool Show) {
  auto It = FWindows.find(Window);
  if (It == FWindows.end()) return;
  It->second.Shown = Show;
  if (!Show) {
    FStack.erase(std::remove(FStack.begin(), FStack.end(), Window), FStack.end());
    if (FFocused == Window) FFocused = 0;
  }
}

void THeadlessBackend::ActivateNativeWindow(TNativeWindow Window) {
  if (FWindows.count(Window)) FFocused = Window;
}

void THeadlessBackend::RestackNativeWindows(const std::vector<TNativeWindow>& TopToBottom) {
  FStack.clear();
  for (TNativeWindow W : TopToBottom)
    if (FWindows.count(W)) FStack.push_back(W);
}

void THeadlessBackend::Present(TNativeWindow Window, const TSurface& Surface,
                               const std::vector<TRect>& Dirty) {
  auto It = FWindows.find(Window);
  if (It == FWindows.end()) return;
  TSurface& Shown = It->second.Presented;
  if (Shown.Width() != Surface.Width() || Shown.Height() != Surface.Height())
    Shown.Resize(Surface.Width(), Surface.Height());
  for (const TRect& R : Dirty) {
    const int Left = std::max(0, R.Left), Right = std::min(Surface.Width(), R.Right);
    for (int Y = std::max(0, R.Top); Y < std::min(Surface.Height(), R.Bottom); ++Y)
      std::copy(Surface.Row(Y) + Left, Surface.Row(Y) + std::max(Left, Right), Shown.Row(Y) + Left);
  }
  ++It->second.PresentCount;
}

void THeadlessBackend::SetCursorShape(TNativeWindow Window, TCursorShape Shape) {
  auto It = FWindows.find(Window);
  if (It != FWindows.end()) It->second.Cursor = Shape;
}

void THeadlessBackend::WarpPointer(const TPoint& ScreenPos) { FPointer = ScreenPos; }

bool THeadlessBackend::QueryPointer(TPoint& ScreenPos) {
  ScreenPos = FPointer;
  return true;
}

void THeadlessBackend::SetTextInputSpot(TNativeWindow Window, const TRect& Caret) {
  auto It = FWindows.find(Window);
  if (It != FWindows.end()) It->second.InputSpot = Caret;
}

void THeadlessBackend::SetTextInputFont(TNativeWindow Window, int PixelHeight) {
  auto It = FWindows.find(Window);
  if (It != FWindows.end()) It->second.InputFontHeight = PixelHeight;
}

std::string THeadlessBackend::ResetComposition(TNativeWindow Window) {
  auto It = FWindows.find(Window);
  if (It == FWindows.end()) return std::string();
  ++It->second.CompositionResets;
  std::string Text;
  if (FComposing) Text.swap(FCompositionText);
  FComposing = false;
  FCompositionText.clear();
  return Text;
}

void THeadlessBackend::SetSelectionText(TSelection Selection, const std::string& Text) {
  FSelections[Selection == selPrimary ? 1 : 0] = Text;
}

std::string THeadlessBackend::GetSelectionText(TSelection Selection) {
  return FSelections[Selection == selPrimary ? 1 : 0];
}

TWaitResult THeadlessBackend::WaitEvent(TBackendEvent& Event, int TimeoutMs) {
  // Nothing arrives by itself here and time stands still between the
  // tests' steps, so an empty queue is the end of the input.
  if (FEvents.empty()) return wrNoMoreInput;
  Event = std::move(FEvents.front());
  FEvents.pop_front();
  return wrEvent;
}

// ---- input

unsigned THeadlessBackend::HeldModifiers() const {
  return (FShift ? unsigned(mkShift) : 0u) | (FControl ? unsigned(mkControl) : 0u) |
         (FAlt ? unsigned(mkAlt) : 0u);
}

void THeadlessBackend::Queue(TBackendEvent Event) {
  Event.Time = FNow;
  if (Event.Kind != beKeyDown && Event.Kind != beKeyUp) Event.Modifiers |= HeldModifiers();
  FEvents.push_back(std::move(Event));
}

void THeadlessBackend::MoveMouse(int X, int Y) {
  FPointer = TPoint{X, Y};
  TBackendEvent E;
  E.Kind = bePointerMove;
  E.ScreenPos = FPointer;
  Queue(E);
}

void THeadlessBackend::Press(TMouseButton Button) {
  TBackendEvent E;
  E.Kind = beButtonPress;
  E.Button = Button;
  E.ScreenPos = FPointer;
  Queue(E);
}

void THeadlessBackend::Release(TMouseButton Button) {
  TBackendEvent E;
  E.Kind = beButtonRelease;
  E.Button = Button;
  E.ScreenPos = FPointer;
  Queue(E);
}

void THeadlessBackend::Click(TMouseButton Button) {
  Press(Button);
  Release(Button);
}

void THeadlessBackend::ClickAt(int X, int Y, TMouseButton Button) {
  MoveMouse(X, Y);
  Click(Button);
}

void THeadlessBackend::Wheel(int Delta, bool Horizontal) {
  TBackendEvent E;
  E.Kind = beWheel;
  E.WheelDelta = Delta;
  E.Horizontal = Horizontal;
  E.ScreenPos = FPointer;
  Queue(E);
}

static bool SetsModifier(int VK, int Generic, int LeftKey, int RightKey) {
  return VK == Generic || VK == LeftKey || VK == RightKey;
}

void THeadlessBackend::KeyDown(int VirtualKey, unsigned Modifiers, bool Repeat) {
  TBackendEvent E;
  E.Kind = beKeyDown;
  E.VirtualKey = VirtualKey;
  E.Repeat = Repeat;
  // The modifiers held before this key; the core adds the key itself.
  E.Modifiers = HeldModifiers() | Modifiers;
  Queue(E);
  if (SetsModifier(VirtualKey, VK_SHIFT, VK_LSHIFT, VK_RSHIFT)) FShift = true;
  if (SetsModifier(VirtualKey, VK_CONTROL, VK_LCONTROL, VK_RCONTROL)) FControl = true;
  if (SetsModifier(VirtualKey, VK_MENU, VK_LMENU, VK_RMENU)) FAlt = true;
}

void THeadlessBackend::KeyUp(int VirtualKey, unsigned Modifiers) {
  if (SetsModifier(VirtualKey, VK_SHIFT, VK_LSHIFT, VK_RSHIFT)) FShift = false;
  if (SetsModifier(VirtualKey, VK_CONTROL, VK_LCONTROL, VK_RCONTROL)) FControl = false;
  if (SetsModifier(VirtualKey, VK_MENU, VK_LMENU, VK_RMENU)) FAlt = false;
  TBackendEvent E;
  E.Kind = beKeyUp;
  E.VirtualKey = VirtualKey;
  E.Modifiers = HeldModifiers() | Modifiers;
  Queue(E);
}

void THeadlessBackend::KeyPress(int VirtualKey, unsigned Modifiers) {
  KeyDown(VirtualKey, Modifiers);
  KeyUp(VirtualKey, Modifiers);
}

void THeadlessBackend::TypeText(const std::string& Cp932) {
  if (Cp932.empty()) return;
  TBackendEvent E;
  E.Kind = beText;
  E.Text = Cp932;
  Queue(E);
}

void THeadlessBackend::StartComposition() {
  FComposing = true;
  FCompositionText.clear();
  TBackendEvent E;
  E.Kind = beCompositionStart;
  E.Window = FFocused;
  Queue(E);
}

void THeadlessBackend::Compose(const std::string& Cp932, std::vector<std::uint8_t> Attributes,
                               int Caret) {
  FComposing = true;
  FCompositionText = Cp932;
  TBackendEvent E;
  E.Kind = beComposition;
  E.Window = FFocused;
  E.Text = Cp932;
  Attributes.resize(Cp932.size(), caInput);
  E.Attributes = std::move(Attributes);
  E.Caret = Caret < 0 ? int(Cp932.size()) : Caret;
  Queue(E);
}

void THeadlessBackend::EndComposition(const std::string& CommitText) {
  TypeText(CommitText);
  FComposing = false;
  FCompositionText.clear();
  TBackendEvent E;
  E.Kind = beCompositionEnd;
  E.Window = FFocused;
  Queue(E);
}

bool THeadlessBackend::RegisterHotKey(int Id, unsigned Modifiers, int VirtualKey) {
  const std::pair<unsigned, int> Combination{Modifiers, VirtualKey};
  for (const auto& Taken : FTakenHotKeys)
    if (Taken == Combination) return false;
  for (const THotKeyEntry& Key : FHotKeys)
    if (Key.Modifiers == Modifiers && Key.VirtualKey == VirtualKey) return false;
  FHotKeys.push_back({Id, Modifiers, VirtualKey});
  return true;
}

void THeadlessBackend::UnregisterHotKey(int Id) {
  FHotKeys.erase(std::remove_if(FHotKeys.begin(), FHotKeys.end(),
                                [&](const THotKeyEntry& Key) { return Key.Id == Id; }),
                 FHotKeys.end());
}

bool THeadlessBackend::ReturnFocus() {
  // The other program is the desktop's: it takes the focus from ours.
  if (!FFocused) return false;
  ++FFocusReturns;
  FocusOut(FFocused);
  return true;
}

std::vector<std::pair<unsigned, int>> THeadlessBackend::HotKeys() const {
  std::vector<std::pair<unsigned, int>> Keys;
  for (const THotKeyEntry& Key : FHotKeys) Keys.push_back({Key.Modifiers, Key.VirtualKey});
  return Keys;
}

void THeadlessBackend::PressHotKey(unsigned Modifiers, int VirtualKey) {
  for (const THotKeyEntry& Key : FHotKeys) {
    if (Key.Modifiers != Modifiers || Key.VirtualKey != VirtualKey) continue;
    TBackendEvent E;
    E.Kind = beHotKey;
    E.VirtualKey = Key.Id;
    E.Modifiers = Modifiers;
    Queue(E);
    return;
  }
}

void THeadlessBackend::TakeHotKey(unsigned Modifiers, int VirtualKey) {
  FTakenHotKeys.push_back({Modifiers, VirtualKey});
}

void THeadlessBackend::FocusIn(TNativeWindow Window) {
  FFocused = Window;
  TBackendEvent E;
  E.Kind = beFocusIn;
  E.Window = Window;
  Queue(E);
}

void THeadlessBackend::FocusOut(TNativeWindow Window) {
  if (FFocused == Window) FFocused = 0;
  TBackendEvent E;
  E.Kind = beFocusOut;
  E.Window = Window;
  Queue(E);
}

void THeadlessBackend::RequestClose(TNativeWindow Window) {
  TBackendEvent E;
  E.Kind = beCloseRequest;
  E.Window = Window;
  Queue(E);
}

void THeadlessBackend::Expose(TNativeWindow Window, const TRect& Rect) {
  TBackendEvent E;
  E.Kind = beExpose;
  E.Window = Window;
  E.Rect = Rect;
  Queue(E);
}

void THeadlessBackend::Configure(TNativeWindow Window, const TRect& ScreenRect) {
  TBackendEvent E;
  E.Kind = beConfigure;
  E.Window = Window;
  E.Rect = ScreenRect;
  Queue(E);
}

void THeadlessBackend::PointerLeave() {
  TBackendEvent E;
  E.Kind = bePointerLeave;
  Queue(E);
}

void THeadlessBackend::SetPixelsPerInch(double PixelsPerInch) {
  FPixelsPerInch = PixelsPerInch;
  TBackendEvent E;
  E.Kind = beDpiChanged;
  Queue(E);
}

void THeadlessBackend::MoveToScreenOfDpi(TNativeWindow Window, double PixelsPerInch,
                                         const TRect& Suggested) {
  FPixelsPerInch = PixelsPerInch;
  TBackendEvent E;
  E.Kind = beDpiChanged;
  E.Window = Window;
  E.Rect = Suggested;
  Queue(E);
}

void THeadlessBackend::AdvanceTime(std::uint32_t Milliseconds) { FNow += Milliseconds; }

// ---- read-back

const THeadlessBackend::TNative* THeadlessBackend::Native(TNativeWindow Window) const {
  auto It = FWindows.find(Window);
  return It == FWindows.end() ? nullptr : &It->second;
}

std::uint32_t THeadlessBackend::PresentedPixel(TNativeWindow Window, int X, int Y) const {
  const TNative* N = Native(Window);
  if (!N || X < 0 || Y < 0 || X >= N->Presented.Width() || Y >= N->Presented.Height())
    return 0xFFFFFFFFu;
  return N->Presented.Row(Y)[X];
}

TSurface THeadlessBackend::Screenshot() const {
  TSurface Screen(FWidth, FHeight, ColorToPixel(clBackground));
  for (auto It = FStack.rbegin(); It != FStack.rend(); ++It) {
    const TNative* N = Native(*It);
    if (!N || !N->Shown) continue;
    const TRect& R = N->Params.ScreenRect;
    for (int Y = 0; Y < N->Presented.Height(); ++Y) {
      const int SY = R.Top + Y;
      if (SY < 0 || SY >= FHeight) continue;
      for (int X = 0; X < N->Presented.Width(); ++X) {
        const int SX = R.Left + X;
        if (SX >= 0 && SX < FWidth) Screen.Row(SY)[SX] = N->Presented.Row(Y)[X];
      }
    }
  }
  return Screen;
}
