#pragma once
// The common base of the layout reader and writer, as a class's
// DefineProperties sees it. A class adds properties beyond its published ones
// with DefineProperty: while reading, the reader calls ReadData when the
// layout holds that name; while writing, the writer calls WriteData when
// HasData is true. Defined properties are written after all published ones.
//
//   void TdxfComboBox::DefineProperties(TFiler* Filer) {
//     TCustomControl::DefineProperties(Filer);
//     Filer->DefineProperty("Checked", [this](TReader& R) { ReadChecked(R); },
//                           [this](TWriter& W) { WriteChecked(W); }, true);
//   }

#include <functional>
#include <string>

class TReader;
class TWriter;

using TReaderProc = std::function<void(TReader& Reader)>;
using TWriterProc = std::function<void(TWriter& Writer)>;

class TFiler {
public:
  virtual ~TFiler() = default;
  virtual void DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                              const TWriterProc& WriteData, bool HasData) = 0;
};
