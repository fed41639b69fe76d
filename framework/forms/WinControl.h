#pragma once
// TWinControl: a control with a window of its own (see Control.h).

#include <string>
#include <vector>

#include "framework/forms/Control.h"

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

  void ChangeScale(const TScale& Scale) override;
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
  // The CM_ half of Dispatch.
  void DispatchNotification(TMessage& Message);
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

// The control that owns a window, or null.
TWinControl* FindControl(HWND Window);
