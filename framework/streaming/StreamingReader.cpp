#include "framework/streaming/StreamingReader.h"

#include "framework/core/StringList.h"
#include "framework/streaming/StreamingRegistry.h"
#include "platform/core/ScopeGuard.h"
#include "platform/resources/Resources.h"

// ---- TReader ----------------------------------------------------------------

TReader::TReader(TComponent& Root, const TLayoutValue& Value, std::string Name)
    : FRoot(Root), FValue(Value), FName(std::move(Name)) {}

void TReader::DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                             const TWriterProc& WriteData, bool HasData) {
  if (FFound || !ReadData || !SameName(Name, FName)) return;
  FFound = true;
  ReadData(*this);
}

void TReader::Invalid(int Line) const { throw ELayoutError(Line, messages::kInvalidPropertyValue); }

const TLayoutValue& TReader::Take(TLayoutValueKind Kind) {
  const TLayoutValue* Value;
  if (!FLists.empty()) {
    TOpenList& Open = FLists.back();
    if (Open.Next >= Open.List->Items.size()) Invalid(Open.List->Line);
    Value = &Open.List->Items[Open.Next++];
  } else {
    if (FValueTaken) Invalid(FValue.Line);
    FValueTaken = true;
    Value = &FValue;
  }
  if (Value->Kind != Kind) Invalid(Value->Line);
  return *Value;
}

void TReader::ReadListBegin() {
  const TLayoutValue& List = Take(TLayoutValueKind::lvList);
  FLists.push_back(TOpenList{&List, 0});
}

// A list that still holds values here had more values than its reader wanted:
// that is a bad value, never silently dropped data.
void TReader::ReadListEnd() {
  if (FLists.empty()) Invalid(FValue.Line);
  const TOpenList& Open = FLists.back();
  if (Open.Next < Open.List->Items.size()) Invalid(Open.List->Items[Open.Next].Line);
  FLists.pop_back();
}

bool TReader::EndOfList() const {
  if (FLists.empty()) return true;
  return FLists.back().Next >= FLists.back().List->Items.size();
}

std::int32_t TReader::ReadInteger() { return Take(TLayoutValueKind::lvInteger).Integer; }
bool TReader::ReadBoolean() { return Take(TLayoutValueKind::lvBoolean).Boolean; }
std::string TReader::ReadString() { return Take(TLayoutValueKind::lvString).Text; }
std::string TReader::ReadIdent() { return Take(TLayoutValueKind::lvIdent).Text; }

void TReader::CheckFinished() const {
  if (!FLists.empty() || !FValueTaken) Invalid(FValue.Line);
}

// ---- The layout reader ----------------------------------------------------

namespace {

std::vector<std::string> SplitName(const std::string& Name) {
  std::vector<std::string> Parts;
  std::size_t Start = 0;
  for (;;) {
    std::size_t Dot = Name.find('.', Start);
    Parts.push_back(Name.substr(Start, Dot - Start));
    if (Dot == std::string::npos) return Parts;
    Start = Dot + 1;
  }
}

class TLayoutReader {
public:
  explicit TLayoutReader(TComponent& Root) : FRoot(Root) {
    if (auto* Owner = dynamic_cast<const TMethodOwner*>(&Root)) FMethods = &Owner->MethodTable();
  }

  void Read(const TLayoutObject& Layout) {
    const TClassInfo* Info = ClassInfoOf(FRoot);
    if (!Info) Fail(Layout.Line, FormatMessage(layoutmessages::kUnknownClass, {FRoot.ClassName()}));
    if (!SameName(Info->Name, Layout.ClassName))
      Fail(Layout.Line, FormatMessage(layoutmessages::kWrongRootClass, {Layout.ClassName}));

    FRoot.Loading();
    {
      FRoot.SetReading(true);
      TScopeGuard Read([this] {
        FRoot.SetReading(false);
        for (TComponent* Component : FCreated) Component->SetReading(false);
      });
      if (!Layout.Name.empty()) Rename(FRoot, Layout.Name, Layout.Line);
      ReadObject(FRoot, Info->Properties(), Layout);
      ResolveReferences();
    }
    for (TComponent* Component : FCreated) Component->Loaded();
    FRoot.Loaded();
  }

private:
  struct TReference {
    TPersistent* Instance;
    const TPropInfo* Info;
    std::string Target;
    int Line;
  };

  [[noreturn]] static void Fail(int Line, const std::string& Detail) {
    throw ELayoutError(Line, Detail);
  }
  [[noreturn]] static void Invalid(int Line) { Fail(Line, messages::kInvalidPropertyValue); }

  static void Rename(TComponent& Component, const std::string& Name, int Line) {
    try {
      Component.SetName(Name);
    } catch (const EComponentError& Error) {
      Fail(Line, Error.Message());
    }
  }

  void ReadObject(TComponent& Component, const TPropList& Table, const TLayoutObject& Object) {
    for (const TLayoutProperty& Property : Object.Properties) {
      // Errors a setter reports as bad values get the line; ours have it.
      try {
        ReadProperty(Component, Table, Property);
      } catch (const ELayoutError&) {
        throw;
      } catch (const EReadError& Error) {
        Fail(Property.Line, Error.Message());
      }
    }
    for (const TLayoutObject& Child : Object.Children) ReadChild(Component, Child);
  }

  void ReadChild(TComponent& Parent, const TLayoutObject& Object) {
    const TClassInfo* Info = FindClassInfo(Object.ClassName);
    if (!Info || !Info->Create)
      Fail(Object.Line, FormatMessage(layoutmessages::kUnknownClass, {Object.ClassName}));
    if (!Object.Name.empty() &&
        (FRoot.FindComponent(Object.Name) || SameName(FRoot.Name(), Object.Name)))
      Fail(Object.Line, FormatMessage(layoutmessages::kDuplicateName, {Object.Name}));

    TComponent* Component = Info->Create(&FRoot);
    FCreated.push_back(Component);
    Component->Loading();
    Component->SetReading(true);
    if (!Object.Name.empty()) Rename(*Component, Object.Name, Object.Line);
    Component->SetParentComponent(&Parent);
    ReadObject(*Component, Info->Properties(), Object);
  }

  // Font.Color walks into the Font object; Items.Strings is the string list
  // Items; a name no table knows is offered to DefineProperties.
  void ReadProperty(TPersistent& Instance, const TPropList& Table,
                    const TLayoutProperty& Property) {
    const std::vector<std::string> Parts = SplitName(Property.Name);
    TPersistent* Target = &Instance;
    const TPropList* List = &Table;
    for (std::size_t I = 0; I + 1 < Parts.size(); ++I) {
      const TPropInfo* Info = FindProperty(*List, Parts[I]);
      if (Info && Info->Kind == TPropKind::pkObject && (Target = Info->GetObject(*Target))) {
        List = &Info->ObjectProperties();
        continue;
      }
      if (Info && Info->Kind == TPropKind::pkStrings && I + 2 == Parts.size() &&
          SameName(Parts[I + 1], "Strings")) {
        ReadStrings(*Target, *Info, Property.Value);
        return;
      }
      UnknownProperty(Property);
    }
    if (const TPropInfo* Info = FindProperty(*List, Parts.back())) {
      SetValue(*Target, *Info, Property.Value);
      return;
    }
    TReader Reader(FRoot, Property.Value, Parts.back());
    Target->DefineProperties(&Reader);
    if (!Reader.Found()) UnknownProperty(Property);
    Reader.CheckFinished();
  }

  [[noreturn]] static void UnknownProperty(const TLayoutProperty& Property) {
    Fail(Property.Line, FormatMessage(layoutmessages::kUnknownProperty, {Property.Name}));
  }

  static void ReadStrings(TPersistent& Target, const TPropInfo& Info, const TLayoutValue& Value) {
    if (Value.Kind != TLayoutValueKind::lvList) Invalid(Value.Line);
    TStringList Strings;
    for (const TLayoutValue& Item : Value.Items) {
      if (Item.Kind != TLayoutValueKind::lvString) Invalid(Item.Line);
      Strings.Add(Item.Text);
    }
    Info.SetStrings(Target, Strings);
  }

  void SetValue(TPersistent& Target, const TPropInfo& Info, const TLayoutValue& Value) {
    switch (Info.Kind) {
      case TPropKind::pkInteger: {
        std::int32_t Number = 0;
        if (Value.Kind == TLayoutValueKind::lvInteger) {
          Number = Value.Integer;
        } else if (Value.Kind == TLayoutValueKind::lvIdent && Info.Idents) {
          std::optional<std::int32_t> Named = IdentToInt(*Info.Idents, Value.Text);
          if (!Named) Invalid(Value.Line);
          Number = *Named;
        } else {
          Invalid(Value.Line);
        }
        if (Number < Info.MinValue || Number > Info.MaxValue) Invalid(Value.Line);
        Info.SetOrdinal(Target, Number);
        return;
      }
      case TPropKind::pkBoolean:
        if (Value.Kind != TLayoutValueKind::lvBoolean) Invalid(Value.Line);
        Info.SetOrdinal(Target, Value.Boolean ? 1 : 0);
        return;
      case TPropKind::pkString:
        if (Value.Kind != TLayoutValueKind::lvString) Invalid(Value.Line);
        Info.SetString(Target, Value.Text);
        return;
      case TPropKind::pkEnum:
        if (Value.Kind != TLayoutValueKind::lvIdent) Invalid(Value.Line);
        Info.SetOrdinal(Target, MemberIndex(Info, Value.Text, Value.Line));
        return;
      case TPropKind::pkSet: {
        if (Value.Kind != TLayoutValueKind::lvSet) Invalid(Value.Line);
        std::uint32_t Bits = 0;
        for (const std::string& Member : Value.Members)
          Bits |= 1u << MemberIndex(Info, Member, Value.Line);
        Info.SetOrdinal(Target, static_cast<std::int32_t>(Bits));
        return;
      }
      case TPropKind::pkComponent:
        if (Value.Kind != TLayoutValueKind::lvIdent) Invalid(Value.Line);
        FReferences.push_back(TReference{&Target, &Info, Value.Text, Value.Line});
        return;
      case TPropKind::pkEvent: {
        if (Value.Kind != TLayoutValueKind::lvIdent) Invalid(Value.Line);
        const TMethodEntry* Entry = FMethods ? FMethods->Find(Value.Text) : nullptr;
        if (!Entry) Fail(Value.Line, FormatMessage(layoutmessages::kUnknownHandler, {Value.Text}));
        if (!Info.SetHandler(Target, *Entry))
          Fail(Value.Line,
               FormatMessage(layoutmessages::kHandlerMismatch, {Value.Text, Info.Name}));
        return;
      }
      case TPropKind::pkStrings:
      case TPropKind::pkObject:
        // Only their parts are values: Items.Strings, Font.Color.
        Invalid(Value.Line);
    }
  }

  static int MemberIndex(const TPropInfo& Info, const std::string& Name, int Line) {
    for (std::size_t I = 0; I < Info.Members.size() && I < 32; ++I)
      if (SameName(Info.Members[I], Name)) return int(I);
    Invalid(Line);
  }

  void ResolveReferences() {
    for (const TReference& Reference : FReferences) {
      TComponent* Target =
          SameName(Reference.Target, FRoot.Name()) ? &FRoot : FRoot.FindComponent(Reference.Target);
      if (!Target)
        Fail(Reference.Line, FormatMessage(layoutmessages::kUnknownComponent, {Reference.Target}));
      try {
        Reference.Info->SetComponent(*Reference.Instance, Target);
      } catch (const EReadError& Error) {
        Fail(Reference.Line, Error.Message());
      }
    }
  }

  TComponent& FRoot;
  const TMethodTable* FMethods = nullptr;
  std::vector<TComponent*> FCreated;
  std::vector<TReference> FReferences;
};

}  // namespace

void ReadComponentLayout(TComponent& Root, const TLayoutObject& Layout) {
  TLayoutReader(Root).Read(Layout);
}

void ReadComponentLayout(TComponent& Root, std::string_view LayoutText) {
  ReadComponentLayout(Root, ParseLayout(LayoutText));
}

void ReadComponentResource(TComponent& Root, std::string_view ResourceName) {
  ReadComponentLayout(Root, FindResource(ResourceName));
}
