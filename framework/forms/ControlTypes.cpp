// The shift state of input, the cursor table and hint texts.

#include "framework/forms/ControlTypes.h"

#include "framework/core/Messages.h"
#include "platform/window/WinUser.h"

TShiftState KeysToShiftState(WPARAM Keys) {
  TShiftState S = 0;
  if (Keys & MK_SHIFT) S |= ssShift;
  if (Keys & MK_CONTROL) S |= ssCtrl;
  if (Keys & MK_LBUTTON) S |= ssLeft;
  if (Keys & MK_RBUTTON) S |= ssRight;
  if (Keys & MK_MBUTTON) S |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) S |= ssAlt;
  return S;
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
  TShiftState S = 0;
  if (GetKeyState(VK_SHIFT) < 0) S |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) S |= ssCtrl;
  if (KeyData & kKeyDataAltDown) S |= ssAlt;
  return S;
}

HCURSOR CursorHandle(TCursor Cursor) {
  // The framework's cursors on the shapes the window system has; crDefault,
  // crArrow, crDrag, crMultiDrag and unknown numbers show the arrow.
  static constexpr struct {
    TCursor Cursor;
    TCursorShape Shape;
  } kShapes[] = {
      {crNone, crsNone},      {crCross, crsCross},          {crIBeam, crsIBeam},
      {crSize, crsSizeAll},   {crSizeAll, crsSizeAll},      {crSizeNESW, crsSizeNESW},
      {crSizeNS, crsSizeNS},  {crVSplit, crsSizeNS},        {crSizeNWSE, crsSizeNWSE},
      {crSizeWE, crsSizeWE},  {crHSplit, crsSizeWE},        {crUpArrow, crsUpArrow},
      {crHourGlass, crsWait}, {crSQLWait, crsWait},         {crNoDrop, crsNo},
      {crNo, crsNo},          {crAppStart, crsAppStarting}, {crHelp, crsHelp},
      {crHandPoint, crsHand},
  };
  for (const auto& Entry : kShapes)
    if (Entry.Cursor == Cursor) return CursorFromShape(Entry.Shape);
  return CursorFromShape(crsArrow);
}

std::string GetShortHint(const std::string& Hint) {
  const std::size_t Bar = Hint.find('|');
  return Bar == std::string::npos ? Hint : Hint.substr(0, Bar);
}
