// D88Reader: reads the disk images stored in a D88 file.
//
// Typical use:
//
//   D88Reader reader;
//   if (reader.Open("game.d88") && reader.SelectImage(0)) {
//     ...
//   }
//
// The reader owns one open file at a time and knows the start offsets of up
// to kMaxImages disk images in it. One image at a time is selected: its track
// table, disk size, media type and name are loaded into the reader.
//
// The reader never prints and keeps no error code: every operation reports
// failure as `false` or as a count of 0. It allocates nothing and throws
// nothing. It keeps a single file position, so calls must not overlap.
#ifndef D88CUT_READER_D88_READER_H_
#define D88CUT_READER_D88_READER_H_

#include <cstdint>
#include <cstdio>

#include "d88_format.h"

class D88Reader {
 public:
  D88Reader();
  ~D88Reader();

  D88Reader(const D88Reader&) = delete;
  D88Reader& operator=(const D88Reader&) = delete;

  // With a path: closes any open file, opens `path` for binary reading and
  // indexes the disk images in it. True once the file is open, also when it
  // holds no complete image; false when it cannot be opened (the reader is
  // then closed). With nullptr: closes and returns true.
  //
  // Neither form clears the last selection's track table, disk size, image
  // offset or name: select again after a reopen before reading sectors.
  bool Open(const char* path);

  // Number of complete image headers found by the last Open, 0 to
  // kMaxImages; 0 while no file is open.
  int32_t GetImageCount() const;

  // Selects image `index` (0 to GetImageCount() - 1) and loads its header.
  // With no file open: false and nothing changes. Otherwise the current
  // selection is undone first, so a false result leaves no image selected.
  bool SelectImage(int32_t index);

  // The sector numbers that runs of sectors wrap at: after `last` comes
  // `first` on the next track. Defaults 1 and 16. Not checked.
  void SetSectorRange(int32_t first, int32_t last);

  // Name of the selected image: up to 16 bytes of 8-bit text, NUL-terminated.
  // Points into the reader; each selection replaces the text.
  const char* GetDiskName() const;

  // Media type byte of the selected image (0 to 255), -1 with none selected.
  int32_t GetMediaType() const;

  // Disk size field of the selected image, 0 after a selection that failed.
  // Negative for a field of 2 GiB or more.
  int32_t GetDiskSize() const;

  // Reserved; nothing assigns it a value of its own, so it is always -1.
  int32_t GetReserved() const;

  // The sector operations name a track by its index in the selected image's
  // track table (0 to kTrackCount - 1) and a sector by its ID: cylinder `c`,
  // head `h`, record `r` and size code `n`, each compared with the record's
  // byte (0 to 255) as a whole. Buffers belong to the caller and hold at
  // least `length` bytes; nothing is written at or past `length`. Before a
  // successful selection every operation returns 0.

  // Copies the data of the first record on `track` whose ID matches, at
  // most `length` bytes. Returns the number of bytes that arrived from the
  // file; 0 when the track or the sector is not there, or `length` <= 0.
  int32_t ReadSector(int32_t track, int32_t c, int32_t h, int32_t r, int32_t n,
                     uint8_t* buffer, int32_t length);

  // Reads `length` bytes of consecutive sectors of 128 << `n` bytes each,
  // starting at the given one. After R == lastSector the run goes on at
  // R = firstSector of the next track index, with the head flipped (and
  // the cylinder stepped when the head was not 0). Returns the bytes read in
  // whole chunks: a sector that is missing or shorter than its chunk ends
  // the run and is not counted, although part of it may be in `buffer`.
  // 0 for `n` outside 0 to 23.
  int32_t ReadSectors(int32_t track, int32_t c, int32_t h, int32_t r, int32_t n,
                      uint8_t* buffer, int32_t length);

  // Lists the IDs of the records on `track` in stored order, 4 bytes each
  // (C, H, R, N). Returns the number of bytes written: whole entries only.
  int32_t ReadSectorIds(int32_t track, uint8_t* buffer, int32_t length);

 private:
  void Close();
  // Positions the file at the first record of `track`; false when the
  // track is absent or cannot be reached.
  bool SeekTrack(int32_t track);

  FILE* file;
  int32_t reserved;
  int32_t imageCount;
  int32_t firstSector;
  int32_t lastSector;
  int32_t imageOffsets[kMaxImages];
  int32_t diskSize;
  int32_t imageOffset;
  int32_t trackOffsets[kTrackCount];
  int32_t mediaType;
  char diskName[kNameSize + 1];
};

#endif  // D88CUT_READER_D88_READER_H_
