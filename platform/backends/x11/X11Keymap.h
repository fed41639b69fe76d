#pragma once
// Keyboard translation of the X11 backend: which Windows virtual-key code a
// key of the X keyboard is. Pure functions of keysyms, so the table can be
// tested without a display.
//
// A virtual key names the key, not the character it types: Shift+1 is still
// '1', and both Shift keys are VK_SHIFT (the generic code a Windows program
// gets in WM_KEYDOWN). The backend asks with the key's unshifted keysym, and
// for keypad keys with the keysym that Num Lock selects, since the keypad's
// virtual key depends on it (VK_NUMPAD7 with Num Lock, VK_HOME without).

namespace x11 {

// The virtual key of an X keysym; 0 for a keysym that names no key a Windows
// keyboard has (the backend then reports only the text the key types).
int VirtualKeyFromKeysym(unsigned long Keysym);

// A keysym of the key that has a virtual key (the unshifted one; the main
// keyboard's before the keypad's); 0 when no key has it.
unsigned long KeysymFromVirtualKey(int VirtualKey);

// True for the keysyms of the numeric keypad (XK_KP_*).
bool IsKeypadKeysym(unsigned long Keysym);

// The keysym that decides the virtual key of a keypad key: the Num Lock
// (second) keysym when Num Lock is on and Shift is not held, and when that
// keysym is a digit or the decimal point; otherwise the unshifted one. Other
// keys are answered with their unshifted keysym.
unsigned long KeysymForVirtualKey(unsigned long Unshifted, unsigned long NumLocked, bool NumLock,
                                  bool Shift);

}  // namespace x11
