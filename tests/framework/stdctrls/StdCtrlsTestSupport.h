#pragma once
// Shared by the tests of the stock controls: a form class with handlers a
// layout can bind, a hook on a window's idle notifications (what a modal
// menu or box sends its owner while it waits for the user), and helpers to
// find ink on a surface.

#include <functional>
#include <string>
#include <vector>

#include "framework/HeadlessFixture.h"
#include "framework/menus/Menus.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/StdCtrls.h"
#include "framework/streaming/StreamingRegistry.h"

namespace stocktest {

class TStockForm : public TForm {
public:
  explicit TStockForm(TComponent* AOwner) : TForm(AOwner) {
    FMethods.Add("Button1Click", this, &TStockForm::Button1Click);
    FMethods.Add("N4Click", this, &TStockForm::N4Click);
    FMethods.Add("N7Click", this, &TStockForm::N7Click);
    FMethods.Add("N8Click", this, &TStockForm::N8Click);
  }
  void Button1Click(TObject* Sender) { Clicks.push_back("Button1Click"); }
  void N4Click(TObject* Sender) { Clicks.push_back("N4Click"); }
  void N7Click(TObject* Sender) { Clicks.push_back("N7Click"); }
  void N8Click(TObject* Sender) { Clicks.push_back("N8Click"); }
  std::vector<std::string> Clicks;
};

inline void RegisterStockTestClasses() {
  static bool Done = false;
  if (Done) return;
  Done = true;
  RegisterStockControls();
  RegisterClass<TStockForm>("TStockForm");
}

// Calls Fn(IdleKind, ModalWindow) whenever Window gets WM_ENTERIDLE.
inline void HookIdle(HWND Window, std::function<void(WPARAM, HWND)> Fn) {
  const WNDPROC Old = GetWindowProc(Window);
  SetWindowProc(Window, [Old, Fn](HWND W, UINT M, WPARAM WP, LPARAM LP) -> LRESULT {
    if (M == WM_ENTERIDLE) Fn(WP, reinterpret_cast<HWND>(LP));
    return CallWindowProc(Old, W, M, WP, LP);
  });
}

// The bounding box of the pixels in Area that differ from Background;
// empty when there are none.
inline TRect InkBox(const TSurface& S, const TRect& Area, std::uint32_t Background) {
  TRect Box{Area.Right, Area.Bottom, Area.Left, Area.Top};
  for (int Y = Area.Top; Y < Area.Bottom; ++Y)
    for (int X = Area.Left; X < Area.Right; ++X)
      if ((S.Row(Y)[X] & 0xFFFFFF) != Background) {
        Box.Left = std::min(Box.Left, X);
        Box.Top = std::min(Box.Top, Y);
        Box.Right = std::max(Box.Right, X + 1);
        Box.Bottom = std::max(Box.Bottom, Y + 1);
      }
  return Box.IsEmpty() ? TRect{} : Box;
}

inline int CountPixels(const TSurface& S, const TRect& Area, std::uint32_t Pixel) {
  int N = 0;
  for (int Y = Area.Top; Y < Area.Bottom; ++Y)
    for (int X = Area.Left; X < Area.Right; ++X) N += (S.Row(Y)[X] & 0xFFFFFF) == Pixel;
  return N;
}

}  // namespace stocktest
