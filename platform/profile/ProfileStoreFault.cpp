#include "platform/profile/ProfileStore.h"

// The test seam of both systems' stores (ProfileStorePosix.cpp,
// ProfileStoreWin32.cpp): one fault at a time, for the whole process.

namespace profile {
namespace {

// The fault a test asked for; Step -1 when none.
struct TFault {
  int Step = -1;
  int Error = 0;
};
TFault GFault;

}  // namespace

TSaveFault::TSaveFault(TStep Step, int Error) { GFault = TFault{Step, Error}; }
TSaveFault::~TSaveFault() { GFault = TFault{}; }

bool TSaveFault::Injected(TStep Step, int* Error) {
  if (GFault.Step != Step) return false;
  *Error = GFault.Error;
  return true;
}

}  // namespace profile
