// TGraphicControl: painted by its parent, on the parent's paint context.

#include "framework/forms/GraphicControl.h"

#include "framework/forms/WinControl.h"
#include "framework/graphics/CanvasBinding.h"

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      WMPaint(Message);
      break;
    default:
      TControl::Dispatch(Message);
      break;
  }
}

void TGraphicControl::WMPaint(TMessage& Message) {
  if (!Message.WParam || HasState(csDestroying)) return;
  TCanvasBinding Binding(*FCanvas, reinterpret_cast<HDC>(Message.WParam));
  Paint();
}
