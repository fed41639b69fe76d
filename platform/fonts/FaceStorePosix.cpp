#include "platform/fonts/FaceStore.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <list>
#include <map>
#include <unordered_map>
#include <utility>

#include "platform/core/Exception.h"
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
    // The same file is often reachable under two names (the fonts-japanese-*
    // alternatives links point at the IPA files): one face for both.
    char Real[PATH_MAX];
    std::string Path = realpath(File.Path.c_str(), Real) ? std::string(Real) : File.Path;
    TKey Key{Path, File.Index};
    auto Found = FFaces.find(Key);
    if (Found != FFaces.end()) {
      TOpenFace& Open = Found->second;
      if (!Open.Face) return nullptr;
      if (Open.Uses++ == 0) FIdle.erase(Open.IdlePos);
      return Open.Face;
    }
    TOpenFace Open;
    Open.Map = MapFile(Path, &Open.Size);
    FT_Face Face = nullptr;
    FT_Error Error = Open.Map
                         ? FT_New_Memory_Face(FLibrary, static_cast<const FT_Byte*>(Open.Map),
                                              static_cast<FT_Long>(Open.Size), File.Index, &Face)
                         : FT_New_Face(FLibrary, Path.c_str(), File.Index, &Face);
    if (Error != 0) {
      Face = nullptr;
      if (Open.Map) munmap(Open.Map, Open.Size);
      Open.Map = nullptr;
      Open.Size = 0;
    }
    if (Face && FT_Select_Charmap(Face, FT_ENCODING_UNICODE) != 0)
      FT_Select_Charmap(Face, FT_ENCODING_MS_SYMBOL);
    Open.Face = Face;
    Open.Uses = Face ? 1 : 0;
    FFaces.emplace(Key, Open);
    if (Face) FKeys.emplace(Face, Key);
    return Face;
  }

  void ReleaseFace(FT_Face Face) {
    auto Key = FKeys.find(Face);
    if (Key == FKeys.end()) return;
    TOpenFace& Open = FFaces.at(Key->second);
    if (Open.Uses <= 0 || --Open.Uses > 0) return;
    FIdle.push_front(Key->second);
    Open.IdlePos = FIdle.begin();
    while (static_cast<int>(FIdle.size()) > facestore::kIdleFaces) Close(FIdle.back());
  }

  int OpenFaceCount() const { return static_cast<int>(FKeys.size()); }

  void ReleaseResidentPages() {
    // Only our own mappings of files: dropping pages of anonymous memory
    // would lose their contents, while a file's pages read back unchanged.
    for (const auto& [Key, Open] : FFaces)
      if (Open.Map) madvise(Open.Map, Open.Size, MADV_DONTNEED);
  }

private:
  using TKey = std::pair<std::string, int>;
  struct TOpenFace {
    FT_Face Face = nullptr;  // nullptr: the file could not be read
    void* Map = nullptr;     // the file, read-only, when it could be mapped
    std::size_t Size = 0;
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
    FT_Done_Face(Open.Face);
    if (Open.Map) munmap(Open.Map, Open.Size);
    FFaces.erase(Found);
  }

  // The whole file mapped read-only, or nullptr (FreeType then reads the file
  // itself). The mapping lives as long as the face.
  static void* MapFile(const std::string& Path, std::size_t* Size) {
    int Fd = open(Path.c_str(), O_RDONLY | O_CLOEXEC);
    if (Fd < 0) return nullptr;
    struct stat Info {};
    void* Map = nullptr;
    if (fstat(Fd, &Info) == 0 && S_ISREG(Info.st_mode) && Info.st_size > 0) {
      Map = mmap(nullptr, static_cast<std::size_t>(Info.st_size), PROT_READ, MAP_PRIVATE, Fd, 0);
      if (Map == MAP_FAILED)
        Map = nullptr;
      else
        *Size = static_cast<std::size_t>(Info.st_size);
    }
    close(Fd);
    return Map;
  }

  TFaceStore() {
    if (FT_Init_FreeType(&FLibrary) != 0) throw Exception("フォントを初期化できません");
  }

  static inline TFaceStore* FInstance = nullptr;
  FT_Library FLibrary = nullptr;
  std::map<TKey, TOpenFace> FFaces;
  std::unordered_map<FT_Face, TKey> FKeys;
  std::list<TKey> FIdle;  // faces nobody uses, most recently released first
};

}  // namespace

namespace facestore {

FT_Face OpenFace(const TFontFile& File) { return TFaceStore::Instance().OpenFace(File); }

void ReleaseFace(FT_Face Face) {
  if (Face)
    if (TFaceStore* Store = TFaceStore::Existing()) Store->ReleaseFace(Face);
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

void ReleaseResidentPages() {
  if (TFaceStore* Store = TFaceStore::Existing()) Store->ReleaseResidentPages();
}

}  // namespace fontfiles
