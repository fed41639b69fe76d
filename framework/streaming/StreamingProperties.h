#pragma once
// Published properties: the one table per class that both the layout reader
// and the layout writer follow.
//
// A class lists its published properties once, in streaming order, each with
// its kind, how to read and set it, and when it is written. The table of a
// derived class starts with its base's table:
//
//   const TPropList& TGradBox::PublishedProperties() {
//     static const TPropList List =
//         TPropertyTable<TGradBox>(TGraphicControl::PublishedProperties())
//             .Integer("CaptionLeft", &TGradBox::CaptionLeft, &TGradBox::SetCaptionLeft,
//                      DefaultIs(10))
//             .Color("TopColor", &TGradBox::TopColor, &TGradBox::SetTopColor, DefaultIs(clGreen))
//             .Boolean("DrawOutLine", &TGradBox::DrawOutLine, &TGradBox::SetDrawOutLine)
//             .Enum("GradStyle", &TGradBox::GradStyle, &TGradBox::SetGradStyle,
//                   {"gsTopBottom", "gsBottomTop", ...}, DefaultIs(gsTopBottom))
//             .Event("OnPaint", &TGradBox::OnPaint, &TGradBox::SetOnPaint);
//     return List;
//   }
//
// Getters and setters are member functions or lambdas taking the concrete
// class; setters are the class's real Set* methods, so their side effects run
// while a layout is read exactly as when a program sets the property.
//
// When a property is written:
//   DefaultIs(v)    not written while it holds v (ordinal kinds)
//   AlwaysStored()  written whatever it holds (the default of ordinal kinds)
//   NeverStored()   never written; still read
// Strings are written when not empty, unless AlwaysStored() is given. String
// lists, sub-objects, component references and events are written when they
// hold something.

#include <any>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <utility>
#include <vector>

#include "framework/core/Classes.h"
#include "framework/streaming/StreamingLexer.h"

class TStrings;

enum class TPropKind {
  pkInteger,    // 32-bit integer, optionally written by name (colours, cursors)
  pkBoolean,    // True / False
  pkString,     // code page 932 text
  pkEnum,       // one member name
  pkSet,        // [member, member]; bit i of the value is member i
  pkStrings,    // string list, written as Name.Strings = ( ... )
  pkObject,     // owned persistent object (Font), written as Name.Sub = ...
  pkComponent,  // reference to another component of the layout, by name
  pkEvent,      // handler of the root component, by name
};

enum class TStoreMode { smDefault, smAlways, smNever };

struct TStorage {
  TStoreMode Mode = TStoreMode::smDefault;
  std::int32_t Ordinal = 0;  // default of ordinal kinds
  std::string Text;          // default of strings
};
inline TStorage DefaultIs(std::int32_t Value) { return TStorage{TStoreMode::smDefault, Value, {}}; }
inline TStorage DefaultText(std::string Value) {
  return TStorage{TStoreMode::smDefault, 0, std::move(Value)};
}
inline TStorage AlwaysStored() { return TStorage{TStoreMode::smAlways, 0, {}}; }
inline TStorage NeverStored() { return TStorage{TStoreMode::smNever, 0, {}}; }

// Names an integer property may be written with (clWhite, crHandPoint). When
// two names share a value the first is the one written.
struct TIdentEntry {
  const char* Name;
  std::int32_t Value;
};
using TIdentMap = std::vector<TIdentEntry>;

// The standard colours (0x00BBGGRR), clNone, clDefault and the system colours
// (0x80000000 + COLOR_ index).
const TIdentMap& ColorIdents();
// The standard mouse cursors (crDefault 0, crHandPoint -21, ...).
const TIdentMap& CursorIdents();
// The font character sets (SHIFTJIS_CHARSET 128, DEFAULT_CHARSET 1, ...).
const TIdentMap& CharsetIdents();

std::optional<std::int32_t> IdentToInt(const TIdentMap& Map, std::string_view Name);
// The name of Value, or nullptr when it has none.
const char* IntToIdent(const TIdentMap& Map, std::int32_t Value);

// ---- Handlers ---------------------------------------------------------------

// A handler as a layout names it: the root's method table hands these out, so
// the writer can find the name again from the event's value.
template <class Fn>
struct TNamedHandler;
template <class R, class... A>
struct TNamedHandler<std::function<R(A...)>> {
  std::string Name;
  std::function<R(A...)> Call;
  R operator()(A... Args) const { return Call(std::forward<A>(Args)...); }
};

struct TMethodEntry {
  std::string Name;
  std::type_index Signature;  // typeid of the std::function type
  std::any Handler;           // that std::function
};

// The handlers a root component (a form) offers to its layout, by name.
class TMethodTable {
public:
  // Adds a member function of Object: Methods.Add("Button1Click", this,
  // &TMainForm1::Button1Click).
  template <class Obj, class C, class R, class... A>
  void Add(std::string Name, Obj* Object, R (C::*Method)(A...)) {
    C* Target = Object;
    AddFunction(std::move(Name), std::function<R(A...)>([Target, Method](A... Args) -> R {
                  return (Target->*Method)(std::forward<A>(Args)...);
                }));
  }
  template <class R, class... A>
  void AddFunction(std::string Name, std::function<R(A...)> Handler) {
    FEntries.push_back(
        TMethodEntry{std::move(Name), typeid(std::function<R(A...)>), std::move(Handler)});
  }
  // The handler of that name, ignoring ASCII case; nullptr when there is none.
  const TMethodEntry* Find(std::string_view Name) const;

private:
  std::vector<TMethodEntry> FEntries;
};

// Implemented by a root component whose layout binds events by handler name.
class TMethodOwner {
public:
  virtual ~TMethodOwner() = default;
  virtual const TMethodTable& MethodTable() const = 0;
};

// ---- The table --------------------------------------------------------------

struct TPropInfo;
using TPropList = std::vector<TPropInfo>;
using TPropListFunc = const TPropList& (*)();

struct TPropInfo {
  std::string Name;
  TPropKind Kind = TPropKind::pkInteger;
  TStorage Storage;
  // Optional extra condition: the property is written only while it holds.
  std::function<bool(TPersistent&)> IsStored;

  const TIdentMap* Idents = nullptr;  // pkInteger
  std::vector<std::string> Members;   // pkEnum, pkSet
  // Values the setter's type can take (ordinal kinds).
  std::int64_t MinValue = std::numeric_limits<std::int32_t>::min();
  std::int64_t MaxValue = std::numeric_limits<std::int32_t>::max();

  std::function<std::int32_t(TPersistent&)> GetOrdinal;  // integer, Boolean, enum, set
  std::function<void(TPersistent&, std::int32_t)> SetOrdinal;
  std::function<std::string(TPersistent&)> GetString;
  std::function<void(TPersistent&, const std::string&)> SetString;
  std::function<const TStrings*(TPersistent&)> GetStrings;
  std::function<void(TPersistent&, const TStrings&)> SetStrings;
  std::function<TPersistent*(TPersistent&)> GetObject;
  TPropListFunc ObjectProperties = nullptr;
  std::function<TComponent*(TPersistent&)> GetComponent;
  std::function<void(TPersistent&, TComponent*)> SetComponent;
  std::function<std::string(TPersistent&)> GetHandlerName;  // empty: no named handler
  // Binds Entry; false when its signature is not the event's.
  std::function<bool(TPersistent&, const TMethodEntry&)> SetHandler;
};

// The property of that name, ignoring ASCII case; nullptr when there is none.
const TPropInfo* FindProperty(const TPropList& List, std::string_view Name);

// The published properties every component has: Tag. (Name is the object's
// own name in the layout, not a property line.)
const TPropList& ComponentPublishedProperties();

template <class T>
class TPropertyTable {
public:
  TPropertyTable() = default;
  explicit TPropertyTable(const TPropList& Base) : FList(Base) {}

  template <class GetFn, class SetFn>
  TPropertyTable& Integer(std::string Name, GetFn G, SetFn S, TStorage Storage = AlwaysStored(),
                          const TIdentMap* Idents = nullptr) {
    using V = ValueOf<GetFn>;
    static_assert(std::is_integral_v<V> || std::is_enum_v<V>, "an integer property");
    TPropInfo& P = AddOrdinal<V>(std::move(Name), TPropKind::pkInteger, G, S, std::move(Storage));
    P.Idents = Idents;
    if constexpr (sizeof(V) < sizeof(std::int32_t) && std::is_integral_v<V>) {
      P.MinValue = std::numeric_limits<V>::min();
      P.MaxValue = std::numeric_limits<V>::max();
    }
    return *this;
  }

  template <class GetFn, class SetFn>
  TPropertyTable& Color(std::string Name, GetFn G, SetFn S, TStorage Storage = AlwaysStored()) {
    return Integer(std::move(Name), G, S, std::move(Storage), &ColorIdents());
  }

  template <class GetFn, class SetFn>
  TPropertyTable& Boolean(std::string Name, GetFn G, SetFn S, TStorage Storage = AlwaysStored()) {
    AddOrdinal<bool>(std::move(Name), TPropKind::pkBoolean, G, S, std::move(Storage));
    FList.back().MinValue = 0;
    FList.back().MaxValue = 1;
    return *this;
  }

  template <class GetFn, class SetFn>
  TPropertyTable& Enum(std::string Name, GetFn G, SetFn S, std::vector<std::string> Members,
                       TStorage Storage = AlwaysStored()) {
    using V = ValueOf<GetFn>;
    TPropInfo& P = AddOrdinal<V>(std::move(Name), TPropKind::pkEnum, G, S, std::move(Storage));
    P.MinValue = 0;
    P.MaxValue = std::int64_t(Members.size()) - 1;
    P.Members = std::move(Members);
    return *this;
  }

  // Bit i of the value is member i; at most 32 members.
  template <class GetFn, class SetFn>
  TPropertyTable& Set(std::string Name, GetFn G, SetFn S, std::vector<std::string> Members,
                      TStorage Storage = AlwaysStored()) {
    using V = ValueOf<GetFn>;
    TPropInfo& P = AddOrdinal<V>(std::move(Name), TPropKind::pkSet, G, S, std::move(Storage));
    P.MinValue = std::numeric_limits<std::int32_t>::min();
    P.Members = std::move(Members);
    return *this;
  }

  template <class GetFn, class SetFn>
  TPropertyTable& String(std::string Name, GetFn G, SetFn S, TStorage Storage = DefaultText("")) {
    TPropInfo& P = Add(std::move(Name), TPropKind::pkString, std::move(Storage));
    P.GetString = [G](TPersistent& O) { return std::string(std::invoke(G, Self(O))); };
    P.SetString = [S](TPersistent& O, const std::string& V) { std::invoke(S, Self(O), V); };
    return *this;
  }

  // The getter answers the list (pointer or reference); the setter takes a
  // list to copy from (const TStrings* or const TStrings&).
  template <class GetFn, class SetFn>
  TPropertyTable& Strings(std::string Name, GetFn G, SetFn S) {
    TPropInfo& P = Add(std::move(Name), TPropKind::pkStrings, TStorage{});
    P.GetStrings = [G](TPersistent& O) -> const TStrings* {
      return AsPointer(std::invoke(G, Self(O)));
    };
    P.SetStrings = [S](TPersistent& O, const TStrings& V) {
      if constexpr (std::is_invocable_v<SetFn, T&, const TStrings&>)
        std::invoke(S, Self(O), V);
      else
        std::invoke(S, Self(O), &V);
    };
    return *this;
  }

  // An owned sub-object whose own table (Sub::PublishedProperties) is read and
  // written with the property name in front: Font.Color = clWhite.
  template <class Sub, class GetFn>
  TPropertyTable& Object(std::string Name, GetFn G) {
    TPropInfo& P = Add(std::move(Name), TPropKind::pkObject, TStorage{});
    P.GetObject = [G](TPersistent& O) -> TPersistent* {
      return AsPointer(std::invoke(G, Self(O)));
    };
    P.ObjectProperties = &Sub::PublishedProperties;
    return *this;
  }

  template <class GetFn, class SetFn>
  TPropertyTable& Component(std::string Name, GetFn G, SetFn S) {
    using V = ValueOf<GetFn>;
    TPropInfo& P = Add(std::move(Name), TPropKind::pkComponent, TStorage{});
    P.GetComponent = [G](TPersistent& O) -> TComponent* { return std::invoke(G, Self(O)); };
    // A reference of the wrong class is a bad value, not a crash later on.
    P.SetComponent = [S](TPersistent& O, TComponent* C) {
      V Target = dynamic_cast<V>(C);
      if (C && !Target) throw EReadError(messages::kInvalidPropertyValue);
      std::invoke(S, Self(O), Target);
    };
    return *this;
  }

  template <class GetFn, class SetFn>
  TPropertyTable& Event(std::string Name, GetFn G, SetFn S) {
    using Fn = ValueOf<GetFn>;
    using Named = TNamedHandler<Fn>;
    TPropInfo& P = Add(std::move(Name), TPropKind::pkEvent, TStorage{});
    P.GetHandlerName = [G](TPersistent& O) -> std::string {
      Fn Handler = std::invoke(G, Self(O));
      const Named* Target = Handler.template target<Named>();
      return Target ? Target->Name : std::string();
    };
    P.SetHandler = [S](TPersistent& O, const TMethodEntry& Entry) {
      if (Entry.Signature != std::type_index(typeid(Fn))) return false;
      std::invoke(S, Self(O), Fn(Named{Entry.Name, std::any_cast<const Fn&>(Entry.Handler)}));
      return true;
    };
    return *this;
  }

  // Changes when an inherited property is written; it keeps its place.
  TPropertyTable& Redeclare(std::string_view Name, TStorage Storage) {
    Find(Name).Storage = std::move(Storage);
    return *this;
  }

  // The property just added is written only while Stored holds.
  template <class Pred>
  TPropertyTable& StoredWhen(Pred Stored) {
    FList.back().IsStored = [Stored](TPersistent& O) { return bool(std::invoke(Stored, Self(O))); };
    return *this;
  }

  operator TPropList() && { return std::move(FList); }
  operator TPropList() const& { return FList; }

private:
  template <class GetFn>
  using ValueOf = std::decay_t<std::invoke_result_t<GetFn, T&>>;

  static T& Self(TPersistent& O) { return static_cast<T&>(O); }
  template <class P>
  static auto* AsPointer(P* Pointer) {
    return Pointer;
  }
  template <class P>
  static auto* AsPointer(P& Reference) {
    return &Reference;
  }

  TPropInfo& Add(std::string Name, TPropKind Kind, TStorage Storage) {
    // A derived class that publishes a name again replaces the inherited
    // entry in place.
    for (TPropInfo& P : FList)
      if (SameName(P.Name, Name)) {
        P = TPropInfo{};
        P.Name = std::move(Name);
        P.Kind = Kind;
        P.Storage = std::move(Storage);
        return P;
      }
    FList.push_back(TPropInfo{});
    FList.back().Name = std::move(Name);
    FList.back().Kind = Kind;
    FList.back().Storage = std::move(Storage);
    return FList.back();
  }

  template <class V, class GetFn, class SetFn>
  TPropInfo& AddOrdinal(std::string Name, TPropKind Kind, GetFn G, SetFn S, TStorage Storage) {
    TPropInfo& P = Add(std::move(Name), Kind, std::move(Storage));
    P.GetOrdinal = [G](TPersistent& O) {
      return static_cast<std::int32_t>(std::invoke(G, Self(O)));
    };
    P.SetOrdinal = [S](TPersistent& O, std::int32_t Value) {
      if constexpr (std::is_same_v<V, bool>)
        std::invoke(S, Self(O), Value != 0);
      else
        std::invoke(S, Self(O), static_cast<V>(Value));
    };
    return P;
  }

  TPropInfo& Find(std::string_view Name) {
    for (TPropInfo& P : FList)
      if (SameName(P.Name, Name)) return P;
    throw Exception("published property " + std::string(Name) + " is not inherited");
  }

  TPropList FList;
};
