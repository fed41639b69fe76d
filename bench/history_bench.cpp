// Saving and loading a 10,000-entry keyword history through TIniFile, the way
// the history box does: erase the section, write the count, write every entry,
// release; then read the count and every entry back. Each save is one atomic
// file write (with fsync), so the figure includes one flush to disk.

#include <unistd.h>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "controls/history/Historystore.h"
#include "framework/core/IniFiles.h"
#include "framework/core/StringList.h"
#include "platform/profile/ProfileDocument.h"
#include "platform/profile/ProfileValues.h"

namespace {

constexpr int kEntries = 10000;

class THistoryFile {
public:
  THistoryFile() {
    char Template[] = "/tmp/history-bench-XXXXXX";
    FDir = mkdtemp(Template) ? Template : "/tmp";
    FPath = FDir + "/Scoutlane.ini";
    for (int Index = 0; Index < kEntries; ++Index)
      FEntries.push_back("keyword " + std::to_string(Index) + " 天気予報");
    TIniFile Ini(FPath);
    Ini.WriteBool("SET", "FRON", true);
    Ini.WriteInteger("SET", "REF", 3);
    for (int Site = 0; Site < 10; ++Site)
      Ini.WriteBool("SET", "SITE" + std::to_string(Site), false);
  }
  ~THistoryFile() {
    std::error_code Ignored;
    std::filesystem::remove_all(FDir, Ignored);
  }

  void Save() {
    TIniFile Ini(FPath);
    Ini.EraseSection("History");
    Ini.WriteString("History", "HistoryCount", std::to_string(FEntries.size()));
    for (std::size_t Index = 0; Index < FEntries.size(); ++Index)
      Ini.WriteString("History", "History" + std::to_string(Index), FEntries[Index]);
  }

  std::vector<std::string> Load() {
    TIniFile Ini(FPath);
    int Count =
        profile::ParseWholeNumber(Ini.ReadString("History", "HistoryCount", "0")).value_or(0);
    std::vector<std::string> Items;
    for (int Index = 0; Index < Count; ++Index)
      Items.push_back(Ini.ReadString("History", "History" + std::to_string(Index), ""));
    return Items;
  }

  const std::string& Path() const { return FPath; }

private:
  std::string FDir, FPath;
  std::vector<std::string> FEntries;
};

void BM_SaveHistory(benchmark::State& State) {
  THistoryFile File;
  for (auto _ : State) File.Save();
}
BENCHMARK(BM_SaveHistory)->Unit(benchmark::kMillisecond);

void BM_LoadHistory(benchmark::State& State) {
  THistoryFile File;
  File.Save();
  for (auto _ : State) {
    auto Items = File.Load();
    if (Items.size() != kEntries) State.SkipWithError("history did not come back whole");
    benchmark::DoNotOptimize(Items);
  }
}
BENCHMARK(BM_LoadHistory)->Unit(benchmark::kMillisecond);

void BM_SaveAndLoadHistory(benchmark::State& State) {
  THistoryFile File;
  for (auto _ : State) {
    File.Save();
    auto Items = File.Load();
    benchmark::DoNotOptimize(Items);
  }
}
BENCHMARK(BM_SaveAndLoadHistory)->Unit(benchmark::kMillisecond);

// The same save without the file system: parse, erase, 10,001 writes,
// serialise. Shows what the save costs apart from the disk.
void BM_SaveHistoryInMemory(benchmark::State& State) {
  profile::TProfileDocument Start;
  Start.SetValue("SET", "FRON", "1");
  for (int Index = 0; Index < kEntries; ++Index)
    Start.SetValue("History", "History" + std::to_string(Index), "old entry");
  std::string Old = Start.Serialize();
  for (auto _ : State) {
    auto Document = profile::TProfileDocument::Parse(Old);
    Document.EraseSection("History");
    Document.SetValue("History", "HistoryCount", std::to_string(kEntries));
    for (int Index = 0; Index < kEntries; ++Index)
      Document.SetValue("History", "History" + std::to_string(Index), "keyword 天気予報");
    benchmark::DoNotOptimize(Document.Serialize());
  }
}
BENCHMARK(BM_SaveHistoryInMemory)->Unit(benchmark::kMillisecond);

// The history box's own load: the count, the section's key names (which bound
// what a damaged count may cost), then every entry appended to the list.
void BM_LoadHistoryIntoList(benchmark::State& State) {
  THistoryFile File;
  File.Save();
  for (auto _ : State) {
    TStringList Items;
    LoadHistoryFromFile(File.Path(), "History", Items);
    if (Items.Count() != kEntries) State.SkipWithError("history did not come back whole");
    benchmark::DoNotOptimize(Items);
  }
}
BENCHMARK(BM_LoadHistoryIntoList)->Unit(benchmark::kMillisecond);

// A damaged count of two thousand million over the same 10,000 entries: the
// load costs what is stored, not what the count claims.
void BM_LoadHistoryWithDamagedCount(benchmark::State& State) {
  THistoryFile File;
  File.Save();
  {
    TIniFile Ini(File.Path());
    Ini.WriteString("History", "HistoryCount", "2000000000");
  }
  for (auto _ : State) {
    TStringList Items;
    LoadHistoryFromFile(File.Path(), "History", Items);
    benchmark::DoNotOptimize(Items);
  }
}
BENCHMARK(BM_LoadHistoryWithDamagedCount)->Unit(benchmark::kMillisecond);

// A search for a keyword at the bottom of a 10,000-entry history: the
// case-insensitive search through the list and the move to the top.
void BM_AddTextMovesLastEntryToTop(benchmark::State& State) {
  TStringList Items;
  for (int Index = 0; Index < kEntries; ++Index)
    Items.Add("keyword " + std::to_string(Index) + " 天気予報");
  for (auto _ : State) AddHistoryText(Items, Items[kEntries - 1]);
}
BENCHMARK(BM_AddTextMovesLastEntryToTop)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
