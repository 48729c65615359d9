// d88cut run as a process: its command line, messages and exit codes.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "d88_image_writer.h"
#include "run_process.h"
#include "scratch_dir.h"

namespace {

using d88test::Bytes;
using d88test::ImageBuilder;
using d88test::ProcessResult;

// "The file cannot be opened." in Shift-JIS, as the tool writes it.
const std::string kOpenFailed =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x83\x49\x81\x5B\x83\x76"
    "\x83\x93\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1.\n";

class D88CutTest : public testing::Test {
 protected:
  ProcessResult Run(const std::vector<std::string>& argv) {
    return d88test::RunProcess(PROGRAM_PATH, argv, dir.Path().string());
  }

  // Names of the files in the scratch directory.
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  // Writes `image` as a.d88 and runs the tool on it.
  ProcessResult Cut(const Bytes& image) {
    EXPECT_TRUE(d88test::WriteFile(dir.File("a.d88"), image));
    return Run({"d88cut", "a.d88"});
  }

  d88test::ScratchDir dir;
};

// The data of sectors firstR..lastR of a track of the 2D layout.
Bytes TrackData(int track, int firstR = 1, int lastR = 16) {
  Bytes data;
  for (int r = firstR; r <= lastR; ++r) {
    d88test::Append(data, d88test::SectorData(track / 2, track % 2, r, 256));
  }
  return data;
}

// The parts in order, then zeros up to `size` bytes.
Bytes Padded(const std::vector<Bytes>& parts, size_t size) {
  Bytes data;
  for (const Bytes& part : parts) d88test::Append(data, part);
  data.resize(size, 0);
  return data;
}

const Bytes kProg = Padded({TrackData(19), TrackData(20), TrackData(21),
                            TrackData(22), TrackData(23), TrackData(24)},
                           24576);
const Bytes kProg2 = Padded({TrackData(25), TrackData(26), TrackData(27),
                             TrackData(28), TrackData(29), TrackData(30)},
                            24576);
const Bytes kMusic = TrackData(44, 1, 12);

TEST_F(D88CutTest, WrongArgumentCountPrintsUsage) {
  ASSERT_TRUE(d88test::WriteFile(dir.File("a.d88"), {}));
  const std::vector<std::vector<std::string>> argvs = {
      {"d88cut"},
      {"./tools/my-cutter"},
      {"d88cut", "a.d88", "a.d88"},
      {"cutter", "missing", "a.d88", "third"},
  };
  for (const auto& argv : argvs) {
    SCOPED_TRACE(argv.size());
    const ProcessResult result = Run(argv);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Usage: " + argv[0] + " [d88file]\n");
  }
  EXPECT_EQ(Files(), std::vector<std::string>{"a.d88"});
}

TEST_F(D88CutTest, UnopenableImagePrintsTheShiftJisMessage) {
  // A wildcard is a literal path: "*.d88" does not name a.d88.
  ASSERT_TRUE(d88test::WriteFile(dir.File("a.d88"), {}));
  for (const char* path : {"missing.d88", "", "*.d88", "no/such/dir/x"}) {
    SCOPED_TRACE(path);
    const ProcessResult result = Run({"d88cut", path});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, kOpenFailed);
  }
}

TEST_F(D88CutTest, FileWithoutImagesIsNotAnError) {
  for (const d88test::Bytes& content :
       {d88test::Bytes{}, d88test::Bytes(687, 0xE5)}) {
    SCOPED_TRACE(content.size());
    ASSERT_TRUE(d88test::WriteFile(dir.File("a.d88"), content));
    const ProcessResult result = Run({"d88cut", "a.d88"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(Files(), std::vector<std::string>{"a.d88"});
  }
}

TEST_F(D88CutTest, CutsTheThreeFilesFromACompleteImage) {
  const ProcessResult result = Cut(d88test::Make2DImage().Build());
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out,
            "cutting ... PROG\ncutting ... PROG2\ncutting ... MUSIC\n");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(d88test::ReadFile(dir.File("PROG")), kProg);
  EXPECT_EQ(d88test::ReadFile(dir.File("PROG2")), kProg2);
  EXPECT_EQ(d88test::ReadFile(dir.File("MUSIC")), kMusic);
  ASSERT_EQ(kMusic.size(), 3072u);
}

TEST_F(D88CutTest, DamagedImagesGiveWhatCouldBeRead) {
  struct Case {
    const char* what;
    std::function<void(ImageBuilder&)> damage;
    std::string out;
    // Expected files; a name missing here must not be written.
    std::map<std::string, Bytes> files;
  };
  std::vector<d88test::SectorRecord> shortSector = d88test::MakeTrack(9, 1);
  shortSector[4].data.resize(128);
  const Case cases[] = {
      {"track 19 absent",
       [](ImageBuilder& image) { image.SetTrackOffset(19, 0); },
       "cutting ... PROG2\ncutting ... MUSIC\n",
       {{"PROG2", kProg2}, {"MUSIC", kMusic}}},
      {"track 22 absent: the first 48 sectors, then zeros",
       [](ImageBuilder& image) { image.SetTrackOffset(22, 0); },
       "cutting ... PROG\ncutting ... PROG2\ncutting ... MUSIC\n",
       {{"PROG", Padded({TrackData(19), TrackData(20), TrackData(21)}, 24576)},
        {"PROG2", kProg2},
        {"MUSIC", kMusic}}},
      {"sector 5 of track 19 holds 128 bytes",
       [&](ImageBuilder& image) { image.AddTrack(19, shortSector); },
       "cutting ... PROG\ncutting ... PROG2\ncutting ... MUSIC\n",
       {{"PROG",
         Padded({TrackData(19, 1, 4), d88test::SectorData(9, 1, 5, 128)},
                24576)},
        {"PROG2", kProg2},
        {"MUSIC", kMusic}}},
      // PROG is read whole first; the part of PROG2 that cannot be read
      // must be zeros, not what PROG left in the buffer.
      {"PROG2 stops after two tracks",
       [](ImageBuilder& image) { image.SetTrackOffset(27, 0); },
       "cutting ... PROG\ncutting ... PROG2\ncutting ... MUSIC\n",
       {{"PROG", kProg},
        {"PROG2", Padded({TrackData(25), TrackData(26)}, 24576)},
        {"MUSIC", kMusic}}},
      {"only MUSIC's track",
       [](ImageBuilder& image) {
         for (int t = 0; t < 164; ++t) {
           if (t != 44) image.SetTrackOffset(t, 0);
         }
       },
       "cutting ... MUSIC\n",
       {{"MUSIC", kMusic}}},
      {"MUSIC's first sector missing",
       [](ImageBuilder& image) {
         std::vector<d88test::SectorRecord> track = d88test::MakeTrack(22, 0);
         track[0].r = 17;
         image.AddTrack(44, track);
       },
       "cutting ... PROG\ncutting ... PROG2\n",
       {{"PROG", kProg}, {"PROG2", kProg2}}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    for (const char* name : {"PROG", "PROG2", "MUSIC"}) {
      std::filesystem::remove(dir.Path() / name);
    }
    ImageBuilder image = d88test::Make2DImage();
    test.damage(image);
    const ProcessResult result = Cut(image.Build());
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, test.out);
    EXPECT_EQ(result.err, "");
    for (const char* name : {"PROG", "PROG2", "MUSIC"}) {
      SCOPED_TRACE(name);
      const auto expected = test.files.find(name);
      if (expected == test.files.end()) {
        EXPECT_FALSE(std::filesystem::exists(dir.Path() / name));
      } else {
        EXPECT_EQ(d88test::ReadFile(dir.File(name)), expected->second);
      }
    }
  }
}

TEST_F(D88CutTest, ReplacesAnExistingFile) {
  ASSERT_TRUE(d88test::WriteFile(dir.File("PROG"), Bytes(100000, 'X')));
  const ProcessResult result = Cut(d88test::Make2DImage().Build());
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(d88test::ReadFile(dir.File("PROG")), kProg);
}

TEST_F(D88CutTest, OutputFailuresAreReportedAndTheOtherCutsGoOn) {
  struct Case {
    const char* what;
    const char* name;
    std::function<void(const std::filesystem::path&)> block;
    std::string reason;
  };
  const Case cases[] = {
      {"a directory in the way", "PROG",
       [](const std::filesystem::path& path) {
         std::filesystem::create_directory(path);
       },
       "Is a directory"},
      // PROG's 24,576 bytes fail in the write, MUSIC's 3,072 in the close
      // that flushes them.
      {"a full disk, failing in the write", "PROG",
       [](const std::filesystem::path& path) {
         std::filesystem::create_symlink("/dev/full", path);
       },
       "No space left on device"},
      {"a full disk, failing in the close", "MUSIC",
       [](const std::filesystem::path& path) {
         std::filesystem::create_symlink("/dev/full", path);
       },
       "No space left on device"},
  };
  const std::map<std::string, Bytes> contents = {
      {"PROG", kProg}, {"PROG2", kProg2}, {"MUSIC", kMusic}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    for (const char* name : {"PROG", "PROG2", "MUSIC"}) {
      std::filesystem::remove_all(dir.Path() / name);
    }
    test.block(dir.Path() / test.name);
    const ProcessResult result = Cut(d88test::Make2DImage().Build());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out,
              "cutting ... PROG\ncutting ... PROG2\ncutting ... MUSIC\n");
    EXPECT_EQ(result.err, "cannot write " + std::string(test.name) + ": " +
                              test.reason + "\n");
    for (const auto& [name, bytes] : contents) {
      if (name != test.name) {
        EXPECT_EQ(d88test::ReadFile(dir.File(name)), bytes) << name;
      }
    }
  }
}

}  // namespace
