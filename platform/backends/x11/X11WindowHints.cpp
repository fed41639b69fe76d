// The X11 backend's windows as the window manager reads them: names, ICCCM
// hints, EWMH type and state, the icon.

#include <X11/Xatom.h>

#include "platform/backends/x11/X11Backend.h"
#include "platform/backends/x11/X11TextConversion.h"
#include "platform/text/Cp932.h"

using namespace x11;

namespace {

// _NET_WM_STATE client messages name their source: the application.
constexpr long kSourceApplication = 1;

}  // namespace

void TX11Backend::ApplyName(const TNative& N) {
  const std::string Utf8 = cp932::ToUtf8Lossy(N.Params.Title);
  const auto* Bytes = reinterpret_cast<const unsigned char*>(Utf8.data());
  const int Length = int(Utf8.size());
  XChangeProperty(FDpy, N.Id, FAtoms.NetWmName, FAtoms.Utf8String, 8, PropModeReplace, Bytes,
                  Length);
  XChangeProperty(FDpy, N.Id, FAtoms.NetWmIconName, FAtoms.Utf8String, 8, PropModeReplace, Bytes,
                  Length);
  // WM_NAME for managers and tools that know only ICCCM: STRING when the
  // title is Latin-1, else the UTF-8 that they all read today.
  const std::optional<std::string> Latin1 = Utf8ToLatin1(Utf8);
  const std::string& Legacy = Latin1 ? *Latin1 : Utf8;
  const Atom LegacyType = Latin1 ? XA_STRING : FAtoms.Utf8String;
  XChangeProperty(FDpy, N.Id, XA_WM_NAME, LegacyType, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(Legacy.data()), int(Legacy.size()));
  XChangeProperty(FDpy, N.Id, XA_WM_ICON_NAME, LegacyType, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(Legacy.data()), int(Legacy.size()));
}

void TX11Backend::ApplyHints(const TNative& N) {
  const TNativeWindowParams& P = N.Params;
  XWMHints* Wm = XAllocWMHints();
  if (Wm) {
    Wm->flags = InputHint | StateHint;
    // The passive focus model: the manager gives the focus by itself, and
    // never to a window that must not take it.
    Wm->input = P.NoActivate ? False : True;
    Wm->initial_state = NormalState;
    XSetWMHints(FDpy, N.Id, Wm);
    XFree(Wm);
  }
  const TXGeometry G = WindowGeometry(P.ScreenRect);
  XSizeHints* Size = XAllocSizeHints();
  if (Size) {
    // The program places its windows itself (the search bar at 20, 20 on
    // every start); static gravity makes that the client area's position.
    Size->flags = USPosition | PPosition | PSize | PWinGravity;
    Size->x = G.X;
    Size->y = G.Y;
    Size->width = int(G.Width);
    Size->height = int(G.Height);
    Size->win_gravity = StaticGravity;
    if (!P.Resizable) {
      Size->flags |= PMinSize | PMaxSize;
      Size->min_width = Size->max_width = int(G.Width);
      Size->min_height = Size->max_height = int(G.Height);
    }
    XSetWMNormalHints(FDpy, N.Id, Size);
    XFree(Size);
  }
  if (P.Owner && Find(Window(P.Owner)))
    XSetTransientForHint(FDpy, N.Id, Window(P.Owner));
  else
    XDeleteProperty(FDpy, N.Id, XA_WM_TRANSIENT_FOR);
}

void TX11Backend::ApplyWindowType(const TNative& N) {
  Atom Type = FAtoms.NetWmWindowTypeNormal;
  if (N.OverrideRedirect)
    Type = FAtoms.NetWmWindowTypePopupMenu;
  else if (N.Params.ToolWindow)
    Type = FAtoms.NetWmWindowTypeToolbar;
  else if (N.Params.Owner)
    Type = FAtoms.NetWmWindowTypeDialog;
  XChangeProperty(FDpy, N.Id, FAtoms.NetWmWindowType, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&Type), 1);
}

void TX11Backend::ApplyStateProperty(const TNative& N) {
  std::vector<Atom> States;
  if (N.Params.Topmost) States.push_back(FAtoms.NetWmStateAbove);
  if (N.Params.ToolWindow || N.OverrideRedirect) {
    States.push_back(FAtoms.NetWmStateSkipTaskbar);
    States.push_back(FAtoms.NetWmStateSkipPager);
  }
  XChangeProperty(FDpy, N.Id, FAtoms.NetWmState, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(States.data()), int(States.size()));
}

void TX11Backend::SendStateChange(const TNative& N, long Action, Atom First, Atom Second) {
  // A managed, mapped window's state belongs to the window manager: it is
  // asked, and it updates _NET_WM_STATE itself.
  XEvent E{};
  E.xclient.type = ClientMessage;
  E.xclient.window = N.Id;
  E.xclient.message_type = FAtoms.NetWmState;
  E.xclient.format = 32;
  E.xclient.data.l[0] = Action;
  E.xclient.data.l[1] = long(First);
  E.xclient.data.l[2] = long(Second);
  E.xclient.data.l[3] = kSourceApplication;
  XSendEvent(FDpy, FRoot, False, SubstructureRedirectMask | SubstructureNotifyMask, &E);
}

void TX11Backend::ApplyIcon(const TNative& N) {
  if (FIconData.empty()) return;
  XChangeProperty(FDpy, N.Id, FAtoms.NetWmIcon, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(FIconData.data()), int(FIconData.size()));
}
