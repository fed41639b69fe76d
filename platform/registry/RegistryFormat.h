#pragma once
// The text form of the registry store file.
//
// The file is UTF-8 text with LF line ends, so that the user can read it:
//
//   ScoutlaneRegistry 1
//   [Software\Vendor\App]
//   [Software\Vendor\App\History]
//   HistoryCount=dword:3
//   History0=text:weather
//
// - The first line names the format and its version; any other first line is
//   refused. An empty file is an empty store.
// - "[path]" starts a key: its names joined by "\". Every key has its own
//   line, also keys without values, so that a created key survives a save.
//   Keys follow their parent, in creation order.
// - "name=dword:N" is a 32-bit number value of the key above it, N in signed
//   decimal; "name=text:T" is a text value. A value line before any key line
//   is refused (the root holds no values).
// - Lines starting with ";" and empty lines are skipped; a CR before the LF
//   is tolerated, for files edited on Windows.
//
// Names and texts are code page 932 inside the program and may hold any
// bytes at all. In the file each character that converts to UTF-8 and back to
// the very same bytes is written in UTF-8; every other byte (invalid CP932,
// and characters with two CP932 codes such as ≒ 81E0/8790, whose second code
// would come back as the first) is written as %HH. "%", control characters
// and DEL are always %HH, and so are the characters that would end a field
// early: "[", "]" and "\" in key names, "=", "[" and ";" in value names. A
// blank at the end of a field is written %20 so that an editor that strips
// trailing blanks changes nothing. Reading turns every %HH back into its byte
// and every UTF-8 run back into CP932, so every text round-trips byte for byte.

#include <string>
#include <string_view>

#include "platform/registry/RegistryTree.h"

namespace registry {

std::string SerializeRegistry(const TRegistryTree& Tree);

// Parses the file's text. A file that does not follow the format raises
// ERegistryException naming FileName (code page 932) and the line.
TRegistryTree ParseRegistry(std::string_view FileText, std::string_view FileName);

}  // namespace registry
