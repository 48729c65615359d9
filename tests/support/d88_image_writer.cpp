#include "d88_image_writer.h"

#include <cstdio>

namespace d88test {

namespace {

constexpr size_t kHeaderSize = 688;
constexpr size_t kTableOffset = 32;
constexpr int kTracks = 164;

}  // namespace

Bytes SectorData(int c, int h, int r, int size) {
  Bytes data(static_cast<size_t>(size));
  char label[32];
  const int labelSize =
      std::snprintf(label, sizeof label, "C%02d H%d R%02d ", c, h, r);
  for (int i = 0; i < size; ++i) {
    data[static_cast<size_t>(i)] =
        i < labelSize
            ? static_cast<uint8_t>(label[i])
            : static_cast<uint8_t>(c * 29 + h * 101 + r * 7 + i * 3 + (i >> 8));
  }
  return data;
}

std::vector<SectorRecord> MakeTrack(int c, int h, int count, int n,
                                    int firstR) {
  std::vector<SectorRecord> records;
  for (int k = 0; k < count; ++k) {
    SectorRecord record;
    record.c = static_cast<uint8_t>(c);
    record.h = static_cast<uint8_t>(h);
    record.r = static_cast<uint8_t>(firstR + k);
    record.n = static_cast<uint8_t>(n);
    record.sectorCount = static_cast<uint16_t>(count);
    record.data = SectorData(c, h, firstR + k, 128 << n);
    records.push_back(std::move(record));
  }
  return records;
}

ImageBuilder& ImageBuilder::SetName(std::string_view text) {
  name = std::string(text.substr(0, 16));
  return *this;
}

ImageBuilder& ImageBuilder::SetMediaType(uint8_t type) {
  mediaType = type;
  return *this;
}

ImageBuilder& ImageBuilder::AddTrack(int index,
                                     std::vector<SectorRecord> records) {
  tracks.emplace_back(index, std::move(records));
  return *this;
}

ImageBuilder& ImageBuilder::SetTrackOffset(int index, uint32_t offset) {
  offsetOverrides.emplace_back(index, offset);
  return *this;
}

ImageBuilder& ImageBuilder::SetDiskSize(uint32_t size) {
  diskSize = size;
  return *this;
}

Bytes ImageBuilder::Build() const {
  Bytes image(kHeaderSize, 0);
  for (size_t i = 0; i < name.size(); ++i) {
    image[i] = static_cast<uint8_t>(name[i]);
  }
  image[27] = mediaType;
  for (const auto& [index, records] : tracks) {
    if (index >= 0 && index < kTracks) {
      PutLe32(image, kTableOffset + 4 * static_cast<size_t>(index),
              static_cast<uint32_t>(image.size()));
    }
    for (const SectorRecord& record : records) {
      Bytes header(16, 0);
      header[0] = record.c;
      header[1] = record.h;
      header[2] = record.r;
      header[3] = record.n;
      PutLe16(header, 4, record.sectorCount);
      PutLe16(header, 14,
              record.dataSizeField.value_or(
                  static_cast<uint16_t>(record.data.size())));
      Append(image, header);
      Append(image, record.data);
    }
  }
  for (const auto& [index, offset] : offsetOverrides) {
    PutLe32(image, kTableOffset + 4 * static_cast<size_t>(index), offset);
  }
  PutLe32(image, 28, diskSize.value_or(static_cast<uint32_t>(image.size())));
  return image;
}

ImageBuilder Make2DImage() {
  ImageBuilder builder;
  builder.SetName("SAMPLE 2D").SetMediaType(0x00);
  for (int c = 0; c < 40; ++c) {
    for (int h = 0; h < 2; ++h) {
      builder.AddTrack(2 * c + h, MakeTrack(c, h));
    }
  }
  return builder;
}

void PutLe16(Bytes& bytes, size_t offset, uint16_t value) {
  bytes.at(offset) = static_cast<uint8_t>(value);
  bytes.at(offset + 1) = static_cast<uint8_t>(value >> 8);
}

void PutLe32(Bytes& bytes, size_t offset, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) {
    bytes.at(offset + i) = static_cast<uint8_t>(value >> (8 * i));
  }
}

void Append(Bytes& to, const Bytes& from) {
  to.insert(to.end(), from.begin(), from.end());
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) {
    return false;
  }
  const bool written =
      bytes.empty() ||
      std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  return std::fclose(out) == 0 && written;
}

Bytes ReadFile(const std::string& path) {
  Bytes bytes;
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) {
    return bytes;
  }
  uint8_t chunk[4096];
  size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0) {
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  std::fclose(in);
  return bytes;
}

}  // namespace d88test
