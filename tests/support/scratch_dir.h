// A fresh directory per test, removed with everything in it afterwards.
#ifndef D88CUT_TESTS_SUPPORT_SCRATCH_DIR_H_
#define D88CUT_TESTS_SUPPORT_SCRATCH_DIR_H_

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace d88test {

class ScratchDir {
 public:
  ScratchDir() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    do {
      root = base / ("d88cut-test-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(root));
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& Path() const { return root; }
  std::string File(const std::string& name) const {
    return (root / name).string();
  }

 private:
  std::filesystem::path root;
};

}  // namespace d88test

#endif  // D88CUT_TESTS_SUPPORT_SCRATCH_DIR_H_
