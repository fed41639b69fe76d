#pragma once
// Code page 932 <-> Unicode by table, the same mapping as glibc's "CP932"
// (tools/cp932/cp932_table.py writes the table at build time). The Windows
// build converts with it, so the result never depends on the system's code
// page; the Linux build converts with iconv and tests this table against it.

#include <cstddef>
#include <string>
#include <string_view>

namespace cp932::table {

// The Unicode code point of the character of Length bytes (1 or 2) at Pos,
// or -1 when those bytes are no character.
long Decode(std::string_view Text, std::size_t Pos, std::size_t Length);

// Appends the bytes of Code to Out; false when code page 932 cannot hold it.
bool Encode(char32_t Code, std::string& Out);

}  // namespace cp932::table
