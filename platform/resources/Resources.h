#pragma once
// Files embedded in the executable at build time (layouts, bitmaps), looked
// up by name. cmake/EmbedResource.cmake turns each file into a generated
// source whose static registrar calls RegisterResource; the bytes live in the
// executable's read-only data for the whole run.

#include <cstddef>
#include <string_view>

// Makes Data available under Name (compared without ASCII case, as resource
// names are). Data must outlive every lookup. A second registration under the
// same name replaces the first.
void RegisterResource(std::string_view Name, const unsigned char* Data, std::size_t Size);

// The bytes of the resource Name; raises EResNotFound ("リソース %s が見つかりません")
// when the executable carries none.
std::string_view FindResource(std::string_view Name);

// True when a resource of that name exists.
bool HasResource(std::string_view Name);

// What the generated sources use to register at start-up.
struct TResourceRegistrar {
  TResourceRegistrar(std::string_view Name, const unsigned char* Data, std::size_t Size) {
    RegisterResource(Name, Data, Size);
  }
};
