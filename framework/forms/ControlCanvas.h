#pragma once
// TControlCanvas: the canvas of a control.

#include "framework/forms/ControlTypes.h"
#include "framework/graphics/Canvas.h"

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
