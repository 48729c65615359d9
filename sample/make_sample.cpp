// Writes a synthetic sample image to try d88cut on: one double-sided disk of
// 40 cylinders x 2 heads x 16 sectors of 256 bytes, track index 2 x C + H.
// Each sector starts with its ID as text ("C09 H1 R01 ").
#include <cstdio>

#include "d88_image_writer.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: %s OUTPUT.d88\n",
                 argc > 0 && argv[0] != nullptr ? argv[0] : "make_sample");
    return 1;
  }
  if (!d88test::WriteFile(argv[1], d88test::Make2DImage().Build())) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
