// The pieces of d88ls's output: folded ID lists, escaped names, media types.
#include "image_listing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct Id {
  uint8_t c, h, r, n;
};

std::string Line(int32_t track, const std::vector<Id>& ids) {
  std::vector<uint8_t> bytes;
  for (const Id& id : ids) bytes.insert(bytes.end(), {id.c, id.h, id.r, id.n});
  return TrackLine(track, bytes.data(), static_cast<int32_t>(ids.size()));
}

TEST(ImageListingTest, TrackLinesFoldRunsOfConsecutiveR) {
  std::vector<Id> full;
  for (uint8_t r = 1; r <= 16; ++r) full.push_back({9, 1, r, 1});
  struct Case {
    std::vector<Id> ids;
    std::string line;
  };
  const Case cases[] = {
      {full, " 19  16 sectors  C9 H1 R1-16 N1"},
      {{{9, 1, 5, 1}}, " 19  1 sector  C9 H1 R5 N1"},
      {{{9, 1, 1, 1}, {9, 1, 3, 1}, {9, 1, 2, 1}},
       " 19  3 sectors  C9 H1 R1 N1, C9 H1 R3 N1, C9 H1 R2 N1"},
      // A change of N, C or H starts a new group even when R goes on.
      {{{9, 1, 1, 1},
        {9, 1, 2, 1},
        {9, 1, 3, 2},
        {9, 1, 4, 2},
        {9, 0, 5, 2},
        {8, 0, 6, 2}},
       " 19  6 sectors  C9 H1 R1-2 N1, C9 H1 R3-4 N2, C9 H0 R5 N2, C8 H0 R6 "
       "N2"},
      // R does not wrap from 255 to 0.
      {{{0, 0, 254, 0}, {0, 0, 255, 0}, {0, 0, 0, 0}},
       " 19  3 sectors  C0 H0 R254-255 N0, C0 H0 R0 N0"},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(Line(19, test.ids), test.line);
  }
}

TEST(ImageListingTest, NamesShowNonPrintableBytesAsHex) {
  EXPECT_EQ(EscapeName("GAME DISK 1"), "GAME DISK 1");
  EXPECT_EQ(EscapeName(""), "");
  EXPECT_EQ(EscapeName("\x83\x51\x81\x5B\x83\x80"), "\\x83Q\\x81[\\x83\\x80");
  EXPECT_EQ(EscapeName("A\tB\x7F\"\\~"), "A\\x09B\\x7F\\x22\\x5C~");
}

TEST(ImageListingTest, MediaTypes) {
  EXPECT_STREQ(MediaTypeName(0x00), "2D");
  EXPECT_STREQ(MediaTypeName(0x10), "2DD");
  EXPECT_STREQ(MediaTypeName(0x20), "2HD");
  EXPECT_STREQ(MediaTypeName(0x30), "unknown");
  EXPECT_STREQ(MediaTypeName(0xFF), "unknown");
}

}  // namespace
