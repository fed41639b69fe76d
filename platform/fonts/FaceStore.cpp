#include "platform/fonts/FaceStore.h"

#include <climits>
#include <cstdlib>
#include <map>
#include <utility>

#include "platform/core/Exception.h"

namespace {

class TFaceStore {
public:
  // Never destroyed: fonts held by static objects may release their sizes
  // while the process exits, after any ordinary static would be gone.
  static TFaceStore& Instance() {
    static TFaceStore* Store = new TFaceStore;
    return *Store;
  }

  FT_Face OpenFace(const TFontFile& File) {
    // The same file is often reachable under two names (the fonts-japanese-*
    // alternatives links point at the IPA files): one face for both.
    char Real[PATH_MAX];
    std::string Path = realpath(File.Path.c_str(), Real) ? std::string(Real) : File.Path;
    auto Key = std::make_pair(Path, File.Index);
    auto Found = FFaces.find(Key);
    if (Found != FFaces.end()) return Found->second;
    FT_Face Face = nullptr;
    if (FT_New_Face(FLibrary, Path.c_str(), File.Index, &Face) != 0) Face = nullptr;
    if (Face && FT_Select_Charmap(Face, FT_ENCODING_UNICODE) != 0)
      FT_Select_Charmap(Face, FT_ENCODING_MS_SYMBOL);
    FFaces.emplace(Key, Face);
    return Face;
  }

private:
  TFaceStore() {
    if (FT_Init_FreeType(&FLibrary) != 0) throw Exception("フォントを初期化できません");
  }

  FT_Library FLibrary = nullptr;
  std::map<std::pair<std::string, int>, FT_Face> FFaces;
};

}  // namespace

namespace facestore {

FT_Face OpenFace(const TFontFile& File) { return TFaceStore::Instance().OpenFace(File); }

bool HasSymbolCharmap(FT_Face Face) {
  return Face && Face->charmap && Face->charmap->encoding == FT_ENCODING_MS_SYMBOL;
}

}  // namespace facestore
