#pragma once
// The message beep. MessageBeep asks the current beeper to sound; the window
// system's backend installs its own (the X11 one rings the display's bell)
// with a TBeeperGuard held for its lifetime, and tests install a
// TRecordingBeeper. Without either, the system's beeper sounds: on Linux
// TTerminalBeeper, which rings the terminal, on Windows the system's own
// message sound.

#include <vector>

class TBeeper {
public:
  virtual ~TBeeper() = default;
  virtual void Beep(unsigned Type) = 0;
};

// The beeper MessageBeep uses now: the innermost installed one, else the
// process's terminal beeper.
TBeeper& CurrentBeeper();

// Installs Beeper for the guard's lifetime and restores the previous beeper
// afterwards. Guards nest; destroy them in reverse order of creation.
class TBeeperGuard {
public:
  explicit TBeeperGuard(TBeeper& Beeper);
  ~TBeeperGuard();
  TBeeperGuard(const TBeeperGuard&) = delete;
  TBeeperGuard& operator=(const TBeeperGuard&) = delete;

private:
  TBeeper* FPrevious;
};

// Writes the bell character to standard error, but only when standard error
// is a terminal: a program whose output goes to a file or a pipe must not
// fill it with bell characters.
class TTerminalBeeper : public TBeeper {
public:
  void Beep(unsigned Type) override;
};

// Records the type of every beep, in order, and makes no sound.
class TRecordingBeeper : public TBeeper {
public:
  void Beep(unsigned Type) override { FBeeps.push_back(Type); }
  const std::vector<unsigned>& Beeps() const { return FBeeps; }

private:
  std::vector<unsigned> FBeeps;
};

// The sound types of the Windows call; every backend may sound them alike.
inline constexpr unsigned MB_OK = 0x00000000;
inline constexpr unsigned MB_ICONHAND = 0x00000010;
inline constexpr unsigned MB_ICONQUESTION = 0x00000020;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x00000030;
inline constexpr unsigned MB_ICONASTERISK = 0x00000040;

// Sounds a beep of the given type through the current beeper. Always true:
// a beep that cannot be heard is not an error.
bool MessageBeep(unsigned Type);
