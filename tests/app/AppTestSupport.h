#pragma once
// Stand-ins for the keyword box and the site picker, a shell opener that
// writes into a shared log (so the order of history and open requests can be
// checked), and a settings file in a directory of its own.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/SearchCommand.h"
#include "app/SearchSites.h"
#include "platform/MessageLog.h"
#include "platform/ScratchFiles.h"
#include "platform/shell/Shell.h"

namespace apptest {

using TLog = TMessageLog<std::string>;

class TFakeKeywordBox : public TKeywordBox {
public:
  explicit TFakeKeywordBox(TLog& Log) : FLog(Log) {}
  std::string Text() const override { return Typed; }
  void AddText(const std::string& Keyword) override {
    FLog.push_back("history " + Keyword);
    History.insert(History.begin(), Keyword);
  }
  void ClearHistory() override {
    FLog.push_back("clear history");
    History.clear();
  }
  std::string Typed;
  std::vector<std::string> History;

private:
  TLog& FLog;
};

// Keeps what it is given as the picker does: an index outside the items is
// ignored, so the current item stays.
class TFakeSitePicker : public TSitePicker {
public:
  int ItemIndex() const override { return Index; }
  void SetItemIndex(int Value) override {
    if (Value >= -1 && Value < kSearchSiteCount) Index = Value;
  }
  bool GetChecked(int I) const override { return IsSiteIndex(I) && Ticks[I]; }
  void SetChecked(int I, bool Value) override {
    if (IsSiteIndex(I)) Ticks[I] = Value;
  }
  int Index = -1;
  std::array<bool, kSearchSiteCount> Ticks{};
};

class TLoggingShellOpener : public TShellOpener {
public:
  explicit TLoggingShellOpener(TLog& Log) : FLog(Log) {}
  bool Open(const TShellRequest& Request) override {
    FLog.push_back("open " + Request.File);
    Requests.push_back(Request);
    return true;
  }
  std::vector<TShellRequest> Requests;

private:
  TLog& FLog;
};

// A fresh directory for a test's settings file, removed afterwards.
class TTempDir {
public:
  TTempDir() : FPath(testfiles::MakeScratchDirectory("scoutlane-app")) {}
  ~TTempDir() { testfiles::RemoveTree(FPath); }
  const std::string& Path() const { return FPath; }
  std::string File(const std::string& Name) const { return FPath + "/" + Name; }

private:
  std::string FPath;
};

inline std::string ReadFileBytes(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  std::ostringstream Out;
  Out << In.rdbuf();
  return Out.str();
}

inline void WriteFileBytes(const std::string& Path, const std::string& Bytes) {
  std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
  Out << Bytes;
}

}  // namespace apptest
