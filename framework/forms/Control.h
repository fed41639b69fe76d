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

#include <memory>
#include <string>
#include <vector>

#include "framework/core/Classes.h"
#include "framework/core/Messages.h"
#include "framework/forms/ControlTypes.h"
#include "framework/forms/DragObject.h"
#include "framework/forms/PopupMenuBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/streaming/StreamingProperties.h"
#include "platform/core/Scale.h"

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

  // ---- the desktop's scale
  // The pixels per inch the control's geometry, font and metrics are at
  // now: 96 as made, the program's figure once its form has scaled it.
  double PixelsPerInch() const { return FPixelsPerInch; }
  // Scales a length or position given at 96 pixels per inch (a metric of the
  // control's own: a button's width, a margin) to the control's figure.
  int Scaled(int DesignValue) const { return DesignScale().Apply(DesignValue); }
  // The same for a line's width: at least one pixel.
  int ScaledStroke(int DesignValue) const { return DesignScale().Stroke(DesignValue); }
  TScale DesignScale() const { return TScale::FromDesign(FPixelsPerInch); }
  // Rescales the control by Scale (from PixelsPerInch() to Scale.To()): its
  // edges by the one rounding rule, its own font (a font that follows the
  // parent follows the parent's), then what a subclass adds to it; a
  // windowed control scales its children first.
  virtual void ChangeScale(const TScale& Scale);

protected:
  // ChangeScale's step for the control's own edges; a form places itself.
  virtual void ScaleOwnBounds(const TScale& Scale);

public:
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
  // The drag passed its threshold (or started at once): its object is made,
  // by OnStartDrag or here. False when the handler ended the drag.
  bool MakeDragObject();
  void MoveInZOrder(bool ToFront);

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  double FPixelsPerInch = 96.0;
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

// The setter half of an event property whose handler is a public field:
//   .Event("OnClick", &TControl::OnClick, EventSetter(&TControl::OnClick))
template <class C, class E>
auto EventSetter(E C::*Field) {
  return [Field](C& Object, const E& Value) { Object.*Field = Value; };
}
