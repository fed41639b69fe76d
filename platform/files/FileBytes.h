#pragma once
// A whole file read into memory, for the few small files the program reads
// at once (bitmaps, its own caches, /proc entries). Plain descriptors rather
// than C++ streams: streams bring the whole locale machinery of the C++
// library into the program, a fifth of its code, set up at every start.

#include <optional>
#include <string>

namespace files {

// The bytes of the file at FsPath (a path as the OS sees it), or nullopt
// when it cannot be opened or read to its end.
std::optional<std::string> ReadFileBytes(const std::string& FsPath);

}  // namespace files
