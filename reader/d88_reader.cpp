#include "d88_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace {

// Largest image start offset the reader can hold: offsets are int32_t.
constexpr int32_t kMaxOffset = INT32_MAX;

// A sector record header, decoded.
struct RecordHeader {
  uint8_t id[4];  // C, H, R, N
  int32_t count;  // the records its track claims to hold
  int32_t size;   // data bytes after the header
};

// Reads the record header at the file position; false when the file ends
// inside it.
bool ReadRecordHeader(std::FILE* file, RecordHeader& record) {
  uint8_t bytes[kSectorHeaderSize];
  if (std::fread(bytes, 1, sizeof bytes, file) != sizeof bytes) {
    return false;
  }
  for (int32_t k = 0; k < 4; ++k) {
    record.id[k] = bytes[k];
  }
  record.count = ReadLe16(bytes + kSectorCountOffset);
  record.size = ReadLe16(bytes + kDataSizeOffset);
  return true;
}

// Skips the data of `record`, the record at position `i` of its track.
// False when the walk ends there: the record's count names it the last,
// or the data cannot be skipped.
bool SkipToNextRecord(std::FILE* file, const RecordHeader& record, int32_t i) {
  return std::fseek(file, record.size, SEEK_CUR) == 0 && i != record.count - 1;
}

}  // namespace

// Every field not set here starts at zero; in particular the track table is
// all zeros, so no track can be found before a selection has succeeded.
D88Reader::D88Reader()
    : file(nullptr),
      reserved(-1),
      imageCount(0),
      firstSector(1),
      lastSector(16),
      imageOffsets(),
      diskSize(0),
      imageOffset(0),
      trackOffsets(),
      mediaType(-1),
      diskName() {}

D88Reader::~D88Reader() { Close(); }

// Releases the file and forgets the image index. The selected image's
// offset, size, track table and name stay as they were.
void D88Reader::Close() {
  if (file != nullptr) {
    std::fclose(file);
    file = nullptr;
  }
  imageCount = 0;
  reserved = -1;
  mediaType = -1;
}

bool D88Reader::Open(const char* path) {
  Close();
  if (path == nullptr) {
    return true;
  }
  file = std::fopen(path, "rb");
  if (file == nullptr) {
    return false;
  }

  // There is no index in the file: image 0 starts at offset 0 and every
  // image's disk size leads to the next. The walk ends at the first start
  // where a whole header can no longer be read. A disk size of 0 leads back
  // to the same header, which fills the rest of the index.
  uint8_t header[kImageHeaderSize];
  int32_t offset = 0;
  while (imageCount < kMaxImages) {
    imageOffsets[imageCount] = offset;
    if (std::fseek(file, offset, SEEK_SET) != 0 ||
        std::fread(header, 1, sizeof header, file) != sizeof header) {
      break;
    }
    const int32_t size = ReadLe32(header + kDiskSizeOffset);
    ++imageCount;
    // A start offset past 2 GiB cannot be held, so the image whose size would
    // lead there is the last one indexed.
    if (size < 0 || size > kMaxOffset - offset) {
      break;
    }
    offset += size;
  }
  return true;
}

int32_t D88Reader::GetImageCount() const { return imageCount; }

bool D88Reader::SelectImage(int32_t index) {
  if (file == nullptr) {
    return false;
  }
  // Undo the current selection. The track table is kept, but with a disk
  // size of 0 no entry of it passes a track lookup.
  imageOffset = -1;
  reserved = -1;
  mediaType = -1;
  diskSize = 0;
  diskName[0] = '\0';
  if (index < 0 || index >= imageCount) {
    return false;
  }

  // Open has read this header whole once; if the file has changed since, a
  // header that no longer arrives whole selects nothing.
  uint8_t header[kImageHeaderSize];
  if (std::fseek(file, imageOffsets[index], SEEK_SET) != 0 ||
      std::fread(header, 1, sizeof header, file) != sizeof header) {
    return false;
  }
  imageOffset = imageOffsets[index];
  for (int32_t t = 0; t < kTrackCount; ++t) {
    trackOffsets[t] =
        ReadLe32(header + kTrackTableOffset + static_cast<ptrdiff_t>(4) * t);
  }
  mediaType = header[kMediaTypeOffset];
  diskSize = ReadLe32(header + kDiskSizeOffset);
  // The name ends at its first NUL; the rest of the 16 bytes are cleared and
  // the 17th byte is the terminator, NUL since construction.
  int32_t i = 0;
  for (; i < kNameSize && header[kNameOffset + i] != 0; ++i) {
    diskName[i] = static_cast<char>(header[kNameOffset + i]);
  }
  for (; i < kNameSize; ++i) {
    diskName[i] = '\0';
  }
  return true;
}

void D88Reader::SetSectorRange(int32_t first, int32_t last) {
  firstSector = first;
  lastSector = last;
}

const char* D88Reader::GetDiskName() const { return diskName; }

int32_t D88Reader::GetMediaType() const { return mediaType; }

int32_t D88Reader::GetDiskSize() const { return diskSize; }

int32_t D88Reader::GetReserved() const { return reserved; }

bool D88Reader::SeekTrack(int32_t track) {
  if (file == nullptr || track < 0 || track >= kTrackCount) {
    return false;
  }
  // 0 marks an absent track. An entry past the disk size points outside the
  // image, and one of 2 GiB or more (negative here) cannot be reached; both
  // count as absent. After a failed selection the disk size is 0, so no
  // entry passes.
  const int32_t offset = trackOffsets[track];
  if (offset <= 0 || offset > diskSize || imageOffset < 0 ||
      offset > kMaxOffset - imageOffset) {
    return false;
  }
  return std::fseek(file, imageOffset + offset, SEEK_SET) == 0;
}

int32_t D88Reader::ReadSector(int32_t track, int32_t c, int32_t h, int32_t r,
                              int32_t n, uint8_t* buffer, int32_t length) {
  if (length <= 0 || !SeekTrack(track)) {
    return 0;
  }
  // Every search starts at the track's first record. Each record states how
  // many records its track holds; the walk ends at the record whose position
  // says it is the last, at a record claiming 0, or at the end of the file.
  RecordHeader record;
  for (int32_t i = 0;; ++i) {
    if (!ReadRecordHeader(file, record) || record.count == 0) {
      return 0;
    }
    if (record.id[0] == c && record.id[1] == h && record.id[2] == r &&
        record.id[3] == n) {
      const int32_t copy = record.size < length ? record.size : length;
      // Only what actually arrived counts: a file that ends inside the data
      // must not pass off the caller's old buffer bytes as sector data.
      return static_cast<int32_t>(
          std::fread(buffer, 1, static_cast<size_t>(copy), file));
    }
    if (!SkipToNextRecord(file, record, i)) {
      return 0;
    }
  }
}

int32_t D88Reader::ReadSectors(int32_t track, int32_t c, int32_t h, int32_t r,
                               int32_t n, uint8_t* buffer, int32_t length) {
  // 128 << n must stay a positive int32_t.
  if (n < 0 || n > 23) {
    return 0;
  }
  int32_t chunk = 128 << n;
  int32_t total = 0;
  while (total < length) {
    if (length - total < chunk) {
      chunk = length - total;
    }
    if (ReadSector(track, c, h, r, n, buffer + total, chunk) < chunk) {
      return total;
    }
    total += chunk;
    // A read succeeded, so track, c and r are in range and stepping them
    // cannot overflow.
    if (r == lastSector) {
      ++track;
      if (h == 0) {
        h = 1;
      } else {
        h = 0;
        ++c;
      }
      r = firstSector;
    } else {
      ++r;
    }
  }
  return total;
}

int32_t D88Reader::ReadSectorIds(int32_t track, uint8_t* buffer,
                                 int32_t length) {
  if (!SeekTrack(track)) {
    return 0;
  }
  // Unlike ReadSector, a record claiming 0 records is listed like any other:
  // the list ends only when the buffer is full or at the record whose
  // position matches its count.
  RecordHeader record;
  int32_t total = 0;
  for (int32_t i = 0; length - total >= 4; ++i) {
    if (!ReadRecordHeader(file, record)) {
      break;
    }
    for (int32_t k = 0; k < 4; ++k) {
      buffer[total + k] = record.id[k];
    }
    total += 4;
    if (!SkipToNextRecord(file, record, i)) {
      break;
    }
  }
  return total;
}
