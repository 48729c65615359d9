// The cut step: three fixed runs of sectors, each written to a file of its
// own in the current directory.
#ifndef D88CUT_TOOL_CUT_FILE_H_
#define D88CUT_TOOL_CUT_FILE_H_

#include <cstdint>
#include <cstdio>

// Every cut reads into this buffer from its first byte and writes from it.
inline constexpr int32_t kCutBufferSize = 327680;
extern uint8_t cutBuffer[kCutBufferSize];

// The output file of the cut in progress; no file stays open between cuts.
extern std::FILE* outFile;

struct CutEntry {
  const char* name;
  // The first sector, as for D88Reader::ReadSectors.
  int32_t track;
  int32_t c;
  int32_t h;
  int32_t r;
  int32_t n;
  // Bytes dropped from the front of what is read, and bytes written.
  int32_t skip;
  int32_t length;
};

// With the sector range 1 to 16: "PROG" is tracks 19 to 24, "PROG2" tracks
// 25 to 30, "MUSIC" sectors 1 to 12 of track 44, all of 256-byte sectors.
inline constexpr CutEntry kCutTable[] = {
    {"PROG", 19, 9, 1, 1, 1, 0, 24576},
    {"PROG2", 25, 12, 1, 1, 1, 0, 24576},
    {"MUSIC", 44, 22, 0, 1, 1, 0, 3072},
};

// Reads `skip` + `length` bytes of sectors from the selected image and, if
// at least one whole sector arrived, announces the file on standard output
// and writes `length` bytes from `cutBuffer` + `skip` to the file `name`,
// replacing it. Bytes the read could not fill are zero. Returns true once
// the file has been written and closed without error. When nothing can be
// read it returns false silently; when the file cannot be written it says
// so on standard error and returns false. Arguments that do not fit the
// buffer are refused without reading.
bool CutFile(const char* name, int32_t track, int32_t c, int32_t h, int32_t r,
             int32_t n, int32_t skip, int32_t length);

// Runs the cut table in order, each cut whatever the earlier ones achieved.
// False when any output file could not be written.
bool RunCutStep();

#endif  // D88CUT_TOOL_CUT_FILE_H_
