#pragma once
// Reads back where the input method was told to put its windows, for the
// backend's tests; only its source includes <windows.h>.

#include <cstdint>

namespace imeforms {

struct TImeForms {
  bool Read = false;
  unsigned CompositionStyle = 0;
  int CompositionX = 0, CompositionY = 0;
  unsigned CandidateStyle = 0;
  int CandidateX = 0, CandidateY = 0;
  int ExcludeLeft = 0, ExcludeTop = 0, ExcludeRight = 0, ExcludeBottom = 0;
};

inline constexpr unsigned kForcePosition = 0x0020;  // CFS_FORCE_POSITION
inline constexpr unsigned kExclude = 0x0080;        // CFS_EXCLUDE

// The composition and first candidate forms of the window's input context.
TImeForms ReadForms(std::uintptr_t Window);

}  // namespace imeforms
