// Finding sectors by track index and sector ID, reading runs of sectors
// across tracks, and listing a track's sector IDs, on intact and damaged
// images.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "d88_image_writer.h"
#include "d88_reader.h"
#include "scratch_dir.h"

namespace {

using d88test::Bytes;
using d88test::ImageBuilder;
using d88test::MakeTrack;
using d88test::SectorData;
using d88test::SectorRecord;

constexpr uint8_t kFill = 0xA5;
constexpr int32_t kGuard = 64;

// A caller's buffer of `length` bytes with guard bytes on both sides, all
// preset to kFill, to show what an operation wrote and that it wrote
// nothing outside.
class GuardedBuffer {
 public:
  explicit GuardedBuffer(int32_t length)
      : bytes(static_cast<size_t>(length + 2 * kGuard), kFill) {}

  uint8_t* Data() { return bytes.data() + kGuard; }
  Bytes Head(int32_t count) const {
    return Bytes(bytes.begin() + kGuard, bytes.begin() + kGuard + count);
  }
  // True when nothing at or after `from` (guards included) was written.
  bool UntouchedFrom(int32_t from) const {
    for (size_t i = static_cast<size_t>(kGuard) + static_cast<size_t>(from);
         i < bytes.size(); ++i) {
      if (bytes[i] != kFill) return false;
    }
    for (size_t i = 0; i < static_cast<size_t>(kGuard); ++i) {
      if (bytes[i] != kFill) return false;
    }
    return true;
  }

 private:
  Bytes bytes;
};

// The data of 256-byte sectors (c, h, r) in order, optionally cut short.
Bytes Sectors(const std::vector<std::tuple<int, int, int>>& ids,
              size_t total = SIZE_MAX) {
  Bytes data;
  for (const auto& [c, h, r] : ids) {
    d88test::Append(data, SectorData(c, h, r, 256));
  }
  if (total < data.size()) data.resize(total);
  return data;
}

// Sectors (c, h, r) for r in first..last.
std::vector<std::tuple<int, int, int>> Range(int c, int h, int first,
                                             int last) {
  std::vector<std::tuple<int, int, int>> ids;
  for (int r = first; r <= last; ++r) ids.emplace_back(c, h, r);
  return ids;
}

std::vector<std::tuple<int, int, int>> operator+(
    std::vector<std::tuple<int, int, int>> a,
    const std::vector<std::tuple<int, int, int>>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class SectorTest : public testing::Test {
 protected:
  // Opens `image` and selects its first disk image.
  void Load(const Bytes& image) {
    const std::string path = dir.File("image" + std::to_string(files++));
    ASSERT_TRUE(d88test::WriteFile(path, image));
    ASSERT_TRUE(reader.Open(path.c_str()));
    ASSERT_TRUE(reader.SelectImage(0));
  }

  d88test::ScratchDir dir;
  int files = 0;
  D88Reader reader;
};

TEST_F(SectorTest, ReadSectorMatchesTheWholeId) {
  Load(d88test::Make2DImage().Build());
  struct Case {
    int32_t track, c, h, r, n, length;
    int32_t result;  // bytes of sector (c, h, r) expected
  };
  const Case cases[] = {
      {19, 9, 1, 1, 1, 256, 256},      {19, 9, 1, 16, 1, 256, 256},
      {0, 0, 0, 7, 1, 256, 256},       {79, 39, 1, 16, 1, 256, 256},
      {19, 9, 1, 5, 1, 1000, 256},  // the record's size bounds the copy
      {19, 9, 1, 5, 1, 100, 100},   // and so does the length
      {19, 9, 1, 5, 1, 1, 1},          {19, 9, 1, 5, 1, 0, 0},
      {19, 9, 1, 5, 1, -1, 0},         {19, 9, 1, 5, 1, INT32_MIN, 0},
      {19, 9, 1, 17, 1, 256, 0},  // R not on the track
      {19, 9, 1, 0, 1, 256, 0},        {19, 9, 1, 5, 0, 256, 0},  // N differs
      {19, 9, 1, 5, 2, 256, 0},        {19, 9, 0, 5, 1, 256, 0},  // H differs
      {19, 8, 1, 5, 1, 256, 0},                                   // C differs
      {19, 9 + 256, 1, 5, 1, 256, 0},  // whole values, not bytes
      {19, 9, 1, 5 - 256, 1, 256, 0},  {19, 9, 1, 5, 257, 256, 0},
      {20, 9, 1, 5, 1, 256, 0},   // the ID is looked for on its track only
      {80, 40, 0, 1, 1, 256, 0},  // absent track
      {164, 82, 0, 1, 1, 256, 0},      {-1, 9, 1, 1, 1, 256, 0},
      {INT32_MAX, 9, 1, 1, 1, 256, 0}, {INT32_MIN, 9, 1, 1, 1, 256, 0},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(testing::Message() << "track " << test.track << " C" << test.c
                                    << " H" << test.h << " R" << test.r << " N"
                                    << test.n << " length " << test.length);
    const int32_t capacity = test.length > 0 ? test.length : 0;
    GuardedBuffer buffer(capacity);
    EXPECT_EQ(reader.ReadSector(test.track, test.c, test.h, test.r, test.n,
                                buffer.Data(), test.length),
              test.result);
    EXPECT_EQ(buffer.Head(test.result),
              Sectors({{test.c, test.h, test.r}}, test.result));
    EXPECT_TRUE(buffer.UntouchedFrom(test.result));
  }
}

TEST_F(SectorTest, ReadSectorsFollowsTheSectorRange) {
  ImageBuilder builder = d88test::Make2DImage();
  // A last track in the table, to show that a run cannot wrap past it.
  builder.AddTrack(163, MakeTrack(81, 1));
  Load(builder.Build());
  struct Case {
    const char* what;
    int32_t first, last;  // sector range
    int32_t track, c, h, r, n, length;
    Bytes expected;
  };
  const Case cases[] = {
      {"nothing asked", 1, 16, 19, 9, 1, 1, 1, 0, {}},
      {"negative length", 1, 16, 19, 9, 1, 1, 1, -256, {}},
      {"one sector", 1, 16, 19, 9, 1, 1, 1, 256, Sectors(Range(9, 1, 1, 1))},
      {"last chunk in part", 1, 16, 19, 9, 1, 1, 1, 300,
       Sectors(Range(9, 1, 1, 2), 300)},
      {"H 1 wraps to the next cylinder", 1, 16, 19, 9, 1, 16, 1, 512,
       Sectors({{9, 1, 16}, {10, 0, 1}})},
      {"H 0 wraps to head 1", 1, 16, 20, 10, 0, 16, 1, 512,
       Sectors({{10, 0, 16}, {10, 1, 1}})},
      {"six tracks", 1, 16, 19, 9, 1, 1, 1, 24576,
       Sectors(Range(9, 1, 1, 16) + Range(10, 0, 1, 16) + Range(10, 1, 1, 16) +
               Range(11, 0, 1, 16) + Range(11, 1, 1, 16) +
               Range(12, 0, 1, 16))},
      {"range 1 to 10 passes over R 11 to 16", 1, 10, 0, 0, 0, 1, 1, 20 * 256,
       Sectors(Range(0, 0, 1, 10) + Range(0, 1, 1, 10))},
      {"above the range R counts on and stops", 1, 10, 0, 0, 0, 11, 1, 16 * 256,
       Sectors(Range(0, 0, 11, 16))},
      {"missing first sector", 1, 16, 19, 9, 1, 17, 1, 512, {}},
      {"wrapping past track 163", 1, 16, 163, 81, 1, 16, 1, 512,
       Sectors({{81, 1, 16}})},
      {"chunk size follows N: 128-byte chunks miss N 1 sectors",
       1,
       16,
       19,
       9,
       1,
       1,
       0,
       256,
       {}},
      {"size code too large", 1, 16, 19, 9, 1, 1, 24, 256, {}},
      {"negative size code", 1, 16, 19, 9, 1, 1, -1, 256, {}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    reader.SetSectorRange(test.first, test.last);
    const int32_t capacity = test.length > 0 ? test.length : 0;
    GuardedBuffer buffer(capacity);
    const int32_t got = reader.ReadSectors(test.track, test.c, test.h, test.r,
                                           test.n, buffer.Data(), test.length);
    EXPECT_EQ(got, static_cast<int32_t>(test.expected.size()));
    EXPECT_EQ(buffer.Head(got), test.expected);
    EXPECT_TRUE(buffer.UntouchedFrom(got));
  }
}

TEST_F(SectorTest, RunsStopAtDamage) {
  struct Case {
    const char* what;
    ImageBuilder image;
    int32_t track, c, h, r, length;
    Bytes counted;
  };
  std::vector<Case> cases;
  {
    ImageBuilder image = d88test::Make2DImage();
    image.SetTrackOffset(20, 0);
    cases.push_back({"absent track", image, 19, 9, 1, 1, 4096,
                     Sectors(Range(9, 1, 1, 16))});
  }
  {
    ImageBuilder image;
    std::vector<SectorRecord> track = MakeTrack(9, 1);
    track[4].data.resize(128);
    image.AddTrack(19, track);
    cases.push_back({"a short sector", image, 19, 9, 1, 1, 4096,
                     Sectors(Range(9, 1, 1, 4))});
  }
  {
    ImageBuilder image;
    std::vector<SectorRecord> track = MakeTrack(9, 1);
    track[2].data.clear();
    image.AddTrack(19, track);
    cases.push_back({"an empty sector", image, 19, 9, 1, 1, 4096,
                     Sectors(Range(9, 1, 1, 2))});
  }
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    Load(test.image.Build());
    GuardedBuffer buffer(test.length);
    const int32_t got = reader.ReadSectors(test.track, test.c, test.h, test.r,
                                           1, buffer.Data(), test.length);
    EXPECT_EQ(got, static_cast<int32_t>(test.counted.size()));
    EXPECT_EQ(buffer.Head(got), test.counted);
    EXPECT_TRUE(buffer.UntouchedFrom(got + 256));
  }
}

TEST_F(SectorTest, ShortSectorDataLandsAtTheStartOfItsChunk) {
  std::vector<SectorRecord> track = MakeTrack(9, 1);
  track[4].data.resize(128);
  Load(ImageBuilder().AddTrack(19, track).Build());
  GuardedBuffer buffer(4096);
  ASSERT_EQ(reader.ReadSectors(19, 9, 1, 1, 1, buffer.Data(), 4096), 1024);
  Bytes expected = Sectors(Range(9, 1, 1, 4));
  d88test::Append(expected, SectorData(9, 1, 5, 128));
  EXPECT_EQ(buffer.Head(1024 + 128), expected);
  EXPECT_TRUE(buffer.UntouchedFrom(1024 + 128));
}

TEST_F(SectorTest, RecordClaimingNoSectorsEndsEverySearch) {
  std::vector<SectorRecord> track = MakeTrack(0, 0);
  track[7].sectorCount = 0;
  Load(ImageBuilder().AddTrack(0, track).Build());
  uint8_t buffer[256];
  for (int32_t r = 1; r <= 16; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(reader.ReadSector(0, 0, 0, r, 1, buffer, 256), r < 8 ? 256 : 0);
  }
  // So does a first record claiming none.
  track = MakeTrack(0, 0);
  track[0].sectorCount = 0;
  Load(ImageBuilder().AddTrack(0, track).Build());
  EXPECT_EQ(reader.ReadSector(0, 0, 0, 1, 1, buffer, 256), 0);
  EXPECT_EQ(reader.ReadSector(0, 0, 0, 2, 1, buffer, 256), 0);
}

TEST_F(SectorTest, SearchEndsAtTheRecordItsCountNamesLast) {
  // The first record claims 3: R 4 and later are never looked at, even
  // though they are stored on the track.
  std::vector<SectorRecord> track = MakeTrack(0, 0);
  track[0].sectorCount = 3;
  track[1].sectorCount = 3;
  track[2].sectorCount = 3;
  Load(ImageBuilder().AddTrack(0, track).Build());
  uint8_t buffer[256];
  EXPECT_EQ(reader.ReadSector(0, 0, 0, 3, 1, buffer, 256), 256);
  EXPECT_EQ(reader.ReadSector(0, 0, 0, 4, 1, buffer, 256), 0);
}

TEST_F(SectorTest, SearchThatNeverMeetsItsEndStopsAtTheEndOfTheFile) {
  // Counts that disagree with the positions: the walk passes every record
  // and runs off the image without hanging or reading past the file.
  std::vector<SectorRecord> track = MakeTrack(0, 0);
  for (size_t i = 0; i < track.size(); ++i) {
    track[i].sectorCount = static_cast<uint16_t>(i == 0 ? 65535 : i);
  }
  Load(ImageBuilder().AddTrack(0, track).Build());
  GuardedBuffer buffer(256);
  EXPECT_EQ(reader.ReadSector(0, 0, 0, 99, 1, buffer.Data(), 256), 0);
  EXPECT_EQ(reader.ReadSectorIds(0, buffer.Data(), 256), 64);
  EXPECT_TRUE(buffer.UntouchedFrom(64));
}

TEST_F(SectorTest, TrackOffsetsOutsideTheImageAreAbsent) {
  // The second image's header starts with bytes that read as a record:
  // C 1, H 2, R 3, N 1, one record, 16 bytes of data (header bytes 16..31).
  Bytes first = d88test::Make2DImage().Build();
  const uint32_t size = static_cast<uint32_t>(first.size());
  Bytes second = ImageBuilder().Build();
  const uint8_t record[16] = {1, 2, 3, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 16, 0};
  std::copy(std::begin(record), std::end(record), second.begin());
  struct Case {
    uint32_t entry;
    bool followedByImage;
    int32_t result;
  };
  const Case cases[] = {
      {size, true, 16},  // equal to the disk size: passes the lookup
      {size, false, 0},  // ... and finds the end of the file
      {size + 1, true, 0},    {0, true, 0},
      {0x80000000u, true, 0}, {0xFFFFFFFFu, true, 0},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.entry);
    Bytes file = first;
    d88test::PutLe32(file, 32 + 4 * 5, test.entry);
    if (test.followedByImage) d88test::Append(file, second);
    Load(file);
    GuardedBuffer buffer(256);
    EXPECT_EQ(reader.ReadSector(5, 1, 2, 3, 1, buffer.Data(), 256),
              test.result);
    EXPECT_EQ(buffer.Head(test.result),
              Bytes(second.begin() + 16, second.begin() + 16 + test.result));
    EXPECT_TRUE(buffer.UntouchedFrom(test.result));
    EXPECT_EQ(reader.ReadSectorIds(5, buffer.Data(), 64),
              test.result == 0 ? 0 : 4);
  }
}

TEST_F(SectorTest, NegativeTrackOffsetsDoNotReachBackIntoTheFile) {
  // In the second image, track 0's entry is -272 as a 32-bit value: added
  // to the image's start it would land on the first image's last record.
  Bytes file = d88test::Make2DImage().Build();
  Bytes second = ImageBuilder().AddTrack(0, MakeTrack(0, 0)).Build();
  d88test::PutLe32(second, 32, 0x100000000u - 272);
  d88test::Append(file, second);
  Load(file);
  ASSERT_TRUE(reader.SelectImage(1));
  GuardedBuffer buffer(256);
  EXPECT_EQ(reader.ReadSector(0, 39, 1, 16, 1, buffer.Data(), 256), 0);
  EXPECT_EQ(reader.ReadSectorIds(0, buffer.Data(), 64), 0);
  EXPECT_TRUE(buffer.UntouchedFrom(0));
}

TEST_F(SectorTest, FileEndingInsideATrackCountsOnlyWhatArrived) {
  const Bytes whole = ImageBuilder().AddTrack(0, MakeTrack(0, 0)).Build();
  const size_t firstData = 688 + 16;
  struct Case {
    size_t fileSize;
    int32_t sector1;  // ReadSector result for R 1
    int32_t ids;      // ReadSectorIds result
  };
  const Case cases[] = {
      {firstData + 100, 100, 4},       // inside R 1's data
      {firstData + 256, 256, 4},       // right after R 1's data
      {firstData + 256 + 10, 256, 4},  // inside R 2's header
      {688 + 8, 0, 0},                 // inside R 1's header
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.fileSize);
    Bytes file = whole;
    file.resize(test.fileSize);
    Load(file);
    GuardedBuffer buffer(512);
    EXPECT_EQ(reader.ReadSector(0, 0, 0, 1, 1, buffer.Data(), 256),
              test.sector1);
    EXPECT_EQ(buffer.Head(test.sector1), Sectors({{0, 0, 1}}, test.sector1));
    EXPECT_TRUE(buffer.UntouchedFrom(test.sector1));
    // A run counts no chunk that fell short.
    EXPECT_EQ(reader.ReadSectors(0, 0, 0, 1, 1, buffer.Data(), 512),
              test.sector1 == 256 ? 256 : 0);
    EXPECT_EQ(reader.ReadSector(0, 0, 0, 2, 1, buffer.Data(), 256), 0);
    EXPECT_EQ(reader.ReadSectorIds(0, buffer.Data(), 64), test.ids);
  }
}

// The IDs of a track as ReadSectorIds lists them.
Bytes Ids(const std::vector<SectorRecord>& records, size_t count) {
  Bytes ids;
  for (size_t i = 0; i < count && i < records.size(); ++i) {
    ids.insert(ids.end(),
               {records[i].c, records[i].h, records[i].r, records[i].n});
  }
  return ids;
}

TEST_F(SectorTest, ReadSectorIdsListsTheRecordsInStoredOrder) {
  std::vector<SectorRecord> shuffled = MakeTrack(3, 1);
  std::swap(shuffled[0], shuffled[9]);
  std::swap(shuffled[3], shuffled[15]);
  shuffled[6].n = 2;
  shuffled[6].data.resize(512);
  const std::vector<SectorRecord> ten = MakeTrack(4, 0, 10);
  std::vector<SectorRecord> allZero = MakeTrack(5, 0, 4);
  for (SectorRecord& record : allZero) record.sectorCount = 0;
  std::vector<SectorRecord> firstZero = MakeTrack(6, 0);
  firstZero[0].sectorCount = 0;
  const std::vector<SectorRecord> next = MakeTrack(7, 0);
  Load(ImageBuilder()
           .AddTrack(1, shuffled)
           .AddTrack(2, ten)
           .AddTrack(3, allZero)
           .AddTrack(4, next)
           .AddTrack(5, firstZero)
           .Build());
  struct Case {
    const char* what;
    int32_t track, length;
    Bytes ids;
  };
  const Case cases[] = {
      {"16 records", 1, 64, Ids(shuffled, 16)},
      {"a larger buffer", 1, 400, Ids(shuffled, 16)},
      {"10 records", 2, 64, Ids(ten, 10)},
      {"a smaller buffer", 1, 8, Ids(shuffled, 2)},
      {"whole entries only", 1, 7, Ids(shuffled, 1)},
      {"no room", 1, 3, {}},
      {"zero length", 1, 0, {}},
      {"negative length", 1, -4, {}},
      // Records claiming 0 are listed, and the walk runs on into the next
      // stored track until the buffer is full.
      {"all counts 0", 3, 40,
       [&] {
         Bytes ids = Ids(allZero, 4);
         d88test::Append(ids, Ids(next, 6));
         return ids;
       }()},
      {"first count 0", 5, 400, Ids(firstZero, 16)},
      {"absent track", 6, 64, {}},
      {"track out of range", 164, 64, {}},
      {"negative track", -1, 64, {}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    GuardedBuffer buffer(test.length > 0 ? test.length : 0);
    const int32_t got =
        reader.ReadSectorIds(test.track, buffer.Data(), test.length);
    EXPECT_EQ(got, static_cast<int32_t>(test.ids.size()));
    EXPECT_EQ(buffer.Head(got), test.ids);
    EXPECT_TRUE(buffer.UntouchedFrom(got));
  }
}

TEST_F(SectorTest, NothingIsReadWithoutASelection) {
  const Bytes image = d88test::Make2DImage().Build();
  const std::string path = dir.File("2d.d88");
  ASSERT_TRUE(d88test::WriteFile(path, image));
  auto expectNothing = [this](const char* state) {
    SCOPED_TRACE(state);
    GuardedBuffer buffer(1024);
    EXPECT_EQ(reader.ReadSector(19, 9, 1, 1, 1, buffer.Data(), 256), 0);
    EXPECT_EQ(reader.ReadSectors(19, 9, 1, 1, 1, buffer.Data(), 1024), 0);
    EXPECT_EQ(reader.ReadSectorIds(19, buffer.Data(), 64), 0);
    EXPECT_TRUE(buffer.UntouchedFrom(0));
  };
  expectNothing("new reader");
  ASSERT_TRUE(reader.Open(path.c_str()));
  expectNothing("open, nothing selected");
  ASSERT_TRUE(reader.SelectImage(0));
  uint8_t sector[256];
  ASSERT_EQ(reader.ReadSector(19, 9, 1, 1, 1, sector, 256), 256);
  EXPECT_FALSE(reader.SelectImage(1));
  expectNothing("after a failed selection");
  ASSERT_TRUE(reader.SelectImage(0));
  ASSERT_TRUE(reader.Open(nullptr));
  expectNothing("closed after a selection");
}

}  // namespace
