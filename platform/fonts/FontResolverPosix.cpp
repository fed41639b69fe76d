#include "platform/fonts/FontResolver.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <tuple>

#include "platform/core/Exception.h"
#include "platform/fonts/FaceCache.h"
#include "platform/fonts/FaceNames.h"
#include "platform/fonts/FontconfigLibrary.h"
#include "platform/text/Cp932.h"

namespace {

using facenames::FaceKey;
using facenames::FindAlias;
using facenames::StandInFor;
using facenames::TFaceAlias;
using facenames::WeightOf;

// What of a request decides the face: the size and the line styles do not.
using TFaceRequestKey = std::tuple<std::string, int, bool, int>;

TFaceRequestKey KeyOf(const TLogFont& Request) {
  return {FaceKey(Request.Face), WeightOf(Request), Request.Italic, Request.Charset};
}

// The same key as one text, for the cache kept between runs.
std::string CacheKeyOf(const TFaceRequestKey& Key) {
  return std::get<0>(Key) + "\n" + std::to_string(std::get<1>(Key)) + "\n" +
         (std::get<2>(Key) ? "i" : "r") + "\n" + std::to_string(std::get<3>(Key));
}

struct TFontSetDeleter {
  void operator()(FcFontSet* Set) const { fclib::Fc().FontSetDestroy(Set); }
};
struct TObjectSetDeleter {
  void operator()(FcObjectSet* Set) const { fclib::Fc().ObjectSetDestroy(Set); }
};
struct TPatternDeleter {
  void operator()(FcPattern* Pattern) const { fclib::Fc().PatternDestroy(Pattern); }
};
using TFontSetPtr = std::unique_ptr<FcFontSet, TFontSetDeleter>;
using TPatternPtr = std::unique_ptr<FcPattern, TPatternDeleter>;

std::string StringOf(FcPattern* Pattern, const char* Object, int N = 0) {
  FcChar8* Value = nullptr;
  if (fclib::Fc().PatternGetString(Pattern, Object, N, &Value) != FcResultMatch || !Value)
    return {};
  return reinterpret_cast<const char*>(Value);
}

int IntOf(FcPattern* Pattern, const char* Object, int Default) {
  int Value = Default;
  if (fclib::Fc().PatternGetInteger(Pattern, Object, 0, &Value) != FcResultMatch) return Default;
  return Value;
}

bool BoolOf(FcPattern* Pattern, const char* Object, bool Default) {
  FcBool Value = Default;
  if (fclib::Fc().PatternGetBool(Pattern, Object, 0, &Value) != FcResultMatch) return Default;
  return Value != FcFalse;
}

TFontFile FileOf(FcPattern* Pattern) {
  return TFontFile{StringOf(Pattern, FC_FILE), IntOf(Pattern, FC_INDEX, 0),
                   StringOf(Pattern, FC_FAMILY)};
}

// The one fontconfig configuration of the process and what has been asked of
// it. Everything runs on the user-interface thread.
class TResolver {
public:
  // Never destroyed: fonts may still be asked for while other static objects
  // are torn down at exit.
  static TResolver& Instance() {
    static TResolver* Resolver = new TResolver;
    return *Resolver;
  }

  TResolvedFont Resolve(const TLogFont& Request) {
    TFaceRequestKey Key = KeyOf(Request);
    auto Found = FResolved.find(Key);
    if (Found != FResolved.end()) return Found->second;
    const std::string CacheKey = CacheKeyOf(Key);
    if (std::optional<TFontFile> Cached = facecache::Find(CacheKey)) {
      TResolvedFont Resolved{*Cached};
      FResolved.emplace(Key, Resolved);
      return Resolved;
    }

    LoadConfig();
    TPatternPtr Pattern = MakePattern(Request);
    FcResult Result = FcResultNoMatch;
    TPatternPtr Match(fclib::Fc().FontMatch(FConfig, Pattern.get(), &Result));
    if (!Match) throw Exception(fontresolver::NoUsableFontMessage());
    TResolvedFont Resolved;
    Resolved.File = FileOf(Match.get());
    if (Resolved.File.Path.empty()) throw Exception(fontresolver::NoUsableFontMessage());
    FResolved.emplace(Key, Resolved);
    facecache::Remember(CacheKey, Resolved.File);
    return Resolved;
  }

  std::optional<TFontFile> FindFallback(const TLogFont& Request, char32_t Code) {
    LoadConfig();
    for (const TPatternPtr& Font : JapaneseFallbacks())
      if (std::optional<TFontFile> File = FileWithChar(Font.get(), Code)) return File;
    FcFontSet* Set = FallbackSet(Request);
    if (!Set) return std::nullopt;
    for (int I = 0; I < Set->nfont; ++I)
      if (std::optional<TFontFile> File = FileWithChar(Set->fonts[I], Code)) return File;
    return std::nullopt;
  }

  std::vector<TEnumFontEntry> ListFamilies() {
    // Fonts installed or removed since the configuration was read show in
    // the next list, as a Windows enumeration shows them.
    if (FConfig && (!fclib::Fc().ConfigUptoDate(FConfig) || FontFoldersStamp() != FFoldersStamp))
      Reload();
    LoadConfig();
    TPatternPtr Empty(fclib::Fc().PatternCreate());
    std::unique_ptr<FcObjectSet, TObjectSetDeleter> Objects(
        fclib::Fc().ObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, FC_OUTLINE, FC_SCALABLE, nullptr));
    TFontSetPtr Fonts(fclib::Fc().FontList(FConfig, Empty.get(), Objects.get()));
    std::vector<TEnumFontEntry> Entries;
    std::vector<std::string> Installed;  // every family name, UTF-8
    if (Fonts) {
      for (int I = 0; I < Fonts->nfont; ++I) {
        FcPattern* Font = Fonts->fonts[I];
        for (int N = 0; !StringOf(Font, FC_FAMILY, N).empty(); ++N)
          Installed.push_back(StringOf(Font, FC_FAMILY, N));
        std::optional<std::string> Name = ShownFamilyName(Font);
        if (!Name) continue;
        Entries.push_back({*Name, KindOf(Font)});
      }
    }
    return facenames::FinishFamilyList(std::move(Entries), [&](const std::string& Family) {
      return std::find(Installed.begin(), Installed.end(), Family) != Installed.end();
    });
  }

  // Reads the configuration anew on the next request; what was resolved
  // under the old one is forgotten.
  void Reload() {
    ReleaseConfig();
    FResolved.clear();
  }

private:
  // The configuration is loaded by the first request that needs it; one that
  // the face cache answers does not.
  TResolver() {
    // The configuration itself is given back at exit: fontconfig keeps
    // memory that only its own destruction frees. The resolver object stays,
    // and a late request loads the configuration again.
    std::atexit([] { Instance().ReleaseConfig(); });
  }

  void LoadConfig() {
    if (FConfig) return;
    FConfig = fclib::Fc().InitLoadConfigAndFonts();
    if (!FConfig) throw Exception("フォントの設定を読み込めません");
    FFoldersStamp = FontFoldersStamp();
  }

  // What the font folders hold: each entry's name, inode, size and
  // modification time to the nanosecond. fontconfig compares folder times
  // in whole seconds only, so a font added, removed or rewritten in the
  // same second as the last list would otherwise never show until restart.
  std::uint64_t FontFoldersStamp() const {
    std::uint64_t Hash = 14695981039346656037ull;  // FNV-1a
    auto Mix = [&Hash](const void* Bytes, std::size_t Size) {
      for (std::size_t I = 0; I < Size; ++I) {
        Hash ^= static_cast<const unsigned char*>(Bytes)[I];
        Hash *= 1099511628211ull;
      }
    };
    auto MixStat = [&Mix](const struct stat& Info) {
      Mix(&Info.st_ino, sizeof Info.st_ino);
      Mix(&Info.st_size, sizeof Info.st_size);
      Mix(&Info.st_mtim.tv_sec, sizeof Info.st_mtim.tv_sec);
      Mix(&Info.st_mtim.tv_nsec, sizeof Info.st_mtim.tv_nsec);
    };
    if (!FConfig) return 0;
    // The folders fontconfig scanned, their subfolders included.
    FcStrList* Folders = fclib::Fc().ConfigGetFontDirs(FConfig);
    if (!Folders) return 0;
    while (FcChar8* Folder = fclib::Fc().StrListNext(Folders)) {
      const char* Path = reinterpret_cast<const char*>(Folder);
      Mix(Path, std::strlen(Path) + 1);
      DIR* Listing = opendir(Path);
      if (!Listing) continue;
      while (dirent* Entry = readdir(Listing)) {
        struct stat Info {};
        if (fstatat(dirfd(Listing), Entry->d_name, &Info, 0) != 0) continue;
        Mix(Entry->d_name, std::strlen(Entry->d_name) + 1);
        MixStat(Info);
      }
      closedir(Listing);
    }
    fclib::Fc().StrListDone(Folders);
    return Hash;
  }

  void ReleaseConfig() {
    FFallbacks.clear();
    FInstalled.clear();
    FJapaneseFallbacks.clear();
    FJapaneseFallbacksFound = false;
    if (FConfig) fclib::Fc().ConfigDestroy(FConfig);
    FConfig = nullptr;
  }

  // The family a request resolves to without the configuration's say: its
  // face when a font is installed by that name, else the first installed
  // family of its stand-in (facenames::StandInFor, the same rule as on
  // Windows); empty when neither, and fontconfig's matching decides.
  // Configurations rank other Japanese fonts first (VL Gothic, Noto,
  // Droid...), so a substituted pattern would make the face depend on
  // whatever else the machine has installed.
  std::string ExplicitFamily(const TLogFont& Request) {
    const std::string Face = cp932::ToUtf8Lossy(Request.Face);
    if (IsInstalled(Face)) return Face;
    if (const TFaceAlias* Alias = StandInFor(Request.Face, Request.Charset))
      for (const char* Family : Alias->Families)
        if (IsInstalled(Family)) return Family;
    return {};
  }

  // ForFallback asks for Japanese whatever the character set: the characters
  // a face lacks are mostly kanji and kana, which should take Japanese forms.
  TPatternPtr MakePattern(const TLogFont& Request, bool ForFallback = false) {
    TPatternPtr Pattern(fclib::Fc().PatternCreate());
    auto AddFamily = [&](const std::string& Family) {
      fclib::Fc().PatternAddString(Pattern.get(), FC_FAMILY,
                                   reinterpret_cast<const FcChar8*>(Family.c_str()));
    };
    fclib::Fc().PatternAddInteger(Pattern.get(), FC_WEIGHT,
                                  fclib::Fc().WeightFromOpenType(WeightOf(Request)));
    fclib::Fc().PatternAddInteger(Pattern.get(), FC_SLANT,
                                  Request.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    if (!ForFallback) {
      std::string Family = ExplicitFamily(Request);
      if (!Family.empty()) {
        AddFamily(Family);
        fclib::Fc().DefaultSubstitute(Pattern.get());
        return Pattern;
      }
    }
    const std::string Face = cp932::ToUtf8Lossy(Request.Face);
    const TFaceAlias* Alias =
        IsInstalled(Face) ? nullptr : StandInFor(Request.Face, Request.Charset);
    if (Alias) {
      for (const char* Family : Alias->Families) AddFamily(Family);
      AddFamily(Alias->Generic);
    } else {
      AddFamily(Face);
    }
    // The system's text is Japanese: unless a request names another
    // character set, a face that is not installed is replaced by one that
    // can show Japanese, as on a Japanese Windows.
    if (Alias || ForFallback)
      fclib::Fc().PatternAddString(Pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    fclib::Fc().ConfigSubstitute(FConfig, Pattern.get(), FcMatchPattern);
    fclib::Fc().DefaultSubstitute(Pattern.get());
    return Pattern;
  }

  // Whether an installed font has Family among its names (fontconfig
  // compares them ignoring case and blanks), asked without any of the
  // configuration's substitutions.
  bool IsInstalled(const std::string& Family) {
    if (Family.empty()) return false;
    auto Found = FInstalled.find(Family);
    if (Found != FInstalled.end()) return Found->second;
    TPatternPtr Pattern(fclib::Fc().PatternCreate());
    fclib::Fc().PatternAddString(Pattern.get(), FC_FAMILY,
                                 reinterpret_cast<const FcChar8*>(Family.c_str()));
    std::unique_ptr<FcObjectSet, TObjectSetDeleter> Objects(
        fclib::Fc().ObjectSetBuild(FC_FAMILY, nullptr));
    TFontSetPtr Fonts(fclib::Fc().FontList(FConfig, Pattern.get(), Objects.get()));
    return FInstalled[Family] = Fonts && Fonts->nfont > 0;
  }

  static std::optional<TFontFile> FileWithChar(FcPattern* Font, char32_t Code) {
    FcCharSet* Chars = nullptr;
    if (fclib::Fc().PatternGetCharSet(Font, FC_CHARSET, 0, &Chars) != FcResultMatch)
      return std::nullopt;
    if (!fclib::Fc().CharSetHasChar(Chars, Code)) return std::nullopt;
    TFontFile File = FileOf(Font);
    if (File.Path.empty()) return std::nullopt;
    return File;
  }

  // Where a character a face lacks is looked for first: the IPA faces that
  // stand in for the Japanese Windows faces, in the order the Windows build
  // tries them, each found by its name alone. Only then the faces
  // fontconfig ranks close to the request, whatever its configuration
  // prefers for Japanese.
  const std::vector<TPatternPtr>& JapaneseFallbacks() {
    if (FJapaneseFallbacksFound) return FJapaneseFallbacks;
    FJapaneseFallbacksFound = true;
    for (const char* Japanese : {"ＭＳ Ｐゴシック", "ＭＳ ゴシック", "ＭＳ Ｐ明朝", "ＭＳ 明朝"}) {
      const char* Family = FindAlias(Japanese)->Families[0];
      if (!IsInstalled(Family)) continue;
      TPatternPtr Pattern(fclib::Fc().PatternCreate());
      fclib::Fc().PatternAddString(Pattern.get(), FC_FAMILY,
                                   reinterpret_cast<const FcChar8*>(Family));
      fclib::Fc().DefaultSubstitute(Pattern.get());
      FcResult Result = FcResultNoMatch;
      TPatternPtr Match(fclib::Fc().FontMatch(FConfig, Pattern.get(), &Result));
      if (Match) FJapaneseFallbacks.push_back(std::move(Match));
    }
    return FJapaneseFallbacks;
  }

  FcFontSet* FallbackSet(const TLogFont& Request) {
    TFaceRequestKey Key = KeyOf(Request);
    auto Found = FFallbacks.find(Key);
    if (Found != FFallbacks.end()) return Found->second.get();
    LoadConfig();
    TPatternPtr Pattern = MakePattern(Request, true);
    FcResult Result = FcResultNoMatch;
    // Trimmed: a font that adds no characters to those before it is left out,
    // which keeps the walk for a missing character short.
    FcFontSet* Set = fclib::Fc().FontSort(FConfig, Pattern.get(), FcTrue, nullptr, &Result);
    return FFallbacks.emplace(Key, TFontSetPtr(Set)).first->second.get();
  }

  // A Japanese desktop shows a family by its Japanese name when it has one;
  // a name code page 932 cannot hold is passed over for the next one.
  static std::optional<std::string> ShownFamilyName(FcPattern* Font) {
    std::vector<std::string> Names;
    for (int N = 0;; ++N) {
      std::string Family = StringOf(Font, FC_FAMILY, N);
      if (Family.empty()) break;
      if (StringOf(Font, FC_FAMILYLANG, N) == "ja")
        Names.insert(Names.begin(), Family);
      else
        Names.push_back(Family);
    }
    for (const std::string& Family : Names)
      if (std::optional<std::string> Name = cp932::FromUtf8(Family)) return Name;
    return std::nullopt;
  }

  static int KindOf(FcPattern* Font) {
    if (BoolOf(Font, FC_OUTLINE, false)) return TRUETYPE_FONTTYPE;
    if (!BoolOf(Font, FC_SCALABLE, false)) return RASTER_FONTTYPE;
    return DEVICE_FONTTYPE;
  }

  FcConfig* FConfig = nullptr;
  std::uint64_t FFoldersStamp = 0;  // FontFoldersStamp() when FConfig was read
  std::map<TFaceRequestKey, TResolvedFont> FResolved;
  std::map<TFaceRequestKey, TFontSetPtr> FFallbacks;
  std::map<std::string, bool> FInstalled;  // by family name, UTF-8
  std::vector<TPatternPtr> FJapaneseFallbacks;
  bool FJapaneseFallbacksFound = false;
};

}  // namespace

namespace fontresolver {

TResolvedFont Resolve(const TLogFont& Request) { return TResolver::Instance().Resolve(Request); }

std::optional<TFontFile> FindFallback(const TLogFont& Request, char32_t Code) {
  return TResolver::Instance().FindFallback(Request, Code);
}

std::vector<TEnumFontEntry> ListFamilies() { return TResolver::Instance().ListFamilies(); }

std::string FaceCacheKey(const TLogFont& Request) { return CacheKeyOf(KeyOf(Request)); }

void ReloadConfiguration() { TResolver::Instance().Reload(); }

std::string NoUsableFontMessage() {
  // Kept in ASCII where it matters: a terminal in the C locale still shows
  // the font and package names.
  return "表示に使えるフォントがありません: IPAPGothic, IPAGothic "
         "(package fonts-ipafont-gothic) を入れてください";
}

}  // namespace fontresolver
