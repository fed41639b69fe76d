#pragma once
// The GDI calls of the Windows font layer, behind a plain interface: text is
// UTF-8, numbers are the Windows values (charsets, weights, font types), and
// nothing here includes <windows.h>. The platform names many things the way
// <windows.h> does (FW_*, *_CHARSET, *_FONTTYPE), so only GdiFontsWin32.cpp
// sees the system's headers, and it sees none of the platform's.
//
// Everything runs on the user-interface thread, on one memory device context
// that lives as long as the process.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace gdifonts {

// A LOGFONTW, the face as UTF-8.
struct TGdiRequest {
  std::string Face;
  int Height = 0;
  int Weight = 0;
  bool Italic = false;
  int Charset = 1;  // DEFAULT_CHARSET
  int PitchAndFamily = 0;
};

// One family as EnumFontFamiliesExW reports it (once per character set).
struct TGdiFamily {
  std::string Face;  // UTF-8; empty when the name is no valid UTF-16
  unsigned FontType = 0;
  unsigned NtmFlags = 0;
};

// Every family of the screen's fonts (DEFAULT_CHARSET, no face name).
std::vector<TGdiFamily> EnumFamilies();
// The Japanese family name the face of that family carries in its own name
// table; empty when it has none (or GDI gives no bytes of it).
std::string JapaneseFamilyName(const std::string& Face);

// True when GDI has a family of that name, under any of its names, in the
// character set Charset (DEFAULT_CHARSET: in any).
bool HasFamily(const std::string& Face, int Charset = 1);

// The face GDI chose for a request, selected into the memory context.
struct TGdiFace {
  std::string Face;          // GetTextFaceW: the name it was asked by
  std::string Family;        // the outline face's own family name; empty for others
  std::string FullName;      // the outline face's full name; empty for others
  std::size_t DataSize = 0;  // the bytes GetFontData gives (table 0); 0: none
  int Height = 0;            // tmHeight
  int Charset = 0;           // tmCharSet
};
// False when GDI could not make the font at all.
bool Realize(const TGdiRequest& Request, TGdiFace* Face);

// The bytes of the face chosen for Request: the whole file (table 0), or for
// a member of a collection the whole collection ('ttcf') with *Index the
// member's number in it. False when GDI has no bytes for the face (raster and
// device fonts).
bool ReadFaceBytes(const TGdiRequest& Request, std::vector<unsigned char>* Bytes, int* Index);

// True when the face chosen for Request has a glyph of its own for Code (a
// character of the Basic Multilingual Plane).
bool HasGlyph(const TGdiRequest& Request, char16_t Code);

// The faces font linking adds to Face (the system's SystemLink list), in
// order; empty when none.
std::vector<std::string> LinkedFaces(const std::string& Face);

// The file of the face chosen for Request, as a UTF-8 Windows path: what GDI
// says it realised the font from, else the font list in the registry
// (HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Fonts, file names
// relative to %WINDIR%\Fonts). Empty when neither knows.
std::string FontFileOf(const TGdiRequest& Request);

// The whole file at a UTF-8 Windows path; false when it cannot be read.
bool ReadWholeFile(const std::string& Path, std::vector<unsigned char>* Bytes);

// The file of the face chosen for Request (FontFileOf), mapped read-only,
// when it holds exactly the bytes ReadFaceBytes would copy: the same size
// and the same table directory (for a collection member, *Index is the
// member's number). The pages are the system's file cache, shared with
// every program, and the file stays open for reading only until Data's last
// copy goes, so nobody rewrites it under the face. False when the face has
// no file or its file is not those bytes.
bool MapFaceFile(const TGdiRequest& Request, std::shared_ptr<const unsigned char>* Data,
                 std::size_t* Size, int* Index);

// True when Address lies in a view of a mapped file.
bool IsInMappedFile(const void* Address);

// A face whose bytes GDI gives is named, where a font file's path would go,
// as "gdi:" and what identifies its bytes (its full name and size), then on
// the following lines the request that selects it again. Two requests that
// lead to the same face share the first line, and the face store opens the
// face once.
inline const char kFaceLocatorPrefix[] = "gdi:";

std::string EncodeFaceLocator(const std::string& Identity, const TGdiRequest& Request);
// The first line of a locator.
std::string LocatorIdentity(const std::string& Locator);
// False when Locator is no face locator.
bool DecodeFaceLocator(const std::string& Locator, TGdiRequest* Request);

}  // namespace gdifonts
