// CutFile called directly: its skip and length, and the arguments it
// refuses before touching the buffer.
#include "cut_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "d88_image_writer.h"
#include "d88cut.h"
#include "scratch_dir.h"

namespace {

using d88test::Bytes;

class CutFileTest : public testing::Test {
 protected:
  void SetUp() override {
    const std::string image = dir.File("a.d88");
    ASSERT_TRUE(d88test::WriteFile(image, d88test::Make2DImage().Build()));
    ASSERT_TRUE(reader.Open(image.c_str()));
    ASSERT_TRUE(reader.SelectImage(0));
    reader.SetSectorRange(1, 16);
  }
  void TearDown() override { reader.Open(nullptr); }

  d88test::ScratchDir dir;
};

TEST_F(CutFileTest, SkipDropsBytesFromTheFront) {
  const std::string out = dir.File("out");
  ASSERT_TRUE(CutFile(out.c_str(), 0, 0, 0, 1, 1, 300, 256));
  Bytes expected = d88test::SectorData(0, 0, 2, 256);
  d88test::Append(expected, d88test::SectorData(0, 0, 3, 256));
  expected = Bytes(expected.begin() + 44, expected.begin() + 44 + 256);
  EXPECT_EQ(d88test::ReadFile(out), expected);
  EXPECT_EQ(outFile, nullptr);
}

TEST_F(CutFileTest, RefusesRangesOutsideTheBuffer) {
  struct Case {
    int32_t skip, length;
  };
  const Case cases[] = {
      {-1, 256},
      {0, -1},
      {INT32_MIN, INT32_MIN},
      {0, kCutBufferSize + 1},
      {1, kCutBufferSize},
      {kCutBufferSize, 1},
      {INT32_MAX, 1},
      {1, INT32_MAX},
  };
  cutBuffer[0] = 0x5A;
  for (const Case& test : cases) {
    SCOPED_TRACE(testing::Message() << test.skip << " + " << test.length);
    const std::string out = dir.File("out");
    EXPECT_FALSE(CutFile(out.c_str(), 0, 0, 0, 1, 1, test.skip, test.length));
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(cutBuffer[0], 0x5A);
  }
  // The whole buffer is still allowed.
  const std::string whole = dir.File("whole");
  ASSERT_TRUE(CutFile(whole.c_str(), 0, 0, 0, 1, 1, 0, kCutBufferSize));
  EXPECT_EQ(std::filesystem::file_size(whole),
            static_cast<uintmax_t>(kCutBufferSize));
}

}  // namespace
