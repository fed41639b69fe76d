#pragma once
// TCanvasBinding: a canvas drawing on a device context it does not own (a
// paint context, a screen context for measuring) for one scope. The canvas is
// unbound when the scope ends, also when an error leaves it, so it never keeps
// a context that its owner gives back.

#include "framework/graphics/Canvas.h"

class TCanvasBinding {
public:
  // A context the canvas took for itself is given back first.
  TCanvasBinding(TCanvas& Canvas, TDeviceContext* DC) : FCanvas(Canvas) {
    Canvas.FreeHandle();
    Canvas.SetHandle(DC);
  }
  ~TCanvasBinding() { FCanvas.SetHandle(nullptr); }
  TCanvasBinding(const TCanvasBinding&) = delete;
  TCanvasBinding& operator=(const TCanvasBinding&) = delete;

private:
  TCanvas& FCanvas;
};
