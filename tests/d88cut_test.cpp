// d88cut run as a process: its command line, messages and exit codes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "d88_image_writer.h"
#include "run_process.h"
#include "scratch_dir.h"

namespace {

using d88test::ProcessResult;

// "The file cannot be opened." in Shift-JIS, as the tool writes it.
const std::string kOpenFailed =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x83\x49\x81\x5B\x83\x76"
    "\x83\x93\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1.\n";

class D88CutTest : public testing::Test {
 protected:
  ProcessResult Run(const std::vector<std::string>& argv) {
    return d88test::RunProcess(D88CUT_PATH, argv, dir.Path().string());
  }

  // Names of the files in the scratch directory.
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  d88test::ScratchDir dir;
};

TEST_F(D88CutTest, WrongArgumentCountPrintsUsage) {
  ASSERT_TRUE(d88test::WriteFile(dir.File("a.d88"), {}));
  const std::vector<std::vector<std::string>> argvs = {
      {"d88cut"},
      {"./tools/my-cutter"},
      {"d88cut", "a.d88", "a.d88"},
      {"cutter", "missing", "a.d88", "third"},
  };
  for (const auto& argv : argvs) {
    SCOPED_TRACE(argv.size());
    const ProcessResult result = Run(argv);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Usage: " + argv[0] + " [d88file]\n");
  }
  EXPECT_EQ(Files(), std::vector<std::string>{"a.d88"});
}

TEST_F(D88CutTest, UnopenableImagePrintsTheShiftJisMessage) {
  // A wildcard is a literal path: "*.d88" does not name a.d88.
  ASSERT_TRUE(d88test::WriteFile(dir.File("a.d88"), {}));
  for (const char* path : {"missing.d88", "", "*.d88", "no/such/dir/x"}) {
    SCOPED_TRACE(path);
    const ProcessResult result = Run({"d88cut", path});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, kOpenFailed);
  }
}

TEST_F(D88CutTest, FileWithoutImagesIsNotAnError) {
  for (const d88test::Bytes& content :
       {d88test::Bytes{}, d88test::Bytes(687, 0xE5)}) {
    SCOPED_TRACE(content.size());
    ASSERT_TRUE(d88test::WriteFile(dir.File("a.d88"), content));
    const ProcessResult result = Run({"d88cut", "a.d88"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(Files(), std::vector<std::string>{"a.d88"});
  }
}

}  // namespace
