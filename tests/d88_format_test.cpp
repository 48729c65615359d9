#include "d88_format.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>

namespace {

struct DecodeCase {
  uint8_t bytes[4];
  int32_t le32;
  int32_t le16;
};

// The lowest offset is the least significant byte on every host; a top bit
// set gives a negative 32-bit value and a 16-bit value above 32,767.
constexpr DecodeCase kDecodeCases[] = {
    {{0x00, 0x00, 0x00, 0x00}, 0, 0},
    {{0x01, 0x00, 0x00, 0x00}, 1, 1},
    {{0x00, 0x01, 0x00, 0x00}, 256, 256},
    {{0x78, 0x56, 0x34, 0x12}, 0x12345678, 0x5678},
    {{0xB0, 0x02, 0x00, 0x00}, 688, 688},
    {{0xFF, 0xFF, 0x00, 0x00}, 65535, 65535},
    {{0x00, 0x80, 0xFF, 0x7F}, 0x7FFF8000, 32768},
    {{0xFF, 0xFF, 0xFF, 0x7F}, INT32_MAX, 65535},
    {{0x00, 0x00, 0x00, 0x80}, INT32_MIN, 0},
    {{0xFE, 0xFF, 0xFF, 0xFF}, -2, 65534},
    {{0xFF, 0xFF, 0xFF, 0xFF}, -1, 65535},
};

TEST(DecodingTest, LowByteFirstWhateverTheHost) {
  for (const DecodeCase& test : kDecodeCases) {
    SCOPED_TRACE(testing::Message() << "le32 " << test.le32);
    EXPECT_EQ(ReadLe32(test.bytes), test.le32);
    EXPECT_EQ(ReadLe16(test.bytes), test.le16);
  }
}

TEST(DecodingTest, ReadsOnlyItsOwnBytes) {
  const uint8_t bytes[] = {0xAA, 0x11, 0x22, 0x33, 0x44, 0x55, 0xBB};
  EXPECT_EQ(ReadLe32(bytes + 1), 0x44332211);
  EXPECT_EQ(ReadLe16(bytes + 4), 0x5544);
}

// Shows which host the suite ran on: the native reading of the same four
// bytes differs between little- and big-endian hosts, the decoded one not.
TEST(DecodingTest, SameValueOnEitherByteOrder) {
  const uint8_t bytes[4] = {0x78, 0x56, 0x34, 0x12};
  uint32_t native = 0;
  std::memcpy(&native, bytes, sizeof native);
  const bool bigEndian = std::endian::native == std::endian::big;
  testing::Test::RecordProperty("host_byte_order",
                                bigEndian ? "big" : "little");
  EXPECT_EQ(native, bigEndian ? 0x78563412u : 0x12345678u);
  EXPECT_EQ(ReadLe32(bytes), 0x12345678);
  EXPECT_EQ(ReadLe16(bytes), 0x5678);
}

}  // namespace
