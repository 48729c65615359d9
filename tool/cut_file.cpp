#include "cut_file.h"

#include <cerrno>
#include <cstring>

#include "d88cut.h"

uint8_t cutBuffer[kCutBufferSize];
std::FILE* outFile = nullptr;

namespace {

// Set by a cut whose output file could not be written.
bool writeFailed = false;

void ReportWriteError(const char* name, int error) {
  std::fprintf(stderr, "cannot write %s: %s\n", name,
               std::strerror(error != 0 ? error : EIO));
  writeFailed = true;
}

}  // namespace

bool CutFile(const char* name, int32_t track, int32_t c, int32_t h, int32_t r,
             int32_t n, int32_t skip, int32_t length) {
  if (skip < 0 || length < 0 || length > kCutBufferSize - skip) {
    return false;
  }
  // A run that stops part way leaves the rest of its range as it was; clear
  // it so that an earlier cut's data never ends up in this file.
  const int32_t wanted = skip + length;
  std::memset(cutBuffer, 0, static_cast<size_t>(wanted));
  if (reader.ReadSectors(track, c, h, r, n, cutBuffer, wanted) == 0) {
    return false;
  }
  std::printf("cutting ... %s\n", name);
  // The announcement comes before any error about this file.
  std::fflush(stdout);

  outFile = std::fopen(name, "wb");
  if (outFile == nullptr) {
    ReportWriteError(name, errno);
    return false;
  }
  const size_t size = static_cast<size_t>(length);
  errno = 0;
  const bool written = std::fwrite(cutBuffer + skip, 1, size, outFile) == size;
  const int writeError = errno;
  // A buffered write may only fail when the close flushes it.
  errno = 0;
  const bool closed = std::fclose(outFile) == 0;
  const int closeError = errno;
  outFile = nullptr;
  if (!written || !closed) {
    const int error = !written ? writeError : closeError;
    ReportWriteError(name, error);
    return false;
  }
  return true;
}

bool RunCutStep() {
  writeFailed = false;
  for (const CutEntry& cut : kCutTable) {
    CutFile(cut.name, cut.track, cut.c, cut.h, cut.r, cut.n, cut.skip,
            cut.length);
  }
  return !writeFailed;
}
