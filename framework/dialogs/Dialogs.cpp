#include "framework/dialogs/Dialogs.h"

#include <algorithm>
#include <cstdlib>

#include "framework/forms/Forms.h"
#include "framework/graphics/Canvas.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/Primitives.h"
#include "platform/text/Cp932.h"

using namespace msgbox;

std::string ErrorBoxText(std::string_view Message) {
  std::string Text(Message);
  if (Text.empty()) return Text;
  const std::size_t Last = cp932::PrevCharPos(Text, Text.size());
  unsigned Code = static_cast<unsigned char>(Text[Last]);
  if (Last + 1 < Text.size()) Code = (Code << 8) | static_cast<unsigned char>(Text[Last + 1]);
  if (Code > unsigned('.')) Text += '.';
  return Text;
}

int IconFactor(const TScale& Scale) {
  const int Factor = int(Scale.Num / Scale.Den);
  return Factor < 1 ? 1 : Factor;
}

TMessageBoxLayout LayoutMessageBox(TCanvas& Canvas, const std::string& Text,
                                   const std::string& Caption, TMsgBoxIcon Icon,
                                   const TScale& Scale) {
  const int kMargin = Scale.Apply(msgbox::kMargin);
  const int kIconSize = msgbox::kIconSize * IconFactor(Scale);
  const int kMaxTextWidth = Scale.Apply(msgbox::kMaxTextWidth);
  const int kButtonWidth = Scale.Apply(msgbox::kButtonWidth);
  const int kButtonHeight = Scale.Apply(msgbox::kButtonHeight);
  const int kCaptionRoom = Scale.Apply(msgbox::kCaptionRoom);
  TMessageBoxLayout L;
  int TextWidth = 0, TextHeight = 0;
  if (!Text.empty()) {
    TRect R{0, 0, kMaxTextWidth, 0};
    Canvas.DrawText(Text, R, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    TextWidth = R.Width();
    TextHeight = R.Height();
  }
  const bool HasIcon = Icon != miNone;
  if (HasIcon) L.Icon = Bounds(kMargin, kMargin, kIconSize, kIconSize);
  const int TextLeft = HasIcon ? kMargin + kIconSize + kMargin : kMargin;
  // A text shorter than the icon is centred beside it.
  const int TextTop =
      HasIcon && TextHeight < kIconSize ? kMargin + (kIconSize - TextHeight) / 2 : kMargin;
  L.Text = Bounds(TextLeft, TextTop, TextWidth, TextHeight);
  const int ContentBottom = std::max(TextTop + TextHeight, HasIcon ? L.Icon.Bottom : kMargin);

  TRect CaptionRect{0, 0, 0, 0};
  if (!Caption.empty())
    Canvas.DrawText(Caption, CaptionRect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  L.Width = std::max({TextLeft + TextWidth + kMargin, kButtonWidth + 2 * kMargin,
                      CaptionRect.Width() + kCaptionRoom});
  const int ButtonTop = ContentBottom + kMargin;
  L.Height = ButtonTop + kButtonHeight + kMargin;
  L.Button = Bounds((L.Width - kButtonWidth) / 2, ButtonTop, kButtonWidth, kButtonHeight);
  return L;
}

TPoint MessageBoxPosition(int X, int Y, int Width, int Height, int ScreenWidth, int ScreenHeight) {
  return TPoint{X >= 0 ? X : (ScreenWidth - Width) / 2, Y >= 0 ? Y : (ScreenHeight - Height) / 2};
}

void DrawErrorIcon(TCanvas& Canvas, int X, int Y, int Dot) {
  TDeviceContext& DC = *Canvas.Handle();
  const TLogBrush Red = SolidBrush(clRed), Rim = SolidBrush(RGB(128, 0, 0)),
                  White = SolidBrush(RGB(255, 255, 255));
  for (int PY = 0; PY < kIconSize; ++PY)
    for (int PX = 0; PX < kIconSize; ++PX) {
      // Twice the distance from the centre (15.5, 15.5), in whole numbers.
      const int DX = 2 * PX - (kIconSize - 1), DY = 2 * PY - (kIconSize - 1);
      const int D2 = DX * DX + DY * DY;
      if (D2 >= kIconSize * kIconSize) continue;  // outside the disc
      const TLogBrush* Brush = D2 >= 29 * 29 ? &Rim : &Red;
      const bool InCross = PX >= 8 && PX <= 23 && PY >= 8 && PY <= 23 &&
                           (std::abs(PX - PY) <= 1 || std::abs(PX + PY - (kIconSize - 1)) <= 1);
      if (InCross) Brush = &White;
      FillRect(DC, Bounds(X + PX * Dot, Y + PY * Dot, Dot, Dot), *Brush);
    }
}

void DrawPushButton(TCanvas& Canvas, const TRect& Bounds, const std::string& Caption, bool Pushed,
                    bool Focused, bool Default) {
  TRect R = Bounds;
  if (Default) {
    Canvas.Brush()->SetColor(clWindowFrame);
    Canvas.FrameRect(R);
    R = TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
  }
  if (Pushed) {
    Canvas.Brush()->SetColor(clBtnShadow);
    Canvas.FrameRect(R);
    Canvas.Brush()->SetColor(clBtnFace);
    Canvas.FillRect(TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1});
  } else {
    DrawFrameControl(*Canvas.Handle(), R, DFC_BUTTON, DFCS_BUTTONPUSH);
  }
  TRect TextRect = R;
  if (Pushed) TextRect = TRect{R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1};
  Canvas.Brush()->SetStyle(bsClear);
  Canvas.Font()->SetColor(clBtnText);
  Canvas.DrawText(Caption, TextRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (Focused)
    Canvas.DrawFocusRect(
        TRect{Bounds.Left + 4, Bounds.Top + 4, Bounds.Right - 4, Bounds.Bottom - 4});
}

int ShowErrorBox(const std::string& Message, const std::string& Caption) {
  return MessageBoxCentered(GetActiveWindow(), ErrorBoxText(Message), Caption, miError);
}

void InstallErrorBox(TApplication& App) {
  App.SetErrorBox(
      [](const std::string& Text, const std::string& Caption) { ShowErrorBox(Text, Caption); });
}
