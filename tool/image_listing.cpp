#include "image_listing.h"

#include <cinttypes>
#include <cstddef>

namespace {

std::string Format(const char* format, int32_t a, int32_t b = 0,
                   int32_t c = 0) {
  char text[64];
  std::snprintf(text, sizeof text, format, a, b, c);
  return text;
}

}  // namespace

std::string EscapeName(const char* name) {
  std::string text;
  for (const char* p = name; *p != '\0'; ++p) {
    const auto byte = static_cast<unsigned char>(*p);
    if (byte < 0x20 || byte > 0x7E || byte == '\\' || byte == '"') {
      text += Format("\\x%02X", byte);
    } else {
      text += static_cast<char>(byte);
    }
  }
  return text;
}

const char* MediaTypeName(int32_t mediaType) {
  switch (mediaType) {
    case 0x00:
      return "2D";
    case 0x10:
      return "2DD";
    case 0x20:
      return "2HD";
    default:
      return "unknown";
  }
}

std::string TrackLine(int32_t track, const uint8_t* ids, int32_t count) {
  std::string line = Format("%3d  %d sector", track, count);
  line += count == 1 ? " " : "s ";
  for (int32_t i = 0; i < count;) {
    const uint8_t* first = ids + 4 * static_cast<ptrdiff_t>(i);
    // Extend the group while the next ID continues it: same C, H and N,
    // R one higher.
    int32_t last = i;
    while (last + 1 < count) {
      const uint8_t* next = ids + 4 * static_cast<ptrdiff_t>(last + 1);
      if (next[0] != first[0] || next[1] != first[1] || next[3] != first[3] ||
          next[2] != first[2] + (last + 1 - i)) {
        break;
      }
      ++last;
    }
    line += i == 0 ? " " : ", ";
    line += Format("C%d H%d R%d", first[0], first[1], first[2]);
    if (last > i) {
      line += Format("-%d", first[2] + (last - i));
    }
    line += Format(" N%d", first[3]);
    i = last + 1;
  }
  return line;
}

void ListImages(D88Reader& reader, const char* path, std::FILE* out) {
  const int32_t count = reader.GetImageCount();
  if (count == 0) {
    std::fprintf(out, "%s: no complete disk image\n", path);
    return;
  }
  // One entry more than is listed, to tell a full list from a cut one.
  uint8_t ids[4 * (kMaxListedIds + 1)];
  for (int32_t index = 0; index < count; ++index) {
    if (index > 0) {
      std::fputc('\n', out);
    }
    if (!reader.SelectImage(index)) {
      std::fprintf(out, "image %d: cannot be read\n", index);
      continue;
    }
    const int32_t mediaType = reader.GetMediaType();
    std::fprintf(out,
                 "image %d  \"%s\"  media type 0x%02X (%s)  disk size %" PRIu32
                 " bytes\n",
                 index, EscapeName(reader.GetDiskName()).c_str(), mediaType,
                 MediaTypeName(mediaType),
                 static_cast<uint32_t>(reader.GetDiskSize()));
    int32_t present = 0;
    for (int32_t track = 0; track < kTrackCount; ++track) {
      const int32_t listed = reader.ReadSectorIds(track, ids, sizeof ids) / 4;
      if (listed == 0) {
        continue;
      }
      ++present;
      const bool cut = listed > kMaxListedIds;
      const std::string line =
          TrackLine(track, ids, cut ? kMaxListedIds : listed);
      if (cut) {
        std::fprintf(out, "%s ... (more IDs than the %d listed)\n",
                     line.c_str(), kMaxListedIds);
      } else {
        std::fprintf(out, "%s\n", line.c_str());
      }
    }
    std::fprintf(out, "%d track%s present, %d absent\n", present,
                 present == 1 ? "" : "s", kTrackCount - present);
  }
}
