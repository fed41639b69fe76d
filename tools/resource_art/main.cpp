// Draws the program's bitmap resources and writes them into a directory:
//   resource_art DIR        (normally the source tree's resources/)
// The build does not run this; the files it writes are committed, and a test
// checks that they are still exactly what this program draws.

#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "tools/resource_art/ResourceArt.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
    return 2;
  }
  try {
    const std::string Directory = argv[1];
    for (const art::TArtFile& File : art::GenerateResourceArt()) {
      const std::string Path = Directory + "/" + File.Name;
      std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
      Out.write(reinterpret_cast<const char*>(File.Bytes.data()),
                static_cast<std::streamsize>(File.Bytes.size()));
      Out.close();
      if (!Out) {
        std::fprintf(stderr, "cannot write %s\n", Path.c_str());
        return 1;
      }
      std::printf("%s (%zu bytes)\n", Path.c_str(), File.Bytes.size());
    }
  } catch (const std::exception& E) {
    std::fprintf(stderr, "%s\n", E.what());
    return 1;
  }
  return 0;
}
