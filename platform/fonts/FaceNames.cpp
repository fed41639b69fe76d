#include "platform/fonts/FaceNames.h"

#include <algorithm>

#include "platform/text/Cp932.h"

namespace facenames {

const std::vector<TFaceAlias>& Aliases() {
  static const std::vector<TFaceAlias> List = {
      {"ＭＳ Ｐゴシック", {"IPAPGothic", "IPAGothic"}, "sans-serif"},
      {"MS PGothic", {"IPAPGothic", "IPAGothic"}, "sans-serif"},
      {"ＭＳ ゴシック", {"IPAGothic", "IPAPGothic"}, "monospace"},
      {"MS Gothic", {"IPAGothic", "IPAPGothic"}, "monospace"},
      {"ＭＳ Ｐ明朝", {"IPAPMincho", "IPAMincho"}, "serif"},
      {"MS PMincho", {"IPAPMincho", "IPAMincho"}, "serif"},
      {"ＭＳ 明朝", {"IPAMincho", "IPAPMincho"}, "serif"},
      {"MS Mincho", {"IPAMincho", "IPAPMincho"}, "serif"},
      // The faces a Japanese Windows answers for "the dialog font".
      {"MS UI Gothic", {"IPAPGothic", "IPAGothic"}, "sans-serif"},
      {"MS Shell Dlg", {"IPAPGothic", "IPAGothic"}, "sans-serif"},
      {"MS Shell Dlg 2", {"IPAPGothic", "IPAGothic"}, "sans-serif"},
      {"MS Sans Serif", {"IPAPGothic", "IPAGothic"}, "sans-serif"},
      {"System", {"IPAPGothic", "IPAGothic"}, "sans-serif"},
      {"", {"IPAPGothic", "IPAGothic"}, "sans-serif"},
  };
  return List;
}

std::string FaceKey(const std::string& Face) {
  std::string Upper = cp932::AnsiUpperCase(Face);
  std::string Key;
  for (std::size_t Pos = 0; Pos < Upper.size();) {
    std::size_t Next = cp932::NextCharPos(Upper, Pos);
    std::string_view Char(Upper.data() + Pos, Next - Pos);
    if (Char != " " && Char != "\x81\x40") Key.append(Char);
    Pos = Next;
  }
  return Key;
}

const TFaceAlias* FindAlias(const std::string& Face) {
  std::string Key = FaceKey(Face);
  for (const TFaceAlias& Alias : Aliases())
    if (FaceKey(Alias.Face) == Key) return &Alias;
  return nullptr;
}

const TFaceAlias* StandInFor(const std::string& Face, int Charset) {
  if (const TFaceAlias* Alias = FindAlias(Face)) return Alias;
  if (Charset != SHIFTJIS_CHARSET && Charset != DEFAULT_CHARSET) return nullptr;
  return FindAlias("ＭＳ ゴシック");
}

int WeightOf(const TLogFont& Request) {
  return Request.Weight == FW_DONTCARE ? FW_NORMAL : std::clamp(Request.Weight, 1, 1000);
}

namespace {
int Rank(int FontType) {
  return FontType == TRUETYPE_FONTTYPE ? 3 : FontType == RASTER_FONTTYPE ? 2 : 1;
}
}  // namespace

std::vector<TEnumFontEntry> FinishFamilyList(
    std::vector<TEnumFontEntry> Entries,
    const std::function<bool(const std::string& Family)>& IsInstalled) {
  for (const TFaceAlias& Alias : Aliases()) {
    if (static_cast<unsigned char>(Alias.Face[0]) < 0x80) continue;
    if (IsInstalled(Alias.Families[0])) Entries.push_back({Alias.Face, TRUETYPE_FONTTYPE});
  }
  std::stable_sort(Entries.begin(), Entries.end(), [](const auto& A, const auto& B) {
    int Order = cp932::AnsiCompareText(A.FaceName, B.FaceName);
    if (Order != 0) return Order < 0;
    if (Rank(A.FontType) != Rank(B.FontType)) return Rank(A.FontType) > Rank(B.FontType);
    return A.FaceName < B.FaceName;
  });
  std::vector<TEnumFontEntry> Unique;
  for (TEnumFontEntry& Entry : Entries) {
    if (!Unique.empty() && cp932::AnsiSameText(Unique.back().FaceName, Entry.FaceName)) continue;
    Unique.push_back(std::move(Entry));
  }
  return Unique;
}

}  // namespace facenames
