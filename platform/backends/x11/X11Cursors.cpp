// The X11 backend's pointer shapes: the standard cursors as X font cursors.

#include <X11/cursorfont.h>

#include "platform/backends/x11/X11Backend.h"

Cursor TX11Backend::CursorFor(TCursorShape Shape) {
  auto It = FCursors.find(int(Shape));
  if (It != FCursors.end()) return It->second;
  Cursor C = None;
  if (Shape == crsNone) {
    // An empty 1 by 1 bitmap: a cursor that shows nothing.
    static const char Empty[1] = {0};
    Pixmap Blank = XCreateBitmapFromData(FDpy, FRoot, Empty, 1, 1);
    XColor Black{};
    C = XCreatePixmapCursor(FDpy, Blank, Blank, &Black, &Black, 0, 0);
    XFreePixmap(FDpy, Blank);
  } else {
    unsigned Glyph = XC_left_ptr;
    switch (Shape) {
      case crsIBeam:
        Glyph = XC_xterm;
        break;
      case crsWait:
      case crsAppStarting:
        Glyph = XC_watch;
        break;
      case crsCross:
        Glyph = XC_crosshair;
        break;
      case crsUpArrow:
        Glyph = XC_sb_up_arrow;
        break;
      case crsSizeNWSE:
        Glyph = XC_bottom_right_corner;
        break;
      case crsSizeNESW:
        Glyph = XC_bottom_left_corner;
        break;
      case crsSizeWE:
        Glyph = XC_sb_h_double_arrow;
        break;
      case crsSizeNS:
        Glyph = XC_sb_v_double_arrow;
        break;
      case crsSizeAll:
        Glyph = XC_fleur;
        break;
      case crsNo:
        Glyph = XC_X_cursor;
        break;
      case crsHand:
        Glyph = XC_hand2;
        break;
      case crsHelp:
        Glyph = XC_question_arrow;
        break;
      default:
        Glyph = XC_left_ptr;
        break;
    }
    C = XCreateFontCursor(FDpy, Glyph);
  }
  FCursors[int(Shape)] = C;
  return C;
}

void TX11Backend::SetCursorShape(TNativeWindow Window, TCursorShape Shape) {
  TNative* N = Find(::Window(Window));
  if (!N) return;
  XDefineCursor(FDpy, N->Id, CursorFor(Shape));
  XFlush(FDpy);
}
