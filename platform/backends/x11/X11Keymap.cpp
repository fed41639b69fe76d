#include "platform/backends/x11/X11Keymap.h"

#include <X11/keysym.h>

#include "platform/window/WinDefs.h"

namespace x11 {

namespace {

// The punctuation keys of a US keyboard, which WinDefs.h leaves out because
// no control of this system asks for them; the values are Windows' own.
enum : int {
  VK_OEM_1 = 0xBA,       // ;:
  VK_OEM_PLUS = 0xBB,    // =+
  VK_OEM_COMMA = 0xBC,   // ,<
  VK_OEM_MINUS = 0xBD,   // -_
  VK_OEM_PERIOD = 0xBE,  // .>
  VK_OEM_2 = 0xBF,       // /?
  VK_OEM_3 = 0xC0,       // `~
  VK_OEM_4 = 0xDB,       // [{
  VK_OEM_5 = 0xDC,       // \|
  VK_OEM_6 = 0xDD,       // ]}
  VK_OEM_7 = 0xDE,       // '"
};

struct TKeyPair {
  unsigned long Keysym;
  int VirtualKey;
};

constexpr TKeyPair kKeys[] = {
    {XK_BackSpace, VK_BACK},
    {XK_Tab, VK_TAB},
    {XK_ISO_Left_Tab, VK_TAB},  // Shift+Tab on most layouts
    {XK_Clear, VK_CLEAR},
    {XK_Return, VK_RETURN},
    {XK_Pause, VK_PAUSE},
    {XK_Scroll_Lock, VK_SCROLL},
    {XK_Escape, VK_ESCAPE},
    {XK_Delete, VK_DELETE},
    {XK_Home, VK_HOME},
    {XK_Left, VK_LEFT},
    {XK_Up, VK_UP},
    {XK_Right, VK_RIGHT},
    {XK_Down, VK_DOWN},
    {XK_Prior, VK_PRIOR},
    {XK_Next, VK_NEXT},
    {XK_End, VK_END},
    {XK_Begin, VK_CLEAR},
    {XK_Print, VK_SNAPSHOT},
    {XK_Insert, VK_INSERT},
    {XK_Menu, VK_APPS},
    {XK_Help, VK_HELP},
    {XK_Num_Lock, VK_NUMLOCK},
    {XK_Caps_Lock, VK_CAPITAL},
    {XK_Shift_L, VK_SHIFT},
    {XK_Shift_R, VK_SHIFT},
    {XK_Control_L, VK_CONTROL},
    {XK_Control_R, VK_CONTROL},
    {XK_Alt_L, VK_MENU},
    {XK_Alt_R, VK_MENU},
    {XK_Meta_L, VK_MENU},
    {XK_Meta_R, VK_MENU},
    {XK_ISO_Level3_Shift, VK_MENU},  // AltGr
    {XK_Super_L, VK_LWIN},
    {XK_Super_R, VK_RWIN},
    {XK_space, VK_SPACE},
    // The keypad without Num Lock: the cursor keys it doubles as.
    {XK_KP_Space, VK_SPACE},
    {XK_KP_Tab, VK_TAB},
    {XK_KP_Enter, VK_RETURN},
    {XK_KP_Home, VK_HOME},
    {XK_KP_Left, VK_LEFT},
    {XK_KP_Up, VK_UP},
    {XK_KP_Right, VK_RIGHT},
    {XK_KP_Down, VK_DOWN},
    {XK_KP_Prior, VK_PRIOR},
    {XK_KP_Next, VK_NEXT},
    {XK_KP_End, VK_END},
    {XK_KP_Begin, VK_CLEAR},
    {XK_KP_Insert, VK_INSERT},
    {XK_KP_Delete, VK_DELETE},
    {XK_KP_Multiply, VK_MULTIPLY},
    {XK_KP_Add, VK_ADD},
    {XK_KP_Separator, VK_SEPARATOR},
    {XK_KP_Subtract, VK_SUBTRACT},
    {XK_KP_Decimal, VK_DECIMAL},
    {XK_KP_Divide, VK_DIVIDE},
    // Punctuation, unshifted and shifted (a layout may put either first).
    {XK_semicolon, VK_OEM_1},
    {XK_colon, VK_OEM_1},
    {XK_equal, VK_OEM_PLUS},
    {XK_plus, VK_OEM_PLUS},
    {XK_comma, VK_OEM_COMMA},
    {XK_less, VK_OEM_COMMA},
    {XK_minus, VK_OEM_MINUS},
    {XK_underscore, VK_OEM_MINUS},
    {XK_period, VK_OEM_PERIOD},
    {XK_greater, VK_OEM_PERIOD},
    {XK_slash, VK_OEM_2},
    {XK_question, VK_OEM_2},
    {XK_grave, VK_OEM_3},
    {XK_asciitilde, VK_OEM_3},
    {XK_bracketleft, VK_OEM_4},
    {XK_braceleft, VK_OEM_4},
    {XK_backslash, VK_OEM_5},
    {XK_bar, VK_OEM_5},
    {XK_bracketright, VK_OEM_6},
    {XK_braceright, VK_OEM_6},
    {XK_apostrophe, VK_OEM_7},
    {XK_quotedbl, VK_OEM_7},
    {XK_yen, VK_OEM_5},  // the yen key of a Japanese keyboard
    // The conversion keys of a Japanese keyboard.
    {XK_Henkan_Mode, VK_CONVERT},
    {XK_Muhenkan, VK_NONCONVERT},
    {XK_Zenkaku_Hankaku, VK_KANJI},
    {XK_Kanji, VK_KANJI},
    {XK_Hiragana_Katakana, VK_KANA},
};

}  // namespace

bool IsKeypadKeysym(unsigned long Keysym) { return Keysym >= XK_KP_Space && Keysym <= XK_KP_9; }

int VirtualKeyFromKeysym(unsigned long Keysym) {
  if (Keysym >= XK_a && Keysym <= XK_z) return int('A' + (Keysym - XK_a));
  if (Keysym >= XK_A && Keysym <= XK_Z) return int('A' + (Keysym - XK_A));
  if (Keysym >= XK_0 && Keysym <= XK_9) return int('0' + (Keysym - XK_0));
  if (Keysym >= XK_KP_0 && Keysym <= XK_KP_9) return int(VK_NUMPAD0 + (Keysym - XK_KP_0));
  // F1..F24 are consecutive in both systems; F13 and above exist on Windows
  // as 0x7C..0x87.
  if (Keysym >= XK_F1 && Keysym <= XK_F24) return int(VK_F1 + (Keysym - XK_F1));
  for (const TKeyPair& K : kKeys)
    if (K.Keysym == Keysym) return K.VirtualKey;
  return 0;
}

unsigned long KeysymFromVirtualKey(int VirtualKey) {
  if (VirtualKey >= 'A' && VirtualKey <= 'Z') return XK_a + unsigned(VirtualKey - 'A');
  if (VirtualKey >= '0' && VirtualKey <= '9') return XK_0 + unsigned(VirtualKey - '0');
  if (VirtualKey >= VK_NUMPAD0 && VirtualKey <= VK_NUMPAD0 + 9)
    return XK_KP_0 + unsigned(VirtualKey - VK_NUMPAD0);
  if (VirtualKey >= VK_F1 && VirtualKey <= VK_F1 + 23) return XK_F1 + unsigned(VirtualKey - VK_F1);
  // The table lists the main keyboard's keys before the keypad's.
  for (const TKeyPair& K : kKeys)
    if (K.VirtualKey == VirtualKey) return K.Keysym;
  return 0;
}

unsigned long KeysymForVirtualKey(unsigned long Unshifted, unsigned long NumLocked, bool NumLock,
                                  bool Shift) {
  if (!IsKeypadKeysym(Unshifted) || !NumLock || Shift) return Unshifted;
  const bool Digit = NumLocked >= XK_KP_0 && NumLocked <= XK_KP_9;
  return Digit || NumLocked == XK_KP_Decimal || NumLocked == XK_KP_Separator ? NumLocked
                                                                             : Unshifted;
}

}  // namespace x11
