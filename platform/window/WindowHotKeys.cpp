// System-wide keys and the foreground: the window layer's side of
// RegisterHotKey. The backend grabs the combination from the system under
// an id of the core's own numbering; its press comes back as beHotKey and
// goes on as WM_HOTKEY to the window that registered it.

#include <algorithm>

#include "platform/window/WinUser.h"
#include "platform/window/WindowCore.h"

namespace {

unsigned BackendModifiers(UINT Modifiers) {
  unsigned M = 0;
  if (Modifiers & MOD_SHIFT) M |= mkShift;
  if (Modifiers & MOD_CONTROL) M |= mkControl;
  if (Modifiers & MOD_ALT) M |= mkAlt;
  if (Modifiers & MOD_WIN) M |= mkWin;
  return M;
}

}  // namespace

void TWindowCore::UnregisterHotKeysOf(HWND Window) {
  for (auto It = FHotKeys.begin(); It != FHotKeys.end();) {
    if (It->Window != Window) {
      ++It;
      continue;
    }
    FBackend->UnregisterHotKey(It->BackendId);
    It = FHotKeys.erase(It);
  }
}

void TWindowCore::PostHotKey(const TBackendEvent& Event) {
  for (const THotKeyRecord& Key : FHotKeys) {
    if (Key.BackendId != Event.VirtualKey) continue;
    Post(Key.Window, WM_HOTKEY, WPARAM(Key.Id),
         MAKELPARAM(Key.Modifiers & 0xFFFF, Key.VirtualKey & 0xFFFF));
    return;
  }
}

bool RegisterHotKey(HWND Window, int Id, UINT Modifiers, UINT VirtualKey) {
  TWindowCore* C = TWindowCore::Current();
  if (!C || !C->Lookup(Window)) return false;
  for (const TWindowCore::THotKeyRecord& Key : C->FHotKeys)
    if (Key.Window == Window && Key.Id == Id) return false;
  const int BackendId = C->FNextHotKeyId++;
  if (!C->FBackend->RegisterHotKey(BackendId, BackendModifiers(Modifiers), int(VirtualKey)))
    return false;
  C->FHotKeys.push_back({Window, Id, BackendId, Modifiers, VirtualKey});
  return true;
}

bool UnregisterHotKey(HWND Window, int Id) {
  TWindowCore* C = TWindowCore::Current();
  if (!C) return false;
  auto& Keys = C->FHotKeys;
  auto It = std::find_if(Keys.begin(), Keys.end(), [&](const TWindowCore::THotKeyRecord& Key) {
    return Key.Window == Window && Key.Id == Id;
  });
  if (It == Keys.end()) return false;
  C->FBackend->UnregisterHotKey(It->BackendId);
  Keys.erase(It);
  return true;
}

bool SetForegroundWindow(HWND Window) {
  TWindowCore* C = TWindowCore::Current();
  if (!C) return false;
  TWindow* W = C->Lookup(Window);
  if (!W || !(W = C->TopLevelOf(W)) || !C->IsActivatable(W)) return false;
  const bool AlreadyActive = C->FActive == W->Handle;
  if (!C->SetActiveImpl(W, WA_ACTIVE, false)) return false;
  // The window system may still count the window active while the system
  // has just given the keyboard to another program: ask again.
  if (AlreadyActive) C->FBackend->ActivateNativeWindow(W->Native);
  return true;
}

bool ReturnForeground() {
  TWindowCore* C = TWindowCore::Current();
  return C && C->FBackend->ReturnFocus();
}
