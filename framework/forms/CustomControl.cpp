// TCustomControl: paints itself on its canvas, then its windowless children.

#include "framework/forms/CustomControl.h"

#include "framework/graphics/CanvasBinding.h"

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() {
  // The canvas may hold a context of the window that is about to go.
  FCanvas->FreeHandle();
}

void TCustomControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      WMPaint(Message);
      break;
    default:
      TWinControl::Dispatch(Message);
      break;
  }
}

void TCustomControl::WMPaint(TMessage& Message) {
  FControlState |= csCustomPaint;
  struct TClear {
    TControlState& State;
    ~TClear() { State &= ~TControlState(csCustomPaint); }
  } Clear{FControlState};
  TWinControl::WMPaint(Message);
}

void TCustomControl::PaintWindow(HDC DC) {
  TCanvasBinding Binding(*FCanvas, DC);
  Paint();
}
