// The X11 backend's keyboard text and Japanese input through XIM.
//
// The input style is the best the input method offers, in this order:
// - on the spot (XIMPreeditCallbacks): the input method hands us its
//   composition and we report it to the window system, which lets the edit
//   draw it at the caret;
// - over the spot (XIMPreeditPosition): the input method draws the
//   composition itself, at the spot we give it (the caret), in a font set
//   of the edit's size;
// - the root style (XIMPreeditNothing): it composes in a window of its own.
// In every style the spot follows the window system's caret, so that the
// candidate list opens beside it. Committed text reaches us as key events
// that Xutf8LookupString reads (TranslateKey).
//
// The input method server may die at any time. Xlib waits without limit
// for the answer to a synchronous call (setting values, resetting), so
// before each one the server's selection is asked for: a server that is gone
// is forgotten and Xlib's own input method stands in until the user's comes
// back (XRegisterIMInstantiateCallback).

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "platform/backends/x11/X11Backend.h"
#include "platform/backends/x11/X11TextConversion.h"

namespace {

// The styles we take, best first.
constexpr XIMStyle kStyles[] = {
    XIMPreeditCallbacks | XIMStatusNothing, XIMPreeditCallbacks | XIMStatusNone,
    XIMPreeditPosition | XIMStatusNothing,  XIMPreeditPosition | XIMStatusNone,
    XIMPreeditNothing | XIMStatusNothing,   XIMPreeditNothing | XIMStatusNone,
    XIMPreeditNone | XIMStatusNone};

// XIM keeps every callback as one function type; the preedit callbacks
// have their own signatures, which Xlib calls them with.
template <class TFunction>
XIMProc AsXimProc(TFunction* Function) {
  return reinterpret_cast<XIMProc>(reinterpret_cast<void (*)()>(Function));
}

XIMStyle BestStyle(XIM Im) {
  XIMStyles* Styles = nullptr;
  if (XGetIMValues(Im, XNQueryInputStyle, &Styles, nullptr) != nullptr || !Styles) return 0;
  XIMStyle Best = 0;
  for (XIMStyle Wanted : kStyles) {
    for (unsigned short I = 0; I < Styles->count_styles && !Best; ++I)
      if (Styles->supported_styles[I] == Wanted) Best = Wanted;
    if (Best) break;
  }
  XFree(Styles);
  return Best;
}

XIM OpenWithModifiers(Display* Dpy, const char* Modifiers, XIMStyle& Style) {
  Style = 0;
  if (!XSetLocaleModifiers(Modifiers)) return nullptr;
  XIM Im = XOpenIM(Dpy, nullptr, nullptr, nullptr);
  if (Im && (Style = BestStyle(Im)) == 0) {
    XCloseIM(Im);
    Im = nullptr;
  }
  return Im;
}

// The name of the input method server $XMODIFIERS asks for ("@im=NAME"),
// or empty for Xlib's own.
std::string ServerName() {
  const char* Modifiers = std::getenv("XMODIFIERS");
  if (!Modifiers) return std::string();
  const std::string M(Modifiers);
  const std::size_t At = M.find("@im=");
  if (At == std::string::npos) return std::string();
  std::string Name = M.substr(At + 4);
  const std::size_t End = Name.find('@');
  if (End != std::string::npos) Name.resize(End);
  if (Name == "none" || Name == "local") return std::string();
  return Name;
}

// The text of an XIM preedit, in code points: wide characters, or the
// locale's multibyte text (the locale was chosen for the input method).
std::u32string PreeditChars(const XIMText* Text) {
  std::u32string Out;
  if (!Text) return Out;
  if (Text->encoding_is_wchar) {
    if (Text->string.wide_char)
      for (unsigned short I = 0; I < Text->length; ++I)
        Out.push_back(char32_t(Text->string.wide_char[I]));
    return Out;
  }
  const char* S = Text->string.multi_byte;
  if (!S) return Out;
  std::mbstate_t State{};
  std::size_t Left = std::strlen(S);
  while (Left > 0) {
    wchar_t W = 0;
    const std::size_t N = std::mbrtowc(&W, S, Left, &State);
    if (N == std::size_t(-1) || N == std::size_t(-2)) {
      Out.push_back(0xFFFD);
      State = std::mbstate_t{};
      ++S;
      --Left;
      continue;
    }
    if (N == 0) break;
    Out.push_back(char32_t(W));
    S += N;
    Left -= N;
  }
  return Out;
}

}  // namespace

// ---- opening and losing the input method

void TX11Backend::OpenInputMethod() {
  ChooseInputLocale();
  // The user's input method ($XMODIFIERS).
  XIMStyle Style = 0;
  XIM Users = OpenWithModifiers(FDpy, "", Style);
  const std::string Server = ServerName();
  if (Users) {
    if (FIm) CloseInputMethod();
    FIm = Users;
    FImStyle = Style;
    FImIsUsers = true;
    FImServer = Server.empty() ? None : XInternAtom(FDpy, ("@server=" + Server).c_str(), False);
  } else {
    // Not there (yet): be told when it comes. The callback is registered
    // with the user's modifiers in force, so it waits for that one.
    if (!FWaitingForIm) {
      FWaitingForIm = XRegisterIMInstantiateCallback(
          FDpy, nullptr, nullptr, nullptr, InputMethodAvailable, reinterpret_cast<XPointer>(this));
    }
    if (FIm) return;
    // Meanwhile Xlib's own, which still gives compose sequences and every
    // keysym's character.
    FIm = OpenWithModifiers(FDpy, "@im=none", FImStyle);
    FImIsUsers = false;
    FImServer = None;
    if (!FIm) return;
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
  if (FIm && !InputMethodAlive()) return;  // forgotten: nothing to close
  for (auto& [Id, N] : FWindows) DestroyInputContext(*N);
  if (FIm) XCloseIM(FIm);
  FIm = nullptr;
  FImStyle = 0;
  FImServer = None;
  FImIsUsers = false;
}

void TX11Backend::InputMethodAvailable(Display*, XPointer Self, XPointer) {
  auto* B = reinterpret_cast<TX11Backend*>(Self);
  // Called from inside Xlib's event filter: the wait loop opens it.
  B->FReopenIm = true;
}

void TX11Backend::InputMethodGone(XIM Im, XPointer Self, XPointer) {
  // The input method server went away and took every context with it.
  // Opening another one from inside Xlib's callback is not safe: the wait
  // loop does it.
  auto* B = reinterpret_cast<TX11Backend*>(Self);
  if (Im != B->FIm) return;  // one we forgot already
  B->ForgetInputMethod();
}

void TX11Backend::ForgetInputMethod() {
  // Its contexts are dead with it: no call may wait on them any more. A
  // composition shown in a window ends there.
  for (auto& [Id, N] : FWindows) {
    EndPreedit(*N);
    N->Ic = nullptr;
    N->IcFocused = false;
    N->SpotSent = false;
  }
  FIm = nullptr;
  FImStyle = 0;
  FImServer = None;
  FImIsUsers = false;
  FReopenIm = true;
}

bool TX11Backend::InputMethodAlive() {
  if (!FIm) return false;
  if (FImServer == None) return true;  // Xlib's own, in this process
  if (XGetSelectionOwner(FDpy, FImServer) != None) return true;
  ForgetInputMethod();
  return false;
}

// ---- input contexts

void TX11Backend::MakeFontSet() {
  if (FFontSet) XFreeFontSet(FDpy, FFontSet);
  const std::string Size = std::to_string(FFontHeight);
  const std::string Pattern = "-*-*-medium-r-normal--" + Size + "-*-*-*-*-*-*-*,-*-*-*-*-*--" +
                              Size + "-*-*-*-*-*-*-*,-*-*-*-*-*-*-*-*-*-*-*-*-*";
  char** Missing = nullptr;
  int MissingCount = 0;
  char* Default = nullptr;
  FFontSet = XCreateFontSet(FDpy, Pattern.c_str(), &Missing, &MissingCount, &Default);
  if (Missing) XFreeStringList(Missing);
}

void TX11Backend::CreateInputContext(TNative& N) {
  // Windows that never take the focus get no typing.
  if (!FIm || N.Ic || N.OverrideRedirect || N.Params.NoActivate) return;
  if (FImIsUsers && !InputMethodAlive()) return;
  XPoint Spot{0, 0};
  if (FImStyle & XIMPreeditCallbacks) {
    const XPointer Self = reinterpret_cast<XPointer>(this);
    XIMCallback Start{Self, AsXimProc(PreeditStart)};
    XIMCallback Done{Self, AsXimProc(PreeditDone)};
    XIMCallback Draw{Self, AsXimProc(PreeditDraw)};
    XIMCallback Caret{Self, AsXimProc(PreeditCaret)};
    // The spot too: the input method opens its candidate list there.
    XVaNestedList Preedit = XVaCreateNestedList(
        0, XNPreeditStartCallback, &Start, XNPreeditDoneCallback, &Done, XNPreeditDrawCallback,
        &Draw, XNPreeditCaretCallback, &Caret, XNSpotLocation, &Spot, nullptr);
    N.Ic = XCreateIC(FIm, XNInputStyle, FImStyle, XNClientWindow, N.Id, XNFocusWindow, N.Id,
                     XNPreeditAttributes, Preedit, nullptr);
    XFree(Preedit);
    if (!N.Ic) {
      // An input method that takes no spot with this style.
      Preedit = XVaCreateNestedList(0, XNPreeditStartCallback, &Start, XNPreeditDoneCallback, &Done,
                                    XNPreeditDrawCallback, &Draw, XNPreeditCaretCallback, &Caret,
                                    nullptr);
      N.Ic = XCreateIC(FIm, XNInputStyle, FImStyle, XNClientWindow, N.Id, XNFocusWindow, N.Id,
                       XNPreeditAttributes, Preedit, nullptr);
      XFree(Preedit);
    }
  } else if (FImStyle & XIMPreeditPosition) {
    if (!FFontSet) MakeFontSet();
    XVaNestedList Preedit =
        FFontSet ? XVaCreateNestedList(0, XNSpotLocation, &Spot, XNFontSet, FFontSet, nullptr)
                 : XVaCreateNestedList(0, XNSpotLocation, &Spot, nullptr);
    N.Ic = XCreateIC(FIm, XNInputStyle, FImStyle, XNClientWindow, N.Id, XNFocusWindow, N.Id,
                     XNPreeditAttributes, Preedit, nullptr);
    XFree(Preedit);
  } else {
    N.Ic =
        XCreateIC(FIm, XNInputStyle, FImStyle, XNClientWindow, N.Id, XNFocusWindow, N.Id, nullptr);
  }
  if (!N.Ic) return;
  N.IcFocused = false;
  N.SpotSent = false;
  long Wanted = 0;
  if (XGetICValues(N.Ic, XNFilterEvents, &Wanted, nullptr) == nullptr &&
      (Wanted & ~N.EventMask) != 0) {
    N.EventMask |= Wanted;
    XSelectInput(FDpy, N.Id, N.EventMask);
  }
  ApplyInputContextFocus(N);
}

void TX11Backend::DestroyInputContext(TNative& N) {
  EndPreedit(N);
  if (N.Ic && (!FImIsUsers || InputMethodAlive())) XDestroyIC(N.Ic);
  N.Ic = nullptr;
  N.IcFocused = false;
  N.SpotSent = false;
}

TX11Backend::TNative* TX11Backend::FindByInputContext(XIC Ic) const {
  for (const auto& [Id, N] : FWindows)
    if (N->Ic == Ic) return N.get();
  return nullptr;
}

void TX11Backend::SetFocusOfInputContext(TNative& N, bool XFocused) {
  N.XFocused = XFocused;
  ApplyInputContextFocus(N);
}

void TX11Backend::ApplyInputContextFocus(TNative& N) {
  // Keys reach the input method only where something takes text: a button
  // with the focus gets its Space, not a composition.
  const bool Wanted = N.XFocused && N.WantsText;
  if (!N.Ic || Wanted == N.IcFocused) return;
  N.IcFocused = Wanted;
  // Neither call waits for an answer.
  if (Wanted) {
    XSetICFocus(N.Ic);
    SendSpot(N);
  } else {
    XUnsetICFocus(N.Ic);
  }
}

void TX11Backend::SendSpot(TNative& N) {
  if (!N.Ic || !N.WantsText || N.SpotSent) return;
  if (!(FImStyle & (XIMPreeditCallbacks | XIMPreeditPosition))) return;
  if (FImIsUsers && !InputMethodAlive()) return;
  // The spot is where the composition's baseline starts: the caret's
  // bottom; the candidate list opens just below it.
  XPoint Spot{short(x11::ClampCoord(N.Spot.Left)), short(x11::ClampCoord(N.Spot.Bottom))};
  XVaNestedList Preedit = XVaCreateNestedList(0, XNSpotLocation, &Spot, nullptr);
  XSetICValues(N.Ic, XNPreeditAttributes, Preedit, nullptr);
  XFree(Preedit);
  N.SpotSent = true;
}

void TX11Backend::SetTextInputSpot(TNativeWindow Window, const TRect& Caret) {
  TNative* N = Find(::Window(Window));
  if (!N) return;
  N->WantsText = !Caret.IsEmpty();
  if (N->WantsText && Caret != N->Spot) {
    N->Spot = Caret;
    N->SpotSent = false;
  }
  ApplyInputContextFocus(*N);
  if (N->IcFocused) SendSpot(*N);
}

void TX11Backend::SetTextInputFont(TNativeWindow Window, int PixelHeight) {
  TNative* N = Find(::Window(Window));
  if (!N || PixelHeight <= 0 || PixelHeight == FFontHeight) return;
  FFontHeight = PixelHeight;
  // Only an input method that draws at our spot uses it.
  if (!(FImStyle & XIMPreeditPosition)) return;
  MakeFontSet();
  if (!FFontSet) return;
  for (auto& [Id, W] : FWindows) {
    if (!W->Ic) continue;
    if (FImIsUsers && !InputMethodAlive()) return;
    XVaNestedList Preedit = XVaCreateNestedList(0, XNFontSet, FFontSet, nullptr);
    XSetICValues(W->Ic, XNPreeditAttributes, Preedit, nullptr);
    XFree(Preedit);
  }
}

std::string TX11Backend::ResetComposition(TNativeWindow Window) {
  TNative* N = Find(::Window(Window));
  if (!N || !N->Ic) return std::string();
  if (FImIsUsers && !InputMethodAlive()) return std::string();
  // What the reset draws through our callbacks belongs to the composition
  // being dropped.
  N->DroppingPreedit = true;
  char* Pending = Xutf8ResetIC(N->Ic);
  N->DroppingPreedit = false;
  std::string Utf8 = Pending ? Pending : "";
  if (Pending) XFree(Pending);
  N->Preediting = false;
  N->Preedit.clear();
  N->Feedback.clear();
  N->PreeditCaret = 0;
  return x11::Utf8ToCp932(Utf8, x11::ccDrop).Cp932;
}

// ---- the composition on the spot

void TX11Backend::ReportPreedit(TNative& N) {
  const x11::TComposedText Composed = x11::ComposedToCp932(N.Preedit, N.Feedback, N.PreeditCaret);
  TBackendEvent B;
  B.Kind = beComposition;
  B.Window = TNativeWindow(N.Id);
  B.Text = Composed.Cp932;
  B.Attributes = Composed.Attributes;
  B.Caret = Composed.Caret;
  Queue(B);
}

void TX11Backend::EndPreedit(TNative& N) {
  if (!N.Preediting) return;
  N.Preediting = false;
  N.Preedit.clear();
  N.Feedback.clear();
  N.PreeditCaret = 0;
  TBackendEvent B;
  B.Kind = beCompositionEnd;
  B.Window = TNativeWindow(N.Id);
  Queue(B);
}

int TX11Backend::PreeditStart(XIC Ic, XPointer Self, XPointer) {
  auto* B = reinterpret_cast<TX11Backend*>(Self);
  TNative* N = B->FindByInputContext(Ic);
  if (!N || N->DroppingPreedit) return -1;
  N->Preediting = true;
  N->Preedit.clear();
  N->Feedback.clear();
  N->PreeditCaret = 0;
  TBackendEvent E;
  E.Kind = beCompositionStart;
  E.Window = TNativeWindow(N->Id);
  B->Queue(E);
  return -1;  // no limit on the composition's length
}

void TX11Backend::PreeditDone(XIC Ic, XPointer Self, XPointer) {
  auto* B = reinterpret_cast<TX11Backend*>(Self);
  TNative* N = B->FindByInputContext(Ic);
  if (!N || N->DroppingPreedit) return;
  B->EndPreedit(*N);
}

void TX11Backend::PreeditDraw(XIC Ic, XPointer Self, XPointer CallData) {
  auto* B = reinterpret_cast<TX11Backend*>(Self);
  TNative* N = B->FindByInputContext(Ic);
  const auto* Draw = reinterpret_cast<XIMPreeditDrawCallbackStruct*>(CallData);
  if (!N || !Draw || N->DroppingPreedit) return;
  // Characters chg_first .. chg_first + chg_length are replaced by the
  // text given (none: deleted).
  const std::size_t Size = N->Preedit.size();
  const std::size_t First = std::min(std::size_t(std::max(0, Draw->chg_first)), Size);
  const std::size_t Length = std::min(std::size_t(std::max(0, Draw->chg_length)), Size - First);
  const std::u32string Chars = PreeditChars(Draw->text);
  std::vector<unsigned long> Feedback(Chars.size(), 0);
  if (Draw->text && Draw->text->feedback)
    for (std::size_t I = 0; I < Chars.size() && I < Draw->text->length; ++I)
      Feedback[I] = Draw->text->feedback[I];
  N->Feedback.resize(Size, 0);
  N->Preedit.replace(First, Length, Chars);
  N->Feedback.erase(N->Feedback.begin() + long(First), N->Feedback.begin() + long(First + Length));
  N->Feedback.insert(N->Feedback.begin() + long(First), Feedback.begin(), Feedback.end());
  N->PreeditCaret = std::clamp(Draw->caret, 0, int(N->Preedit.size()));
  if (!N->Preediting) {
    // Some input methods draw without starting first.
    if (N->Preedit.empty()) return;
    N->Preediting = true;
    TBackendEvent E;
    E.Kind = beCompositionStart;
    E.Window = TNativeWindow(N->Id);
    B->Queue(E);
  }
  B->ReportPreedit(*N);
}

void TX11Backend::PreeditCaret(XIC Ic, XPointer Self, XPointer CallData) {
  auto* B = reinterpret_cast<TX11Backend*>(Self);
  TNative* N = B->FindByInputContext(Ic);
  auto* Move = reinterpret_cast<XIMPreeditCaretCallbackStruct*>(CallData);
  if (!N || !Move || N->DroppingPreedit || !N->Preediting) return;
  const int Length = int(N->Preedit.size());
  int Caret = N->PreeditCaret;
  switch (Move->direction) {
    case XIMForwardChar:
      ++Caret;
      break;
    case XIMBackwardChar:
      --Caret;
      break;
    case XIMLineStart:
      Caret = 0;
      break;
    case XIMLineEnd:
      Caret = Length;
      break;
    case XIMAbsolutePosition:
      Caret = Move->position;
      break;
    default:
      break;  // word and line moves mean nothing in one line of composition
  }
  N->PreeditCaret = std::clamp(Caret, 0, Length);
  Move->position = N->PreeditCaret;
  B->ReportPreedit(*N);
}

// ---- committed text

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
