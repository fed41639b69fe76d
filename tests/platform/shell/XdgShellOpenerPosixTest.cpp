// Starts the real opener path: a stand-in xdg-open, first on PATH, records
// what it receives and what it inherits.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <thread>

#include "platform/shell/Shell.h"
#include "platform/shell/XdgShellOpener.h"

namespace fs = std::filesystem;

namespace {

constexpr int kShowCommand = 5;  // the window system's SW_SHOW

std::string ReadFile(const std::string& Path) {
  std::ifstream Stream(Path, std::ios::binary);
  std::stringstream Text;
  Text << Stream.rdbuf();
  return Text.str();
}

// Polls up to about five seconds; a bounded wait, never a timing assertion.
template <typename TCondition>
bool WaitFor(TCondition Condition) {
  for (int Poll = 0; Poll < 500; ++Poll) {
    if (Condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return Condition();
}

// Children of this process that have ended but were not reaped.
std::vector<pid_t> ZombieChildren() {
  std::vector<pid_t> Zombies;
  DIR* Proc = opendir("/proc");
  if (!Proc) return Zombies;
  while (dirent* Entry = readdir(Proc)) {
    std::string Stat = ReadFile(std::string("/proc/") + Entry->d_name + "/stat");
    std::size_t NameEnd = Stat.rfind(')');
    if (NameEnd == std::string::npos) continue;
    std::istringstream Fields(Stat.substr(NameEnd + 1));
    char State = 0;
    pid_t Parent = 0;
    Fields >> State >> Parent;
    if (State == 'Z' && Parent == getpid()) Zombies.push_back(std::atoi(Entry->d_name));
  }
  closedir(Proc);
  return Zombies;
}

bool ProcessExists(pid_t Process) { return fs::exists("/proc/" + std::to_string(Process)); }

class ShellSpawnTest : public ::testing::Test {
protected:
  void SetUp() override {
    char Template[] = "/tmp/shell-spawn-XXXXXX";
    ASSERT_NE(mkdtemp(Template), nullptr);
    FRoot = Template;
    FBin = FRoot + "/bin";
    FOut = FRoot + "/out";
    fs::create_directories(FBin);
    fs::create_directories(FOut);
    if (const char* Path = std::getenv("PATH")) FOldPath = Path;
    setenv("PATH", (FBin + ":" + FOldPath.value_or("/usr/bin:/bin")).c_str(), 1);
  }
  void TearDown() override {
    if (FOldPath)
      setenv("PATH", FOldPath->c_str(), 1);
    else
      unsetenv("PATH");
    fs::remove_all(FRoot);
  }

  void InstallStandIn(const std::string& Body) {
    std::string Path = FBin + "/xdg-open";
    std::ofstream(Path) << "#!/bin/sh\n" << Body;
    chmod(Path.c_str(), 0755);
  }

  // Records its argument count and first argument byte for byte, its open
  // descriptors as ls sees them (ls adds one of its own), its working folder,
  // session and blocked signals; "done.PID" is written last.
  void InstallRecordingStandIn() {
    // The signal mask is read first and with builtins only: dash blocks
    // signals for a moment around each fork, which is not what it inherited.
    InstallStandIn(
        "while read -r k v; do [ \"$k\" = SigBlk: ] && blocked=$v; done < /proc/$$/status\n"
        "d=" +
        FOut + "/$$\nmkdir \"$d\"\n" +
        "printf '%s\\n' \"$blocked\" > \"$d/sigblk\"\n"
        "printf '%s' \"$#\" > \"$d/argc\"\n"
        "printf '%s' \"$1\" > \"$d/arg1\"\n"
        "ls /proc/self/fd > \"$d/fds\"\n"
        "pwd > \"$d/cwd\"\n"
        "cut -d' ' -f6 /proc/$$/stat > \"$d/session\"\n"
        ": > \"" +
        FOut + "/done.$$\"\n");
  }

  std::vector<std::string> Finished() const {
    std::vector<std::string> Pids;
    for (const auto& Entry : fs::directory_iterator(FOut)) {
      std::string Name = Entry.path().filename().string();
      if (Name.rfind("done.", 0) == 0) Pids.push_back(Name.substr(5));
    }
    return Pids;
  }

  // Waits for exactly one finished stand-in and answers its record folder.
  std::string WaitForOneRun() {
    EXPECT_TRUE(WaitFor([&] { return !Finished().empty(); })) << "the stand-in never ran";
    std::vector<std::string> Runs = Finished();
    EXPECT_EQ(Runs.size(), 1u);
    if (Runs.empty()) return std::string();
    pid_t Child = std::atoi(Runs[0].c_str());
    // Reaped: gone from /proc altogether, not left as a zombie.
    EXPECT_TRUE(WaitFor([&] { return !ProcessExists(Child); })) << "child " << Child << " remains";
    return FOut + "/" + Runs[0];
  }

  std::string FRoot, FBin, FOut;
  std::optional<std::string> FOldPath;
};

struct TAddressCase {
  const char* Name;
  std::string Address;  // code page 932, as the program holds it
  std::string Utf8;     // what must reach the opener
};

void PrintTo(const TAddressCase& Case, std::ostream* Out) { *Out << Case.Name; }

class ShellSpawnAddressTest : public ShellSpawnTest,
                              public ::testing::WithParamInterface<TAddressCase> {};

TEST_P(ShellSpawnAddressTest, ArrivesAsOneArgumentByteForByte) {
  InstallRecordingStandIn();
  // Run in our folder, so that anything a shell made of the address would land there.
  int Result = ShellExecute(nullptr, "OPEN", GetParam().Address, "", FRoot, kShowCommand);
  EXPECT_GT(Result, 32);
  std::string Record = WaitForOneRun();
  EXPECT_EQ(ReadFile(Record + "/argc"), "1");
  EXPECT_EQ(ReadFile(Record + "/arg1"), GetParam().Utf8);
  EXPECT_FALSE(fs::exists(FRoot + "/pwned"));
  EXPECT_TRUE(ZombieChildren().empty());
}

std::vector<TAddressCase> AddressCases() {
  return {
      {"Plain", "http://example.invalid/search?q=abc&hl=ja",
       "http://example.invalid/search?q=abc&hl=ja"},
      {"BlanksAndAmpersands",
       "http://example.invalid/maps?q=a b&c&hl=", "http://example.invalid/maps?q=a b&c&hl="},
      {"CommandSubstitution", "http://example.invalid/?q=$(touch pwned)`touch pwned`",
       "http://example.invalid/?q=$(touch pwned)`touch pwned`"},
      {"QuotesAndShellSigns", "http://example.invalid/?q='\"; rm -rf x | y > z & *?[a]\\n",
       "http://example.invalid/?q='\"; rm -rf x | y > z & *?[a]\\n"},
      {"Japanese", "http://example.invalid/wiki/東京 ソフト",
       std::string("http://example.invalid/wiki/") + u8"東京 ソフト"},
      {"HalfWidthKana", "http://example.invalid/?q=\xB6\xC5",
       std::string("http://example.invalid/?q=") + u8"ｶﾅ"},
  };
}

INSTANTIATE_TEST_SUITE_P(Addresses, ShellSpawnAddressTest, ::testing::ValuesIn(AddressCases()),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(ShellSpawnTest, TheOpenerInheritsOnlyTheStandardDescriptors) {
  InstallRecordingStandIn();
  // A descriptor a careless library left inheritable, and blocked signals.
  int Leaked = open("/dev/null", O_RDONLY);
  ASSERT_GE(Leaked, 0);
  ASSERT_GE(dup2(Leaked, 57), 0);
  sigset_t Blocked, Old;
  sigemptyset(&Blocked);
  sigaddset(&Blocked, SIGUSR1);
  pthread_sigmask(SIG_BLOCK, &Blocked, &Old);

  EXPECT_GT(ShellExecute(nullptr, "OPEN", "http://example.invalid/", "", "", kShowCommand), 32);

  pthread_sigmask(SIG_SETMASK, &Old, nullptr);
  close(57);
  close(Leaked);

  std::string Record = WaitForOneRun();
  // 0 to 2, and 3: the folder ls opened to list them.
  EXPECT_EQ(ReadFile(Record + "/fds"), "0\n1\n2\n3\n");
  EXPECT_EQ(ReadFile(Record + "/sigblk"), "0000000000000000\n");
  // Its own session: a browser it starts outlives this program's terminal.
  pid_t Child = std::atoi(fs::path(Record).filename().c_str());
  EXPECT_EQ(std::atoi(ReadFile(Record + "/session").c_str()), Child);
}

TEST_F(ShellSpawnTest, RunsInTheRequestedFolder) {
  InstallRecordingStandIn();
  EXPECT_GT(ShellExecute(nullptr, "OPEN", "page.html", "", FBin, kShowCommand), 32);
  EXPECT_EQ(ReadFile(WaitForOneRun() + "/cwd"), FBin + "\n");
}

TEST_F(ShellSpawnTest, RefusedAddressesStartNothing) {
  InstallRecordingStandIn();
  TXdgShellOpener Opener;
  EXPECT_FALSE(Opener.Open({"http://example.invalid/?q=\x80\xFF", ""}));  // no CP932
  EXPECT_FALSE(Opener.Open({"--help", ""}));                              // an option to xdg-open
  EXPECT_FALSE(Opener.Open({std::string("http://a\0b", 10), ""}));
  EXPECT_EQ(ShellExecute(nullptr, "OPEN", "-x", "", "", kShowCommand), SE_ERR_FNF);
  // A good request afterwards is the only one that ever runs.
  EXPECT_TRUE(Opener.Open({"http://example.invalid/", ""}));
  EXPECT_EQ(ReadFile(WaitForOneRun() + "/arg1"), "http://example.invalid/");
}

TEST_F(ShellSpawnTest, NoOpenerOnThePathIsAFailureNotACrash) {
  setenv("PATH", FBin.c_str(), 1);  // an empty folder
  EXPECT_EQ(ShellExecute(nullptr, "OPEN", "http://example.invalid/", "", "", kShowCommand),
            SE_ERR_FNF);
  EXPECT_TRUE(ZombieChildren().empty());
}

TEST_F(ShellSpawnTest, AnOpenerThatHangsDoesNotBlockTheProgram) {
  InstallStandIn("echo $$ > \"" + FOut + "/pid.tmp\"\nmv \"" + FOut + "/pid.tmp\" \"" + FOut +
                 "/pid\"\nexec sleep 600\n");
  // Returning at all is the point: a blocking call would hang the test here.
  EXPECT_GT(ShellExecute(nullptr, "OPEN", "http://example.invalid/", "", "", kShowCommand), 32);

  ASSERT_TRUE(WaitFor([&] { return fs::exists(FOut + "/pid"); }));
  pid_t Child = std::atoi(ReadFile(FOut + "/pid").c_str());
  ASSERT_GT(Child, 0);
  EXPECT_TRUE(ProcessExists(Child));
  kill(Child, SIGKILL);
  EXPECT_TRUE(WaitFor([&] { return !ProcessExists(Child); })) << "killed opener not reaped";
  EXPECT_TRUE(ZombieChildren().empty());
}

TEST_F(ShellSpawnTest, ManyRequestsLeaveNoZombies) {
  InstallStandIn(": > \"" + FOut + "/done.$$\"\n");
  for (int Index = 0; Index < 20; ++Index)
    ShellExecute(nullptr, "OPEN", "http://example.invalid/" + std::to_string(Index), "", "",
                 kShowCommand);
  ASSERT_TRUE(WaitFor([&] { return Finished().size() == 20; }));
  for (const std::string& Pid : Finished()) {
    pid_t Child = std::atoi(Pid.c_str());
    EXPECT_TRUE(WaitFor([&] { return !ProcessExists(Child); })) << Child;
  }
  EXPECT_TRUE(ZombieChildren().empty());
}

}  // namespace
