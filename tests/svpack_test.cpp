// svpack: a folder packed, listed, extracted and packed again gives the same bytes; the game
// reads what it packs; damaged archives and unsafe names are refused without half-written files.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "archive_writer.h"
#include "gfx/archive.h"
#include "svpack_commands.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

void WriteText(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

class SvpackTest : public GameTest {
 protected:
  int Run(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "svpack");
    out.str("");
    err.str("");
    return RunSvpack(static_cast<int>(arguments.size()), arguments.data(), out, err);
  }

  std::string ReadEntry(const char* archive, const char* name) {
    std::unique_ptr<unsigned char[]> payload;
    std::uint32_t size = 0;
    if (!ReadArchiveEntry(archive, name, &payload, &size)) return "<missing>";
    return std::string(reinterpret_cast<char*>(payload.get()), size);
  }

  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(SvpackTest, PackListExtractRoundTripKeepsEveryByte) {
  fs::create_directory("in");
  const std::string binary("\x00\x3C\xFF\xC3\x01", 5);
  WriteText("in/PIC_B", "second by name");
  WriteText("in/PIC_A", binary);
  WriteText("in/pic_a", "x");  // case makes a different entry
  ASSERT_EQ(Run({"pack", "in", "one.dat"}), 0) << err.str();
  EXPECT_EQ(ReadEntry("one.dat", "PIC_A"), binary) << "the game reads what svpack packs";
  EXPECT_EQ(ReadEntry("one.dat", "pic_a"), "x");

  ASSERT_EQ(Run({"list", "one.dat"}), 0) << err.str();
  // By name, byte order: upper case sorts before lower case. Offsets follow the directory.
  const std::size_t payloads = 11 + 4 + 3 * (1 + 5 + 8);
  EXPECT_EQ(out.str(), "5\t" + std::to_string(payloads) + "\tPIC_A\n" + "14\t" + std::to_string(payloads + 5) +
                           "\tPIC_B\n" + "1\t" + std::to_string(payloads + 19) + "\tpic_a\n3 entries\n");

  ASSERT_EQ(Run({"extract", "one.dat", "out"}), 0) << err.str();
  EXPECT_EQ(ReadFileBytes("out/PIC_A"), binary);
  EXPECT_EQ(ReadFileBytes("out/PIC_B"), "second by name");
  EXPECT_EQ(ReadFileBytes("out/" + std::string(kManifestName)), "PIC_A\nPIC_B\npic_a\n");

  ASSERT_EQ(Run({"pack", "out", "two.dat"}), 0) << err.str();
  EXPECT_EQ(ReadFileBytes("two.dat"), ReadFileBytes("one.dat"));
}

TEST_F(SvpackTest, ManifestOrderIsKeptAndItsErrorsNamed) {
  fs::create_directory("in");
  WriteText("in/B", "b");
  WriteText("in/A", "a");
  WriteText(fs::path("in") / kManifestName, "B\r\nA\n\n");
  ASSERT_EQ(Run({"pack", "in", "x.dat"}), 0) << err.str();
  ASSERT_EQ(Run({"list", "x.dat"}), 0);
  EXPECT_LT(out.str().find("\tB\n"), out.str().find("\tA\n"));

  const std::pair<std::string, std::string> bad[] = {
      {"A\nA\n", "listed twice"}, {"../A\n", "cannot be a file name"}, {"C\n", "in/C"}};
  for (const auto& [manifest, complaint] : bad) {
    SCOPED_TRACE(manifest);
    WriteText(fs::path("in") / kManifestName, manifest);
    EXPECT_EQ(Run({"pack", "in", "x.dat"}), 1);
    EXPECT_NE(err.str().find(complaint), std::string::npos) << err.str();
  }
  EXPECT_EQ(ReadEntry("x.dat", "B"), "b") << "a failed pack leaves the old archive alone";
  EXPECT_FALSE(fs::exists("x.dat.tmp"));
}

TEST_F(SvpackTest, WhatTheGameCannotReadIsRefused) {
  fs::create_directory("in");
  WriteText("in/EMPTY", "");
  EXPECT_EQ(Run({"pack", "in", "x.dat"}), 1);
  EXPECT_NE(err.str().find("empty file"), std::string::npos);
  EXPECT_FALSE(fs::exists("x.dat"));
  EXPECT_EQ(Run({"pack", "no-such-folder", "x.dat"}), 1);
}

TEST_F(SvpackTest, DamagedArchivesAreReportedAndNothingIsExtracted) {
  std::vector<unsigned char> image;
  std::string error;
  ASSERT_TRUE(BuildArchive({{"A", {'1', '2'}}, {"B", {'3'}}}, &image, &error));
  auto write = [](const std::vector<unsigned char>& bytes) {
    std::ofstream("bad.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  };

  auto wrongSignature = image;
  wrongSignature[10] = 0x1C;
  write(wrongSignature);
  EXPECT_EQ(Run({"list", "bad.dat"}), 1);
  EXPECT_NE(err.str().find("not a data archive"), std::string::npos);

  write(std::vector<unsigned char>(image.begin(), image.begin() + 20));
  EXPECT_EQ(Run({"extract", "bad.dat", "out"}), 1);
  EXPECT_NE(err.str().find("cut short"), std::string::npos) << err.str();
  EXPECT_FALSE(fs::exists("out"));

  auto outside = image;
  outside[11 + 4 + 2] = 0x40;  // A's size far past the end
  write(outside);
  EXPECT_EQ(Run({"list", "bad.dat"}), 1);
  EXPECT_NE(out.str().find("A\t(outside the file)"), std::string::npos) << out.str();
  EXPECT_EQ(Run({"extract", "bad.dat", "out"}), 1);
  EXPECT_FALSE(fs::exists("out/B")) << "nothing is written before everything is checked";

  ASSERT_TRUE(BuildArchive({{"../escape", {'x'}}}, &image, &error));
  write(image);
  EXPECT_EQ(Run({"extract", "bad.dat", "out"}), 1);
  EXPECT_FALSE(fs::exists("escape"));
  EXPECT_EQ(Run({"list", "missing.dat"}), 1);
}

TEST_F(SvpackTest, DuplicateNamesExtractTheFirstAsTheGameReadsIt) {
  std::vector<unsigned char> image;
  std::string error;
  ASSERT_TRUE(BuildArchive({{"A", {'f'}}, {"A", {'s'}}}, &image, &error));
  std::ofstream("dup.dat", std::ios::binary)
      .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  ASSERT_EQ(Run({"extract", "dup.dat", "out"}), 0);
  EXPECT_EQ(ReadFileBytes("out/A"), "f");
  EXPECT_NE(err.str().find("warning: A appears again"), std::string::npos);
}

TEST_F(SvpackTest, MaskAndUnmaskAreTheMusicFilesByteMask) {
  WriteText("song.ogg", std::string("OggS\x00\xB6", 6));
  ASSERT_EQ(Run({"mask", "song.ogg", "song.mx"}), 0) << err.str();
  EXPECT_EQ(ReadFileBytes("song.mx"), std::string("\xF9\xD1\xD1\xE5\xB6\x00", 6));
  ASSERT_EQ(Run({"unmask", "song.mx", "back.ogg"}), 0);
  EXPECT_EQ(ReadFileBytes("back.ogg"), ReadFileBytes("song.ogg"));
  EXPECT_EQ(Run({"mask", "absent", "x"}), 1);
  EXPECT_NE(err.str().find("absent"), std::string::npos);
}

TEST_F(SvpackTest, CommandLinesItDoesNotKnowShowTheUsage) {
  for (const std::vector<const char*>& arguments :
       {std::vector<const char*>{}, {"list"}, {"pack", "only-one"}, {"explode", "a", "b"}}) {
    EXPECT_EQ(Run(arguments), 2);
    EXPECT_EQ(err.str().rfind("usage: svpack", 0), 0u);
  }
}

}  // namespace
