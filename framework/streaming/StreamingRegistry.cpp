#include "framework/streaming/StreamingRegistry.h"

#include <memory>
#include <vector>

namespace {

// Few classes, looked up once per layout object: a list is enough.
std::vector<std::unique_ptr<TClassInfo>>& Classes() {
  static std::vector<std::unique_ptr<TClassInfo>> List;
  return List;
}

}  // namespace

void RegisterClass(const std::string& Name, std::type_index Type, TComponentFactory Create,
                   TPropListFunc Properties) {
  for (const auto& Info : Classes()) {
    const bool SameType = Info->Type == Type, SameClassName = SameName(Info->Name, Name);
    if (SameType && SameClassName) return;
    if (SameType || SameClassName)
      throw EComponentError("class " + Name + " conflicts with registered class " + Info->Name);
  }
  Classes().push_back(
      std::make_unique<TClassInfo>(TClassInfo{Name, Type, std::move(Create), Properties}));
}

const TClassInfo* FindClassInfo(std::string_view Name) {
  for (const auto& Info : Classes())
    if (SameName(Info->Name, Name)) return Info.get();
  return nullptr;
}

const TClassInfo* ClassInfoOf(const TPersistent& Instance) {
  const std::type_index Type = typeid(Instance);
  for (const auto& Info : Classes())
    if (Info->Type == Type) return Info.get();
  return nullptr;
}
