// The native half of ImeForms.h (the build defines
// WIN32_LEAN_AND_MEAN and NOMINMAX for every Windows source).
#include <windows.h>

#include <imm.h>

#include "ImeForms.h"

namespace imeforms {

TImeForms ReadForms(std::uintptr_t Window) {
  TImeForms Forms;
  HWND Handle = reinterpret_cast<HWND>(Window);
  HIMC Context = ImmGetContext(Handle);
  if (!Context) return Forms;
  COMPOSITIONFORM Composition{};
  CANDIDATEFORM Candidate{};
  Forms.Read = ImmGetCompositionWindow(Context, &Composition) &&
               ImmGetCandidateWindow(Context, 0, &Candidate);
  ImmReleaseContext(Handle, Context);
  Forms.CompositionStyle = Composition.dwStyle;
  Forms.CompositionX = Composition.ptCurrentPos.x;
  Forms.CompositionY = Composition.ptCurrentPos.y;
  Forms.CandidateStyle = Candidate.dwStyle;
  Forms.CandidateX = Candidate.ptCurrentPos.x;
  Forms.CandidateY = Candidate.ptCurrentPos.y;
  Forms.ExcludeLeft = Candidate.rcArea.left;
  Forms.ExcludeTop = Candidate.rcArea.top;
  Forms.ExcludeRight = Candidate.rcArea.right;
  Forms.ExcludeBottom = Candidate.rcArea.bottom;
  return Forms;
}

}  // namespace imeforms
