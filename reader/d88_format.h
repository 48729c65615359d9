// Layout constants of the D88 disk image format and the little-endian
// decoding its headers use.
//
// A D88 file is one or more disk images stored back to back. Each image is
// a 688-byte header (name, media type, disk size, a table of 164 track
// offsets) followed by its tracks; a track is a run of sector records, each
// a 16-byte header followed by the sector's data.
#ifndef D88CUT_READER_D88_FORMAT_H_
#define D88CUT_READER_D88_FORMAT_H_

#include <cstdint>

// Size of a disk image header.
inline constexpr int32_t kImageHeaderSize = 688;
// Entries in an image's track table.
inline constexpr int32_t kTrackCount = 164;
// Size of the header in front of each sector's data.
inline constexpr int32_t kSectorHeaderSize = 16;
// Most disk images indexed in one file.
inline constexpr int32_t kMaxImages = 64;

// Offsets inside a disk image header.
inline constexpr int32_t kNameOffset = 0;
inline constexpr int32_t kNameSize = 16;
inline constexpr int32_t kMediaTypeOffset = 27;
inline constexpr int32_t kDiskSizeOffset = 28;
inline constexpr int32_t kTrackTableOffset = 32;

// Offsets inside a sector record header. Bytes 0 to 3 are the sector ID:
// cylinder (C), head (H), record number (R) and size code (N).
inline constexpr int32_t kSectorCountOffset = 4;
inline constexpr int32_t kDataSizeOffset = 14;

// Integers are unsigned little-endian and are assembled byte by byte, so the
// host's byte order never matters. The unsigned sum is converted to int32_t
// at the end: FF FF FF FF gives -1 without any signed overflow on the way.
inline int32_t ReadLe32(const uint8_t* p) {
  const uint32_t value =
      static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
      (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
  return static_cast<int32_t>(value);
}

inline int32_t ReadLe16(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) |
                              (static_cast<uint32_t>(p[1]) << 8));
}

#endif  // D88CUT_READER_D88_FORMAT_H_
