// The X11 backend's selections: CLIPBOARD and PRIMARY, owned through the
// helper window and read with XConvertSelection.

#include <X11/Xatom.h>
#include <poll.h>

#include <climits>

#include "platform/backends/x11/X11Backend.h"
#include "platform/backends/x11/X11TextConversion.h"
#include "platform/text/Cp932.h"

using namespace x11;

namespace {

// How long a paste waits for the owner of a selection to answer. An owner
// that hangs must not hang us.
constexpr int kSelectionTimeoutMs = 1000;

struct TWaitMatch {
  Window Helper;
  int Type;
  Atom Which;  // the selection (SelectionNotify) or the property (PropertyNotify)
};

Bool MatchesHelperEvent(Display*, XEvent* E, XPointer Arg) {
  const auto* M = reinterpret_cast<const TWaitMatch*>(Arg);
  if (E->type != M->Type) return False;
  switch (E->type) {
    case SelectionNotify:
      return E->xselection.requestor == M->Helper && E->xselection.selection == M->Which;
    case PropertyNotify:
      return E->xproperty.window == M->Helper && E->xproperty.atom == M->Which &&
             E->xproperty.state == PropertyNewValue;
    case SelectionRequest:
      return E->xselectionrequest.owner == M->Helper;
    default:
      return False;
  }
}

}  // namespace

Atom TX11Backend::SelectionAtom(TSelection Selection) const {
  return Selection == selPrimary ? XA_PRIMARY : FAtoms.Clipboard;
}

Time TX11Backend::ServerTime() {
  // Owning a selection needs a real server time, not CurrentTime: a
  // zero-length append to our own property gives one in its notification.
  XChangeProperty(FDpy, FHelper, FAtoms.TimeProbe, XA_STRING, 8, PropModeAppend, nullptr, 0);
  TWaitMatch Match{FHelper, PropertyNotify, FAtoms.TimeProbe};
  XEvent E;
  XIfEvent(FDpy, &E, MatchesHelperEvent, reinterpret_cast<XPointer>(&Match));
  NoteTime(E.xproperty.time);
  return E.xproperty.time;
}

void TX11Backend::SetSelectionText(TSelection Selection, const std::string& Text) {
  TOwnedSelection& S = FSelections[Selection];
  const Atom Which = SelectionAtom(Selection);
  const Time When = ServerTime();
  XSetSelectionOwner(FDpy, Which, FHelper, When);
  if (XGetSelectionOwner(FDpy, Which) != FHelper) {
    // The server refused (another owner with a later time): nothing is ours.
    S = TOwnedSelection{};
    return;
  }
  S.Owned = true;
  S.Utf8 = cp932::ToUtf8Lossy(Text);
  S.Since = When;
}

void TX11Backend::AnswerSelectionRequest(const XSelectionRequestEvent& R) {
  XEvent Reply{};
  Reply.xselection.type = SelectionNotify;
  Reply.xselection.requestor = R.requestor;
  Reply.xselection.selection = R.selection;
  Reply.xselection.target = R.target;
  Reply.xselection.property = None;  // refused unless answered below
  Reply.xselection.time = R.time;

  const TOwnedSelection* S = nullptr;
  if (R.selection == XA_PRIMARY) S = &FSelections[selPrimary];
  if (R.selection == FAtoms.Clipboard) S = &FSelections[selClipboard];
  // A request from before we took the selection is for the earlier owner.
  const bool Ours =
      S && S->Owned && R.owner == FHelper && (R.time == CurrentTime || R.time >= S->Since);
  // Old clients name no property; ICCCM says to use the target's name.
  const Atom Property = R.property != None ? R.property : R.target;
  // One request must carry the whole answer (no incremental transfer): the
  // texts of a search bar are far below the limit.
  long MaxRequest = XExtendedMaxRequestSize(FDpy);
  if (MaxRequest == 0) MaxRequest = XMaxRequestSize(FDpy);
  const std::size_t Limit = std::size_t(MaxRequest) * 4 - 1024;
  if (Ours) {
    if (R.target == FAtoms.Targets) {
      Atom Targets[] = {FAtoms.Targets, FAtoms.Timestamp, FAtoms.Utf8String, XA_STRING,
                        FAtoms.Text};
      XChangeProperty(FDpy, R.requestor, Property, XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<unsigned char*>(Targets), 5);
      Reply.xselection.property = Property;
    } else if (R.target == FAtoms.Timestamp) {
      long Since = long(S->Since);
      XChangeProperty(FDpy, R.requestor, Property, XA_INTEGER, 32, PropModeReplace,
                      reinterpret_cast<unsigned char*>(&Since), 1);
      Reply.xselection.property = Property;
    } else if ((R.target == FAtoms.Utf8String || R.target == FAtoms.Text) &&
               S->Utf8.size() < Limit) {
      XChangeProperty(FDpy, R.requestor, Property, FAtoms.Utf8String, 8, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(S->Utf8.data()), int(S->Utf8.size()));
      Reply.xselection.property = Property;
    } else if (R.target == XA_STRING) {
      // STRING is Latin-1; a text it cannot hold is refused, not mangled.
      if (const std::optional<std::string> Latin1 = Utf8ToLatin1(S->Utf8);
          Latin1 && Latin1->size() < Limit) {
        XChangeProperty(FDpy, R.requestor, Property, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(Latin1->data()),
                        int(Latin1->size()));
        Reply.xselection.property = Property;
      }
    }
  }
  // The requestor may be gone already; the error handler ignores that.
  XSendEvent(FDpy, R.requestor, False, NoEventMask, &Reply);
  XFlush(FDpy);
}

// Waits for an event of the helper window matched by Match, answering
// selection requests meanwhile. False when TimeLeftMs ran out.
static bool WaitForHelperEvent(TX11Backend& Backend, Display* Dpy, TWaitMatch Match, XEvent& Out,
                               int& TimeLeftMs,
                               void (TX11Backend::*Answer)(const XSelectionRequestEvent&)) {
  const std::uint32_t Start = Backend.Now();
  const int Budget = TimeLeftMs;
  TWaitMatch Requests{Match.Helper, SelectionRequest, None};
  for (;;) {
    if (XCheckIfEvent(Dpy, &Out, MatchesHelperEvent, reinterpret_cast<XPointer>(&Match))) {
      TimeLeftMs = Budget - int(Backend.Now() - Start);
      return true;
    }
    // Another program may be waiting on us while we wait on it.
    XEvent Request;
    while (XCheckIfEvent(Dpy, &Request, MatchesHelperEvent, reinterpret_cast<XPointer>(&Requests)))
      (Backend.*Answer)(Request.xselectionrequest);
    const int Elapsed = int(Backend.Now() - Start);
    if (Elapsed >= Budget) {
      TimeLeftMs = 0;
      return false;
    }
    pollfd P{ConnectionNumber(Dpy), POLLIN, 0};
    poll(&P, 1, Budget - Elapsed);
  }
}

bool TX11Backend::ReadSelectionProperty(Atom& Type, std::string& Data, int& TimeLeftMs) {
  auto ReadAndDelete = [&](Atom& OutType, std::string& Chunk) {
    int Format = 0;
    unsigned long Items = 0, After = 0;
    unsigned char* Bytes = nullptr;
    if (XGetWindowProperty(FDpy, FHelper, FAtoms.SelectionData, 0, LONG_MAX / 4, True,
                           AnyPropertyType, &OutType, &Format, &Items, &After, &Bytes) != Success) {
      return false;
    }
    Chunk.clear();
    if (Bytes && Format == 8) Chunk.assign(reinterpret_cast<char*>(Bytes), Items);
    if (Bytes) XFree(Bytes);
    return true;
  };
  std::string Chunk;
  if (!ReadAndDelete(Type, Chunk)) return false;
  if (Type != FAtoms.Incr) {
    Data = Chunk;
    return true;
  }
  // Incremental transfer: deleting the property asked for the first piece;
  // each new value is the next one, and an empty one ends it.
  Data.clear();
  TWaitMatch NewValue{FHelper, PropertyNotify, FAtoms.SelectionData};
  for (;;) {
    XEvent E;
    if (!WaitForHelperEvent(*this, FDpy, NewValue, E, TimeLeftMs,
                            &TX11Backend::AnswerSelectionRequest))
      return false;
    Atom PieceType = None;
    if (!ReadAndDelete(PieceType, Chunk)) return false;
    if (Chunk.empty()) return true;
    Type = PieceType;
    Data += Chunk;
  }
}

std::string TX11Backend::GetSelectionText(TSelection Selection) {
  const TOwnedSelection& S = FSelections[Selection];
  // Our own text needs no trip through the server.
  if (S.Owned) return Utf8ToCp932(S.Utf8, ccKeep).Cp932;
  const Atom Which = SelectionAtom(Selection);
  if (XGetSelectionOwner(FDpy, Which) == None) return std::string();

  int TimeLeftMs = kSelectionTimeoutMs;
  for (Atom Target : {FAtoms.Utf8String, Atom(XA_STRING)}) {
    XDeleteProperty(FDpy, FHelper, FAtoms.SelectionData);
    XConvertSelection(FDpy, Which, Target, FAtoms.SelectionData, FHelper, FLastTime);
    XEvent E;
    TWaitMatch Notify{FHelper, SelectionNotify, Which};
    if (!WaitForHelperEvent(*this, FDpy, Notify, E, TimeLeftMs,
                            &TX11Backend::AnswerSelectionRequest))
      return std::string();
    if (E.xselection.property == None) continue;  // the owner refused this target
    Atom Type = None;
    std::string Data;
    if (!ReadSelectionProperty(Type, Data, TimeLeftMs)) return std::string();
    std::string Utf8;
    if (Type == FAtoms.Utf8String)
      Utf8 = Data;
    else if (Type == XA_STRING)
      Utf8 = Latin1ToUtf8(Data);
    else
      continue;
    const TConvertedText Text = Utf8ToCp932(Utf8, ccKeep);
    if (Text.Refused > 0) MessageBeep(MB_OK);
    return Text.Cp932;
  }
  return std::string();
}
