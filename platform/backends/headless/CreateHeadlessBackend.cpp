// The factory of the headless backend: the only place that names the class
// for the rest of the program.

#include "platform/backends/headless/HeadlessBackend.h"

std::unique_ptr<TBackend> CreateHeadlessBackend(int Width, int Height) {
  return std::make_unique<THeadlessBackend>(Width, Height);
}
