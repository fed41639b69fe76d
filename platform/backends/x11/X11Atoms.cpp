#include "platform/backends/x11/X11Atoms.h"

#include <string>
#include <vector>

namespace x11 {

void TX11Atoms::Intern(Display* Dpy, int Screen) {
  const std::string WmSelection = "WM_S" + std::to_string(Screen);
  struct TName {
    const char* Name;
    Atom TX11Atoms::*Field;
  };
  const TName Names[] = {
      {"WM_PROTOCOLS", &TX11Atoms::WmProtocols},
      {"WM_DELETE_WINDOW", &TX11Atoms::WmDeleteWindow},
      {"_NET_WM_PING", &TX11Atoms::NetWmPing},
      {"_NET_WM_NAME", &TX11Atoms::NetWmName},
      {"_NET_WM_ICON_NAME", &TX11Atoms::NetWmIconName},
      {"UTF8_STRING", &TX11Atoms::Utf8String},
      {"_NET_WM_WINDOW_TYPE", &TX11Atoms::NetWmWindowType},
      {"_NET_WM_WINDOW_TYPE_NORMAL", &TX11Atoms::NetWmWindowTypeNormal},
      {"_NET_WM_WINDOW_TYPE_TOOLBAR", &TX11Atoms::NetWmWindowTypeToolbar},
      {"_NET_WM_WINDOW_TYPE_DIALOG", &TX11Atoms::NetWmWindowTypeDialog},
      {"_NET_WM_WINDOW_TYPE_POPUP_MENU", &TX11Atoms::NetWmWindowTypePopupMenu},
      {"_NET_WM_STATE", &TX11Atoms::NetWmState},
      {"_NET_WM_STATE_ABOVE", &TX11Atoms::NetWmStateAbove},
      {"_NET_WM_STATE_SKIP_TASKBAR", &TX11Atoms::NetWmStateSkipTaskbar},
      {"_NET_WM_STATE_SKIP_PAGER", &TX11Atoms::NetWmStateSkipPager},
      {"_NET_WM_ICON", &TX11Atoms::NetWmIcon},
      {"_NET_WM_PID", &TX11Atoms::NetWmPid},
      {"_NET_ACTIVE_WINDOW", &TX11Atoms::NetActiveWindow},
      {"CLIPBOARD", &TX11Atoms::Clipboard},
      {"TARGETS", &TX11Atoms::Targets},
      {"TEXT", &TX11Atoms::Text},
      {"TIMESTAMP", &TX11Atoms::Timestamp},
      {"INCR", &TX11Atoms::Incr},
      {"SCOUTLANE_SELECTION", &TX11Atoms::SelectionData},
      {"SCOUTLANE_TIME", &TX11Atoms::TimeProbe},
      {WmSelection.c_str(), &TX11Atoms::WindowManagerSelection},
  };
  constexpr int Count = int(sizeof(Names) / sizeof(Names[0]));
  std::vector<char*> Strings;
  for (const TName& N : Names) Strings.push_back(const_cast<char*>(N.Name));
  std::vector<Atom> Atoms(Count, None);
  XInternAtoms(Dpy, Strings.data(), Count, False, Atoms.data());
  for (int I = 0; I < Count; ++I) this->*(Names[I].Field) = Atoms[I];
}

}  // namespace x11
