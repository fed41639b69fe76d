#include <utility>
#include <vector>

#include "platform/fonts/FaceBytes.h"
#include "platform/fonts/GdiFonts.h"

namespace facebytes {

std::string IdentityOf(const TFontFile& File) {
  // A face GDI gives the bytes of is known by its name and size, however it
  // was asked for; a font file by its path.
  return gdifonts::LocatorIdentity(File.Path);
}

bool Load(const TFontFile& File, TFaceBytes* Bytes) {
  std::vector<unsigned char> Read;
  int Index = File.Index;
  gdifonts::TGdiRequest Request;
  if (gdifonts::DecodeFaceLocator(File.Path, &Request)) {
    if (!gdifonts::ReadFaceBytes(Request, &Read, &Index)) return false;
  } else if (File.Path.empty() || !gdifonts::ReadWholeFile(File.Path, &Read)) {
    return false;
  }
  // A copy in memory, owned by the face store until the face closes.
  auto Owned = std::make_shared<std::vector<unsigned char>>(std::move(Read));
  Bytes->Data = std::shared_ptr<const unsigned char>(Owned, Owned->data());
  Bytes->Size = Owned->size();
  Bytes->Index = Index;
  return true;
}

// The bytes are a copy in memory: whatever becomes of the file, the face
// reads what it opened.
std::string StampOf(const std::string&) { return std::string(); }

}  // namespace facebytes
