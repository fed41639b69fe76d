// Entry point of the search bar.
#include <cstdio>

int main() {
  std::puts("Scoutlane: the window is not built yet.");
  return 0;
}
