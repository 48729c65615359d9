// d88ls IMAGE: lists the disk images in a D88 file and the sector IDs of
// their tracks.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "d88_reader.h"
#include "image_listing.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: %s IMAGE\n",
                 argc > 0 && argv[0] != nullptr ? argv[0] : "d88ls");
    return 1;
  }
  static D88Reader reader;
  errno = 0;
  if (!reader.Open(argv[1])) {
    std::fprintf(stderr, "d88ls: cannot open %s: %s\n", argv[1],
                 errno != 0 ? std::strerror(errno) : "unknown error");
    return 1;
  }
  ListImages(reader, argv[1], stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
