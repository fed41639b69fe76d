#pragma once
// Forms, the application object and the screen object.
//
// A form is a top-level window made from a layout. A derived form reads its
// layout at the end of its constructor (ReadLayout), binds its members to the
// controls the layout made, and is then finished by AfterConstruction, which
// fires OnCreate: every control exists and has been told Loaded by then.
// TApplication::CreateForm does the last step for the program's forms.
//
//   class TMainForm1 : public TForm {
//   public:
//     explicit TMainForm1(TComponent* AOwner) : TForm(AOwner) {
//       FMethods.Add("FormCreate", this, &TMainForm1::FormCreate);
//       ReadLayout("TMAINFORM1");
//       BindComponent(Button1, "Button1");
//     }
//   };
//   ...
//   TApplication App(CreateX11Backend());
//   App.SetTitle("Scoutlane' 2010");
//   App.CreateForm(MainForm1);
//   App.Run();
//
// The application object runs the message loop, shows what escapes a
// handler in the error box (a replaceable hook), and times hints. Its
// destructor destroys the forms while the window system still runs, so the
// controls see their windows go (WM_DESTROY) before they are destroyed.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/forms/Controls.h"
#include "framework/streaming/StreamingProperties.h"
#include "platform/backends/Backend.h"
#include "platform/core/ScopeGuard.h"
#include "platform/window/WindowSystem.h"

class TCustomForm;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TCloseAction { caNone, caHide, caFree, caMinimize };
// The window system does not model minimised or maximised windows; the state
// is kept for the program and a minimised form stays shown.
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TBorderIconFlag : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

namespace messages {
inline constexpr const char* kCannotShowModal = "表示中のウィンドウはモーダルにできません";
inline constexpr const char* kMissingComponent = "コンポーネント %s が見つかりません";
}  // namespace messages

// ---- TCustomForm ------------------------------------------------------------

class TCustomForm : public TWinControl, public TMethodOwner {
public:
  explicit TCustomForm(TComponent* AOwner);
  // Destroys the window first (every control sees WM_DESTROY), then the
  // components the form owns.
  ~TCustomForm() override;

  // ---- made from a layout
  // Reads the layout embedded under ResourceName (or given as text) into
  // this form. Raises the layout's read errors; the form is then unusable
  // and is about to be destroyed by the caller.
  void ReadLayout(std::string_view ResourceName);
  void ReadLayoutText(std::string_view LayoutText);
  // Fires OnCreate, once. TApplication::CreateForm calls it after the
  // constructor; code that creates a form with new calls it itself.
  virtual void AfterConstruction();
  // Points Field at the owned component of that name; EComponentError when
  // there is none or it is of another class.
  template <class T>
  void BindComponent(T*& Field, const std::string& ComponentName) {
    Field = dynamic_cast<T*>(FindComponent(ComponentName));
    if (!Field) ComponentMissing(ComponentName);
  }
  const TMethodTable& MethodTable() const override { return FMethods; }

  // ---- showing and closing
  void Show();
  void Hide();
  // Asks OnCloseQuery, then OnClose with the action caHide (caFree... as the
  // handler decides): caNone keeps the form, caHide hides it, caFree
  // destroys it after the current message, caMinimize keeps it shown. When
  // the form is the application's main form, any action but caNone ends
  // the message loop instead.
  void Close();
  bool CloseQuery();
  // Shows the form with the other forms disabled and runs messages until
  // ModalResult is set (or no more input can come); answers ModalResult.
  TModalResult ShowModal();
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  // Destroys the form once the current message has been handled.
  void Release();

  // ---- looks
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value);
  // Switching between fsNormal and fsStayOnTop at run time moves the window
  // in or out of the topmost band at once.
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState Value) { FWindowState = Value; }
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }
  TCanvas* Canvas() const { return FCanvas.get(); }

  // ---- focus
  TWinControl* ActiveControl() const { return FActiveControl; }
  // Makes Control the one that gets the focus in this form (at once when the
  // form is active).
  void SetActiveControl(TWinControl* Control);
  // The form is the active window.
  bool Active() const;
  // Gives the focus to Control when it can take it.
  void FocusControl(TWinControl* Control);
  // Called when a window inside the form takes the focus: tells the old and
  // new controls (CM_EXIT, CM_ENTER) and every control (CM_FOCUSCHANGED).
  bool SetFocusedControl(TWinControl* Control);
  // Control is going away (Removing) or cannot keep the focus: the form
  // forgets it as its active control and moves the focus to itself.
  void DefocusControl(TWinControl* Control, bool Removing);
  void SendCancelMode(TControl* Sender);

  bool IsModal() const { return FModal; }

  TNotifyEvent OnCreate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  // Form-level key events when KeyPreview is set come through the inherited
  // OnKeyDown, OnKeyPress and OnKeyUp.

  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // A form scales its client area, not its frame (the system's), and its
  // position, then its controls.
  void ChangeScale(const TScale& Scale) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void ScaleOwnBounds(const TScale&) override {}
  // Scales the form to Scale with its window at Place, in one move of the
  // window: a window manager that sees a step in between may keep it.
  void ChangeScaleAt(const TScale& Scale, TPoint Place);
  // The program's pixels per inch changed: the form and its controls are
  // scaled in place; on the rectangle the system suggests, if any.
  void WMDpiChanged(TMessage& Message);
  void PaintWindow(HDC DC) override;
  virtual void DoCreate();
  virtual void DoClose(TCloseAction& Action);
  virtual void DoShow();
  virtual void DoHide();

  void WMClose(TMessage& Message);
  void WMActivate(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void CMRelease(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);

  // The handlers the layout binds by name; a derived form fills it before it
  // reads its layout.
  TMethodTable FMethods;

private:
  [[noreturn]] void ComponentMissing(const std::string& Name) const;
  void PlaceOnFirstShow();
  void SelectFirstControl();

  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TFormStyle FFormStyle = fsNormal;
  TPosition FPosition = poDesigned;
  TWindowState FWindowState = wsNormal;
  bool FKeyPreview = false;
  bool FCreated = false;  // OnCreate fired
  bool FPlaced = false;   // placed by Position at the first show
  bool FModal = false;
  bool FReleasing = false;
  TModalResult FModalResult = mrNone;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  std::unique_ptr<TControlCanvas> FCanvas;
};

// A form with the usual properties published for its layout.
class TForm : public TCustomForm {
public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
  // Left, Top, ClientWidth, ClientHeight (Width and Height are read but
  // never written), Caption, Color, Font, ParentFont, BorderStyle,
  // BorderIcons, FormStyle, Position, KeyPreview, Visible, Enabled,
  // ShowHint, PopupMenu, WindowState, and the events.
  static const TPropList& PublishedProperties();
};

// The form a control sits on: the nearest TCustomForm among the control and
// its parents, or null.
TCustomForm* GetParentForm(TControl* Control);

// ---- Hints --------------------------------------------------------------------

struct THintInfo {
  TControl* HintControl = nullptr;
  std::string HintStr;  // the short part of the control's hint
  TPoint CursorPos;     // the pointer, in the hint control's client coordinates
  TPoint HintPos;       // screen point for the hint window's top-left corner
  TRect CursorRect;     // hint control client area; leaving it restarts the wait
  int HideTimeout = 0;  // milliseconds the hint stays
  TColor HintColor = clInfoBk;
};

// Shows hints for the application: the stock hint window implements it.
class THintPresenter {
public:
  virtual ~THintPresenter() = default;
  virtual void ShowHint(const THintInfo& Info) = 0;
  virtual void HideHint() = 0;
};

// ---- TApplication ---------------------------------------------------------------

// Shows an error message: text (the message with its closing '.') and the
// caption (the application's title).
using TErrorBoxProc = std::function<void(const std::string& Text, const std::string& Caption)>;
using TExceptionEvent = std::function<void(TObject* Sender, std::exception_ptr Error)>;

class TApplication : public TComponent {
  friend class TCustomForm;

public:
  // Without a backend, the window system that runs already is used (tests);
  // with one, the application starts and owns its window system.
  TApplication();
  explicit TApplication(std::unique_ptr<TBackend> Backend);
  // Destroys the forms first, then the window system it owns.
  ~TApplication() override;

  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }
  TCustomForm* MainForm() const { return FMainForm; }
  bool ShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool Value) { FShowMainForm = Value; }

  // Creates a form owned by the application, stores it in Reference (null
  // again when its creation fails; the error passes on to the caller) and
  // calls AfterConstruction. The first form becomes the main form.
  template <class T>
  void CreateForm(T*& Reference) {
    Reference = nullptr;
    T* Form = new T(this);
    TScopeGuard Undo([&Reference, Form] {
      Reference = nullptr;
      delete Form;
    });
    Reference = Form;
    Form->AfterConstruction();
    Undo.Dismiss();
    FormCreated(Form);
  }

  // Shows the main form and handles messages until the main form closes,
  // Terminate is called, or (headless) no more input can come. Escaping
  // errors go to HandleException and the loop goes on. The request to quit
  // ends here: an error box shown afterwards, while the forms are destroyed,
  // still waits for the user.
  void Run();
  // Handles every message waiting now, then returns.
  void ProcessMessages();
  // Handles one message, or waits for the next one when there is none.
  // False when no more input can come (headless backend).
  bool HandleMessage();
  void Terminate();
  bool Terminated() const { return FTerminated; }

  // Shows the error that is being handled (call it inside a catch): through
  // OnException when that is set, otherwise ShowException with the error's
  // message (empty for errors that are not Exceptions). When showing it
  // fails in turn, the message goes to standard error, ExitCode becomes 1
  // and the application terminates: it cannot show its user anything.
  void HandleException(TObject* Sender);
  // The error box: the message with a '.' appended when it is not empty and
  // its last character's code is above '.', captioned with the title.
  virtual void ShowException(const std::string& Message);
  // Replaces the error box (the stock message box installs itself here);
  // without one, errors are written to standard error.
  void SetErrorBox(TErrorBoxProc Proc) { FErrorBox = std::move(Proc); }
  TExceptionEvent OnException;

  // ---- hints
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  int HintPause() const { return FHintPause; }
  void SetHintPause(int Value) { FHintPause = Value; }
  int HintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(int Value) { FHintShortPause = Value; }
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int Value) { FHintHidePause = Value; }
  // Not owned; null turns hint windows off (the timing still runs).
  void SetHintPresenter(THintPresenter* Presenter) { FHintPresenter = Presenter; }
  // A mouse message reached Control. Coming to another hint control starts
  // the wait (HintPause, or HintShortPause while hints are being shown);
  // moving on the same control before its hint shows starts it anew, so a
  // hint shows only once the pointer rests.
  void HintMouseMessage(TControl* Control, const TMessage& Message);
  // Hides the hint and forgets the hint control (presses, keys, leaving).
  void CancelHint();
  bool HintShowing() const { return FHintShown; }
  TControl* HintControl() const { return FHintControl; }
  // Forgets a control that is being destroyed.
  void ControlDestroyed(TControl* Control);

  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void Initialize();
  // "Title: Text" as a line of UTF-8 on standard error.
  void WriteToStandardError(const std::string& Text) const;
  void FormCreated(TCustomForm* Form);
  bool ProcessMessage();
  void StartHintTimer(int Milliseconds, bool ShowMode);
  void StopHintTimer();
  void HintTimerExpired();
  void ActivateHint();
  void HideHintWindow();

  std::unique_ptr<TWindowSystem> FSystem;
  TApplication* FPrevious = nullptr;
  std::string FTitle;
  TCustomForm* FMainForm = nullptr;
  bool FShowMainForm = true;
  bool FTerminated = false;
  TErrorBoxProc FErrorBox;

  bool FShowHint = true;
  int FHintPause = 500;
  int FHintShortPause = 50;
  int FHintHidePause = 2500;
  THintPresenter* FHintPresenter = nullptr;
  TControl* FHintControl = nullptr;
  TRect FHintCursorRect;  // screen coordinates
  TPoint FHintRestPos;    // where the pointer last stopped, screen coordinates
  int FHintRestPause = 0;
  bool FHintActive = false;  // a hint was shown and the pointer stayed in hint controls
  bool FHintShown = false;
  bool FHintTimerShowMode = true;
  UINT_PTR FHintTimer = 0;
};

// ---- TScreen --------------------------------------------------------------------

class TScreen : public TObject {
public:
  // The primary display, from the window system.
  int Width() const;
  int Height() const;
  TRect DesktopRect() const { return TRect{0, 0, Width(), Height()}; }
  TRect WorkAreaRect() const { return DesktopRect(); }
  // A cursor other than crDefault shows over every window of the program.
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  HCURSOR Cursors(TCursor Index) const { return CursorHandle(Index); }
  int FormCount() const { return int(FForms.size()); }
  TCustomForm* Forms(int Index) const;
  // The form of the active window, and the control with the focus.
  TCustomForm* ActiveForm() const;
  TWinControl* ActiveControl() const;

  // Forms register themselves while they live.
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);

private:
  TCursor FCursor = crDefault;
  std::vector<TCustomForm*> FForms;
};

// The running application (null when none exists) and the screen.
extern TApplication* Application;
// The status the program's entry point ends with: 0 unless something the
// user made could not be kept and the error box said so (a history that
// could not be saved as its window went), so whoever started the program
// learns of the failure too. It outlives the application object, whose
// forms are destroyed, and their data saved, as it goes.
extern int ExitCode;
extern TScreen* Screen;
