#include "platform/fonts/FaceStore.h"

#include <list>
#include <map>
#include <unordered_map>
#include <utility>

#include "platform/core/Exception.h"
#include "platform/fonts/FaceBytes.h"
#include "platform/fonts/FontFiles.h"

namespace {

class TFaceStore {
public:
  // Never destroyed: fonts held by static objects may release their sizes
  // while the process exits, after any ordinary static would be gone.
  static TFaceStore& Instance() {
    if (!FInstance) FInstance = new TFaceStore;
    return *FInstance;
  }
  // The store when a face has been asked for; starting FreeType only to find
  // nothing to release would cost more memory than it saves.
  static TFaceStore* Existing() { return FInstance; }

  FT_Face OpenFace(const TFontFile& File) {
    TKey Key{facebytes::IdentityOf(File), File.Index};
    const std::string Stamp = facebytes::StampOf(Key.first);
    auto Found = FFaces.find(Key);
    if (Found != FFaces.end() && Found->second.Stamp != Stamp) {
      // The file was rewritten, shortened or replaced since the face was
      // opened (or since it failed): read it anew.
      Retire(Found);
      Found = FFaces.end();
    }
    if (Found != FFaces.end()) {
      TOpenFace& Open = Found->second;
      if (!Open.Face) return nullptr;
      if (Open.Uses++ == 0) FIdle.erase(Open.IdlePos);
      return Open.Face;
    }
    TOpenFace Open;
    Open.Stamp = Stamp;
    FT_Face Face = nullptr;
    FT_Error Error = 0;
    if (!facebytes::Load(File, &Open.Bytes)) {
      Error = FT_New_Face(FLibrary, Key.first.c_str(), File.Index, &Face);
    } else if (Open.Bytes.Stream) {
      FT_Open_Args Args{};
      Args.flags = FT_OPEN_STREAM;
      Args.stream = Open.Bytes.Stream.get();
      Error = FT_Open_Face(FLibrary, &Args, Open.Bytes.Index, &Face);
    } else {
      Error = FT_New_Memory_Face(FLibrary, Open.Bytes.Data.get(),
                                 static_cast<FT_Long>(Open.Bytes.Size), Open.Bytes.Index, &Face);
    }
    if (Error != 0) {
      Face = nullptr;
      Open.Bytes = {};
    }
    if (Face && FT_Select_Charmap(Face, FT_ENCODING_UNICODE) != 0 &&
        FT_Select_Charmap(Face, FT_ENCODING_MS_SYMBOL) != 0 && !Face->charmap &&
        Face->num_charmaps > 0)
      // A Windows raster font maps only its own byte codes (FreeType gives
      // no Unicode map for them); for the Latin letters and digits those are
      // the Unicode codes too.
      FT_Set_Charmap(Face, Face->charmaps[0]);
    Open.Face = Face;
    Open.Uses = Face ? 1 : 0;
    FFaces.emplace(Key, Open);
    if (Face) FKeys.emplace(Face, Key);
    return Face;
  }

  void ReleaseFace(FT_Face Face) {
    auto Retired = FRetired.find(Face);
    if (Retired != FRetired.end()) {
      if (--Retired->second.Uses <= 0) {
        FT_Done_Face(Face);
        FRetired.erase(Retired);
      }
      return;
    }
    auto Key = FKeys.find(Face);
    if (Key == FKeys.end()) return;
    TOpenFace& Open = FFaces.at(Key->second);
    if (Open.Uses <= 0 || --Open.Uses > 0) return;
    FIdle.push_front(Key->second);
    Open.IdlePos = FIdle.begin();
    while (static_cast<int>(FIdle.size()) > facestore::kIdleFaces) Close(FIdle.back());
  }

  int OpenFaceCount() const { return static_cast<int>(FKeys.size() + FRetired.size()); }

  bool ForgetIfChanged(FT_Face Face) {
    auto Key = FKeys.find(Face);
    if (Key == FKeys.end()) return FRetired.count(Face) != 0;
    auto Found = FFaces.find(Key->second);
    if (Found->second.Stamp == facebytes::StampOf(Key->second.first)) return false;
    Retire(Found);
    return true;
  }

private:
  using TKey = std::pair<std::string, int>;
  struct TOpenFace {
    FT_Face Face = nullptr;       // nullptr: the file could not be read
    facebytes::TFaceBytes Bytes;  // what FreeType reads, while it is open
    std::string Stamp;            // the file's state when it was opened
    int Uses = 0;
    std::list<TKey>::iterator IdlePos;  // valid while Uses is 0
  };

  // Closes an idle face. Its entry goes too, so the file is read anew when
  // it is asked for again.
  void Close(const TKey& Key) {
    auto Found = FFaces.find(Key);
    TOpenFace& Open = Found->second;
    FIdle.erase(Open.IdlePos);
    FKeys.erase(Open.Face);
    // The face first: FreeType reads its bytes until it is done.
    FT_Done_Face(Open.Face);
    FFaces.erase(Found);
  }

  // Takes a face out of the lookup, so the next request opens its file anew.
  // The fonts still using it keep it until they let go.
  void Retire(std::map<TKey, TOpenFace>::iterator Found) {
    TOpenFace& Open = Found->second;
    if (!Open.Face) {
      FFaces.erase(Found);
    } else if (Open.Uses == 0) {
      Close(Found->first);
    } else {
      FKeys.erase(Open.Face);
      FRetired.emplace(Open.Face, std::move(Open));
      FFaces.erase(Found);
    }
  }

  TFaceStore() {
    if (FT_Init_FreeType(&FLibrary) != 0) throw Exception("フォントを初期化できません");
  }

  static inline TFaceStore* FInstance = nullptr;
  FT_Library FLibrary = nullptr;
  std::map<TKey, TOpenFace> FFaces;
  std::unordered_map<FT_Face, TKey> FKeys;
  std::list<TKey> FIdle;  // faces nobody uses, most recently released first
  // Faces whose files changed under them, open until their last use goes.
  std::unordered_map<FT_Face, TOpenFace> FRetired;
};

}  // namespace

namespace facestore {

FT_Face OpenFace(const TFontFile& File) { return TFaceStore::Instance().OpenFace(File); }

void ReleaseFace(FT_Face Face) {
  if (Face)
    if (TFaceStore* Store = TFaceStore::Existing()) Store->ReleaseFace(Face);
}

bool ForgetIfChanged(FT_Face Face) {
  TFaceStore* Store = TFaceStore::Existing();
  return Face && Store && Store->ForgetIfChanged(Face);
}

bool HasSymbolCharmap(FT_Face Face) {
  return Face && Face->charmap && Face->charmap->encoding == FT_ENCODING_MS_SYMBOL;
}

}  // namespace facestore

namespace fontfiles {

int OpenFaceCount() {
  TFaceStore* Store = TFaceStore::Existing();
  return Store ? Store->OpenFaceCount() : 0;
}

}  // namespace fontfiles
