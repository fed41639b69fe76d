#pragma once
// Font files a Windows test installs for its own process only
// (AddFontResourceExW with FR_PRIVATE), through a plain interface: the test
// files include the platform's headers, whose names clash with <windows.h>.

#include <string>

namespace privatefontfile {

// A fresh folder for the test's files (UTF-8 Windows path, ending in '\').
std::string ScratchFolder();
// Writes Bytes to Path; false on failure.
bool Write(const std::string& Path, const std::string& Bytes);
// Installs the font file for this process; false when GDI takes no font
// from it.
bool Add(const std::string& Path);
void Remove(const std::string& Path);
// Installs a font from memory, with no file behind it (AddFontMemResourceEx);
// a handle for RemoveFromMemory, 0 when GDI takes no font from it.
void* AddFromMemory(const std::string& Bytes);
void RemoveFromMemory(void* Handle);

}  // namespace privatefontfile
