#pragma once
// Small controls for the tests of the control and form classes: a windowless
// block, a windowed block, a popup menu that records where it was opened,
// and a form that binds handlers by name. They log what reaches them.

#include <string>
#include <vector>

#include "framework/forms/Controls.h"
#include "framework/forms/Forms.h"
#include "framework/streaming/Streaming.h"
#include "platform/MessageLog.h"

namespace controlstest {

// What happened, in order: "Enter Block1", "Click Block2", ...
inline TMessageLog<std::string>& Log() {
  static TMessageLog<std::string> Entries;
  return Entries;
}

inline std::string NameOf(const TObject* Object) {
  auto* Component = dynamic_cast<const TComponent*>(Object);
  return Component ? Component->Name() : std::string("?");
}

// Properties both test controls publish.
template <class T>
TPropList ControlProperties(const TPropList& Base) {
  return TPropertyTable<T>(Base)
      .String("Caption", &TControl::Caption, &TControl::SetCaption)
      .Color("Color", &TControl::Color, &TControl::SetColor, DefaultIs(clWindow))
      .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled, DefaultIs(1))
      .template Object<TFont>("Font", &TControl::Font)
      .Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, DefaultIs(1))
      .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, DefaultIs(1))
      .Boolean("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint,
               DefaultIs(1))
      .Component("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
      .Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint, DefaultIs(0))
      .Boolean("Visible", &TControl::Visible, &TControl::SetVisible, DefaultIs(1))
      .Event("OnClick", &TControl::OnClick, EventSetter(&TControl::OnClick))
      .Event("OnDblClick", &TControl::OnDblClick, EventSetter(&TControl::OnDblClick));
}

// A windowless block that fills itself with its Color. Opaque when asked.
class TCtlGraphic : public TGraphicControl {
public:
  explicit TCtlGraphic(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 20, 20); }
  void SetOpaque(bool Value) {
    SetControlStyle(Value ? ControlStyle() | csOpaque : ControlStyle() & ~csOpaque);
  }
  void Dispatch(TMessage& Message) override {
    switch (Message.Msg) {
      case CM_MOUSEENTER:
        Log().push_back("Enter " + Name());
        break;
      case CM_MOUSELEAVE:
        Log().push_back("Leave " + Name());
        break;
      case CM_FONTCHANGED:
        ++FontChanges;
        break;
      case CM_COLORCHANGED:
        ++ColorChanges;
        break;
      case CM_DIALOGCHAR:
        if (Message.WParam == Accelerator) {
          Log().push_back("Accelerator " + Name());
          Message.Result = 1;
          return;
        }
        break;
      case CM_CANCELMODE:
        Log().push_back("CancelMode " + Name() + " from " +
                        NameOf(reinterpret_cast<TControl*>(Message.LParam)));
        break;
      default:
        break;
    }
    TGraphicControl::Dispatch(Message);
  }
  void Loaded() override {
    TGraphicControl::Loaded();
    Log().push_back("Loaded " + Name());
  }
  static const TPropList& PublishedProperties() {
    static const TPropList List =
        ControlProperties<TCtlGraphic>(TGraphicControl::PublishedProperties());
    return List;
  }
  int Paints = 0;
  int FontChanges = 0;
  int ColorChanges = 0;
  WPARAM Accelerator = 0;
  std::vector<std::string> Mouse;  // "Down 3,4", "Up 3,4", "Move 3,4"

protected:
  void Paint() override {
    ++Paints;
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
  }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    Mouse.push_back("Down " + std::to_string(X) + "," + std::to_string(Y));
    TGraphicControl::MouseDown(Button, Shift, X, Y);
  }
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    Mouse.push_back("Up " + std::to_string(X) + "," + std::to_string(Y));
    TGraphicControl::MouseUp(Button, Shift, X, Y);
  }
  void MouseMove(TShiftState Shift, int X, int Y) override {
    Mouse.push_back("Move " + std::to_string(X) + "," + std::to_string(Y));
    TGraphicControl::MouseMove(Shift, X, Y);
  }
};

// A windowed block that fills itself with its Color and logs its keys.
class TCtlWindowed : public TCustomControl {
public:
  explicit TCtlWindowed(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 30, 30);
    SetTabStop(true);
  }
  void Dispatch(TMessage& Message) override {
    switch (Message.Msg) {
      case CM_MOUSEENTER:
        Log().push_back("Enter " + Name());
        break;
      case CM_MOUSELEAVE:
        Log().push_back("Leave " + Name());
        break;
      case WM_DESTROY:
        Log().push_back("Destroy " + Name());
        break;
      case CM_CANCELMODE:
        Log().push_back("CancelMode " + Name() + " from " +
                        NameOf(reinterpret_cast<TControl*>(Message.LParam)));
        break;
      case CM_FOCUSCHANGED:
        ++FocusChanges;
        break;
      case WM_GETDLGCODE:
        Message.Result = DlgCode;
        return;
      default:
        break;
    }
    TCustomControl::Dispatch(Message);
  }
  void Loaded() override {
    TCustomControl::Loaded();
    Log().push_back("Loaded " + Name());
  }
  static const TPropList& PublishedProperties() {
    static const TPropList List =
        TPropertyTable<TCtlWindowed>(
            ControlProperties<TCtlWindowed>(TCustomControl::PublishedProperties()))
            .Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, DefaultIs(-1))
            .Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, DefaultIs(1))
            .Event("OnEnter", &TWinControl::OnEnter, EventSetter(&TWinControl::OnEnter))
            .Event("OnExit", &TWinControl::OnExit, EventSetter(&TWinControl::OnExit))
            .Event("OnKeyDown", &TWinControl::OnKeyDown, EventSetter(&TWinControl::OnKeyDown))
            .Event("OnKeyPress", &TWinControl::OnKeyPress, EventSetter(&TWinControl::OnKeyPress));
    return List;
  }
  int Paints = 0;
  int FocusChanges = 0;
  LRESULT DlgCode = 0;
  std::string Keys;  // "D41 P61 U41 "

protected:
  void Paint() override {
    ++Paints;
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
  }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && CanFocus()) SetFocus();
  }
  void KeyDown(WORD& Key, TShiftState Shift) override {
    TCustomControl::KeyDown(Key, Shift);
    Keys += "D" + Hex(Key) + " ";
  }
  void KeyPress(char& Key) override {
    TCustomControl::KeyPress(Key);
    Keys += "P" + Hex(static_cast<unsigned char>(Key)) + " ";
  }
  void KeyUp(WORD& Key, TShiftState Shift) override {
    TCustomControl::KeyUp(Key, Shift);
    Keys += "U" + Hex(Key) + " ";
  }

private:
  static std::string Hex(unsigned V) {
    static const char* Digits = "0123456789ABCDEF";
    return std::string{Digits[(V >> 4) & 15], Digits[V & 15]};
  }
};

class TCtlPopupMenu : public TPopupMenuBase {
public:
  using TPopupMenuBase::TPopupMenuBase;
  void Popup(int X, int Y) override {
    Log().push_back("Popup " + Name() + " at " + std::to_string(X) + "," + std::to_string(Y) +
                    " for " + NameOf(PopupComponent()));
  }
  static const TPropList& PublishedProperties() { return ComponentPublishedProperties(); }
};

// A form whose layout binds its handlers by name.
class TCtlForm : public TForm {
public:
  explicit TCtlForm(TComponent* AOwner) : TForm(AOwner) {
    FMethods.Add("FormCreate", this, &TCtlForm::FormCreate);
    FMethods.Add("FormClose", this, &TCtlForm::FormClose);
    FMethods.Add("BlockClick", this, &TCtlForm::BlockClick);
  }
  void FormCreate(TObject*) {
    Log().push_back("FormCreate");
    if (ThrowOnCreate) throw Exception("作成できません");
  }
  void FormClose(TObject*, TCloseAction& Action) {
    Log().push_back("FormClose");
    Action = CloseAction;
  }
  void BlockClick(TObject* Sender) { Log().push_back("Click " + NameOf(Sender)); }
  using TCustomForm::FMethods;
  TCloseAction CloseAction = caHide;
  static inline bool ThrowOnCreate = false;
};

inline void RegisterTestClasses() {
  static bool Done = false;
  if (Done) return;
  Done = true;
  RegisterClass<TCtlGraphic>("TCtlGraphic");
  RegisterClass<TCtlWindowed>("TCtlWindowed");
  RegisterClass<TCtlPopupMenu>("TCtlPopupMenu");
  RegisterClass<TCtlForm>("TCtlForm");
  RegisterClass<TForm>("TForm");
}

}  // namespace controlstest
