// d88ls run as a process: exact output for small images, and its errors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "d88_image_writer.h"
#include "run_process.h"
#include "scratch_dir.h"

namespace {

using d88test::Bytes;
using d88test::ImageBuilder;
using d88test::MakeTrack;
using d88test::ProcessResult;

class D88LsTest : public testing::Test {
 protected:
  ProcessResult List(const Bytes& image) {
    EXPECT_TRUE(d88test::WriteFile(dir.File("a.d88"), image));
    return Run({"d88ls", "a.d88"});
  }
  ProcessResult Run(const std::vector<std::string>& argv) {
    return d88test::RunProcess(PROGRAM_PATH, argv, dir.Path().string());
  }

  d88test::ScratchDir dir;
};

TEST_F(D88LsTest, CompleteImage) {
  const ProcessResult result = List(d88test::Make2DImage().Build());
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.err, "");
  std::string expected =
      "image 0  \"SAMPLE 2D\"  media type 0x00 (2D)  disk size 348848 "
      "bytes\n";
  for (int track = 0; track < 80; ++track) {
    char line[64];
    std::snprintf(line, sizeof line, "%3d  16 sectors  C%d H%d R1-16 N1\n",
                  track, track / 2, track % 2);
    expected += line;
  }
  expected += "80 tracks present, 84 absent\n";
  EXPECT_EQ(result.out, expected);
}

TEST_F(D88LsTest, DamagedTracksAndSeveralImages) {
  std::vector<d88test::SectorRecord> shuffled = MakeTrack(1, 0, 4);
  std::swap(shuffled[0], shuffled[2]);
  std::vector<d88test::SectorRecord> mixed = MakeTrack(2, 1, 3);
  mixed[2].n = 2;
  mixed[2].data.resize(512);
  Bytes file = ImageBuilder()
                   .SetName("\x83\x51\x81\x5B\x83\x80 1")
                   .SetMediaType(0x20)
                   .AddTrack(0, MakeTrack(0, 0, 4))
                   .AddTrack(2, shuffled)
                   .AddTrack(5, mixed)
                   .AddTrack(7, MakeTrack(3, 1, 2))
                   .SetTrackOffset(7, 0)
                   .Build();
  d88test::Append(file, ImageBuilder()
                            .SetName("SECOND")
                            .SetMediaType(0x10)
                            .AddTrack(163, MakeTrack(81, 1, 1, 3))
                            .Build());
  const ProcessResult result = List(file);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out,
            "image 0  \"\\x83Q\\x81[\\x83\\x80 1\"  media type 0x20 (2HD)  "
            "disk size 4480 bytes\n"
            "  0  4 sectors  C0 H0 R1-4 N1\n"
            "  2  4 sectors  C1 H0 R3 N1, C1 H0 R2 N1, C1 H0 R1 N1, "
            "C1 H0 R4 N1\n"
            "  5  3 sectors  C2 H1 R1-2 N1, C2 H1 R3 N2\n"
            "3 tracks present, 161 absent\n"
            "\n"
            "image 1  \"SECOND\"  media type 0x10 (2DD)  disk size 1728 "
            "bytes\n"
            "163  1 sector  C81 H1 R1 N3\n"
            "1 track present, 163 absent\n");
}

TEST_F(D88LsTest, TrackListingMoreIdsThanFitIsCut) {
  // 300 records claiming 0 records each: the list runs to its capacity.
  std::vector<d88test::SectorRecord> track = MakeTrack(0, 0, 300, 0);
  for (auto& record : track) record.sectorCount = 0;
  const ProcessResult result = List(ImageBuilder().AddTrack(0, track).Build());
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_NE(result.out.find("\n  0  256 sectors  C0 H0 R1-255 N0, C0 H0 R0 N0"
                            " ... (more IDs than the 256 listed)\n"),
            std::string::npos)
      << result.out;
}

TEST_F(D88LsTest, FileWithoutImages) {
  const ProcessResult result = List(Bytes(100, 0));
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "a.d88: no complete disk image\n");
  EXPECT_EQ(result.err, "");
}

TEST_F(D88LsTest, CommandLineErrors) {
  struct Case {
    std::vector<std::string> argv;
    std::string err;
  };
  const Case cases[] = {
      {{"d88ls"}, "Usage: d88ls IMAGE\n"},
      {{"./my-ls", "a", "b"}, "Usage: ./my-ls IMAGE\n"},
      {{"d88ls", "missing.d88"},
       "d88ls: cannot open missing.d88: No such file or directory\n"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.err);
    const ProcessResult result = Run(test.argv);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, test.err);
  }
}

}  // namespace
