// The X11 backend's keyboard text: XIM with the root-window style (the
// input method composes in its own window; committed text reaches us as
// key events that Xutf8LookupString reads).

#include "platform/backends/x11/X11Backend.h"
#include "platform/backends/x11/X11TextConversion.h"

namespace {

constexpr XIMStyle kInputStyle = XIMPreeditNothing | XIMStatusNothing;

bool SupportsOurStyle(XIM Im) {
  XIMStyles* Styles = nullptr;
  if (XGetIMValues(Im, XNQueryInputStyle, &Styles, nullptr) != nullptr || !Styles) return false;
  bool Found = false;
  for (unsigned short I = 0; I < Styles->count_styles; ++I)
    if (Styles->supported_styles[I] == kInputStyle) Found = true;
  XFree(Styles);
  return Found;
}

XIM OpenWithModifiers(Display* Dpy, const char* Modifiers) {
  if (!XSetLocaleModifiers(Modifiers)) return nullptr;
  XIM Im = XOpenIM(Dpy, nullptr, nullptr, nullptr);
  if (Im && !SupportsOurStyle(Im)) {
    XCloseIM(Im);
    Im = nullptr;
  }
  return Im;
}

}  // namespace

void TX11Backend::OpenInputMethod() {
  if (FIm) return;
  // The user's input method ($XMODIFIERS), else Xlib's built-in one, which
  // still gives compose sequences and every keysym's character.
  FIm = OpenWithModifiers(FDpy, "");
  if (!FIm) FIm = OpenWithModifiers(FDpy, "@im=none");
  if (!FIm) {
    if (!FWaitingForIm) {
      FWaitingForIm = XRegisterIMInstantiateCallback(
          FDpy, nullptr, nullptr, nullptr, InputMethodAvailable, reinterpret_cast<XPointer>(this));
    }
    return;
  }
  XIMCallback Gone;
  Gone.client_data = reinterpret_cast<XPointer>(this);
  Gone.callback = reinterpret_cast<XIMProc>(InputMethodGone);
  XSetIMValues(FIm, XNDestroyCallback, &Gone, nullptr);
  for (auto& [Id, N] : FWindows) CreateInputContext(*N);
}

void TX11Backend::CloseInputMethod() {
  if (FWaitingForIm) {
    XUnregisterIMInstantiateCallback(FDpy, nullptr, nullptr, nullptr, InputMethodAvailable,
                                     reinterpret_cast<XPointer>(this));
    FWaitingForIm = false;
  }
  for (auto& [Id, N] : FWindows) DestroyInputContext(*N);
  if (FIm) XCloseIM(FIm);
  FIm = nullptr;
}

void TX11Backend::InputMethodAvailable(Display*, XPointer Self, XPointer) {
  auto* B = reinterpret_cast<TX11Backend*>(Self);
  XUnregisterIMInstantiateCallback(B->FDpy, nullptr, nullptr, nullptr, InputMethodAvailable, Self);
  B->FWaitingForIm = false;
  B->OpenInputMethod();
}

void TX11Backend::InputMethodGone(XIM, XPointer Self, XPointer) {
  // The input method server went away and took every context with it.
  // Opening another one from inside Xlib's callback is not safe: the wait
  // loop does it.
  auto* B = reinterpret_cast<TX11Backend*>(Self);
  B->FIm = nullptr;
  for (auto& [Id, N] : B->FWindows) N->Ic = nullptr;
  B->FReopenIm = true;
}

void TX11Backend::CreateInputContext(TNative& N) {
  // Windows that never take the focus get no typing.
  if (!FIm || N.Ic || N.OverrideRedirect || N.Params.NoActivate) return;
  N.Ic =
      XCreateIC(FIm, XNInputStyle, kInputStyle, XNClientWindow, N.Id, XNFocusWindow, N.Id, nullptr);
  if (!N.Ic) return;
  long Wanted = 0;
  if (XGetICValues(N.Ic, XNFilterEvents, &Wanted, nullptr) == nullptr &&
      (Wanted & ~N.EventMask) != 0) {
    N.EventMask |= Wanted;
    XSelectInput(FDpy, N.Id, N.EventMask);
  }
}

void TX11Backend::DestroyInputContext(TNative& N) {
  if (N.Ic) XDestroyIC(N.Ic);
  N.Ic = nullptr;
}

std::string TX11Backend::LookupText(XKeyEvent& Key, TNative& N) {
  if (N.Ic) {
    char Small[64];
    KeySym Sym = NoSymbol;
    Status Result = 0;
    int Length = Xutf8LookupString(N.Ic, &Key, Small, int(sizeof(Small)), &Sym, &Result);
    if (Result == XBufferOverflow) {
      std::string Large(std::size_t(Length), '\0');
      Length = Xutf8LookupString(N.Ic, &Key, Large.data(), Length, &Sym, &Result);
      if (Result == XLookupChars || Result == XLookupBoth) return Large.substr(0, Length);
      return std::string();
    }
    if (Result == XLookupChars || Result == XLookupBoth) return std::string(Small, Length);
    return std::string();
  }
  // No input method at all: the character of the keysym the modifiers chose.
  char Latin1[8];
  KeySym Sym = NoSymbol;
  XLookupString(&Key, Latin1, int(sizeof(Latin1)), &Sym, nullptr);
  return x11::KeysymToUtf8(Sym);
}
