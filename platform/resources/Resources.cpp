#include "platform/resources/Resources.h"

#include <string>
#include <vector>

#include "platform/core/Exception.h"

namespace {

struct TResource {
  std::string Name;
  std::string_view Bytes;
};

// Function-local so registrars running before main find it constructed.
std::vector<TResource>& Resources() {
  static std::vector<TResource> List;
  return List;
}

bool SameResourceName(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (std::size_t I = 0; I < A.size(); ++I) {
    char X = A[I], Y = B[I];
    if (X >= 'a' && X <= 'z') X = char(X - 'a' + 'A');
    if (Y >= 'a' && Y <= 'z') Y = char(Y - 'a' + 'A');
    if (X != Y) return false;
  }
  return true;
}

const TResource* Lookup(std::string_view Name) {
  for (const TResource& Resource : Resources())
    if (SameResourceName(Resource.Name, Name)) return &Resource;
  return nullptr;
}

}  // namespace

void RegisterResource(std::string_view Name, const unsigned char* Data, std::size_t Size) {
  std::string_view Bytes(reinterpret_cast<const char*>(Data), Size);
  for (TResource& Resource : Resources())
    if (SameResourceName(Resource.Name, Name)) {
      Resource.Bytes = Bytes;
      return;
    }
  Resources().push_back(TResource{std::string(Name), Bytes});
}

std::string_view FindResource(std::string_view Name) {
  if (const TResource* Resource = Lookup(Name)) return Resource->Bytes;
  throw EResNotFound(FormatMessage(messages::kResourceNotFound, {Name}));
}

bool HasResource(std::string_view Name) { return Lookup(Name) != nullptr; }
