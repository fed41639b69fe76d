#pragma once
// The classes a layout may name. A layout says "object Label1: TLabel"; the
// registry turns TLabel into a new component and its published properties.
// The writer goes the other way: from a live component to the name and table
// of its class. Registration is explicit (a program registers the classes its
// layouts use before it reads them), so nothing depends on static
// initialisers surviving the linker.

#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>

#include "framework/streaming/StreamingProperties.h"

// Creates a component of the class with Owner as its owner.
using TComponentFactory = std::function<TComponent*(TComponent* Owner)>;

struct TClassInfo {
  std::string Name;
  std::type_index Type;
  TComponentFactory Create;  // empty for classes that are only ever roots
  TPropListFunc Properties;
};

// Registers a class under Name (compared without ASCII case). Registering the
// same class under the same name again does nothing; a second class under a
// taken name, or a class under a second name, raises EComponentError.
void RegisterClass(const std::string& Name, std::type_index Type, TComponentFactory Create,
                   TPropListFunc Properties);

// RegisterClass<TLabel>("TLabel"): the factory is `new TLabel(Owner)` when the
// class can be built from an owner alone; the table is T::PublishedProperties.
template <class T>
void RegisterClass(const std::string& Name) {
  TComponentFactory Create;
  if constexpr (std::is_constructible_v<T, TComponent*> && !std::is_abstract_v<T>)
    Create = [](TComponent* Owner) -> TComponent* { return new T(Owner); };
  RegisterClass(Name, typeid(T), std::move(Create), &T::PublishedProperties);
}

// nullptr when no class of that name is registered.
const TClassInfo* FindClassInfo(std::string_view Name);
// The registration of Instance's own (most derived) class; nullptr when that
// class is not registered.
const TClassInfo* ClassInfoOf(const TPersistent& Instance);
