#pragma once
// Paths are the system's text (code page 932). The file system sees UTF-8:
// convert at the edge with ToFileSystem / FromFileSystem (on Windows the W
// calls take it as UTF-16, files/WideString.h). "/" and "." are never the
// trail byte of a double-byte character, so on Linux searching for them byte
// by byte is safe; on Windows "\" separates folders too and can be a trail
// byte, so PathWin32.cpp looks for separators character by character.
// Path.cpp holds what both systems share.

#include <string>
#include <string_view>

namespace files {

// The running executable's full path (/proc/self/exe, GetModuleFileNameW).
std::string ExecutablePath();

// The directory of the running executable, ending with its separator.
std::string ExecutableDirectory();

// "dir/name.ext" -> "dir/" (empty when there is no directory part).
std::string ExtractFilePath(std::string_view Path);
// "dir/name.ext" -> "name.ext".
std::string ExtractFileName(std::string_view Path);
// "dir/name.ext" -> ".ext" (empty when the file name holds no ".").
std::string ExtractFileExt(std::string_view Path);
// "dir/name.ext" -> "dir/name".
std::string RemoveFileExt(std::string_view Path);

// Where the file name starts in Path: just after the last folder separator
// (or, on Windows, a drive's colon); 0 when there is none.
std::size_t FileNameStart(std::string_view Path);

// System text -> bytes for the OS, and back. Text that does not convert is
// passed as the raw bytes it is, so no path is ever refused here.
std::string ToFileSystem(std::string_view Path);
std::string FromFileSystem(std::string_view Path);

}  // namespace files
