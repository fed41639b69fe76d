#include "platform/shell/SystemShell.h"

#include <optional>

#include "platform/files/WideString.h"
#include "platform/shell/CommandLineAddress.h"
#include "platform/shell/ShellNative.h"
#include "platform/text/Cp932.h"

namespace {

// Opens addresses through the Windows shell, which hands a web address to
// the user's default browser.
// - The address is converted from code page 932 to UTF-16 here and nowhere
//   else, by the program's own table; bytes that are no valid CP932 are
//   refused and nothing is started, since a lossy conversion would open a
//   different address than the one asked for. So is a NUL byte.
// - No command interpreter sees it: ShellExecuteW takes it as one string,
//   so "&", "|" and blanks stay text. The shell puts it into the browser's
//   command line, though, where a double quote would end it, and reads it
//   as a web address, which a lone "%" spoils: those are percent-encoded
//   (CommandLineAddress.h).
class TWindowsShellOpener : public TShellOpener {
public:
  bool Open(const TShellRequest& Request) override {
    const std::string& File = Request.File;
    if (File.empty() || File.find('\0') != std::string::npos) return false;
    if (Request.Directory.find('\0') != std::string::npos) return false;
    std::optional<std::u16string> Address = cp932::ToUtf16(File);
    if (!Address) return false;
    return shellnative::Open(shelladdress::ForCommandLine(*Address),
                             files::WidePath(Request.Directory));
  }
};

class TWindowsBeeper : public TBeeper {
public:
  void Beep(unsigned Type) override { shellnative::Beep(Type); }
};

}  // namespace

TShellOpener& SystemShellOpener() {
  static TWindowsShellOpener Opener;
  return Opener;
}

TBeeper& SystemBeeper() {
  static TWindowsBeeper Beeper;
  return Beeper;
}

void TTerminalBeeper::Beep(unsigned Type) { shellnative::ConsoleBell(); }
