#pragma once
// TGraphicControl: a windowless control painted by its parent.

#include <memory>

#include "framework/forms/Control.h"
#include "framework/forms/ControlCanvas.h"

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
