// The data archive: signature, directory walk, masking, and entries that must not be trusted.
#include <gtest/gtest.h>

#include <fstream>

#include "archive_writer.h"
#include "gfx/archive.h"
#include "test_support.h"

namespace {

std::vector<unsigned char> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

void WriteFile(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<unsigned char> Archive(const std::vector<ArchiveEntry>& entries) {
  std::vector<unsigned char> image;
  std::string error;
  EXPECT_TRUE(BuildArchive(entries, &image, &error)) << error;
  return image;
}

// The entry's bytes, or "<missing>" when the read fails.
std::string Read(const char* archive, const char* name) {
  std::unique_ptr<unsigned char[]> payload;
  std::uint32_t size = 0;
  if (!ReadArchiveEntry(archive, name, &payload, &size)) return "<missing>";
  return std::string(reinterpret_cast<char*>(payload.get()), size);
}

class ArchiveTest : public GameTest {};

TEST_F(ArchiveTest, PayloadsOfEveryLengthAreUnmaskedCompletely) {
  WriteFile("a.dat", Archive({{"ONE", Bytes("1")},
                              {"TWO", Bytes("22")},
                              {"THREE", Bytes("333")},
                              {"FOUR", Bytes("4444")},
                              {"SEVEN", Bytes("7777777")}}));
  EXPECT_EQ(Read("a.dat", "ONE"), "1");
  EXPECT_EQ(Read("a.dat", "TWO"), "22");
  EXPECT_EQ(Read("a.dat", "THREE"), "333");
  EXPECT_EQ(Read("a.dat", "FOUR"), "4444");
  EXPECT_EQ(Read("a.dat", "SEVEN"), "7777777");
}

TEST_F(ArchiveTest, EveryEntryOfALongDirectoryIsFound) {
  // Names of every length up to 255, so records of the directory (which is read a window at a
  // time) fall across every kind of window edge.
  std::vector<ArchiveEntry> entries;
  for (int i = 0; i < 600; ++i) {
    const std::string name = std::to_string(i) + std::string(static_cast<std::size_t>(i * 37 % 250), 'n');
    entries.push_back({name, Bytes("payload " + std::to_string(i))});
  }
  WriteFile("a.dat", Archive(entries));
  for (int i = 0; i < 600; ++i) {
    ASSERT_EQ(Read("a.dat", entries[static_cast<std::size_t>(i)].name.c_str()), "payload " + std::to_string(i)) << i;
  }
  EXPECT_EQ(Read("a.dat", "600"), "<missing>");
}

TEST_F(ArchiveTest, PayloadIsStoredMaskedWithTheKey) {
  auto image = Archive({{"X", {0x00, 0x3C, 0xFF}}});
  std::vector<unsigned char> tail(image.end() - 3, image.end());
  EXPECT_EQ(tail, (std::vector<unsigned char>{0x3C, 0x00, 0xC3}));
}

TEST_F(ArchiveTest, FirstOfTwoEqualNamesWinsAndCaseMatters) {
  WriteFile("a.dat", Archive({{"PIC_BG01", Bytes("first")}, {"PIC_BG01", Bytes("second")}, {"pic_bg02", Bytes("x")}}));
  EXPECT_EQ(Read("a.dat", "PIC_BG01"), "first");
  EXPECT_EQ(Read("a.dat", "PIC_BG02"), "<missing>");
  EXPECT_EQ(Read("a.dat", "pic_bg01"), "<missing>");
  EXPECT_EQ(Read("a.dat", "PIC_BG0"), "<missing>");  // a prefix is not a match
}

TEST_F(ArchiveTest, AnyChangedSignatureByteYieldsNothing) {
  auto good = Archive({{"A", Bytes("payload")}});
  for (std::size_t i = 0; i < sizeof kArchiveSignature; ++i) {
    SCOPED_TRACE(i);
    auto bad = good;
    bad[i] ^= 0x01;
    WriteFile("a.dat", bad);
    EXPECT_EQ(Read("a.dat", "A"), "<missing>");
  }
  WriteFile("a.dat", good);
  EXPECT_EQ(Read("a.dat", "A"), "payload");
}

TEST_F(ArchiveTest, DamagedDirectoriesAndPayloadsFail) {
  auto good = Archive({{"A", Bytes("payload")}});
  // Layout: 11 signature, 4 count, then 1 length + "A" + 4 size + 4 offset = 25 bytes of header.
  struct Damage {
    const char* what;
    std::vector<unsigned char> image;
  };
  auto with = [&](std::size_t at, std::vector<unsigned char> bytes) {
    auto image = good;
    for (std::size_t i = 0; i < bytes.size(); ++i) image.at(at + i) = bytes[i];
    return image;
  };
  const Damage cases[] = {
      {"cut inside the signature", {good.begin(), good.begin() + 7}},
      {"cut inside the count", {good.begin(), good.begin() + 13}},
      {"cut inside the directory", {good.begin(), good.begin() + 20}},
      {"zero name length", with(15, {0})},
      {"zero payload size", with(17, {0, 0, 0, 0})},
      {"payload size past the end", with(17, {8, 0, 0, 0})},
      {"payload size of 4 GiB", with(17, {0xFF, 0xFF, 0xFF, 0xFF})},
      {"offset past the end", with(21, {0x00, 0x01, 0x00, 0x00})},
      {"offset that wraps", with(21, {0xFF, 0xFF, 0xFF, 0xFF})},
  };
  for (const auto& damage : cases) {
    SCOPED_TRACE(damage.what);
    WriteFile("a.dat", damage.image);
    EXPECT_EQ(Read("a.dat", "A"), "<missing>");
  }
  // A count that claims more entries than the directory holds: earlier entries still read.
  WriteFile("a.dat", with(11, {2, 0, 0, 0}));
  EXPECT_EQ(Read("a.dat", "A"), "payload");
  EXPECT_EQ(Read("a.dat", "B"), "<missing>");
}

TEST_F(ArchiveTest, MissingFileAndMissingArgumentsFail) {
  std::unique_ptr<unsigned char[]> payload;
  std::uint32_t size = 0;
  EXPECT_FALSE(ReadArchiveEntry("absent.dat", "A", &payload, &size));
  WriteFile("a.dat", Archive({{"A", Bytes("x")}}));
  EXPECT_FALSE(ReadArchiveEntry(nullptr, "A", &payload, &size));
  EXPECT_FALSE(ReadArchiveEntry("a.dat", nullptr, &payload, &size));
  EXPECT_FALSE(ReadArchiveEntry("a.dat", "A", nullptr, &size));
  EXPECT_EQ(payload, nullptr);
}

TEST_F(ArchiveTest, WriterRefusesNamesTheFormatCannotHold) {
  std::vector<unsigned char> image;
  std::string error;
  EXPECT_FALSE(BuildArchive({{"", Bytes("x")}}, &image, &error));
  EXPECT_FALSE(BuildArchive({{std::string(256, 'N'), Bytes("x")}}, &image, &error));
  EXPECT_TRUE(BuildArchive({{std::string(255, 'N'), Bytes("x")}}, &image, &error));
}

TEST_F(ArchiveTest, AtomicWriteReplacesTheFileOrLeavesItAlone) {
  std::string error;
  ASSERT_TRUE(WriteFileAtomically("out.dat", Bytes("new"), &error)) << error;
  EXPECT_EQ(ReadFileBytes("out.dat"), "new");
  EXPECT_FALSE(WriteFileAtomically("no/such/dir/out.dat", Bytes("x"), &error));
  EXPECT_NE(error.find("no/such/dir/out.dat"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists("no/such/dir/out.dat.tmp"));
}

}  // namespace
