// Writes the fuzzers' seed corpus into a directory: intact images, several
// images back to back, and damaged variants of the kinds found on old media.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "d88_image_writer.h"

namespace {

using d88test::Bytes;
using d88test::ImageBuilder;
using d88test::MakeTrack;

// Only the tracks d88cut reads: small enough to mutate quickly.
ImageBuilder CutTracks() {
  ImageBuilder image;
  image.SetName("CUT TRACKS");
  for (int t = 19; t <= 30; ++t) image.AddTrack(t, MakeTrack(t / 2, t % 2));
  image.AddTrack(44, MakeTrack(22, 0));
  return image;
}

ImageBuilder SmallImage(const char* name, uint8_t mediaType) {
  ImageBuilder image;
  image.SetName(name).SetMediaType(mediaType);
  image.AddTrack(0, MakeTrack(0, 0, 4));
  image.AddTrack(1, MakeTrack(0, 1, 4, 2));
  image.AddTrack(2, MakeTrack(1, 0, 8, 0));
  return image;
}

std::vector<std::pair<std::string, Bytes>> Seeds() {
  std::vector<std::pair<std::string, Bytes>> seeds;
  seeds.emplace_back("complete-2d", d88test::Make2DImage().Build());
  seeds.emplace_back("cut-tracks", CutTracks().Build());

  Bytes three = SmallImage("FIRST", 0x00).Build();
  d88test::Append(three, SmallImage("SECOND", 0x10).Build());
  d88test::Append(three, SmallImage("THIRD", 0x20).Build());
  seeds.emplace_back("three-images", three);

  Bytes truncated = CutTracks().Build();
  truncated.resize(truncated.size() - 300);
  seeds.emplace_back("truncated-in-sector", truncated);

  Bytes zeroSize = SmallImage("ZERO", 0).Build();
  d88test::PutLe32(zeroSize, 28, 0);
  seeds.emplace_back("zero-disk-size", zeroSize);

  Bytes hugeSize = SmallImage("HUGE", 0).Build();
  d88test::PutLe32(hugeSize, 28, 0xFFFFFFF0u);
  d88test::PutLe32(hugeSize, 32 + 8, 0x80000000u);
  seeds.emplace_back("huge-sizes", hugeSize);

  std::vector<d88test::SectorRecord> odd = MakeTrack(0, 0, 6);
  odd[1].sectorCount = 0;
  odd[2].dataSizeField = 0xFFFF;
  odd[3].sectorCount = 60000;
  odd[4].data.resize(128);
  seeds.emplace_back("odd-records", ImageBuilder().AddTrack(0, odd).Build());

  ImageBuilder outside = SmallImage("OUTSIDE", 0);
  outside.SetTrackOffset(3, 100000).SetTrackOffset(4, 688);
  seeds.emplace_back("offsets-outside", outside.Build());

  seeds.emplace_back("short-header", Bytes(687, 0));
  return seeds;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: make_corpus DIRECTORY\n");
    return 1;
  }
  for (const auto& [name, bytes] : Seeds()) {
    const std::string path = std::string(argv[1]) + "/" + name;
    if (!d88test::WriteFile(path, bytes)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
