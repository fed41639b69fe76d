// The published-property tables of the control and form classes.

#include "framework/forms/Controls.h"
#include "framework/forms/Forms.h"

const TPropList& TControl::PublishedProperties() {
  static const TPropList List =
      TPropertyTable<TControl>(ComponentPublishedProperties())
          .Integer("Left", &TControl::Left, &TControl::SetLeft)
          .Integer("Top", &TControl::Top, &TControl::SetTop)
          .Integer("Width", &TControl::Width, &TControl::SetWidth)
          .Integer("Height", &TControl::Height, &TControl::SetHeight)
          .Integer("Cursor", &TControl::Cursor, &TControl::SetCursor, DefaultIs(crDefault),
                   &CursorIdents())
          .String("Hint", &TControl::Hint, &TControl::SetHint)
          .Enum("HelpType", &TControl::HelpType, &TControl::SetHelpType, {"htKeyword", "htContext"},
                DefaultIs(htContext))
          .String("HelpKeyword", &TControl::HelpKeyword, &TControl::SetHelpKeyword)
          .Integer("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext, DefaultIs(0));
  return List;
}

const TPropList& TWinControl::PublishedProperties() { return TControl::PublishedProperties(); }

const TPropList& TForm::PublishedProperties() {
  static const TPropList List =
      TPropertyTable<TForm>(TWinControl::PublishedProperties())
          // A form is sized by its client area; Width and Height follow.
          .Redeclare("Width", NeverStored())
          .Redeclare("Height", NeverStored())
          .Component("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl)
          .Set("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons,
               {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"},
               DefaultIs(biSystemMenu | biMinimize | biMaximize))
          .Enum("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle,
                {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"},
                DefaultIs(bsSizeable))
          .String("Caption", &TControl::Caption, &TControl::SetCaption)
          .Integer("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight)
          .Integer("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth)
          .Color("Color", &TControl::Color, &TControl::SetColor, DefaultIs(clBtnFace))
          .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled, DefaultIs(1))
          .Object<TFont>("Font", &TControl::Font)
          .Enum("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle,
                {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}, DefaultIs(fsNormal))
          .Boolean("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview,
                   DefaultIs(0))
          .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, DefaultIs(0))
          .Component("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
          .Enum("Position", &TCustomForm::Position, &TCustomForm::SetPosition,
                {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                 "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"},
                DefaultIs(poDesigned))
          .Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint, DefaultIs(0))
          .Boolean("Visible", &TControl::Visible, &TControl::SetVisible, DefaultIs(0))
          .Enum("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState,
                {"wsNormal", "wsMinimized", "wsMaximized"}, DefaultIs(wsNormal))
          .Event("OnActivate", &TCustomForm::OnActivate, EventSetter(&TCustomForm::OnActivate))
          .Event("OnClick", &TControl::OnClick, EventSetter(&TControl::OnClick))
          .Event("OnClose", &TCustomForm::OnClose, EventSetter(&TCustomForm::OnClose))
          .Event("OnCloseQuery", &TCustomForm::OnCloseQuery,
                 EventSetter(&TCustomForm::OnCloseQuery))
          .Event("OnCreate", &TCustomForm::OnCreate, EventSetter(&TCustomForm::OnCreate))
          .Event("OnDblClick", &TControl::OnDblClick, EventSetter(&TControl::OnDblClick))
          .Event("OnDeactivate", &TCustomForm::OnDeactivate,
                 EventSetter(&TCustomForm::OnDeactivate))
          .Event("OnHide", &TCustomForm::OnHide, EventSetter(&TCustomForm::OnHide))
          .Event("OnKeyDown", &TWinControl::OnKeyDown, EventSetter(&TWinControl::OnKeyDown))
          .Event("OnKeyPress", &TWinControl::OnKeyPress, EventSetter(&TWinControl::OnKeyPress))
          .Event("OnKeyUp", &TWinControl::OnKeyUp, EventSetter(&TWinControl::OnKeyUp))
          .Event("OnMouseDown", &TControl::OnMouseDown, EventSetter(&TControl::OnMouseDown))
          .Event("OnMouseMove", &TControl::OnMouseMove, EventSetter(&TControl::OnMouseMove))
          .Event("OnMouseUp", &TControl::OnMouseUp, EventSetter(&TControl::OnMouseUp))
          .Event("OnPaint", &TCustomForm::OnPaint, EventSetter(&TCustomForm::OnPaint))
          .Event("OnResize", &TControl::OnResize, EventSetter(&TControl::OnResize))
          .Event("OnShow", &TCustomForm::OnShow, EventSetter(&TCustomForm::OnShow));
  return List;
}
