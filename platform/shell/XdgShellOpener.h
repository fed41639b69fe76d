#pragma once
// Opens addresses with the desktop's own opener, xdg-open, which hands them
// to the user's default browser (or the program the desktop associates with
// a file).
//
// - No shell ever sees the address: xdg-open is started with posix_spawnp and
//   the address as one argument, so "$(touch x)", `id`, quotes, "&" and blanks
//   stay text.
// - The address is converted from code page 932 to UTF-8 here and nowhere
//   else; it is otherwise passed unchanged. An address with bytes that are no
//   valid CP932 is refused and nothing is started: a lossy conversion would
//   open a different address than the one asked for. An address that begins
//   with "-" is refused too, since xdg-open would take it for an option (it
//   knows no "--"), and so is one holding a NUL byte.
// - The child inherits no descriptor but 0, 1 and 2, starts with the default
//   signal dispositions and an empty signal mask, and runs in its own session,
//   so a browser it starts does not die with the terminal this program was
//   started from.
// - Nothing waits for it: a detached thread reaps the child when it ends, so
//   no zombie remains and an opener that hangs never blocks the program.

#include "platform/shell/Shell.h"

class TXdgShellOpener : public TShellOpener {
public:
  bool Open(const TShellRequest& Request) override;
};
