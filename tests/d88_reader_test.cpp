// Indexing the images of a file, selecting one, and the reader's state
// across open, close and reopen.
#include "d88_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "d88_image_writer.h"
#include "scratch_dir.h"

namespace {

using d88test::Bytes;
using d88test::ImageBuilder;

class ReaderTest : public testing::Test {
 protected:
  // Writes `bytes` to a new file of the scratch directory; returns its path.
  std::string Write(const Bytes& bytes) {
    std::string path = dir.File("image" + std::to_string(files++));
    EXPECT_TRUE(d88test::WriteFile(path, bytes));
    return path;
  }

  static Bytes Named(const char* name, uint32_t diskSize = 0) {
    ImageBuilder builder;
    builder.SetName(name);
    if (diskSize != 0) {
      builder.SetDiskSize(diskSize);
    }
    Bytes image = builder.Build();
    if (diskSize > image.size() && diskSize < 4096) {
      image.resize(diskSize, 0);
    }
    return image;
  }

  d88test::ScratchDir dir;
  int files = 0;
  D88Reader reader;
};

TEST_F(ReaderTest, NameAndMediaTypeComeFromTheHeader) {
  struct Case {
    Bytes nameField;
    uint8_t mediaType;
    std::string name;
    int32_t expectedMediaType;
  };
  const Case cases[] = {
      // 16 bytes without a NUL are taken whole.
      {Bytes(16, 'A'), 0x00, std::string(16, 'A'), 0},
      // The name ends at its first NUL.
      {{'D', 'I', 'S', 'K', '1', 0, 'X', 'Y'}, 0x10, "DISK1", 16},
      {{0}, 0x20, "", 32},
      // 8-bit text is copied as bytes; 0xFF is a media type, not -1.
      {{0x83, 0x51, 0x81, 0x5B, 0x83, 0x80},
       0xFF,
       "\x83\x51\x81\x5B\x83\x80",
       255},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    Bytes image = ImageBuilder().SetMediaType(test.mediaType).Build();
    for (size_t i = 0; i < test.nameField.size(); ++i) {
      image[i] = test.nameField[i];
    }
    ASSERT_TRUE(reader.Open(Write(image).c_str()));
    ASSERT_TRUE(reader.SelectImage(0));
    EXPECT_EQ(std::string(reader.GetDiskName()), test.name);
    EXPECT_EQ(reader.GetMediaType(), test.expectedMediaType);
    EXPECT_EQ(reader.GetReserved(), -1);
  }
}

TEST_F(ReaderTest, CountsCompleteHeadersUpToSixtyFour) {
  struct Case {
    const char* what;
    Bytes file;
    int32_t count;
  };
  const Bytes one = Named("ONE");
  Bytes oneWithTail = one;
  oneWithTail.resize(one.size() + 687, 0x5A);
  Bytes three = Named("A");
  d88test::Append(three, Named("B", 1000));
  d88test::Append(three, Named("C"));
  Bytes seventy;
  for (int i = 0; i < 70; ++i) {
    d88test::Append(seventy, Named(("IMG" + std::to_string(i)).c_str()));
  }
  Bytes zeroSizeFirst = Named("ZERO");
  d88test::PutLe32(zeroSizeFirst, 28, 0);
  const Case cases[] = {
      {"empty file", {}, 0},
      {"shorter than a header", Bytes(687, 0), 0},
      {"one header", one, 1},
      {"one image and a short tail", oneWithTail, 1},
      {"three images", three, 3},
      {"seventy images", seventy, 64},
      {"zero disk size", zeroSizeFirst, 64},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    ASSERT_TRUE(reader.Open(Write(test.file).c_str()));
    EXPECT_EQ(reader.GetImageCount(), test.count);
    EXPECT_EQ(reader.SelectImage(test.count - 1), test.count > 0);
    EXPECT_FALSE(reader.SelectImage(test.count));
  }
}

TEST_F(ReaderTest, ImagesAreFoundBackToBack) {
  Bytes file = Named("FIRST");
  d88test::Append(file, Named("SECOND", 2000));
  d88test::Append(file, Named("THIRD"));
  ASSERT_TRUE(reader.Open(Write(file).c_str()));
  ASSERT_EQ(reader.GetImageCount(), 3);
  const char* names[] = {"FIRST", "SECOND", "THIRD"};
  for (int32_t i = 2; i >= 0; --i) {
    ASSERT_TRUE(reader.SelectImage(i));
    EXPECT_STREQ(reader.GetDiskName(), names[i]);
  }
}

TEST_F(ReaderTest, ZeroSizeHeaderFillsTheRestOfTheIndex) {
  Bytes file = Named("FIRST");
  d88test::Append(file, Named("STUCK"));
  d88test::PutLe32(file, 688 + 28, 0);
  d88test::Append(file, Named("NEVER"));
  ASSERT_TRUE(reader.Open(Write(file).c_str()));
  ASSERT_EQ(reader.GetImageCount(), 64);
  ASSERT_TRUE(reader.SelectImage(0));
  EXPECT_STREQ(reader.GetDiskName(), "FIRST");
  for (int32_t i : {1, 2, 63}) {
    ASSERT_TRUE(reader.SelectImage(i));
    EXPECT_STREQ(reader.GetDiskName(), "STUCK");
  }
}

// Image start offsets are 32-bit: an image whose size leads past 2 GiB is
// the last one indexed. Under the sanitizers an overflowing sum would abort.
TEST_F(ReaderTest, IndexingStopsBeforeTheOffsetOverflows) {
  struct Case {
    uint32_t secondSize;
    int32_t count;
  };
  const Case cases[] = {
      {0xFFFFFFFFu, 2},  // negative as a 32-bit value
      {0x80000000u, 2},
      {0x00001000u, 2},  // 0x7FFFF000 + 0x1000 passes the largest offset
      {0x00000FFFu, 2},  // ends exactly at it; the probe there finds nothing
  };
  constexpr long kSecondStart = 0x7FFFF000;
  for (const Case& test : cases) {
    SCOPED_TRACE(test.secondSize);
    // A sparse file: the first image claims almost 2 GiB.
    const std::string path = dir.File("huge");
    std::FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    const Bytes first = Named("FIRST", static_cast<uint32_t>(kSecondStart));
    const Bytes second = Named("SECOND", test.secondSize);
    ASSERT_EQ(std::fwrite(first.data(), 1, first.size(), out), first.size());
    ASSERT_EQ(std::fseek(out, kSecondStart, SEEK_SET), 0);
    ASSERT_EQ(std::fwrite(second.data(), 1, 688, out), 688u);
    ASSERT_EQ(std::fclose(out), 0);

    ASSERT_TRUE(reader.Open(path.c_str()));
    EXPECT_EQ(reader.GetImageCount(), test.count);
    ASSERT_TRUE(reader.SelectImage(1));
    EXPECT_STREQ(reader.GetDiskName(), "SECOND");
    ASSERT_TRUE(reader.Open(nullptr));
    std::filesystem::remove(path);
  }
}

TEST_F(ReaderTest, FirstImageWithHugeSizeIsStillCounted) {
  for (uint32_t size : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(size);
    ASSERT_TRUE(reader.Open(Write(Named("BIG", size)).c_str()));
    EXPECT_EQ(reader.GetImageCount(), 1);
    EXPECT_TRUE(reader.SelectImage(0));
    EXPECT_EQ(reader.GetDiskSize(), static_cast<int32_t>(size));
  }
}

TEST_F(ReaderTest, FailedSelectionUndoesTheCurrentOne) {
  Bytes file = ImageBuilder().SetName("DISK").SetMediaType(0x10).Build();
  ASSERT_TRUE(reader.Open(Write(file).c_str()));
  for (int32_t index : {1, -1, 64, INT32_MIN, INT32_MAX}) {
    SCOPED_TRACE(index);
    ASSERT_TRUE(reader.SelectImage(0));
    ASSERT_EQ(reader.GetMediaType(), 0x10);
    ASSERT_EQ(reader.GetDiskSize(), 688);
    EXPECT_FALSE(reader.SelectImage(index));
    EXPECT_EQ(reader.GetMediaType(), -1);
    EXPECT_EQ(reader.GetDiskSize(), 0);
    EXPECT_STREQ(reader.GetDiskName(), "");
    EXPECT_EQ(reader.GetReserved(), -1);
  }
}

TEST_F(ReaderTest, WithoutAFileNothingChanges) {
  // A new reader: nothing selected, nothing to select.
  EXPECT_EQ(reader.GetImageCount(), 0);
  EXPECT_EQ(reader.GetMediaType(), -1);
  EXPECT_STREQ(reader.GetDiskName(), "");
  EXPECT_EQ(reader.GetReserved(), -1);
  EXPECT_FALSE(reader.SelectImage(0));
  EXPECT_FALSE(reader.SelectImage(-1));

  // After a close the last name stays, and selecting cannot clear it.
  ASSERT_TRUE(reader.Open(Write(Named("KEPT")).c_str()));
  ASSERT_TRUE(reader.SelectImage(0));
  EXPECT_TRUE(reader.Open(nullptr));
  EXPECT_TRUE(reader.Open(nullptr));
  EXPECT_EQ(reader.GetImageCount(), 0);
  EXPECT_EQ(reader.GetMediaType(), -1);
  EXPECT_STREQ(reader.GetDiskName(), "KEPT");
  for (int32_t index : {0, -1}) {
    EXPECT_FALSE(reader.SelectImage(index));
    EXPECT_STREQ(reader.GetDiskName(), "KEPT");
    EXPECT_EQ(reader.GetMediaType(), -1);
  }
}

TEST_F(ReaderTest, FailedOpenLeavesTheReaderClosed) {
  ASSERT_TRUE(reader.Open(Write(Named("OLD")).c_str()));
  ASSERT_TRUE(reader.SelectImage(0));
  EXPECT_FALSE(reader.Open(dir.File("missing").c_str()));
  EXPECT_FALSE(reader.Open(""));
  EXPECT_EQ(reader.GetImageCount(), 0);
  EXPECT_EQ(reader.GetMediaType(), -1);
  EXPECT_FALSE(reader.SelectImage(0));
  EXPECT_STREQ(reader.GetDiskName(), "OLD");
}

// Counts this process's open file descriptors, or -1 where that cannot be
// seen.
int OpenDescriptors() {
#ifdef _WIN32
  // Windows handles are not file descriptors listed in /proc.
  return -1;
#endif
  std::error_code error;
  std::filesystem::directory_iterator fds("/proc/self/fd", error);
  if (error) {
    return -1;
  }
  int count = 0;
  for (auto it = fds; it != std::filesystem::directory_iterator();
       it.increment(error)) {
    ++count;
  }
  return count;
}

TEST_F(ReaderTest, ReopenClosesTheOldFileAndKeepsTheName) {
  const std::string first = Write(Named("FIRST"));
  Bytes twoImages = Named("SECOND");
  d88test::Append(twoImages, Named("THIRD"));
  const std::string second = Write(twoImages);
  if (OpenDescriptors() < 0) {
    GTEST_SKIP() << "open descriptors cannot be counted here";
  }

  const int before = OpenDescriptors();
  ASSERT_TRUE(reader.Open(first.c_str()));
  ASSERT_TRUE(reader.SelectImage(0));
  EXPECT_EQ(OpenDescriptors(), before + 1);
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(reader.Open(second.c_str()));
    EXPECT_EQ(OpenDescriptors(), before + 1);
  }
  // The new file is indexed; the old selection's name stays until the next
  // selection replaces it.
  EXPECT_EQ(reader.GetImageCount(), 2);
  EXPECT_STREQ(reader.GetDiskName(), "FIRST");
  ASSERT_TRUE(reader.SelectImage(1));
  EXPECT_STREQ(reader.GetDiskName(), "THIRD");
  ASSERT_TRUE(reader.Open(nullptr));
  EXPECT_EQ(OpenDescriptors(), before);
}

}  // namespace
