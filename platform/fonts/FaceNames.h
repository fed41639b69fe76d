#pragma once
// What both systems' font resolvers share: the Japanese Windows faces and
// their stand-ins, how face names compare, and how the list of installed
// families is finished for the font-name picker.

#include <functional>
#include <string>
#include <vector>

#include "platform/fonts/FontTypes.h"

namespace facenames {

// A face the layouts and the Windows framework ask for, and the installed
// families of the same design that stand in for it where the system lacks
// it. Each list is tried in order, then the generic family.
struct TFaceAlias {
  const char* Face;  // code page 932
  const char* Families[2];
  const char* Generic;  // "sans-serif", "serif" or "monospace"
};

// The alias of Face, or nullptr.
const TFaceAlias* FindAlias(const std::string& Face);
// Every alias, in order.
const std::vector<TFaceAlias>& Aliases();

// The stand-in for a request whose face the system lacks by its name, the
// same on every system so that no other installed font decides the face:
// the alias of a Japanese Windows face; for any other face asked for with
// Japanese text (Shift-JIS or the default set), the gothic's, as a Japanese
// Windows maps an unknown face; nullptr for another character set, whose
// face the system's own matching picks.
const TFaceAlias* StandInFor(const std::string& Face, int Charset);

// Face names compare as Windows compares them: ignoring case, and here also
// ignoring blanks, so "ＭＳ　Ｐゴシック" with an ideographic space still matches.
std::string FaceKey(const std::string& Face);

// The weight a request asks for, 1 to 1000 (the Windows and OpenType scale).
int WeightOf(const TLogFont& Request);

// Finishes a list of installed families: the Japanese Windows face names are
// added as TrueType where IsInstalled says their first stand-in is there (so
// a font chosen by one of those names can be picked again; the English
// aliases stay unlisted, as on a Japanese Windows), then the list is sorted
// ignoring case and each name kept once, the better kind winning (TrueType
// over raster over device).
std::vector<TEnumFontEntry> FinishFamilyList(
    std::vector<TEnumFontEntry> Entries,
    const std::function<bool(const std::string& Family)>& IsInstalled);

}  // namespace facenames
