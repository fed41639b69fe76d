#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include "platform/shell/Beep.h"

namespace {

// Points standard error at another descriptor for the object's lifetime.
class TStandardErrorRedirect {
public:
  explicit TStandardErrorRedirect(int Target) : FSaved(dup(STDERR_FILENO)) {
    dup2(Target, STDERR_FILENO);
  }
  ~TStandardErrorRedirect() {
    dup2(FSaved, STDERR_FILENO);
    close(FSaved);
  }

private:
  int FSaved;
};

std::string ReadAvailable(int Descriptor) {
  std::string Text;
  pollfd Poll{Descriptor, POLLIN, 0};
  while (poll(&Poll, 1, 200) > 0 && (Poll.revents & POLLIN)) {
    char Buffer[64];
    ssize_t Read = read(Descriptor, Buffer, sizeof Buffer);
    if (Read <= 0) break;
    Text.append(Buffer, static_cast<std::size_t>(Read));
  }
  return Text;
}

TEST(TerminalBeeperTest, RingsATerminal) {
  int Master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(Master, 0);
  ASSERT_EQ(grantpt(Master), 0);
  ASSERT_EQ(unlockpt(Master), 0);
  int Terminal = open(ptsname(Master), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(Terminal, 0);
  {
    TStandardErrorRedirect Redirect(Terminal);
    TTerminalBeeper().Beep(MB_OK);
  }
  EXPECT_EQ(ReadAvailable(Master), "\a");
  close(Terminal);
  close(Master);
}

TEST(TerminalBeeperTest, KeepsBellsOutOfPipesAndFiles) {
  int Pipe[2];
  ASSERT_EQ(pipe2(Pipe, O_CLOEXEC), 0);
  {
    TStandardErrorRedirect Redirect(Pipe[1]);
    TTerminalBeeper().Beep(MB_OK);
    // Written after the beep: the pipe then holds exactly what the beep wrote before it.
    [[maybe_unused]] ssize_t Written = write(STDERR_FILENO, "end", 3);
  }
  close(Pipe[1]);
  EXPECT_EQ(ReadAvailable(Pipe[0]), "end");
  close(Pipe[0]);
}

}  // namespace
