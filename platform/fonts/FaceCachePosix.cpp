#include "platform/fonts/FaceCache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <iterator>
#include <map>

#include "platform/files/FileBytes.h"

namespace {

constexpr const char* kMagic = "scoutlane-faces 2";

// What a file or folder is and when it last changed. Two states are equal
// only when it is the same object with the same size and times.
std::string StateOf(const std::string& Path) {
  struct stat Info {};
  if (stat(Path.c_str(), &Info) != 0) return "-";
  std::string State;
  for (long long Part : {(long long)Info.st_dev, (long long)Info.st_ino, (long long)Info.st_size,
                         (long long)Info.st_mtim.tv_sec, (long long)Info.st_mtim.tv_nsec,
                         (long long)Info.st_ctim.tv_sec, (long long)Info.st_ctim.tv_nsec})
    State += (State.empty() ? "" : ".") + std::to_string(Part);
  return State;
}

// Names and paths may hold any byte; written as hexadecimal, every field of
// a line is one word.
std::string Hex(const std::string& Text) {
  static const char Digits[] = "0123456789abcdef";
  std::string Out;
  Out.reserve(Text.size() * 2 + 1);
  for (unsigned char C : Text) {
    Out += Digits[C >> 4];
    Out += Digits[C & 15];
  }
  // An empty text is one word too.
  return Out.empty() ? "-" : Out;
}

std::optional<std::string> Unhex(const std::string& Word) {
  if (Word == "-") return std::string();
  if (Word.size() % 2 != 0) return std::nullopt;
  auto Digit = [](char C) -> int {
    if (C >= '0' && C <= '9') return C - '0';
    if (C >= 'a' && C <= 'f') return C - 'a' + 10;
    return -1;
  };
  std::string Out;
  for (std::size_t I = 0; I < Word.size(); I += 2) {
    int High = Digit(Word[I]), Low = Digit(Word[I + 1]);
    if (High < 0 || Low < 0) return std::nullopt;
    Out += static_cast<char>(High * 16 + Low);
  }
  return Out;
}

std::string EnvOrEmpty(const char* Name) {
  const char* Value = std::getenv(Name);
  return Value ? Value : "";
}

bool FontconfigPointedElsewhere() {
  for (const char* Name : {"FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT"})
    if (!EnvOrEmpty(Name).empty()) return true;
  return false;
}

// $NAME, or $HOME/FALLBACK when it is not set; empty without a home.
std::string XdgDirectory(const char* Name, const char* Fallback) {
  std::string Value = EnvOrEmpty(Name);
  if (!Value.empty()) return Value;
  std::string Home = EnvOrEmpty("HOME");
  return Home.empty() ? std::string() : Home + "/" + Fallback;
}

// The lines of Text; a last line without its end is damage, and dropped.
std::vector<std::string> SplitLines(const std::string& Text) {
  std::vector<std::string> Lines;
  for (std::size_t Start = 0, End; (End = Text.find('\n', Start)) != std::string::npos;
       Start = End + 1)
    Lines.push_back(Text.substr(Start, End - Start));
  return Lines;
}

std::vector<std::string> SplitWords(const std::string& Line) {
  std::vector<std::string> Words;
  for (std::size_t Start = 0; Start < Line.size();) {
    std::size_t End = Line.find(' ', Start);
    if (End == std::string::npos) End = Line.size();
    Words.push_back(Line.substr(Start, End - Start));
    Start = End + 1;
  }
  return Words;
}

struct TEntry {
  TFontFile File;
  std::string State;  // StateOf(File.Path) when it was recorded
};

class TFaceCache {
public:
  static TFaceCache& Instance() {
    // Never destroyed: fonts may be realised while statics are torn down.
    static TFaceCache* Cache = new TFaceCache;
    return *Cache;
  }

  void Enable(const std::string& File, const std::vector<std::string>& StampPaths) {
    FFile = File;
    FStampPaths = StampPaths;
    FLoaded = false;
    FEntries.clear();
  }

  void Disable() {
    FFile.clear();
    FEntries.clear();
    FLoaded = false;
  }

  std::optional<TFontFile> Find(const std::string& Key) {
    if (FFile.empty()) return std::nullopt;
    Load();
    auto Found = FEntries.find(Key);
    if (Found == FEntries.end()) return std::nullopt;
    if (StateOf(Found->second.File.Path) != Found->second.State) {
      // The file changed or went: the answer is stale, ask fontconfig again.
      FEntries.erase(Found);
      return std::nullopt;
    }
    return Found->second.File;
  }

  void Remember(const std::string& Key, const TFontFile& File) {
    if (FFile.empty()) return;
    Load();
    std::string State = StateOf(File.Path);
    if (State == "-") return;
    FEntries[Key] = TEntry{File, State};
    Save(Key);
  }

private:
  std::string Stamp() const {
    std::string Text;
    for (const std::string& Path : FStampPaths) Text += Hex(Path) + ":" + StateOf(Path) + ",";
    // fontconfig's matching prefers the languages of the locale.
    for (const char* Name : {"FC_LANG", "LC_ALL", "LC_CTYPE", "LANG"})
      Text += std::string(Name) + "=" + Hex(EnvOrEmpty(Name)) + ",";
    return Text;
  }

  void Load() {
    if (FLoaded) return;
    FLoaded = true;
    FStamp = Stamp();
    FEntries.clear();
    const std::optional<std::string> Text = files::ReadFileBytes(FFile);
    if (!Text) return;
    std::vector<std::string> Lines = SplitLines(*Text);
    if (Lines.size() < 2 || Lines[0] != kMagic) return;
    // Another configuration (or none read): every entry is suspect.
    if (Lines[1] != "stamp " + FStamp) return;
    std::map<std::string, TEntry> Entries;
    for (std::size_t I = 2; I < Lines.size(); ++I) {
      // face KEY PATH INDEX FAMILY STATE
      std::vector<std::string> Fields = SplitWords(Lines[I]);
      if (Fields.size() != 6 || Fields[0] != "face") return;  // damaged: start afresh
      std::optional<std::string> K = Unhex(Fields[1]), P = Unhex(Fields[2]), F = Unhex(Fields[4]);
      char* End = nullptr;
      const long Index = std::strtol(Fields[3].c_str(), &End, 10);
      if (!K || !P || !F || P->empty() || *End || Fields[3].empty() || Index < 0) return;
      Entries[*K] = TEntry{TFontFile{*P, static_cast<int>(Index), *F}, Fields[5]};
    }
    FEntries = std::move(Entries);
  }

  void Save(const std::string& KeptKey) {
    // fontconfig may have written its own caches since the stamp was taken
    // (it does on a first run); the file records the configuration as it is
    // now. Entries recorded under an older configuration are not carried over.
    if (std::string Now = Stamp(); Now != FStamp) {
      FStamp = Now;
      for (auto It = FEntries.begin(); It != FEntries.end();)
        It = It->first == KeptKey ? std::next(It) : FEntries.erase(It);
    }
    std::string Directory = FFile.substr(0, FFile.rfind('/'));
    if (!Directory.empty() && !MakeDirectories(Directory)) return;
    std::string Text = std::string(kMagic) + "\nstamp " + FStamp + "\n";
    for (const auto& [Key, Entry] : FEntries)
      Text += "face " + Hex(Key) + " " + Hex(Entry.File.Path) + " " +
              std::to_string(Entry.File.Index) + " " + Hex(Entry.File.Family) + " " + Entry.State +
              "\n";
    // A temporary file beside it, renamed over it: a reader sees the old
    // cache or the new one, never half of one.
    std::string Temporary = FFile + ".XXXXXX";
    int Fd = mkstemp(Temporary.data());
    if (Fd < 0) return;
    bool Written = true;
    for (std::size_t Done = 0; Written && Done < Text.size();) {
      ssize_t N = write(Fd, Text.data() + Done, Text.size() - Done);
      if (N < 0 && errno == EINTR) continue;
      Written = N > 0;
      if (Written) Done += static_cast<std::size_t>(N);
    }
    Written = close(Fd) == 0 && Written;
    if (!Written || rename(Temporary.c_str(), FFile.c_str()) != 0) unlink(Temporary.c_str());
  }

  // The cache's folder and those above it, private to the user.
  static bool MakeDirectories(const std::string& Directory) {
    struct stat Info {};
    if (stat(Directory.c_str(), &Info) == 0) return S_ISDIR(Info.st_mode);
    std::size_t Slash = Directory.rfind('/');
    if (Slash != std::string::npos && Slash > 0 && !MakeDirectories(Directory.substr(0, Slash)))
      return false;
    return mkdir(Directory.c_str(), 0700) == 0 || errno == EEXIST;
  }

  std::string FFile;
  std::vector<std::string> FStampPaths;
  bool FLoaded = false;
  std::string FStamp;
  std::map<std::string, TEntry> FEntries;
};

}  // namespace

namespace facecache {

void Enable(const std::string& File, const std::vector<std::string>& StampPaths) {
  if (FontconfigPointedElsewhere()) {
    Disable();
    return;
  }
  TFaceCache::Instance().Enable(File, StampPaths);
}

void EnableForUser() {
  std::string CacheHome = XdgDirectory("XDG_CACHE_HOME", ".cache");
  if (CacheHome.empty()) return;
  Enable(CacheHome + "/scoutlane/faces", DefaultStampPaths());
}

void Disable() { TFaceCache::Instance().Disable(); }

std::vector<std::string> DefaultStampPaths() {
  std::vector<std::string> Paths = {"/etc/fonts/fonts.conf", "/etc/fonts/conf.d",
                                    "/etc/fonts/local.conf", "/var/cache/fontconfig",
                                    "/usr/local/share/fonts"};
  std::string ConfigHome = XdgDirectory("XDG_CONFIG_HOME", ".config");
  std::string CacheHome = XdgDirectory("XDG_CACHE_HOME", ".cache");
  std::string DataHome = XdgDirectory("XDG_DATA_HOME", ".local/share");
  std::string Home = EnvOrEmpty("HOME");
  if (!ConfigHome.empty())
    for (const char* Name : {"/fontconfig", "/fontconfig/fonts.conf", "/fontconfig/conf.d"})
      Paths.push_back(ConfigHome + Name);
  if (!CacheHome.empty()) Paths.push_back(CacheHome + "/fontconfig");
  if (!DataHome.empty()) Paths.push_back(DataHome + "/fonts");
  if (!Home.empty())
    for (const char* Name : {"/.fonts.conf", "/.fonts.conf.d", "/.fonts", "/.fontconfig"})
      Paths.push_back(Home + Name);
  return Paths;
}

std::optional<TFontFile> Find(const std::string& Key) { return TFaceCache::Instance().Find(Key); }

void Remember(const std::string& Key, const TFontFile& File) {
  TFaceCache::Instance().Remember(Key, File);
}

}  // namespace facecache
