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
    // The face's file mapped, as on Linux: its pages are the system's file
    // cache, where a copy would be the whole file (6 MB for the layouts'
    // face) in the process for as long as it runs. Only a face without a
    // file of its own (a font added from memory) is copied from GDI.
    if (gdifonts::MapFaceFile(Request, &Bytes->Data, &Bytes->Size, &Bytes->Index)) return true;
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

// The bytes are a copy in memory, or a mapping of a file held open without
// write sharing, which nobody can rewrite or shorten while the face is open:
// whatever becomes of the file, the face reads what it opened.
std::string StampOf(const std::string&) { return std::string(); }

}  // namespace facebytes
