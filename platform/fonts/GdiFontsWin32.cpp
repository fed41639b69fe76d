// The GDI side of the Windows font layer. This file includes <windows.h> and
// none of the platform's headers but GdiFonts.h (see there why).

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "platform/fonts/GdiFonts.h"

namespace gdifonts {

namespace {

// UTF-8 <-> UTF-16, refusing invalid input (empty result). The code page is
// named, never the process's own, so the result is the same everywhere.
std::wstring Wide(const std::string& Utf8) {
  if (Utf8.empty()) return {};
  int Length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, Utf8.data(),
                                   static_cast<int>(Utf8.size()), nullptr, 0);
  if (Length <= 0) return {};
  std::wstring Result(static_cast<std::size_t>(Length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, Utf8.data(), static_cast<int>(Utf8.size()),
                      Result.data(), Length);
  return Result;
}

std::string Narrow(const wchar_t* Text, int Length = -1) {
  if (Length < 0) Length = static_cast<int>(wcslen(Text));
  if (Length == 0) return {};
  int Bytes = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, Text, Length, nullptr, 0, nullptr,
                                  nullptr);
  if (Bytes <= 0) return {};
  std::string Result(static_cast<std::size_t>(Bytes), '\0');
  WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, Text, Length, Result.data(), Bytes, nullptr,
                      nullptr);
  return Result;
}

// The one memory context the font layer asks GDI through.
HDC Context() {
  static HDC Dc = CreateCompatibleDC(nullptr);
  return Dc;
}

// A face name that fits a LOGFONTW (31 characters and the terminator);
// false for a longer one, which no installed family can have.
bool CopyFaceName(const std::string& Face, WCHAR (&Out)[LF_FACESIZE]) {
  std::wstring Name = Wide(Face);
  std::memset(Out, 0, sizeof Out);
  if (Name.size() >= LF_FACESIZE) return false;
  std::memcpy(Out, Name.c_str(), Name.size() * sizeof(WCHAR));
  return true;
}

LOGFONTW LogFontOf(const TGdiRequest& Request) {
  LOGFONTW Font{};
  Font.lfHeight = Request.Height;
  Font.lfWeight = Request.Weight;
  Font.lfItalic = Request.Italic ? TRUE : FALSE;
  Font.lfCharSet = static_cast<BYTE>(Request.Charset);
  Font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  Font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  Font.lfQuality = DEFAULT_QUALITY;
  Font.lfPitchAndFamily = static_cast<BYTE>(Request.PitchAndFamily);
  CopyFaceName(Request.Face, Font.lfFaceName);
  return Font;
}

// The font of a request selected into the context for the life of this
// object.
class TSelectedFont {
public:
  explicit TSelectedFont(const TGdiRequest& Request) {
    LOGFONTW Font = LogFontOf(Request);
    FFont = CreateFontIndirectW(&Font);
    if (FFont) FOld = SelectObject(Context(), FFont);
  }
  ~TSelectedFont() {
    if (FOld) SelectObject(Context(), FOld);
    if (FFont) DeleteObject(FFont);
  }
  TSelectedFont(const TSelectedFont&) = delete;
  TSelectedFont& operator=(const TSelectedFont&) = delete;
  bool Ok() const { return FFont && FOld; }

private:
  HFONT FFont = nullptr;
  HGDIOBJ FOld = nullptr;
};

constexpr DWORD kCollectionTag = 0x66637474;  // 'ttcf' as GetFontData takes it

std::uint32_t BigEndian32(const unsigned char* P) {
  return static_cast<std::uint32_t>(P[0]) << 24 | static_cast<std::uint32_t>(P[1]) << 16 |
         static_cast<std::uint32_t>(P[2]) << 8 | P[3];
}

bool ReadTable(DWORD Table, DWORD Offset, std::size_t Size, std::vector<unsigned char>* Bytes) {
  Bytes->resize(Size);
  if (Size == 0) return true;
  DWORD Read = GetFontData(Context(), Table, Offset, Bytes->data(), static_cast<DWORD>(Size));
  return Read != GDI_ERROR && Read == Size;
}

int CALLBACK CollectFamily(const LOGFONTW* Font, const TEXTMETRICW* Metric, DWORD FontType,
                           LPARAM Param) {
  auto* Families = reinterpret_cast<std::vector<TGdiFamily>*>(Param);
  const auto* Extended = reinterpret_cast<const NEWTEXTMETRICEXW*>(Metric);
  Families->push_back({Narrow(Font->lfFaceName), static_cast<unsigned>(FontType),
                       static_cast<unsigned>(Extended->ntmTm.ntmFlags)});
  return 1;
}

int CALLBACK StopAtFirst(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM Param) {
  *reinterpret_cast<bool*>(Param) = true;
  return 0;
}

// "\\??\\C:\\..." (the system's own form of a path) as a plain path.
std::wstring PlainPath(std::wstring Path) {
  if (Path.rfind(L"\\??\\", 0) == 0) Path.erase(0, 4);
  return Path;
}

// What GDI says it realised the selected font from. The two calls are not
// in the import libraries of every system, so they are looked up.
std::wstring RealisedFile() {
  struct TRealizationInfo {
    DWORD Size, Flags, CacheNum, InstanceId, FileCount;
    WORD FaceIndex, Simulations;
  };
  struct TFileInfo {
    FILETIME WriteTime;
    LARGE_INTEGER Size;
    WCHAR Path[MAX_PATH];
  };
  using TGetRealizationInfo = BOOL(WINAPI*)(HDC, TRealizationInfo*);
  using TGetFileInfo = BOOL(WINAPI*)(DWORD, DWORD, TFileInfo*, SIZE_T, SIZE_T*);
  HMODULE Gdi = GetModuleHandleW(L"gdi32.dll");
  if (!Gdi) return {};
  // Through a function type of no arguments, which any function pointer may
  // pass through.
  using TAnyFunction = void (*)();
  auto GetRealizationInfo = reinterpret_cast<TGetRealizationInfo>(
      reinterpret_cast<TAnyFunction>(GetProcAddress(Gdi, "GetFontRealizationInfo")));
  auto GetFileInfo = reinterpret_cast<TGetFileInfo>(
      reinterpret_cast<TAnyFunction>(GetProcAddress(Gdi, "GetFontFileInfo")));
  if (!GetRealizationInfo || !GetFileInfo) return {};
  // The longer form of the structure is the one that counts the files.
  TRealizationInfo Info{};
  Info.Size = sizeof Info;
  if (!GetRealizationInfo(Context(), &Info) || Info.FileCount == 0) return {};
  TFileInfo File{};
  SIZE_T Needed = 0;
  if (!GetFileInfo(Info.InstanceId, 0, &File, sizeof File, &Needed)) return {};
  File.Path[MAX_PATH - 1] = L'\0';
  return PlainPath(File.Path);
}

// The registry's font list: "Face (TrueType)", "Face 8,10,12" or "Face" ->
// a file name in %WINDIR%\Fonts or a full path.
std::wstring RegisteredFile(const std::wstring& Face) {
  HKEY Key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                    0, KEY_READ, &Key) != ERROR_SUCCESS)
    return {};
  std::wstring Found;
  for (DWORD I = 0; Found.empty(); ++I) {
    WCHAR Name[512];
    DWORD NameLength = 512;
    WCHAR Value[MAX_PATH];
    DWORD ValueBytes = sizeof Value - sizeof(WCHAR);
    DWORD Type = 0;
    LONG Result = RegEnumValueW(Key, I, Name, &NameLength, nullptr, &Type,
                                reinterpret_cast<BYTE*>(Value), &ValueBytes);
    if (Result == ERROR_NO_MORE_ITEMS) break;
    if (Result != ERROR_SUCCESS || Type != REG_SZ) continue;
    Value[ValueBytes / sizeof(WCHAR)] = L'\0';
    std::wstring Entry(Name, NameLength);
    if (Entry.size() < Face.size() || _wcsnicmp(Entry.c_str(), Face.c_str(), Face.size()) != 0)
      continue;
    // The name must end there, or go on with the sizes or the kind.
    if (Entry.size() > Face.size()) {
      if (Entry[Face.size()] != L' ') continue;
      wchar_t Next = Face.size() + 1 < Entry.size() ? Entry[Face.size() + 1] : L'\0';
      if (!(Next == L'(' || (Next >= L'0' && Next <= L'9'))) continue;
    }
    Found = Value;
  }
  RegCloseKey(Key);
  if (Found.empty()) return {};
  if (Found.find(L'\\') != std::wstring::npos || Found.find(L':') != std::wstring::npos)
    return Found;
  WCHAR Windows[MAX_PATH];
  UINT Length = GetWindowsDirectoryW(Windows, MAX_PATH);
  if (Length == 0 || Length >= MAX_PATH) return {};
  return std::wstring(Windows, Length) + L"\\Fonts\\" + Found;
}

}  // namespace

std::vector<TGdiFamily> EnumFamilies() {
  LOGFONTW Font{};
  Font.lfCharSet = DEFAULT_CHARSET;
  std::vector<TGdiFamily> Families;
  EnumFontFamiliesExW(Context(), &Font, CollectFamily, reinterpret_cast<LPARAM>(&Families), 0);
  return Families;
}

std::string JapaneseFamilyName(const std::string& Face) {
  TGdiRequest Request;
  Request.Face = Face;
  Request.Height = -12;
  TSelectedFont Selected(Request);
  if (!Selected.Ok()) return {};
  constexpr DWORD kNameTable = 0x656D616E;  // 'name'
  DWORD Size = GetFontData(Context(), kNameTable, 0, nullptr, 0);
  std::vector<unsigned char> Table;
  if (Size == GDI_ERROR || Size < 6 || !ReadTable(kNameTable, 0, Size, &Table)) return {};
  auto Word = [&](std::size_t At) -> unsigned {
    return At + 2 <= Table.size() ? (Table[At] << 8 | Table[At + 1]) : 0;
  };
  const std::size_t Count = Word(2), Strings = Word(4);
  for (std::size_t I = 0; I < Count; ++I) {
    const std::size_t Record = 6 + 12 * I;
    if (Record + 12 > Table.size()) break;
    // Windows platform, Unicode, Japanese, the family name.
    if (Word(Record) != 3 || Word(Record + 2) != 1 || Word(Record + 4) != 0x0411 ||
        Word(Record + 6) != 1)
      continue;
    const std::size_t Length = Word(Record + 8), Offset = Strings + Word(Record + 10);
    if (Offset + Length > Table.size() || Length % 2 != 0) continue;
    std::wstring Name;
    for (std::size_t At = Offset; At < Offset + Length; At += 2)
      Name += static_cast<wchar_t>(Word(At));
    return Narrow(Name.c_str(), static_cast<int>(Name.size()));
  }
  return {};
}

bool HasFamily(const std::string& Face, int Charset) {
  LOGFONTW Font{};
  Font.lfCharSet = static_cast<BYTE>(Charset);
  if (Face.empty() || !CopyFaceName(Face, Font.lfFaceName) || Font.lfFaceName[0] == 0) return false;
  bool Found = false;
  EnumFontFamiliesExW(Context(), &Font, StopAtFirst, reinterpret_cast<LPARAM>(&Found), 0);
  return Found;
}

bool Realize(const TGdiRequest& Request, TGdiFace* Face) {
  TSelectedFont Selected(Request);
  if (!Selected.Ok()) return false;
  WCHAR Name[LF_FACESIZE * 2] = {};
  int Length = GetTextFaceW(Context(), LF_FACESIZE * 2, Name);
  Face->Face = Length > 0 ? Narrow(Name) : std::string();
  TEXTMETRICW Metric{};
  if (!GetTextMetricsW(Context(), &Metric)) return false;
  Face->Height = Metric.tmHeight;
  Face->Charset = Metric.tmCharSet;
  DWORD Size = GetFontData(Context(), 0, 0, nullptr, 0);
  Face->DataSize = Size == GDI_ERROR ? 0 : Size;
  Face->Family.clear();
  Face->FullName.clear();
  if (UINT Needed = GetOutlineTextMetricsW(Context(), 0, nullptr)) {
    std::vector<unsigned char> Buffer(Needed);
    auto* Outline = reinterpret_cast<OUTLINETEXTMETRICW*>(Buffer.data());
    if (GetOutlineTextMetricsW(Context(), Needed, Outline)) {
      // The names are offsets from the start of the structure.
      auto NameAt = [&](PSTR Member) -> std::string {
        auto Offset = reinterpret_cast<std::size_t>(Member);
        if (Offset == 0 || Offset >= Needed) return {};
        const auto* Name = reinterpret_cast<const wchar_t*>(Buffer.data() + Offset);
        std::size_t MaxChars = (Needed - Offset) / sizeof(wchar_t);
        return Narrow(Name, static_cast<int>(wcsnlen(Name, MaxChars)));
      };
      Face->Family = NameAt(Outline->otmpFamilyName);
      Face->FullName = NameAt(Outline->otmpFullName);
    }
  }
  return true;
}

bool ReadFaceBytes(const TGdiRequest& Request, std::vector<unsigned char>* Bytes, int* Index) {
  TSelectedFont Selected(Request);
  if (!Selected.Ok()) return false;
  *Index = 0;
  DWORD CollectionSize = GetFontData(Context(), kCollectionTag, 0, nullptr, 0);
  if (CollectionSize == GDI_ERROR || CollectionSize < 12) {
    DWORD Size = GetFontData(Context(), 0, 0, nullptr, 0);
    if (Size == GDI_ERROR || Size == 0) return false;
    return ReadTable(0, 0, Size, Bytes);
  }
  // A member of a collection: table 0 starts at the member's own table
  // directory, whose offsets count from the start of the collection. So the
  // collection is read whole, and the member is the one whose directory is
  // the one GDI gives.
  if (!ReadTable(kCollectionTag, 0, CollectionSize, Bytes)) return false;
  std::vector<unsigned char> Directory;
  if (!ReadTable(0, 0, 12, &Directory)) return false;
  std::size_t Tables = static_cast<std::size_t>(Directory[4]) << 8 | Directory[5];
  if (!ReadTable(0, 0, 12 + 16 * Tables, &Directory)) return false;
  std::uint32_t Members = BigEndian32(Bytes->data() + 8);
  for (std::uint32_t Member = 0; Member < Members; ++Member) {
    std::size_t Entry = 12 + 4 * static_cast<std::size_t>(Member);
    if (Entry + 4 > Bytes->size()) break;
    std::size_t Offset = BigEndian32(Bytes->data() + Entry);
    if (Offset + Directory.size() > Bytes->size()) continue;
    if (std::memcmp(Bytes->data() + Offset, Directory.data(), Directory.size()) == 0) {
      *Index = static_cast<int>(Member);
      return true;
    }
  }
  return false;
}

bool HasGlyph(const TGdiRequest& Request, char16_t Code) {
  TSelectedFont Selected(Request);
  if (!Selected.Ok()) return false;
  WCHAR Char = static_cast<WCHAR>(Code);
  WORD Glyph = 0xFFFF;
  if (GetGlyphIndicesW(Context(), &Char, 1, &Glyph, GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
    return false;
  return Glyph != 0xFFFF;
}

std::vector<std::string> LinkedFaces(const std::string& Face) {
  std::vector<std::string> Faces;
  std::wstring Name = Wide(Face);
  if (Name.empty()) return Faces;
  WCHAR Value[4096];
  DWORD Bytes = sizeof Value - 2 * sizeof(WCHAR);
  DWORD Type = 0;
  if (RegGetValueW(HKEY_LOCAL_MACHINE,
                   L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink",
                   Name.c_str(), RRF_RT_REG_MULTI_SZ, &Type, Value, &Bytes) != ERROR_SUCCESS)
    return Faces;
  std::size_t Count = Bytes / sizeof(WCHAR);
  Value[Count] = Value[Count + 1] = L'\0';
  // Each entry is "FILE,Face[,scaling...]"; an entry of a file alone names
  // no face and is passed over.
  for (const WCHAR* Entry = Value; *Entry; Entry += wcslen(Entry) + 1) {
    std::wstring Text(Entry);
    std::size_t Comma = Text.find(L',');
    if (Comma == std::wstring::npos) continue;
    std::size_t End = Text.find(L',', Comma + 1);
    std::wstring Linked = Text.substr(Comma + 1, End == std::wstring::npos ? End : End - Comma - 1);
    if (!Linked.empty()) Faces.push_back(Narrow(Linked.c_str()));
  }
  return Faces;
}

std::string FontFileOf(const TGdiRequest& Request) {
  std::wstring Face;
  {
    TSelectedFont Selected(Request);
    if (!Selected.Ok()) return {};
    std::wstring File = RealisedFile();
    if (!File.empty()) return Narrow(File.c_str());
    WCHAR Name[LF_FACESIZE * 2] = {};
    if (GetTextFaceW(Context(), LF_FACESIZE * 2, Name) <= 0) return {};
    Face = Name;
  }
  std::wstring File = RegisteredFile(Face);
  return File.empty() ? std::string() : Narrow(File.c_str());
}

bool ReadWholeFile(const std::string& Path, std::vector<unsigned char>* Bytes) {
  std::wstring Name = Wide(Path);
  if (Name.empty()) return false;
  HANDLE File = CreateFileW(Name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (File == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER Size{};
  bool Ok = GetFileSizeEx(File, &Size) && Size.QuadPart > 0 && Size.QuadPart < (1LL << 31);
  if (Ok) {
    Bytes->resize(static_cast<std::size_t>(Size.QuadPart));
    std::size_t Done = 0;
    while (Ok && Done < Bytes->size()) {
      DWORD Read = 0;
      Ok = ReadFile(File, Bytes->data() + Done, static_cast<DWORD>(Bytes->size() - Done), &Read,
                    nullptr) &&
           Read > 0;
      Done += Read;
    }
  }
  CloseHandle(File);
  return Ok;
}

bool MapFaceFile(const TGdiRequest& Request, std::shared_ptr<const unsigned char>* Data,
                 std::size_t* Size, int* Index) {
  const std::wstring Name = Wide(FontFileOf(Request));
  if (Name.empty()) return false;
  // What GetFontData would give: the whole collection or the whole file,
  // and the face's own table directory to recognise it by.
  std::vector<unsigned char> Directory;
  DWORD Expected = 0;
  bool IsCollection = false;
  {
    TSelectedFont Selected(Request);
    if (!Selected.Ok()) return false;
    Expected = GetFontData(Context(), kCollectionTag, 0, nullptr, 0);
    IsCollection = Expected != GDI_ERROR && Expected >= 12;
    if (!IsCollection) Expected = GetFontData(Context(), 0, 0, nullptr, 0);
    if (Expected == GDI_ERROR || Expected < 12 || !ReadTable(0, 0, 12, &Directory)) return false;
    const std::size_t Tables = static_cast<std::size_t>(Directory[4]) << 8 | Directory[5];
    if (!ReadTable(0, 0, 12 + 16 * Tables, &Directory)) return false;
  }
  // Writers are kept out for as long as the view lives (no FILE_SHARE_WRITE
  // on a handle held open), so the bytes never change under FreeType.
  HANDLE File = CreateFileW(Name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (File == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER FileSize{};
  const void* View = nullptr;
  if (GetFileSizeEx(File, &FileSize) && FileSize.QuadPart == static_cast<LONGLONG>(Expected)) {
    HANDLE Mapping = CreateFileMappingW(File, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (Mapping) {
      View = MapViewOfFile(Mapping, FILE_MAP_READ, 0, 0, 0);
      // The view keeps the section alive.
      CloseHandle(Mapping);
    }
  }
  if (!View) {
    CloseHandle(File);
    return false;
  }
  const auto* Bytes = static_cast<const unsigned char*>(View);
  int Member = -1;
  if (!IsCollection) {
    if (std::memcmp(Bytes, Directory.data(), Directory.size()) == 0) Member = 0;
  } else if (std::memcmp(Bytes, "ttcf", 4) == 0) {
    // As in ReadFaceBytes: the member whose directory is the one GDI gives.
    const std::uint32_t Members = BigEndian32(Bytes + 8);
    for (std::uint32_t M = 0; M < Members && Member < 0; ++M) {
      const std::size_t Entry = 12 + 4 * static_cast<std::size_t>(M);
      if (Entry + 4 > Expected) break;
      const std::size_t Offset = BigEndian32(Bytes + Entry);
      if (Offset + Directory.size() > Expected) continue;
      if (std::memcmp(Bytes + Offset, Directory.data(), Directory.size()) == 0)
        Member = static_cast<int>(M);
    }
  }
  if (Member < 0) {
    UnmapViewOfFile(View);
    CloseHandle(File);
    return false;
  }
  *Data = std::shared_ptr<const unsigned char>(Bytes, [File](const unsigned char* Mapped) {
    UnmapViewOfFile(Mapped);
    CloseHandle(File);
  });
  *Size = Expected;
  *Index = Member;
  return true;
}

bool IsInMappedFile(const void* Address) {
  MEMORY_BASIC_INFORMATION Info{};
  return VirtualQuery(Address, &Info, sizeof Info) == sizeof Info && Info.Type == MEM_MAPPED;
}

}  // namespace gdifonts
