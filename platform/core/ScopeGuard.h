#pragma once
// Brackets that close themselves: TScopeGuard runs a clean-up when its scope
// ends, TTemporaryChange gives a variable a value for one scope. Both run on
// the way out of an error too, so no caller writes catch (...) { ...; throw; }.

#include <exception>
#include <utility>

// Runs Cleanup when the scope ends, unless Dismiss was called (for clean-ups
// that only undo a step that failed). A clean-up that throws while an error is
// already leaving the scope is silenced: the error in flight wins, as a second
// error would end the program.
template <class TCleanup>
class TScopeGuard {
public:
  explicit TScopeGuard(TCleanup Cleanup)
      : FCleanup(std::move(Cleanup)), FUnwinding(std::uncaught_exceptions()) {}
  ~TScopeGuard() noexcept(false) {
    if (!FActive) return;
    if (std::uncaught_exceptions() > FUnwinding) {
      try {
        FCleanup();
      } catch (...) {
      }
    } else {
      FCleanup();
    }
  }
  TScopeGuard(const TScopeGuard&) = delete;
  TScopeGuard& operator=(const TScopeGuard&) = delete;

  void Dismiss() { FActive = false; }

private:
  TCleanup FCleanup;
  int FUnwinding;
  bool FActive = true;
};

// Sets Variable to Value and puts the old value back when the scope ends.
template <class T>
class TTemporaryChange {
public:
  TTemporaryChange(T& Variable, T Value) : FVariable(Variable), FOld(std::move(Variable)) {
    FVariable = std::move(Value);
  }
  ~TTemporaryChange() { FVariable = std::move(FOld); }
  TTemporaryChange(const TTemporaryChange&) = delete;
  TTemporaryChange& operator=(const TTemporaryChange&) = delete;

private:
  T& FVariable;
  T FOld;
};
