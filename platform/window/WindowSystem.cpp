#include "platform/window/WindowSystem.h"

#include "platform/window/WinUser.h"
#include "platform/window/WindowCore.h"

TWindowSystem::TWindowSystem(std::unique_ptr<TBackend> Backend)
    : FCore(std::make_unique<TWindowCore>(std::move(Backend))) {}

TWindowSystem::~TWindowSystem() = default;

TBackend& TWindowSystem::Backend() { return FCore->Backend(); }

bool TWindowSystem::ProcessMessages() { return FCore->ProcessPending(); }

int TWindowSystem::Run() {
  MSG M;
  while (GetMessage(M)) {
    TranslateMessage(M);
    DispatchMessage(M);
  }
  return FCore->FQuitCode;
}

bool TWindowSystem::QuitReceived() const { return FCore->FQuitRetrieved; }

int TWindowSystem::ExitCode() const { return FCore->FQuitCode; }

TNativeWindow TWindowSystem::NativeWindowOf(HWND Window) const {
  TWindow* W = FCore->Lookup(Window);
  return W && !W->Parent ? W->Native : 0;
}

const TSurface* TWindowSystem::BackBufferOf(HWND Window) const {
  TWindow* W = FCore->Lookup(Window);
  return W && !W->Parent ? W->Surface.get() : nullptr;
}
