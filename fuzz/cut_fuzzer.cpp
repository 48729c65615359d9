// Runs the whole d88cut program in-process on an untrusted image, in a
// scratch directory, and traps when an output file is longer than its cut
// or the exit code is not one the program can give.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "cut_file.h"
#include "d88cut.h"
#include "fuzz_support.h"

using d88fuzz::Check;

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  // The cuts land in a directory of their own; their announcements would
  // only flood the fuzzer's log.
  const std::filesystem::path scratch =
      std::filesystem::temp_directory_path() /
      ("d88-fuzz-cut-" + std::to_string(getpid()));
  std::filesystem::create_directories(scratch);
  std::filesystem::current_path(scratch);
  if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  d88fuzz::WriteInput(data, size);
  for (const CutEntry& cut : kCutTable) {
    std::filesystem::remove(cut.name);
  }
  std::string path = d88fuzz::InputPath();
  char program[] = "d88cut";
  char* argv[] = {program, path.data(), nullptr};
  const int code = RunD88Cut(2, argv);
  Check(code == 0);
  Check(outFile == nullptr);
  for (const CutEntry& cut : kCutTable) {
    std::error_code error;
    const uintmax_t written = std::filesystem::file_size(cut.name, error);
    Check(error || written == static_cast<uintmax_t>(cut.length));
  }
  return 0;
}
