#include "d88cut.h"

#include <cstdio>

#include "cut_file.h"

D88Reader reader;

namespace {

// "The file cannot be opened." in Shift-JIS (code page 932), written as
// these bytes whatever the console's or the locale's encoding.
constexpr char kOpenFailedMessage[] =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x83\x49\x81\x5B\x83\x76"
    "\x83\x93\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1.\n";

}  // namespace

int RunD88Cut(int argc, char* argv[]) {
  if (argc != 2) {
    // A process may be started with no argv[0] at all.
    const char* name = (argc > 0 && argv[0] != nullptr) ? argv[0] : "d88cut";
    std::fprintf(stderr, "Usage: %s [d88file]\n", name);
    return 1;
  }
  if (!reader.Open(argv[1])) {
    std::fprintf(stderr, "%s", kOpenFailedMessage);
    return 1;
  }
  // A file without a complete image is not an error: the selection fails and
  // every later read finds nothing.
  reader.SelectImage(0);
  reader.SetSectorRange(1, 16);
  // Cuts that find nothing to read are not errors; output files that cannot
  // be written are.
  return RunCutStep() ? 0 : 1;
}
