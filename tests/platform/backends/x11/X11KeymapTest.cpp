#include "platform/backends/x11/X11Keymap.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "platform/window/WinDefs.h"

using namespace x11;

namespace {

struct TKeyCase {
  const char* Name;
  unsigned long Keysym;
  int VirtualKey;
};

class X11KeymapTable : public ::testing::TestWithParam<TKeyCase> {};

TEST_P(X11KeymapTable, KeysymGivesTheWindowsVirtualKey) {
  EXPECT_EQ(VirtualKeyFromKeysym(GetParam().Keysym), GetParam().VirtualKey) << GetParam().Name;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, X11KeymapTable,
    ::testing::Values(
        // Letters are their upper-case code whichever case the keysym has.
        TKeyCase{"a", XK_a, 'A'}, TKeyCase{"z", XK_z, 'Z'}, TKeyCase{"A", XK_A, 'A'},
        TKeyCase{"Z", XK_Z, 'Z'}, TKeyCase{"0", XK_0, '0'}, TKeyCase{"9", XK_9, '9'},
        TKeyCase{"F1", XK_F1, VK_F1}, TKeyCase{"F10", XK_F10, VK_F10},
        TKeyCase{"F12", XK_F12, VK_F12}, TKeyCase{"F13", XK_F13, 0x7C},
        TKeyCase{"Left", XK_Left, VK_LEFT}, TKeyCase{"Up", XK_Up, VK_UP},
        TKeyCase{"Right", XK_Right, VK_RIGHT}, TKeyCase{"Down", XK_Down, VK_DOWN},
        TKeyCase{"Home", XK_Home, VK_HOME}, TKeyCase{"End", XK_End, VK_END},
        TKeyCase{"Prior", XK_Prior, VK_PRIOR}, TKeyCase{"Next", XK_Next, VK_NEXT},
        TKeyCase{"Insert", XK_Insert, VK_INSERT}, TKeyCase{"Delete", XK_Delete, VK_DELETE},
        TKeyCase{"BackSpace", XK_BackSpace, VK_BACK}, TKeyCase{"Tab", XK_Tab, VK_TAB},
        TKeyCase{"ISO_Left_Tab", XK_ISO_Left_Tab, VK_TAB}, TKeyCase{"Return", XK_Return, VK_RETURN},
        TKeyCase{"Escape", XK_Escape, VK_ESCAPE}, TKeyCase{"space", XK_space, VK_SPACE},
        // Both of each modifier pair are the generic key, as in WM_KEYDOWN.
        TKeyCase{"Shift_L", XK_Shift_L, VK_SHIFT}, TKeyCase{"Shift_R", XK_Shift_R, VK_SHIFT},
        TKeyCase{"Control_L", XK_Control_L, VK_CONTROL},
        TKeyCase{"Control_R", XK_Control_R, VK_CONTROL}, TKeyCase{"Alt_L", XK_Alt_L, VK_MENU},
        TKeyCase{"Alt_R", XK_Alt_R, VK_MENU}, TKeyCase{"Meta_L", XK_Meta_L, VK_MENU},
        // The keypad: digits with Num Lock, cursor keys without.
        TKeyCase{"KP_0", XK_KP_0, VK_NUMPAD0}, TKeyCase{"KP_9", XK_KP_9, VK_NUMPAD9},
        TKeyCase{"KP_Home", XK_KP_Home, VK_HOME}, TKeyCase{"KP_Left", XK_KP_Left, VK_LEFT},
        TKeyCase{"KP_Insert", XK_KP_Insert, VK_INSERT},
        TKeyCase{"KP_Delete", XK_KP_Delete, VK_DELETE},
        TKeyCase{"KP_Enter", XK_KP_Enter, VK_RETURN}, TKeyCase{"KP_Add", XK_KP_Add, VK_ADD},
        TKeyCase{"KP_Subtract", XK_KP_Subtract, VK_SUBTRACT},
        TKeyCase{"KP_Multiply", XK_KP_Multiply, VK_MULTIPLY},
        TKeyCase{"KP_Divide", XK_KP_Divide, VK_DIVIDE},
        TKeyCase{"KP_Decimal", XK_KP_Decimal, VK_DECIMAL},
        // Punctuation names the key, shifted or not.
        TKeyCase{"minus", XK_minus, 0xBD}, TKeyCase{"underscore", XK_underscore, 0xBD},
        TKeyCase{"slash", XK_slash, 0xBF}, TKeyCase{"question", XK_question, 0xBF},
        // Japanese keyboard keys.
        TKeyCase{"Henkan", XK_Henkan_Mode, VK_CONVERT},
        TKeyCase{"Muhenkan", XK_Muhenkan, VK_NONCONVERT},
        TKeyCase{"Zenkaku_Hankaku", XK_Zenkaku_Hankaku, VK_KANJI},
        // Keysyms no Windows key has: only their text is reported.
        TKeyCase{"ソ (Unicode keysym)", 0x10030BD, 0}, TKeyCase{"eacute", XK_eacute, 0},
        TKeyCase{"NoSymbol", 0, 0}),
    [](const ::testing::TestParamInfo<TKeyCase>& Info) {
      return "Case" + std::to_string(Info.index);
    });

struct TKeypadCase {
  unsigned long Unshifted, NumLocked;
  bool NumLock, Shift;
  unsigned long Expected;
};

class X11KeypadChoice : public ::testing::TestWithParam<TKeypadCase> {};

TEST_P(X11KeypadChoice, NumLockAndShiftDecideTheKeypadKey) {
  const TKeypadCase& C = GetParam();
  EXPECT_EQ(KeysymForVirtualKey(C.Unshifted, C.NumLocked, C.NumLock, C.Shift), C.Expected);
}

INSTANTIATE_TEST_SUITE_P(Keypad, X11KeypadChoice,
                         ::testing::Values(
                             // Num Lock on: the digit.
                             TKeypadCase{XK_KP_Home, XK_KP_7, true, false, XK_KP_7},
                             TKeypadCase{XK_KP_Delete, XK_KP_Decimal, true, false, XK_KP_Decimal},
                             // Num Lock off, or Shift reversing it: the cursor key, as on Windows.
                             TKeypadCase{XK_KP_Home, XK_KP_7, false, false, XK_KP_Home},
                             TKeypadCase{XK_KP_Home, XK_KP_7, true, true, XK_KP_Home},
                             // Operators have no second meaning.
                             TKeypadCase{XK_KP_Add, XK_KP_Add, true, false, XK_KP_Add},
                             // Other keys keep their unshifted keysym whatever the modifiers.
                             TKeypadCase{XK_1, XK_exclam, true, true, XK_1},
                             TKeypadCase{XK_a, XK_A, true, false, XK_a}));

TEST(X11Keymap, AVirtualKeyGoesBackToTheMainKeyboardsKeysym) {
  // What a hot key grabs: the key the virtual key names, never the keypad's
  // twin of it.
  const std::pair<int, unsigned long> Keys[] = {{'A', XK_a},
                                                {'Z', XK_z},
                                                {'0', XK_0},
                                                {VK_F1, XK_F1},
                                                {VK_F1 + 23, XK_F24},
                                                {VK_SPACE, XK_space},
                                                {VK_RETURN, XK_Return},
                                                {VK_HOME, XK_Home},
                                                {VK_NEXT, XK_Next},
                                                {VK_NUMPAD0 + 7, XK_KP_7},
                                                {VK_ESCAPE, XK_Escape}};
  for (const auto& [VirtualKey, Keysym] : Keys) {
    EXPECT_EQ(KeysymFromVirtualKey(VirtualKey), Keysym) << VirtualKey;
    EXPECT_EQ(VirtualKeyFromKeysym(Keysym), VirtualKey) << VirtualKey;
  }
  EXPECT_EQ(KeysymFromVirtualKey(0x07), 0u);  // no key has it
}

TEST(X11Keymap, TheKeypadRangeIsTheKpKeysyms) {
  EXPECT_TRUE(IsKeypadKeysym(XK_KP_Space));
  EXPECT_TRUE(IsKeypadKeysym(XK_KP_9));
  EXPECT_FALSE(IsKeypadKeysym(XK_9));
  EXPECT_FALSE(IsKeypadKeysym(XK_F1));  // just past the keypad block
}

}  // namespace
