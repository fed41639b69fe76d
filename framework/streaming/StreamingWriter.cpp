#include "framework/streaming/StreamingWriter.h"

#include <map>

#include "framework/core/StringList.h"
#include "framework/streaming/StreamingRegistry.h"

// ---- TWriter ----------------------------------------------------------------

TWriter::TWriter(TComponent& Root, std::string Prefix) : FRoot(Root), FPrefix(std::move(Prefix)) {}

void TWriter::DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                             const TWriterProc& WriteData, bool HasData) {
  if (!HasData || !WriteData) return;
  FName = FPrefix + Name;
  FHasValue = false;
  FOpenLists.clear();
  WriteData(*this);
  if (!FOpenLists.empty())
    throw EWriteError(FormatMessage(layoutmessages::kUnbalancedList, {FName}));
  // A writer that had nothing to say leaves the property out.
  if (FHasValue) FProperties.push_back(TLayoutProperty{FName, std::move(FValue), 0});
}

void TWriter::Put(TLayoutValue Value) {
  if (!FOpenLists.empty()) {
    FOpenLists.back().Items.push_back(std::move(Value));
    return;
  }
  // One property holds one value; a second one would be lost on reading.
  if (FHasValue) throw EWriteError(FormatMessage(layoutmessages::kTwoValues, {FName}));
  FValue = std::move(Value);
  FHasValue = true;
}

void TWriter::WriteListBegin() { FOpenLists.push_back(TLayoutValue::OfList({})); }

void TWriter::WriteListEnd() {
  if (FOpenLists.empty())
    throw EWriteError(FormatMessage(layoutmessages::kUnbalancedList, {FName}));
  TLayoutValue List = std::move(FOpenLists.back());
  FOpenLists.pop_back();
  Put(std::move(List));
}

void TWriter::WriteInteger(std::int32_t Value) { Put(TLayoutValue::OfInteger(Value)); }
void TWriter::WriteBoolean(bool Value) { Put(TLayoutValue::OfBoolean(Value)); }
void TWriter::WriteString(const std::string& Value) { Put(TLayoutValue::OfString(Value)); }
void TWriter::WriteIdent(const std::string& Name) { Put(TLayoutValue::OfIdent(Name)); }

// ---- The layout writer ----------------------------------------------------

namespace {

class TLayoutWriter {
public:
  explicit TLayoutWriter(TComponent& Root) : FRoot(Root) {}

  TLayoutObject Write() {
    // Group the owned components under the component they nest in.
    for (int I = 0; I < FRoot.ComponentCount(); ++I) {
      TComponent* Component = FRoot.Components(I);
      FChildren[NestingParent(Component)].push_back(Component);
    }
    return WriteObject(FRoot);
  }

private:
  // The parent when it is one of the root's components and following parents
  // up from it reaches the root without a loop; the root otherwise.
  TComponent* NestingParent(TComponent* Component) const {
    TComponent* Parent = Component->GetParentComponent();
    if (!Parent || Parent == &FRoot || Parent->Owner() != &FRoot) return &FRoot;
    TComponent* Step = Parent;
    for (int Hops = 0; Hops <= FRoot.ComponentCount(); ++Hops) {
      TComponent* Up = Step->GetParentComponent();
      if (!Up || Up == &FRoot || Up->Owner() != &FRoot) return Parent;
      if (Up == Component) return &FRoot;
      Step = Up;
    }
    return &FRoot;
  }

  TLayoutObject WriteObject(TComponent& Component) {
    const TClassInfo* Info = ClassInfoOf(Component);
    if (!Info)
      throw EWriteError(FormatMessage(layoutmessages::kUnknownClass, {Component.ClassName()}));
    TLayoutObject Object;
    Object.Name = Component.Name();
    Object.ClassName = Info->Name;
    WriteProperties(Component, Info->Properties(), "", Object.Properties);
    auto Children = FChildren.find(&Component);
    if (Children != FChildren.end())
      for (TComponent* Child : Children->second) Object.Children.push_back(WriteObject(*Child));
    return Object;
  }

  void WriteProperties(TPersistent& Instance, const TPropList& Table, const std::string& Prefix,
                       std::vector<TLayoutProperty>& Out) {
    for (const TPropInfo& Info : Table) {
      if (Info.Storage.Mode == TStoreMode::smNever) continue;
      if (Info.IsStored && !Info.IsStored(Instance)) continue;
      WriteProperty(Instance, Info, Prefix, Out);
    }
    TWriter Writer(FRoot, Prefix);
    Instance.DefineProperties(&Writer);
    for (TLayoutProperty& Property : Writer.Properties()) Out.push_back(std::move(Property));
  }

  void WriteProperty(TPersistent& Instance, const TPropInfo& Info, const std::string& Prefix,
                     std::vector<TLayoutProperty>& Out) {
    const std::string Name = Prefix + Info.Name;
    const bool OmitDefault = Info.Storage.Mode == TStoreMode::smDefault;
    auto Emit = [&](std::string PropName, TLayoutValue Value) {
      Out.push_back(TLayoutProperty{std::move(PropName), std::move(Value), 0});
    };
    switch (Info.Kind) {
      case TPropKind::pkInteger:
      case TPropKind::pkBoolean:
      case TPropKind::pkEnum:
      case TPropKind::pkSet: {
        const std::int32_t Value = Info.GetOrdinal(Instance);
        if (OmitDefault && Value == Info.Storage.Ordinal) return;
        Emit(Name, OrdinalValue(Info, Value, Name));
        return;
      }
      case TPropKind::pkString: {
        std::string Value = Info.GetString(Instance);
        if (OmitDefault && Value == Info.Storage.Text) return;
        Emit(Name, TLayoutValue::OfString(std::move(Value)));
        return;
      }
      case TPropKind::pkStrings: {
        const TStrings* Strings = Info.GetStrings(Instance);
        if (!Strings || (OmitDefault && Strings->Count() == 0)) return;
        std::vector<TLayoutValue> Items;
        for (int I = 0; I < Strings->Count(); ++I)
          Items.push_back(TLayoutValue::OfString(Strings->Get(I)));
        Emit(Name + ".Strings", TLayoutValue::OfList(std::move(Items)));
        return;
      }
      case TPropKind::pkObject:
        if (TPersistent* Object = Info.GetObject(Instance))
          WriteProperties(*Object, Info.ObjectProperties(), Name + ".", Out);
        return;
      case TPropKind::pkComponent:
        if (TComponent* Target = Info.GetComponent(Instance))
          Emit(Name, TLayoutValue::OfIdent(ReferenceName(*Target, Name)));
        return;
      case TPropKind::pkEvent: {
        std::string Handler = Info.GetHandlerName(Instance);
        if (!Handler.empty()) Emit(Name, TLayoutValue::OfIdent(std::move(Handler)));
        return;
      }
    }
  }

  // A value outside the names of its enumeration or set could not be read
  // back; refusing it beats writing a layout that no longer loads.
  static TLayoutValue OrdinalValue(const TPropInfo& Info, std::int32_t Value,
                                   const std::string& Name) {
    switch (Info.Kind) {
      case TPropKind::pkBoolean:
        return TLayoutValue::OfBoolean(Value != 0);
      case TPropKind::pkEnum:
        if (Value < 0 || std::size_t(Value) >= Info.Members.size()) break;
        return TLayoutValue::OfIdent(Info.Members[std::size_t(Value)]);
      case TPropKind::pkSet: {
        std::vector<std::string> Members;
        std::uint32_t Bits = static_cast<std::uint32_t>(Value);
        for (std::size_t I = 0; I < Info.Members.size() && I < 32; ++I)
          if (Bits & (1u << I)) {
            Members.push_back(Info.Members[I]);
            Bits &= ~(1u << I);
          }
        if (Bits != 0) break;
        return TLayoutValue::OfSet(std::move(Members));
      }
      default:
        if (Info.Idents)
          if (const char* Ident = IntToIdent(*Info.Idents, Value))
            return TLayoutValue::OfIdent(Ident);
        return TLayoutValue::OfInteger(Value);
    }
    throw EWriteError(
        FormatMessage(layoutmessages::kUnwritableValue, {Name, std::to_string(Value)}));
  }

  std::string ReferenceName(TComponent& Target, const std::string& Property) const {
    if (!Target.Name().empty() && (&Target == &FRoot || Target.Owner() == &FRoot))
      return Target.Name();
    throw EWriteError(
        FormatMessage(layoutmessages::kUnwritableReference, {Property, Target.Name()}));
  }

  TComponent& FRoot;
  std::map<TComponent*, std::vector<TComponent*>> FChildren;
};

}  // namespace

TLayoutObject WriteComponentTree(TComponent& Root) { return TLayoutWriter(Root).Write(); }

std::string WriteComponentLayout(TComponent& Root) {
  return FormatLayout(WriteComponentTree(Root));
}
