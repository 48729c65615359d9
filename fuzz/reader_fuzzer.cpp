// Drives every D88Reader operation with an untrusted file and with
// parameters taken from the same input, and traps on any result outside
// what the interface promises.
//
// The whole input is the image file. The parameters are consumed from the
// end of the input, so a seed that is a plain image is a useful input too.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "d88_reader.h"
#include "fuzz_support.h"

namespace {

using d88fuzz::Check;

// Mostly values near the format's ranges, sometimes any 32-bit value.
int32_t Pick(FuzzedDataProvider& input, int32_t low, int32_t high) {
  if (input.ConsumeIntegralInRange<uint8_t>(0, 15) == 0) {
    return input.ConsumeIntegral<int32_t>();
  }
  return input.ConsumeIntegralInRange<int32_t>(low, high);
}

// Runs one sector operation into a heap buffer of exactly `length` bytes,
// so that AddressSanitizer catches a write past it. Returns the result.
int32_t DriveOnce(D88Reader& reader, FuzzedDataProvider& input) {
  const int op = input.ConsumeIntegralInRange<int>(0, 2);
  const int32_t track = Pick(input, -1, kTrackCount + 1);
  const int32_t c = Pick(input, -1, 256);
  const int32_t h = Pick(input, -1, 2);
  const int32_t r = Pick(input, -1, 256);
  const int32_t n = Pick(input, -1, 8);
  // Lengths stay small enough for thousands of runs a second; negative
  // lengths are driven too, with an empty buffer.
  int32_t length = input.ConsumeIntegralInRange<int32_t>(-16, 4096);
  if (input.ConsumeBool()) {
    length = input.ConsumeIntegralInRange<int32_t>(INT32_MIN, 0);
  }
  const size_t size = length > 0 ? static_cast<size_t>(length) : 0;
  std::unique_ptr<uint8_t[]> buffer(new uint8_t[size]);
  int32_t got = 0;
  switch (op) {
    case 0:
      got = reader.ReadSector(track, c, h, r, n, buffer.get(), length);
      break;
    case 1:
      got = reader.ReadSectors(track, c, h, r, n, buffer.get(), length);
      break;
    default:
      got = reader.ReadSectorIds(track, buffer.get(), length);
      Check(got % 4 == 0);
      break;
  }
  Check(got >= 0);
  Check(got <= (length > 0 ? length : 0));
  return got;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  d88fuzz::WriteInput(data, size);
  FuzzedDataProvider input(data, size);
  D88Reader reader;

  // Nothing can be read before a selection has succeeded.
  for (int i = 0; i < 2; ++i) Check(DriveOnce(reader, input) == 0);
  Check(reader.Open(d88fuzz::InputPath().c_str()));
  const int32_t count = reader.GetImageCount();
  Check(count >= 0 && count <= kMaxImages);
  for (int i = 0; i < 2; ++i) Check(DriveOnce(reader, input) == 0);

  for (int32_t index = -1; index <= count; ++index) {
    const bool selected = reader.SelectImage(index);
    Check(selected == (index >= 0 && index < count));
    Check(selected ? reader.GetMediaType() >= 0 && reader.GetMediaType() <= 255
                   : reader.GetMediaType() == -1);
    Check(reader.GetReserved() == -1);
    if (input.ConsumeBool()) {
      reader.SetSectorRange(Pick(input, -1, 32), Pick(input, -1, 32));
    }
    const int ops = input.ConsumeIntegralInRange<int>(1, 4);
    for (int i = 0; i < ops; ++i) {
      const int32_t got = DriveOnce(reader, input);
      Check(selected || got == 0);
    }
  }

  Check(reader.Open(nullptr));
  Check(reader.GetImageCount() == 0 && reader.GetMediaType() == -1);
  Check(DriveOnce(reader, input) == 0);
  return 0;
}
