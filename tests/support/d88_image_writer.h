// Builds D88 images in memory for tests and samples: a header with name,
// media type, disk size and track table, then the tracks' sector records.
// Every field can be set to a value a damaged image might hold.
#ifndef D88CUT_TESTS_SUPPORT_D88_IMAGE_WRITER_H_
#define D88CUT_TESTS_SUPPORT_D88_IMAGE_WRITER_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace d88test {

using Bytes = std::vector<uint8_t>;

struct SectorRecord {
  uint8_t c = 0;
  uint8_t h = 0;
  uint8_t r = 1;
  uint8_t n = 1;
  // The record's sector count field: how many records the track claims.
  uint16_t sectorCount = 16;
  Bytes data;
  // Stored in the data size field instead of data.size() when set.
  std::optional<uint16_t> dataSizeField;
};

// Recognisable contents for the sector with ID (c, h, r): a text label
// such as "C09 H1 R01 ", then bytes that differ between neighbouring
// sectors and between the positions of one sector.
Bytes SectorData(int c, int h, int r, int size);

// `count` records R = firstR, firstR + 1, ... with the same C, H and N, each
// holding SectorData of 128 << n bytes, each claiming `count` records.
std::vector<SectorRecord> MakeTrack(int c, int h, int count = 16, int n = 1,
                                    int firstR = 1);

class ImageBuilder {
 public:
  // Up to 16 raw bytes; the rest of the name field stays NUL.
  ImageBuilder& SetName(std::string_view text);
  ImageBuilder& SetMediaType(uint8_t type);
  // Tracks are stored in the order they are added; the table entry of
  // `index` points at the first record.
  ImageBuilder& AddTrack(int index, std::vector<SectorRecord> records);
  // Replaces a table entry after layout (0 makes the track absent).
  ImageBuilder& SetTrackOffset(int index, uint32_t offset);
  // Replaces the disk size field, which otherwise is the image's length.
  ImageBuilder& SetDiskSize(uint32_t size);

  Bytes Build() const;

 private:
  std::string name;
  uint8_t mediaType = 0;
  std::vector<std::pair<int, std::vector<SectorRecord>>> tracks;
  std::vector<std::pair<int, uint32_t>> offsetOverrides;
  std::optional<uint32_t> diskSize;
};

// A double-sided double-density layout: 40 cylinders x 2 heads x 16 sectors
// of 256 bytes, track index 2 x C + H, every sector holding SectorData.
ImageBuilder Make2DImage();

void PutLe16(Bytes& bytes, size_t offset, uint16_t value);
void PutLe32(Bytes& bytes, size_t offset, uint32_t value);
void Append(Bytes& to, const Bytes& from);

// Writes `bytes` to `path`, replacing the file. False on any failure.
bool WriteFile(const std::string& path, const Bytes& bytes);
Bytes ReadFile(const std::string& path);

}  // namespace d88test

#endif  // D88CUT_TESTS_SUPPORT_D88_IMAGE_WRITER_H_
