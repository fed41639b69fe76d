#pragma once
// Writes a whole file in one go (made or truncated), for the Windows build's
// PNG writer. Path is the program's text (code page 932).

#include <string>
#include <string_view>

namespace files {

// False when the file cannot be made or written to its end.
bool WriteWholeFile(const std::string& Path, std::string_view Bytes);

}  // namespace files
