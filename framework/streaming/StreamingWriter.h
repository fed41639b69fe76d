#pragma once
// Writing live components as a layout.
//
// The root and every component it owns are written, each with its
// registered class name. A component nests inside its parent component when
// GetParentComponent names one that the root owns (controls inside panels),
// otherwise directly inside the root; siblings keep the owner's creation
// order. Published properties are written in table order, skipping never-
// stored ones and those equal to their default; then each object's
// DefineProperties adds its extra properties. Reading the result back gives
// components that write the same layout again.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/Classes.h"
#include "framework/streaming/StreamingFiler.h"
#include "framework/streaming/StreamingParser.h"

// What a DefineProperties writer proc gets: each Write* adds one value, the
// list calls bracket a list value.
class TWriter : public TFiler {
public:
  // Prefix goes in front of every defined name (Font. for a sub-object).
  TWriter(TComponent& Root, std::string Prefix);

  void DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                      const TWriterProc& WriteData, bool HasData) override;

  void WriteListBegin();
  void WriteListEnd();
  void WriteInteger(std::int32_t Value);
  void WriteBoolean(bool Value);
  void WriteString(const std::string& Value);
  void WriteIdent(const std::string& Name);

  TComponent* Root() const { return &FRoot; }
  // The defined properties written so far, in order.
  std::vector<TLayoutProperty>& Properties() { return FProperties; }

private:
  void Put(TLayoutValue Value);

  TComponent& FRoot;
  std::string FPrefix;
  std::string FName;  // property being written
  bool FHasValue = false;
  TLayoutValue FValue;
  std::vector<TLayoutValue> FOpenLists;
  std::vector<TLayoutProperty> FProperties;
};

// Root and its components as a layout tree / as layout text (UTF-8). Raises
// EWriteError for a class that is not registered, a text that is no valid code
// page 932, or a reference to a component the layout cannot name.
TLayoutObject WriteComponentTree(TComponent& Root);
std::string WriteComponentLayout(TComponent& Root);
