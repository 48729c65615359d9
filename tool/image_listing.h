// What d88ls prints: the disk images of a file and the sector IDs of their
// tracks, through D88Reader's public interface only.
#ifndef D88CUT_TOOL_IMAGE_LISTING_H_
#define D88CUT_TOOL_IMAGE_LISTING_H_

#include <cstdint>
#include <cstdio>
#include <string>

#include "d88_reader.h"

// Most sector IDs listed for one track; a track listing more is cut there,
// with a note. A track holds at most a few dozen sectors, but a damaged
// one can run on into the records stored after it.
inline constexpr int32_t kMaxListedIds = 256;

// The name as 8-bit text, with every byte outside printable ASCII (and the
// backslash and double quote) shown as \xNN, so that a Shift-JIS name is
// visible as bytes and never garbles the terminal.
std::string EscapeName(const char* name);

// "2D", "2DD", "2HD", or "unknown".
const char* MediaTypeName(int32_t mediaType);

// "19  16 sectors  C9 H1 R1-16 N1": a track index, its record count and
// its IDs in stored order, with runs of consecutive R that share C, H and N
// folded. `ids` holds `count` entries of C, H, R, N.
std::string TrackLine(int32_t track, const uint8_t* ids, int32_t count);

// Prints every image of the file open in `reader` to `out`, selecting each
// in turn. Prints one line when the file holds no complete image.
void ListImages(D88Reader& reader, const char* path, std::FILE* out);

#endif  // D88CUT_TOOL_IMAGE_LISTING_H_
