#pragma once
// TCustomControl: a windowed control that paints itself on a canvas.

#include <memory>

#include "framework/forms/ControlCanvas.h"
#include "framework/forms/WinControl.h"

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
