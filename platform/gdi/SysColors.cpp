#include "platform/gdi/SysColors.h"

#include "platform/core/Scale.h"

namespace {

// The Windows 7 defaults of the classic scheme, as 0x00BBGGRR.
constexpr TColor kSysColors[COLOR_ENDCOLORS + 1] = {
    RGB(0xC8, 0xC8, 0xC8),  // COLOR_SCROLLBAR
    RGB(0x00, 0x00, 0x00),  // COLOR_BACKGROUND
    RGB(0x99, 0xB4, 0xD1),  // COLOR_ACTIVECAPTION
    RGB(0xBF, 0xCD, 0xDB),  // COLOR_INACTIVECAPTION
    RGB(0xF0, 0xF0, 0xF0),  // COLOR_MENU
    RGB(0xFF, 0xFF, 0xFF),  // COLOR_WINDOW
    RGB(0x64, 0x64, 0x64),  // COLOR_WINDOWFRAME
    RGB(0x00, 0x00, 0x00),  // COLOR_MENUTEXT
    RGB(0x00, 0x00, 0x00),  // COLOR_WINDOWTEXT
    RGB(0x00, 0x00, 0x00),  // COLOR_CAPTIONTEXT
    RGB(0xB4, 0xB4, 0xB4),  // COLOR_ACTIVEBORDER
    RGB(0xF4, 0xF7, 0xFC),  // COLOR_INACTIVEBORDER
    RGB(0xAB, 0xAB, 0xAB),  // COLOR_APPWORKSPACE
    RGB(0x33, 0x99, 0xFF),  // COLOR_HIGHLIGHT
    RGB(0xFF, 0xFF, 0xFF),  // COLOR_HIGHLIGHTTEXT
    RGB(0xF0, 0xF0, 0xF0),  // COLOR_BTNFACE
    RGB(0xA0, 0xA0, 0xA0),  // COLOR_BTNSHADOW
    RGB(0x6D, 0x6D, 0x6D),  // COLOR_GRAYTEXT
    RGB(0x00, 0x00, 0x00),  // COLOR_BTNTEXT
    RGB(0x43, 0x4E, 0x54),  // COLOR_INACTIVECAPTIONTEXT
    RGB(0xFF, 0xFF, 0xFF),  // COLOR_BTNHIGHLIGHT
    RGB(0x69, 0x69, 0x69),  // COLOR_3DDKSHADOW
    RGB(0xE3, 0xE3, 0xE3),  // COLOR_3DLIGHT
    RGB(0x00, 0x00, 0x00),  // COLOR_INFOTEXT
    RGB(0xFF, 0xFF, 0xE1),  // COLOR_INFOBK
    RGB(0x00, 0x00, 0x00),  // 25, unused
    RGB(0x00, 0x66, 0xCC),  // COLOR_HOTLIGHT
    RGB(0xB9, 0xD1, 0xEA),  // COLOR_GRADIENTACTIVECAPTION
    RGB(0xD7, 0xE4, 0xF2),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(0x33, 0x99, 0xFF),  // COLOR_MENUHILIGHT
    RGB(0xF0, 0xF0, 0xF0),  // COLOR_MENUBAR
};

int GScreenWidth = 1024;
int GScreenHeight = 768;
double GScreenPixelsPerInch = 96.0;

}  // namespace

TColor GetSysColor(int Index) {
  if (Index < 0 || Index > COLOR_ENDCOLORS) return 0;
  return kSysColors[Index];
}

TColor ColorToRGB(TColor Color) {
  if (Color < 0) return GetSysColor(Color & 0x00FFFFFF);
  if (Color == clNone || Color == clDefault) return 0;
  return Color & 0x00FFFFFF;
}

int GetSystemMetrics(int Index) {
  switch (Index) {
    case SM_CXSCREEN:
      return GScreenWidth;
    case SM_CYSCREEN:
      return GScreenHeight;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
      return 17;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return 2;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
      return 4;
    case SM_CYCAPTION:
      return 19;
    case SM_CYSMCAPTION:
      return 15;
    case SM_CYMENU:
      return 19;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
      return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
      return 16;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
      return 4;
    case SM_CXDRAG:
    case SM_CYDRAG:
      return 4;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK:
      return 13;
    default:
      return 0;
  }
}

void SetScreenSize(int Width, int Height) {
  if (Width > 0) GScreenWidth = Width;
  if (Height > 0) GScreenHeight = Height;
}

double GetScreenPixelsPerInch() { return GScreenPixelsPerInch; }

void SetScreenPixelsPerInch(double Value) {
  if (Value > 0) GScreenPixelsPerInch = Value;
}

int GetScaledStroke() { return TScale::FromDesign(GScreenPixelsPerInch).Stroke(1); }

int GetScaledSystemMetrics(int Index) {
  switch (Index) {
    case SM_CXSCREEN:
    case SM_CYSCREEN:
      return GetSystemMetrics(Index);
    case SM_CXBORDER:
    case SM_CYBORDER:
    case SM_CXEDGE:
    case SM_CYEDGE:
      // Drawn as lines: one line's width times their lines.
      return GetSystemMetrics(Index) * GetScaledStroke();
    default:
      return TScale::FromDesign(GScreenPixelsPerInch).Apply(GetSystemMetrics(Index));
  }
}
