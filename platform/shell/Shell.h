#pragma once
// The desktop shell's open request, with the Windows call's shape.
//
// ShellExecute hands the request to the current opener. By default that is
// the system's: on Linux TXdgShellOpener (XdgShellOpener.h), which starts
// xdg-open and returns at once, on Windows ShellExecuteW (SystemShellWin32); tests install a
// TRecordingShellOpener with a TShellOpenerGuard and read back what the program asked for. The
// caller never examines the result beyond "handed over or not", and nothing here waits for a
// browser.

#include <string>
#include <string_view>
#include <vector>

// What is to be opened: a document or web address, and the working folder
// for the program that opens it (empty: this program's own). Both are code
// page 932 text, exactly as the caller gave them.
struct TShellRequest {
  std::string File;
  std::string Directory;
};

class TShellOpener {
public:
  virtual ~TShellOpener() = default;
  // Starts opening the request and returns without waiting for it. False when
  // it could not even be started (a refused address, no opener program).
  virtual bool Open(const TShellRequest& Request) = 0;
};

// The opener ShellExecute uses now: the innermost installed one, else the
// system's own.
TShellOpener& CurrentShellOpener();

// Installs Opener for the guard's lifetime and restores the previous opener
// afterwards. Guards nest; destroy them in reverse order of creation.
class TShellOpenerGuard {
public:
  explicit TShellOpenerGuard(TShellOpener& Opener);
  ~TShellOpenerGuard();
  TShellOpenerGuard(const TShellOpenerGuard&) = delete;
  TShellOpenerGuard& operator=(const TShellOpenerGuard&) = delete;

private:
  TShellOpener* FPrevious;
};

// Records every request, in order, and opens nothing.
class TRecordingShellOpener : public TShellOpener {
public:
  bool Open(const TShellRequest& Request) override;
  const std::vector<TShellRequest>& Requests() const { return FRequests; }
  // Just the addresses, in the order they were asked for.
  std::vector<std::string> Addresses() const;
  void Clear() { FRequests.clear(); }

private:
  std::vector<TShellRequest> FRequests;
};

// Results of ShellExecute: above 32 means the request was handed over.
inline constexpr int SE_ERR_FNF = 2;       // nothing to open, or it could not be started
inline constexpr int SE_ERR_NOASSOC = 31;  // a verb or parameters we do not carry out
inline constexpr int kShellExecuteStarted = 42;

// Opens File when Verb is "open" in any letter case (or empty: the default
// verb is open) and Parameters is empty. Other verbs and any parameters are
// refused (SE_ERR_NOASSOC): the program never starts other programs with
// arguments. Directory becomes the opener's working folder when not empty.
// OwnerWindow (an opaque window handle or nullptr) and ShowCmd (the window
// system's SW_ values) do not change what is done: the opened program decides
// how it shows itself.
int ShellExecute(const void* OwnerWindow, std::string_view Verb, std::string_view File,
                 std::string_view Parameters, std::string_view Directory, int ShowCmd);
