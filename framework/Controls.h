#pragma once
// The control classes: TControl (every visual component), TWinControl (a
// control with its own platform window), TGraphicControl (a windowless
// control painted by its parent) and TCustomControl (a windowed control
// that paints itself on a canvas), plus the small abstract popup-menu base
// that controls open on a right click.
//
// Parents and children: a control's Parent lists it (windowless children in
// creation order, windowed children in creation order), but never owns it;
// the Owner destroys it. A TWinControl's window is made on demand (Handle,
// HandleNeeded) and bound to the object: the window procedure forwards every
// message to WndProc, which dispatches it; what no handler takes goes to
// DefaultHandler and from there to the window system's DefWindowProc.
//
// Windowless children get their mouse messages through the parent: the
// parent finds the topmost windowless child under the pointer (the last
// created one first) and hands it the message in the child's coordinates.
// They are painted by the parent after its own face, in creation order, each
// with the origin moved to the child and the drawing clipped to it.
//
// The pointer entering and leaving controls is announced with CM_MOUSEENTER
// and CM_MOUSELEAVE, for windowless and windowed controls alike; the window
// system's leave tracking tells when the pointer leaves a window altogether.
//
// An exception that escapes a message handler stops at the window procedure
// and goes to Application->HandleException; with no application object it
// passes on to whoever sent the message.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Canvas.h"
#include "framework/Classes.h"
#include "framework/Graphics.h"
#include "framework/Messages.h"
#include "framework/StreamingProperties.h"
#include "platform/core/Exception.h"
#include "platform/window/WinUser.h"

class TWinControl;
class TControl;

// An operation that is not possible in the control's present state (focusing
// a hidden control, a control without a parent window).
class EInvalidOperation : public Exception {
public:
  using Exception::Exception;
};

namespace messages {
inline constexpr const char* kCannotFocus =
    "無効または非表示のウィンドウにはフォーカスを設定できません";
inline constexpr const char* kParentRequired = "コントロール '%s' には親ウィンドウがありません";
inline constexpr const char* kWindowCreate = "ウィンドウを作成できません";
inline constexpr const char* kControlParentSelf = "コントロールを自分自身の親にはできません";
}  // namespace messages

// ---- Control styles and states ------------------------------------------

enum TControlStyleFlag : std::uint32_t {
  csAcceptsControls = 1u << 0,  // may be the parent of other controls
  csCaptureMouse = 1u << 1,     // holds the mouse capture while a button is down
  csDesignInteractive = 1u << 2,
  csClickEvents = 1u << 3,  // a press and release inside is a Click
  csFramed = 1u << 4,
  csSetCaption = 1u << 5,    // takes its name as caption when named in a designer
  csOpaque = 1u << 6,        // paints its whole area: nothing is erased under it
  csDoubleClicks = 1u << 7,  // gets double clicks (otherwise a second press)
  csFixedWidth = 1u << 8,
  csFixedHeight = 1u << 9,  // keeps its height when the form is scaled
  csNoDesignVisible = 1u << 10,
  csReplicatable = 1u << 11,  // may be painted into another context (PaintTo)
  csNoStdEvents = 1u << 12,   // no mouse and key events (OnMouseDown, OnKeyDown...)
  csDisplayDragImage = 1u << 13,
  csReflector = 1u << 14,
  csActionClient = 1u << 15,
  csMenuEvents = 1u << 16,
};
using TControlStyle = std::uint32_t;

enum TControlStateFlag : std::uint32_t {
  csLButtonDown = 1u << 0,
  csClicked = 1u << 1,  // a press of a control with csClickEvents is under way
  csPalette = 1u << 2,
  csReadingState = 1u << 3,
  csAlignmentNeeded = 1u << 4,
  csFocusing = 1u << 5,
  csCreating = 1u << 6,  // its window is being made
  csPaintCopy = 1u << 7,
  csCustomPaint = 1u << 8,  // paints itself (TCustomControl)
  csDestroyingHandle = 1u << 9,
  csDocking = 1u << 10,
};
using TControlState = std::uint32_t;

// ---- Input ----------------------------------------------------------------

// TMouseButton (mbLeft, mbRight, mbMiddle) is the window system's.
enum TShiftStateFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};
using TShiftState = unsigned;

// The shift state of a mouse message's key flags, with Alt from the keyboard.
TShiftState KeysToShiftState(WPARAM Keys);
// The shift state of a key message's key data.
TShiftState KeyDataToShiftState(LPARAM KeyData);
// The shift state now (keys and mouse buttons held).
TShiftState GetShiftState();

// Cursors: the standard ones are negative, 0 means "as the parent or class
// shows" (crDefault).
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSize = -5;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
// The window system's cursor for a framework cursor (crDefault answers the
// arrow).
HCURSOR CursorHandle(TCursor Cursor);

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TDragMode { dmManual, dmAutomatic };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum THelpType { htKeyword, htContext };
// Input-method modes; the framework stores them for the controls that hand
// them on (the input method itself is the backend's).
enum TImeMode {
  imDisable,
  imClose,
  imOpen,
  imDontCare,
  imSAlpha,
  imAlpha,
  imHira,
  imSKata,
  imKata,
  imChinese,
  imSHanguel,
  imHanguel
};
using TImeName = std::string;

// ---- Events ---------------------------------------------------------------

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

// What is dragged: made by BeginDrag (or by an OnStartDrag handler) and
// destroyed when the drag ends.
class TDragObject : public TObject {
public:
  TControl* Control = nullptr;  // the control the drag started from
  bool Dropped = false;
};
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y,
                                          TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;

// ---- The popup menu a control opens on a right click ------------------------

// The framework's stock popup menu derives from this; controls only need to
// open it at a screen point.
class TPopupMenuBase : public TComponent {
public:
  explicit TPopupMenuBase(TComponent* AOwner) : TComponent(AOwner) {}
  // Shows the menu with its top-left corner at the screen point (X, Y).
  virtual void Popup(int X, int Y) = 0;
  // The control the menu was last opened for.
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value);
  // Whether a right click opens the menu by itself (default true).
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TComponent* FPopupComponent = nullptr;
  bool FAutoPopup = true;
};

// ---- Canvas of a control ----------------------------------------------------

// A canvas on a control. While the control paints it draws on the paint
// context; at other times (measuring text, drawing at once) it takes a
// context of the control's window and gives it back at FreeDeviceContexts or
// when the control paints next.
class TControlCanvas : public TCanvas {
public:
  explicit TControlCanvas(TControl* Control) : FControl(Control) {}
  ~TControlCanvas() override;
  TControl* Control() const { return FControl; }
  void FreeHandle() override;

protected:
  void CreateHandle() override;

private:
  TControl* FControl;
  HDC FOwnDC = nullptr;
  HWND FOwnWindow = nullptr;
};

// Gives back every window context a control canvas took outside painting,
// so that what was drawn with them is shown. The application does this when
// it runs out of messages.
void FreeDeviceContexts();

// ---- TControl ---------------------------------------------------------------

class TControl : public TComponent {
public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // ---- messages
  // Sends a message to this control's WndProc and answers its result.
  LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);
  virtual void WndProc(TMessage& Message);
  virtual void Dispatch(TMessage& Message);
  // Where a message no handler takes ends. Nothing for a windowless control
  // except its text; TWinControl passes it to the window's default procedure.
  virtual void DefaultHandler(TMessage& Message);

  // ---- parent
  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

  // ---- position and size (parent client coordinates)
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
  // The client area in the control's own coordinates.
  virtual TRect ClientRect() const;
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);
  // Screen position of the client area's top-left corner.
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(const TPoint& Point) const;
  TPoint ScreenToClient(const TPoint& Point) const;
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);

  // ---- state and looks. Setters compare first; a change is announced with
  // its CM_ notification, whose handlers repaint.
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  TFont* Font() const { return FFont.get(); }
  // Copies Value into the control's font.
  void SetFont(const TFont* Value);
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  TPopupMenuBase* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenuBase* Value);
  // The caption or text (code page 932). Setting it sends WM_SETTEXT and,
  // when it changed, CM_TEXTCHANGED.
  std::string Text() const;
  void SetText(const std::string& Value);
  std::string Caption() const { return Text(); }
  void SetCaption(const std::string& Value) { SetText(Value); }
  TDragMode DragMode() const { return FDragMode; }
  virtual void SetDragMode(TDragMode Value) { FDragMode = Value; }
  TCursor DragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor Value) { FDragCursor = Value; }
  THelpType HelpType() const { return FHelpType; }
  void SetHelpType(THelpType Value) { FHelpType = Value; }
  const std::string& HelpKeyword() const { return FHelpKeyword; }
  void SetHelpKeyword(const std::string& Value) { FHelpKeyword = Value; }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }

  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState Value) { FControlState = Value; }

  // ---- painting
  // Queues a repaint of the whole control.
  virtual void Invalidate();
  // Paints what is invalid now.
  virtual void Update();
  // Repaints the control now.
  virtual void Repaint();
  void Refresh() { Repaint(); }
  // Paints the control into another context (a bitmap's, say) with its
  // top-left corner at (X, Y) of that context: windowless controls their
  // face, windowed ones their client area with background, windowless
  // children and windowed children. csPaintCopy is set meanwhile.
  virtual void PaintTo(HDC DC, int X, int Y);
  // Moves the control above (below) its siblings of its kind.
  void BringToFront();
  void SendToBack();

  // ---- mouse and dragging
  // The control that holds the mouse: the window system's capture, or a
  // windowless control its parent holds it for.
  bool MouseCapture() const;
  void SetMouseCapture(bool Value);
  bool Dragging() const;
  // Starts a drag now (Immediate) or once the pointer moved Threshold pixels
  // with the button down (a negative threshold takes the system's).
  void BeginDrag(bool Immediate, int Threshold = -1);
  void EndDrag(bool Drop);
  // What a drag reaching this control does: the overrides decide, the
  // default asks OnDragOver (accepted only when it is set and agrees) and
  // fires OnDragDrop.
  virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
  virtual void DragDrop(TObject* Source, int X, int Y);

  // Fires OnClick / OnDblClick; overrides add their action.
  virtual void Click();
  virtual void DblClick();

  void Loaded() override;
  // Clears the popup menu reference when the menu goes.
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // The properties every control streams: Tag, Left, Top, Width, Height,
  // Cursor, Hint, HelpType, HelpKeyword, HelpContext. Derived classes add
  // the ones they publish, in their order.
  static const TPropList& PublishedProperties();

  // ---- events
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TStartDragEvent OnStartDrag;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TEndDragEvent OnEndDrag;

protected:
  // The rule of the properties that follow the parent's (Color and
  // ParentColor, Font, ShowHint, Ctl3D), written once: an own value stops
  // following the parent and is announced with Changed; following again
  // asks for the parent's value with ParentChanged, unless there is no
  // parent yet or a layout is being read.
  template <class T>
  void SetOwnValue(T& Field, const T& Value, bool& FollowsParent, UINT Changed) {
    if (Field == Value) return;
    Field = Value;
    FollowsParent = false;
    Perform(Changed, 0, 0);
  }
  void SetFollowsParent(bool& Flag, bool Value, UINT ParentChanged);

  // Input hooks: the defaults fire the matching event.
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void Resize();
  virtual void DoStartDrag(TDragObject*& DragObject);
  virtual void DoEndDrag(TObject* Target, int X, int Y);
  virtual void VisibleChanging() {}
  // Opens the popup menu of this control (or of the nearest parent that has
  // one) at a screen point. Answers whether a menu opened.
  bool ContextPopup(const TPoint& ScreenPos);

  // Queues a repaint of the control's area in its parent; Erase asks for the
  // background under it to be erased first.
  void InvalidateControl(bool IsVisible, bool IsOpaque);
  // Tells the active controls of the forms around this one that Sender
  // starts a mouse action (CM_CANCELMODE with Sender).
  void SendCancelMode(TControl* Sender);
  void RequestAlign();

  // ---- message handlers; each first lets the default handling run where the
  // message has one.
  void WMLButtonDown(TMessage& Message);
  void WMLButtonUp(TMessage& Message);
  void WMLButtonDblClk(TMessage& Message);
  void WMRButtonDown(TMessage& Message);
  void WMRButtonUp(TMessage& Message);
  void WMRButtonDblClk(TMessage& Message);
  void WMMButtonDown(TMessage& Message);
  void WMMButtonUp(TMessage& Message);
  void WMMButtonDblClk(TMessage& Message);
  void WMMouseMove(TMessage& Message);
  void WMCancelMode(TMessage& Message);
  void WMSetText(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMParentColorChanged(TMessage& Message);
  void CMParentFontChanged(TMessage& Message);
  void CMParentShowHintChanged(TMessage& Message);
  void CMHitTest(TMessage& Message);
  void CMCursorChanged(TMessage& Message);

  TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  TControlState FControlState = 0;

private:
  friend class TWinControl;
  void DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift);
  void DoMouseUp(TMessage& Message, TMouseButton Button);
  void FontChanged(TObject* Sender);
  void DragMouseMessage(TMessage& Message);

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  bool FVisible = true;
  bool FEnabled = true;
  TColor FColor = clWindow;
  bool FParentColor = true;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  TCursor FCursor = crDefault;
  std::string FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TPopupMenuBase* FPopupMenu = nullptr;
  std::string FText;
  TDragMode FDragMode = dmManual;
  TCursor FDragCursor = crDrag;
  THelpType FHelpType = htContext;
  std::string FHelpKeyword;
  int FHelpContext = 0;
};

// ---- TWinControl --------------------------------------------------------------

// What CreateWnd makes the window from; CreateParams fills it and overrides
// adjust it.
struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASS WindowClass;  // style, cursor, background; lpszClassName is WinClassName
  std::string WinClassName;
};

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // ---- the window
  // The window, made first when there is none (with the parents' windows).
  HWND Handle();
  HWND WindowHandle() const { return FHandle; }
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  // Destroys the window (WM_DESTROY reaches it and its children) and makes
  // it anew when the control is showing; the focus stays.
  void RecreateWnd();
  // Destroys the window and those of the windowed children.
  void DestroyHandle();
  // The window procedure that DefaultHandler passes messages on to: the
  // window class's, or DefWindowProc when the class has none.
  const WNDPROC& DefWndProc() const { return FDefWndProc; }
  // The parent window of a control that has no parent control (a control
  // placed on a foreign window).
  HWND ParentWindow() const { return FParentWindow; }
  void SetParentWindow(HWND Value);

  void DefaultHandler(TMessage& Message) override;
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

  // ---- children (not owned)
  // Windowless children first, in creation order, then windowed ones.
  int ControlCount() const { return int(FControls.size() + FWinControls.size()); }
  TControl* Controls(int Index) const;
  bool ContainsControl(const TControl* Control) const;  // this or a child at any depth
  // The child under a point of the client area: windowless children from the
  // topmost (last created) down, windowed ones too with AllowWinControls.
  // Disabled children count only with AllowDisabled.
  TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled,
                         bool AllowWinControls = false) const;
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  // Hands Message to every child in turn (Controls order) until one sets a
  // non-zero result.
  void Broadcast(TMessage& Message);
  // Sends Msg (WParam 0, LParam 0) to every child.
  void NotifyControls(UINT Msg);
  // Paints the visible windowless children from First (all when null) on,
  // each clipped to its bounds, with the origin at its top-left.
  void PaintControls(HDC DC, TControl* First);
  // Lays out the children that have an Align.
  void Realign();

  // ---- focus and tab order
  bool Focused() const;
  // Visible and enabled up to the form (or the top).
  bool CanFocus() const;
  // Gives the keyboard focus to this control; EInvalidOperation when it
  // cannot take it.
  virtual void SetFocus();
  int TabOrder() const;
  void SetTabOrder(int Value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  // The windowed children and theirs, in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& List) const;
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                               bool CheckParent) const;
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  // The window is shown (the control and its parents are visible).
  bool Showing() const { return FShowing; }

  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  bool ParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool Value);
  TImeMode ImeMode() const { return FImeMode; }
  void SetImeMode(TImeMode Value) { FImeMode = Value; }
  const TImeName& ImeName() const { return FImeName; }
  void SetImeName(const TImeName& Value) { FImeName = Value; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  TRect ClientRect() const override;
  TPoint ClientOrigin() const override;
  void Invalidate() override;
  void Update() override;
  void Repaint() override;
  void PaintTo(HDC DC, int X, int Y) override;

  // The base properties; classes that publish TabOrder, TabStop, Ctl3D and
  // the rest add them in their own order.
  static const TPropList& PublishedProperties();

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

protected:
  virtual void CreateParams(TCreateParams& Params);
  // Makes the window from CreateParams; raises EInvalidOperation when a
  // child window has no parent window.
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWnd();
  virtual void CreateHandle();
  // Paints the control's own face into DC (after the background). Nothing
  // by default; TCustomControl paints with its canvas.
  virtual void PaintWindow(HDC DC) {}
  // Key hooks: the defaults fire the matching event; setting Key to 0 stops
  // the default handling.
  virtual void KeyDown(WORD& Key, TShiftState Shift);
  virtual void KeyUp(WORD& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);
  virtual void DoEnter();
  virtual void DoExit();
  // Lays out the aligned children in Rect.
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  // Shows or hides the window to follow Visible and the parents; makes the
  // window when it is to be shown.
  void UpdateShowing();
  void UpdateControlState();
  // Reads the window's place back into Left, Top, Width and Height.
  void UpdateBounds();

  bool DoKeyDown(TMessage& Message);
  bool DoKeyPress(TMessage& Message);
  bool DoKeyUp(TMessage& Message);
  // Hands a mouse message to the windowless child it is for; false when it
  // is for this control.
  bool IsControlMouseMsg(TMessage& Message);
  void PaintHandler(TMessage& Message);

  void WMPaint(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMNCCreate(TMessage& Message);
  void WMNCDestroy(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMMove(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMKeyDown(TMessage& Message);
  void WMKeyUp(TMessage& Message);
  void WMChar(TMessage& Message);
  void WMSysKeyDown(TMessage& Message);
  void WMSysKeyUp(TMessage& Message);
  void WMSysChar(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMNCLButtonDown(TMessage& Message);
  void WMMouseLeave(TMessage& Message);
  void WMCaptureChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  void CMShowHintChanged(TMessage& Message);
  void CMCursorChanged(TMessage& Message);
  void CMCtl3DChanged(TMessage& Message);
  void CMParentCtl3DChanged(TMessage& Message);
  void CMFocusChanged(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMEnter(TMessage& Message);
  void CMExit(TMessage& Message);
  void CMRecreateWnd(TMessage& Message);
  void CMSysColorChange(TMessage& Message);

private:
  friend class TControl;
  friend class TControlCanvas;
  LRESULT MainWndProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
  void InsertChild(TControl* AControl);
  void RemoveChild(TControl* AControl);
  void ForgetHandle();
  // The window is gone: the handle is forgotten and unregistered.
  void HandleGone();
  HWND PrecedingWindow(TWinControl* Control) const;
  void RemoveFocus(bool Removing);

  HWND FHandle = nullptr;
  HWND FParentWindow = nullptr;
  WNDPROC FDefWndProc;
  std::vector<TControl*> FControls;        // windowless children, creation order
  std::vector<TWinControl*> FWinControls;  // windowed children, creation order
  std::vector<TWinControl*> FTabList;      // windowed children, tab order
  bool FTabStop = false;
  bool FShowing = false;
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  bool FTrackingLeave = false;  // the window system reports the pointer leaving
  int FAlignLevel = 0;
  TImeMode FImeMode = imDontCare;
  TImeName FImeName;
};

// ---- TGraphicControl ----------------------------------------------------------

class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* Canvas() const { return FCanvas.get(); }
  void Dispatch(TMessage& Message) override;

protected:
  // Draws the control on Canvas, origin at its top-left, clipped to it.
  virtual void Paint() {}
  void WMPaint(TMessage& Message);

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

// ---- TCustomControl ---------------------------------------------------------

class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* Canvas() const { return FCanvas.get(); }
  void Dispatch(TMessage& Message) override;

protected:
  // Draws the control's face on Canvas; the background is already erased
  // (unless csOpaque) and the windowless children come after.
  virtual void Paint() {}
  void PaintWindow(HDC DC) override;
  void WMPaint(TMessage& Message);

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

// ---- Published-property helpers ---------------------------------------------------

// The setter half of an event property whose handler is a public field:
//   .Event("OnClick", &TControl::OnClick, EventSetter(&TControl::OnClick))
template <class C, class E>
auto EventSetter(E C::*Field) {
  return [Field](C& Object, const E& Value) { Object.*Field = Value; };
}

// ---- Free functions -----------------------------------------------------------

// The control that owns a window, or null.
TWinControl* FindControl(HWND Window);
// The control under a screen point across all windows of the program:
// a windowless child when one is there, else the windowed control.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);
// The control holding the mouse (see TControl::MouseCapture), or null.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// The control the pointer is over, as last announced with CM_MOUSEENTER.
TControl* MouseControl();
// Finds the control under the pointer and announces a change with
// CM_MOUSELEAVE to the old and CM_MOUSEENTER to the new one. The framework
// calls it on pointer moves and when the pointer leaves a window.
void UpdateMouseControl(const TPoint& ScreenPos);
// The pointer left Window for no window of the program: the control under
// it, when it lies in Window, is told CM_MOUSELEAVE.
void LeaveMouseControlOf(TWinControl* Window);
// Window lost the window system's capture to NewCapture: a windowless child
// it held the mouse for holds it no more.
void CaptureLeftWindow(TWinControl* Window, HWND NewCapture);

// The short (before '|') and long (after '|') parts of a hint.
std::string GetShortHint(const std::string& Hint);
std::string GetLongHint(const std::string& Hint);
