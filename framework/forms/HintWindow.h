#pragma once
// THintWindow: the small tool-tip window the application shows for a
// control's hint. It draws the text in the info colours (clInfoText on the
// hint colour, clInfoBk unless the control asked for another) inside a
// one-pixel frame, never takes the activation and lets the mouse through to
// what lies under it.
//
// InstallHintWindow makes one, owned by the application, and hands it to the
// application's hint machinery (TApplication::SetHintPresenter), which
// decides when and where a hint shows.

#include <string>

#include "framework/forms/Forms.h"

namespace hintlook {
constexpr int kMaxTextWidth = 300;  // longer hints wrap
// Between the frame and the text: 2 pixels left, 4 right, 1 above and below.
constexpr int kPadLeft = 2, kPadRight = 4, kPadTop = 1, kPadBottom = 1;
}  // namespace hintlook

class THintWindow : public TComponent, public THintPresenter {
public:
  explicit THintWindow(TComponent* AOwner);
  // Destroys the window and, when it is the application's hint window,
  // takes itself out of the application first.
  ~THintWindow() override;

  // THintPresenter: shows Info.HintStr at Info.HintPos in Info.HintColor.
  void ShowHint(const THintInfo& Info) override;
  void HideHint() override;

  // Shows Text with the window's top-left corner at the screen point,
  // moved back onto the screen where it would run past an edge. An empty
  // text hides the window.
  void ActivateHint(const TPoint& ScreenPos, const std::string& Text, TColor Color = clInfoBk);
  // The window's size for a text (frame and padding included).
  TRect CalcHintRect(const std::string& Text) const;

  HWND Handle() const { return FHandle; }
  bool Showing() const;
  const std::string& Text() const { return FText; }
  TFont* Font() const { return FFont.get(); }

  // Makes this the application's hint window.
  void Install(TApplication& App);

private:
  static TScale ScaleNow();
  // The hint's font at the program's scale.
  void SelectFont(TCanvas& Canvas) const;
  void CreateHandle();
  LRESULT WindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);

  HWND FHandle = nullptr;
  std::string FText;
  TColor FColor = clInfoBk;
  std::unique_ptr<TFont> FFont;
  TApplication* FInstalledIn = nullptr;
};

// Creates the application's hint window (owned by App) and installs it.
THintWindow* InstallHintWindow(TApplication& App);
