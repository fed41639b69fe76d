#pragma once
// Reading a layout into live components.
//
// The root (a form) exists already; the reader
//   - checks that the layout's root class is the root's registered class and
//     gives the root the layout's name,
//   - sets the root's properties, then creates each nested object through the
//     class registry with the root as owner, names it, calls
//     SetParentComponent with the enclosing component (controls take their
//     parent window from it) and sets its properties, depth first,
//   - keeps csLoading and csReading on every component while it reads,
//   - binds events by handler name through the root's TMethodTable at once,
//   - resolves component references by name after all objects exist, so a
//     reference may name a component that comes later in the layout,
//   - clears csReading and calls Loaded() on every created component in
//     creation order, then on the root.
// Anything wrong raises ELayoutError (an EReadError) with the line. Errors a
// setter raises itself pass through unchanged, except EReadError, which gets
// the line added. When reading fails, the components created so far stay
// owned by the root (which the caller is about to destroy) and keep csLoading,
// since Loaded() was never called for them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/Classes.h"
#include "framework/streaming/StreamingFiler.h"
#include "framework/streaming/StreamingParser.h"

// The view a DefineProperties reader proc gets of one property's value:
//   ReadListBegin(); while (!EndOfList()) ReadInteger(); ReadListEnd();
// A value of another kind than asked, reading past the end of a list, and
// leaving values unread before ReadListEnd raise EReadError with the form
// reader's "invalid property value" text and the line.
class TReader : public TFiler {
public:
  // Reads Value for the defined property Name of a component of Root.
  TReader(TComponent& Root, const TLayoutValue& Value, std::string Name);

  void DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                      const TWriterProc& WriteData, bool HasData) override;

  void ReadListBegin();
  void ReadListEnd();
  // True when the open list has no more values.
  bool EndOfList() const;
  std::int32_t ReadInteger();
  bool ReadBoolean();
  std::string ReadString();
  std::string ReadIdent();

  TComponent* Root() const { return &FRoot; }

  // For the layout reader: whether DefineProperties defined the property, and
  // a check that its reader took the whole value.
  bool Found() const { return FFound; }
  void CheckFinished() const;

private:
  struct TOpenList {
    const TLayoutValue* List;
    std::size_t Next;
  };
  const TLayoutValue& Take(TLayoutValueKind Kind);
  [[noreturn]] void Invalid(int Line) const;

  TComponent& FRoot;
  const TLayoutValue& FValue;
  std::string FName;
  bool FFound = false;
  bool FValueTaken = false;
  std::vector<TOpenList> FLists;
};

// Parses LayoutText (UTF-8) and reads it into Root.
void ReadComponentLayout(TComponent& Root, std::string_view LayoutText);
void ReadComponentLayout(TComponent& Root, const TLayoutObject& Layout);
// Reads the layout embedded in the executable under ResourceName; raises
// EResNotFound when there is none.
void ReadComponentResource(TComponent& Root, std::string_view ResourceName);
