// TApplication: the message loop, the error box for errors that escape
// handlers, and the timing of hints.

#include <algorithm>
#include <cstdio>

#include "framework/forms/Forms.h"
#include "platform/files/Path.h"
#include "platform/text/Cp932.h"

TApplication* Application = nullptr;
int ExitCode = 0;

namespace {

// The hint window goes below the pointer, clear of a standard arrow.
constexpr int kCursorHeightMargin = 20;

// The nearest control from Control up that shows hints.
TControl* HintControlFor(TControl* Control) {
  while (Control && !Control->ShowHint()) Control = Control->Parent();
  return Control;
}

TRect ScreenRectOf(const TControl* Control) {
  const TPoint O = Control->ClientOrigin();
  const TRect C = Control->ClientRect();
  return Bounds(O.X, O.Y, C.Width(), C.Height());
}

}  // namespace

TApplication::TApplication() : TComponent(nullptr) { Initialize(); }

TApplication::TApplication(std::unique_ptr<TBackend> Backend)
    : TComponent(nullptr), FSystem(std::make_unique<TWindowSystem>(std::move(Backend))) {
  Initialize();
}

void TApplication::Initialize() {
  FPrevious = Application;
  Application = this;
  // The executable's name until the program gives a title.
  FTitle = files::RemoveFileExt(files::ExtractFileName(files::ExecutablePath()));
}

TApplication::~TApplication() {
  StopHintTimer();
  FHintControl = nullptr;
  Destroying();
  // The forms go while the window system still runs: their controls see
  // their windows destroyed (WM_DESTROY) before they are destroyed.
  DestroyComponents();
  FMainForm = nullptr;
  FSystem.reset();
  if (Application == this) Application = FPrevious;
}

void TApplication::FormCreated(TCustomForm* Form) {
  if (!FMainForm) {
    FMainForm = Form;
    Form->HandleNeeded();
  }
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FMainForm) FMainForm = nullptr;
}

// ---- the loop -------------------------------------------------------------------------

bool TApplication::ProcessMessage() {
  MSG Msg;
  if (!PeekMessage(Msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (Msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  TranslateMessage(Msg);
  DispatchMessage(Msg);
  return true;
}

bool TApplication::HandleMessage() {
  if (ProcessMessage()) return true;
  // Nothing waits: what canvases drew outside painting is shown, then wait.
  FreeDeviceContexts();
  return WaitMessage();
}

void TApplication::ProcessMessages() {
  while (ProcessMessage()) {
  }
  FreeDeviceContexts();
}

void TApplication::Run() {
  if (FMainForm && FShowMainForm) FMainForm->Show();
  while (!FTerminated) {
    bool More = true;
    try {
      More = HandleMessage();
    } catch (...) {
      HandleException(this);
    }
    if (!More) break;
  }
  // Terminate posts a quit that the loop above may not have taken. Left
  // waiting, it would close the next modal loop at once: the error box of a
  // history that cannot be saved as the forms go would vanish unseen.
  MSG Quit;
  while (PeekMessage(Quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

void TApplication::Terminate() {
  FTerminated = true;
  PostQuitMessage(0);
}

// ---- errors ---------------------------------------------------------------------------

namespace {

// The message with a '.' appended when it is not empty and its last
// character's code is above '.'.
std::string WithFinalDot(const std::string& Message) {
  std::string Text = Message;
  if (!Text.empty()) {
    // The last character, not the last byte: a double-byte character's
    // code is always above '.'.
    const std::size_t Last = cp932::PrevCharPos(Text, Text.size());
    const bool DoubleByte = Text.size() - Last > 1;
    if (DoubleByte || static_cast<unsigned char>(Text[Last]) > '.') Text += '.';
  }
  return Text;
}

}  // namespace

void TApplication::HandleException(TObject* Sender) {
  const std::exception_ptr Error = std::current_exception();
  if (!Error) return;
  std::string Message;
  try {
    std::rethrow_exception(Error);
  } catch (const Exception& E) {
    Message = E.Message();
  } catch (...) {
    // Not one of the system's errors: shown with an empty message.
  }
  try {
    if (OnException) {
      OnException(Sender, Error);
      return;
    }
    ShowException(Message);
  } catch (...) {
    // The error box itself failed (with no usable font nothing can be
    // drawn at all). The error goes to standard error instead, and a
    // program that cannot show its user anything ends, with a failure
    // status, rather than run on unseen or vanish as if it had succeeded.
    WriteToStandardError(WithFinalDot(Message));
    ExitCode = 1;
    Terminate();
  }
}

void TApplication::ShowException(const std::string& Message) {
  const std::string Text = WithFinalDot(Message);
  if (FErrorBox) {
    FErrorBox(Text, FTitle);
    return;
  }
  WriteToStandardError(Text);
}

void TApplication::WriteToStandardError(const std::string& Text) const {
  const std::string Line = cp932::ToUtf8Lossy(FTitle) + ": " + cp932::ToUtf8Lossy(Text) + "\n";
  std::fputs(Line.c_str(), stderr);
}

// ---- hints ----------------------------------------------------------------------------

void TApplication::SetShowHint(bool Value) {
  if (FShowHint == Value) return;
  FShowHint = Value;
  if (!Value) CancelHint();
}

void TApplication::HintMouseMessage(TControl* Control, const TMessage& Message) {
  if (!Control) return;
  const TPoint P = Control->ClientToScreen(PointFromLParam(Message.LParam));
  TControl* NewHintControl = FShowHint ? HintControlFor(FindDragTarget(P, true)) : nullptr;
  if (!NewHintControl || GetShortHint(NewHintControl->Hint()).empty()) {
    CancelHint();
    return;
  }
  if (NewHintControl == FHintControl && FHintCursorRect.Contains(P.X, P.Y)) {
    if (FHintTimer && FHintTimerShowMode && P != FHintRestPos) {
      FHintRestPos = P;
      StartHintTimer(FHintRestPause, true);
    }
    return;
  }
  const bool WasActive = FHintActive;
  int Pause = WasActive ? FHintShortPause : FHintPause;
  NewHintControl->Perform(CM_HINTSHOWPAUSE, WasActive ? 1 : 0, reinterpret_cast<LPARAM>(&Pause));
  CancelHint();
  FHintActive = WasActive;
  FHintControl = NewHintControl;
  FHintCursorRect = ScreenRectOf(NewHintControl);
  FHintRestPos = P;
  FHintRestPause = Pause;
  StartHintTimer(Pause, true);
}

void TApplication::StartHintTimer(int Milliseconds, bool ShowMode) {
  StopHintTimer();
  FHintTimerShowMode = ShowMode;
  FHintTimer =
      SetTimer(nullptr, 0, UINT(std::max(Milliseconds, 0)), [this](HWND, UINT, UINT_PTR, DWORD) {
        try {
          HintTimerExpired();
        } catch (...) {
          HandleException(this);
        }
      });
}

void TApplication::StopHintTimer() {
  if (!FHintTimer) return;
  KillTimer(nullptr, FHintTimer);
  FHintTimer = 0;
}

void TApplication::HintTimerExpired() {
  StopHintTimer();
  if (FHintTimerShowMode)
    ActivateHint();
  else
    HideHintWindow();
}

void TApplication::ActivateHint() {
  if (!FHintControl) return;
  TPoint P;
  GetCursorPos(P);
  // The pointer must still rest on the control the wait was for.
  if (HintControlFor(FindDragTarget(P, true)) != FHintControl) {
    CancelHint();
    return;
  }
  THintInfo Info;
  Info.HintControl = FHintControl;
  Info.HintStr = GetShortHint(FHintControl->Hint());
  Info.CursorPos = FHintControl->ScreenToClient(P);
  Info.CursorRect = FHintControl->ClientRect();
  Info.HintPos = TPoint{P.X, P.Y + kCursorHeightMargin};
  Info.HideTimeout = FHintHidePause;
  // A control may change or refuse its hint (a non-zero result).
  if (FHintControl->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&Info)) != 0 ||
      Info.HintStr.empty()) {
    CancelHint();
    return;
  }
  FHintActive = true;
  FHintShown = true;
  if (FHintPresenter) FHintPresenter->ShowHint(Info);
  if (Info.HideTimeout > 0) StartHintTimer(Info.HideTimeout, false);
}

void TApplication::HideHintWindow() {
  if (!FHintShown) return;
  FHintShown = false;
  if (FHintPresenter) FHintPresenter->HideHint();
}

void TApplication::CancelHint() {
  if (!FHintControl) return;
  HideHintWindow();
  FHintControl = nullptr;
  FHintActive = false;
  StopHintTimer();
}

void TApplication::ControlDestroyed(TControl* Control) {
  if (Control == FHintControl) CancelHint();
}
