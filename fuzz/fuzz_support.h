// Shared by the fuzzers: the input handed to code that reads files, through
// one temporary file reused by every run of the process, and the check that
// stops the fuzzer on a broken promise.
#ifndef D88CUT_FUZZ_FUZZ_SUPPORT_H_
#define D88CUT_FUZZ_FUZZ_SUPPORT_H_

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace d88fuzz {

// Traps, so that libFuzzer keeps the input, unless `condition` holds.
inline void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// The file's absolute path, made once per process.
inline const std::string& InputPath() {
  static const std::string path =
      (std::filesystem::temp_directory_path() /
       ("d88-fuzz-input-" + std::to_string(getpid()) + ".d88"))
          .string();
  return path;
}

// Writes the input to InputPath(); aborts when that fails, since every later
// check would be meaningless.
inline void WriteInput(const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(InputPath().c_str(), "wb");
  if (file == nullptr ||
      (size > 0 && std::fwrite(data, 1, size, file) != size) ||
      std::fclose(file) != 0) {
    std::abort();
  }
}

}  // namespace d88fuzz

#endif  // D88CUT_FUZZ_FUZZ_SUPPORT_H_
