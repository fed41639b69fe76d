// The Windows backend: the window system's requests handed to the native
// windows, and their reports turned into backend events.

#include "platform/backends/win32/Win32Backend.h"

#include <algorithm>

#include "platform/backends/win32/Win32TextInput.h"
#include "platform/core/Scale.h"
#include "platform/text/Utf16.h"

using namespace win32native;

namespace {

THandle HandleOf(TNativeWindow Window) { return reinterpret_cast<THandle>(Window); }
TNativeWindow WindowOf(THandle Handle) { return reinterpret_cast<TNativeWindow>(Handle); }

TBox BoxOf(const TRect& R) { return TBox{R.Left, R.Top, R.Right, R.Bottom}; }
TRect RectOf(const TBox& B) { return TRect{B.Left, B.Top, B.Right, B.Bottom}; }

TWindowLook LookOf(const TNativeWindowParams& Params) {
  TWindowLook Look;
  Look.Client = BoxOf(Params.ScreenRect);
  Look.Title = cp932::ToUtf16Lossy(Params.Title);
  Look.Decorated = Params.Decorated;
  Look.Resizable = Params.Resizable;
  Look.ToolWindow = Params.ToolWindow;
  Look.Topmost = Params.Topmost;
  Look.NoActivate = Params.NoActivate;
  Look.Owner = HandleOf(Params.Owner);
  return Look;
}

int CursorIdOf(TCursorShape Shape) {
  switch (Shape) {
    case crsNone:
      return 0;
    case crsIBeam:
      return IDC_IBEAM;
    case crsWait:
      return IDC_WAIT;
    case crsCross:
      return IDC_CROSS;
    case crsUpArrow:
      return IDC_UPARROW;
    case crsSizeNWSE:
      return IDC_SIZENWSE;
    case crsSizeNESW:
      return IDC_SIZENESW;
    case crsSizeWE:
      return IDC_SIZEWE;
    case crsSizeNS:
      return IDC_SIZENS;
    case crsSizeAll:
      return IDC_SIZEALL;
    case crsNo:
      return IDC_NO;
    case crsHand:
      return IDC_HAND;
    case crsAppStarting:
      return IDC_APPSTARTING;
    case crsHelp:
      return IDC_HELP;
    case crsArrow:
    default:
      return IDC_ARROW;
  }
}

// Typed or committed text in code page 932; a character it cannot hold is
// refused, audibly, as the X11 backend does.
std::string TypedText(const std::u16string& Text) {
  const cp932::TFromUtf16 Converted = cp932::FromUtf16LeavingOut(Text, cp932::ucDrop);
  if (Converted.Refused > 0) MessageBeep(MB_OK);
  return Converted.Text;
}

}  // namespace

// ---- the beep

void TWin32Backend::TMessageBeeper::Beep(unsigned Type) { win32native::Beep(Type); }

// ---- life cycle

std::unique_ptr<TWin32Backend> TWin32Backend::Open() {
  std::unique_ptr<TWin32Backend> Backend(new TWin32Backend);
  TWin32Backend* Self = Backend.get();
  if (!Start([Self](TRawEvent&& Raw) { Self->Translate(std::move(Raw)); })) return nullptr;
  Backend->FBeeperGuard = std::make_unique<TBeeperGuard>(Backend->FBeeper);
  Backend->FReportFirstFrame = WantsFirstFrameReport();
  // Layouts are read before any window exists: at the figure of the
  // monitor windows first appear on.
  Backend->FPixelsPerInch = PrimaryDpi();
  return Backend;
}

TWin32Backend::~TWin32Backend() {
  while (!FWindows.empty()) DestroyNativeWindow(FWindows.begin()->first);
  FBeeperGuard.reset();
  Stop();
}

int TWin32Backend::ScreenWidth() const { return win32native::ScreenWidth(); }
int TWin32Backend::ScreenHeight() const { return win32native::ScreenHeight(); }
std::uint32_t TWin32Backend::Now() const { return std::uint32_t(TickMs()); }

// ---- windows

TNativeWindow TWin32Backend::CreateNativeWindow(const TNativeWindowParams& Params) {
  const TNativeWindow Window = WindowOf(CreateTopLevel(LookOf(Params)));
  if (!Window) return Window;
  FWindows[Window] = Params;
  // A window with a frame takes the scale of the monitor it was made on;
  // the window system rescales it from the figure its layout was read at,
  // keeping its place. Pop-ups keep the program's figure.
  const unsigned Dpi = Params.Decorated ? WindowDpi(HandleOf(Window)) : 0;
  if (Dpi && Dpi != FPixelsPerInch) {
    const TScale Scale = TScale::Between(FPixelsPerInch, Dpi);
    const TRect& R = Params.ScreenRect;
    TBackendEvent B;
    B.Kind = beDpiChanged;
    B.Window = Window;
    B.Rect = TRect{R.Left, R.Top, R.Left + Scale.Apply(R.Width()), R.Top + Scale.Apply(R.Height())};
    FPixelsPerInch = Dpi;
    Queue(B);
  }
  return Window;
}

void TWin32Backend::DestroyNativeWindow(TNativeWindow Window) {
  if (!Known(Window)) return;
  FWindows.erase(Window);
  DestroyTopLevel(HandleOf(Window));
  // What it reported and nobody read yet concerns no window now.
  FEvents.erase(std::remove_if(FEvents.begin(), FEvents.end(),
                               [Window](const TBackendEvent& E) { return E.Window == Window; }),
                FEvents.end());
}

void TWin32Backend::UpdateNativeWindow(TNativeWindow Window, const TNativeWindowParams& Params) {
  if (!Known(Window)) return;
  FWindows[Window] = Params;
  ApplyLook(HandleOf(Window), LookOf(Params));
}

void TWin32Backend::SetNativeBounds(TNativeWindow Window, const TRect& ScreenRect) {
  if (!Known(Window)) return;
  FWindows[Window].ScreenRect = ScreenRect;
  SetClientBounds(HandleOf(Window), BoxOf(ScreenRect));
}

void TWin32Backend::ShowNativeWindow(TNativeWindow Window, bool Show) {
  if (Known(Window)) ShowTopLevel(HandleOf(Window), Show);
}

void TWin32Backend::ActivateNativeWindow(TNativeWindow Window) {
  if (Known(Window)) ActivateTopLevel(HandleOf(Window));
}

void TWin32Backend::RestackNativeWindows(const std::vector<TNativeWindow>& TopToBottom) {
  std::vector<THandle> Handles;
  for (TNativeWindow W : TopToBottom)
    if (Known(W)) Handles.push_back(HandleOf(W));
  Restack(Handles);
}

void TWin32Backend::Present(TNativeWindow Window, const TSurface& Surface,
                            const std::vector<TRect>& Dirty) {
  if (!Known(Window)) return;
  std::vector<TBox> Boxes;
  Boxes.reserve(Dirty.size());
  for (const TRect& R : Dirty) Boxes.push_back(BoxOf(R));
  const bool Shown = win32native::Present(HandleOf(Window), Surface.Data(), Surface.Width(),
                                          Surface.Height(), Boxes);
  if (Shown && FReportFirstFrame) {
    FReportFirstFrame = false;
    win32native::ReportFirstFrame();
  }
}

void TWin32Backend::SetCursorShape(TNativeWindow Window, TCursorShape Shape) {
  if (Known(Window)) SetCursorId(HandleOf(Window), CursorIdOf(Shape));
}

bool TWin32Backend::QueryPointer(TPoint& ScreenPos) {
  return win32native::QueryPointer(ScreenPos.X, ScreenPos.Y);
}

void TWin32Backend::WarpPointer(const TPoint& ScreenPos) {
  win32native::WarpPointer(ScreenPos.X, ScreenPos.Y);
}

void TWin32Backend::SetPointerCapture(TNativeWindow Window) {
  SetCapture(Known(Window) ? HandleOf(Window) : nullptr);
}

// ---- the input method

void TWin32Backend::SetTextInputSpot(TNativeWindow Window, const TRect& Caret) {
  if (Known(Window)) SetImeSpot(HandleOf(Window), BoxOf(Caret));
}

void TWin32Backend::SetTextInputFont(TNativeWindow Window, int PixelHeight) {
  if (Known(Window)) SetImeFontHeight(HandleOf(Window), PixelHeight);
}

std::string TWin32Backend::ResetComposition(TNativeWindow Window) {
  if (!Known(Window)) return std::string();
  const std::u16string Held = CancelComposition(HandleOf(Window));
  // Updates of the dropped composition still queued are not reported.
  FEvents.erase(std::remove_if(FEvents.begin(), FEvents.end(),
                               [Window](const TBackendEvent& E) {
                                 return E.Window == Window &&
                                        (E.Kind == beCompositionStart || E.Kind == beComposition ||
                                         E.Kind == beCompositionEnd);
                               }),
                FEvents.end());
  return cp932::FromUtf16LeavingOut(Held, cp932::ucDrop).Text;
}

// ---- selections

void TWin32Backend::SetSelectionText(TSelection Selection, const std::string& Text) {
  if (Selection == selPrimary) {
    FPrimary = Text;
    return;
  }
  SetClipboardText(cp932::ToUtf16Lossy(Text));
}

std::string TWin32Backend::GetSelectionText(TSelection Selection) {
  if (Selection == selPrimary) return FPrimary;
  std::u16string Text;
  if (!GetClipboardText(Text)) return std::string();
  const cp932::TFromUtf16 Converted = cp932::FromUtf16LeavingOut(Text, cp932::ucKeep);
  // A pasted character code page 932 cannot hold is refused, audibly.
  if (Converted.Refused > 0) MessageBeep(MB_OK);
  return Converted.Text;
}

// ---- events

TWaitResult TWin32Backend::WaitEvent(TBackendEvent& Event, int TimeoutMs) {
  const std::uint32_t Start = Now();
  for (;;) {
    if (FEvents.empty()) PumpMessages(0);
    if (!FEvents.empty()) {
      Event = std::move(FEvents.front());
      FEvents.pop_front();
      return wrEvent;
    }
    int Wait = -1;
    if (TimeoutMs >= 0) {
      const int Elapsed = int(Now() - Start);
      if (Elapsed >= TimeoutMs) return wrTimeout;
      Wait = TimeoutMs - Elapsed;
    }
    PumpMessages(Wait);
  }
}

void TWin32Backend::Queue(TBackendEvent Event) {
  Event.Time = Now();
  FEvents.push_back(std::move(Event));
}

void TWin32Backend::Translate(TRawEvent&& Raw) {
  if (Raw.Kind == rkHotKey) {
    // A key of the program, not of one of its windows.
    TBackendEvent B;
    B.Kind = beHotKey;
    B.VirtualKey = Raw.VirtualKey;
    Queue(std::move(B));
    return;
  }
  const TNativeWindow Window = WindowOf(Raw.Window);
  if (!Known(Window)) return;
  TBackendEvent B;
  B.Window = Window;
  B.ScreenPos = TPoint{Raw.X, Raw.Y};
  B.Modifiers = Raw.Modifiers;
  switch (Raw.Kind) {
    case rkMove:
      B.Kind = bePointerMove;
      break;
    case rkLeave:
      B.Kind = bePointerLeave;
      break;
    case rkPress:
    case rkRelease:
      B.Kind = Raw.Kind == rkPress ? beButtonPress : beButtonRelease;
      B.Button = Raw.Button == 1 ? mbRight : Raw.Button == 2 ? mbMiddle : mbLeft;
      break;
    case rkWheel:
      B.Kind = beWheel;
      B.WheelDelta = Raw.WheelDelta;
      B.Horizontal = Raw.Horizontal;
      break;
    case rkKeyDown:
      B.Kind = beKeyDown;
      B.VirtualKey = Raw.VirtualKey;
      B.Repeat = Raw.Repeat;
      if (std::find(FHeldKeys.begin(), FHeldKeys.end(), Raw.VirtualKey) == FHeldKeys.end())
        FHeldKeys.push_back(Raw.VirtualKey);
      break;
    case rkKeyUp:
      B.Kind = beKeyUp;
      B.VirtualKey = Raw.VirtualKey;
      FHeldKeys.erase(std::remove(FHeldKeys.begin(), FHeldKeys.end(), Raw.VirtualKey),
                      FHeldKeys.end());
      break;
    case rkChar:
    case rkResult:
      B.Kind = beText;
      B.Text = TypedText(Raw.Text);
      if (B.Text.empty()) return;
      break;
    case rkFocusIn:
      B.Kind = beFocusIn;
      break;
    case rkFocusOut: {
      // Keys still held go up now: a modifier must not stay pressed in the
      // window system's key state.
      std::vector<int> Held;
      Held.swap(FHeldKeys);
      for (int VirtualKey : Held) {
        TBackendEvent Up;
        Up.Kind = beKeyUp;
        Up.Window = Window;
        Up.VirtualKey = VirtualKey;
        Queue(Up);
      }
      B.Kind = beFocusOut;
      break;
    }
    case rkClose:
      B.Kind = beCloseRequest;
      break;
    case rkExpose:
      B.Kind = beExpose;
      B.Rect = RectOf(Raw.Box);
      break;
    case rkConfigure:
      B.Kind = beConfigure;
      B.Rect = RectOf(Raw.Box);
      FWindows[Window].ScreenRect = B.Rect;
      break;
    case rkCompositionStart:
      B.Kind = beCompositionStart;
      break;
    case rkComposition: {
      B.Kind = beComposition;
      cp932::TValuedText Composed = win32input::ComposedText(Raw.Text, Raw.Attributes, Raw.Caret);
      B.Text = std::move(Composed.Text);
      B.Attributes = std::move(Composed.Values);
      B.Caret = Composed.Caret;
      break;
    }
    case rkCompositionEnd:
      B.Kind = beCompositionEnd;
      break;
    case rkHotKey:
      return;  // handled above
    case rkDpiChanged:
      B.Kind = beDpiChanged;
      B.Rect = RectOf(Raw.Box);
      FWindows[Window].ScreenRect = B.Rect;
      FPixelsPerInch = Raw.Dpi;
      break;
  }
  Queue(std::move(B));
}

bool TWin32Backend::RegisterHotKey(int Id, unsigned Modifiers, int VirtualKey) {
  // The window system's modifier bits are the native layer's.
  return win32native::RegisterSystemHotKey(Id, Modifiers, VirtualKey);
}

void TWin32Backend::UnregisterHotKey(int Id) { win32native::UnregisterSystemHotKey(Id); }

bool TWin32Backend::ReturnFocus() { return win32native::ReturnForeground(); }
