// The settings file: every value type round-trips byte for byte, damage is read around and
// kept, and a failed save leaves the previous file as it was.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/sdl/reg_file.h"
#include "platform/sdl/sdl_registry.h"

namespace {

using platform::sdl::RegFile;
using platform::sdl::RegValue;
using platform::sdl::SdlRegistry;

constexpr const char* kKey = "Software\\Ostrelan\\sorvaniTrial\\CurrentVersion";

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

class RegFileTest : public ::testing::Test {
 protected:
  RegFileTest() {
    char pattern[] = "/tmp/sorvani-reg-XXXXXX";
    directory = mkdtemp(pattern);
    path = directory + "/sorvani/sorvani.reg";
  }
  ~RegFileTest() override { std::filesystem::remove_all(directory); }

  // Writes through one registry object and reads back through a fresh one, as a new run would.
  RegValue RoundTrip(const std::string& name, const RegValue& value) {
    {
      SdlRegistry writer(path);
      platform::RegistryKey key = 0;
      EXPECT_EQ(writer.CreateKey(kKey, &key), platform::ERROR_SUCCESS);
      EXPECT_EQ(writer.SetValue(key, name.c_str(), value.type, value.bytes.data(),
                                static_cast<std::uint32_t>(value.bytes.size())),
                platform::ERROR_SUCCESS);
      writer.CloseKey(key);
    }
    SdlRegistry reader(path);
    platform::RegistryKey key = 0;
    EXPECT_EQ(reader.OpenKey(kKey, &key), platform::ERROR_SUCCESS);
    RegValue back;
    std::uint32_t size = 0;
    EXPECT_EQ(reader.QueryValue(key, name.c_str(), &back.type, nullptr, &size), platform::ERROR_SUCCESS);
    back.bytes.resize(size);
    EXPECT_EQ(reader.QueryValue(key, name.c_str(), &back.type, back.bytes.data(), &size), platform::ERROR_SUCCESS);
    return back;
  }

  std::string directory;
  std::string path;
};

TEST_F(RegFileTest, EveryValueTypeRoundTripsByteForByte) {
  std::vector<unsigned char> scores(324);
  for (std::size_t i = 0; i < scores.size(); ++i) scores[i] = static_cast<unsigned char>(i * 7);
  const std::pair<std::string, RegValue> cases[] = {
      {"ProgramFile", {platform::REG_SZ, {'/', 'o', 'p', 't', '/', 0xE6, 0x97, 0xA5, '"', '\\', 0}}},
      {"NoTerminator", {platform::REG_SZ, {'a', 'b'}}},
      {"WithBreak", {platform::REG_SZ, {'a', '\n', 'b', 0}}},
      {"Expand", {platform::REG_EXPAND_SZ, {'%', 'H', '%', 0}}},
      {"Multi", {platform::REG_MULTI_SZ, {'a', 0, 'b', 0, 0}}},
      {"NoSE", {platform::REG_DWORD, {1, 0, 0, 0}}},
      {"Short", {platform::REG_DWORD, {7, 0}}},
      {"Big", {platform::REG_DWORD_BIG_ENDIAN, {0, 0, 0, 30}}},
      {"Quad", {platform::REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}}},
      {"scoredata", {platform::REG_BINARY, scores}},
      {"Empty", {platform::REG_BINARY, {}}},
      {"", {platform::REG_SZ, {'d', 0}}},
  };
  for (const auto& [name, value] : cases) {
    SCOPED_TRACE(name);
    RegValue back = RoundTrip(name, value);
    EXPECT_EQ(back.type, value.type);
    EXPECT_EQ(back.bytes, value.bytes);
  }
}

TEST_F(RegFileTest, WritesTheExportFormat) {
  RoundTrip("NoSE", {platform::REG_DWORD, {1, 0, 0, 0}});
  RoundTrip("Buttons", {platform::REG_BINARY, {1, 1, 3, 0}});
  EXPECT_EQ(ReadText(path),
            "Windows Registry Editor Version 5.00\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\Software\\Ostrelan\\sorvaniTrial\\CurrentVersion]\r\n"
            "\"NoSE\"=dword:00000001\r\n"
            "\"Buttons\"=hex:01,01,03,00\r\n");
}

TEST_F(RegFileTest, DamagedLinesAreReportedAndKeptWhileGoodValuesStillRead) {
  std::filesystem::create_directories(directory + "/sorvani");
  WriteText(path,
            "Windows Registry Editor Version 5.00\n\n"
            "[HKEY_CURRENT_USER\\Software\\Ostrelan\\sorvaniTrial\\CurrentVersion]\n"
            "\"NoSE\"=dword:00000001\n"
            "\"Broken\"=dword:12\n"
            "; a note by hand\n"
            "garbage here\n"
            "\"Buttons\"=hex:01,01,\\\n  03\n");
  SdlRegistry registry(path);
  platform::RegistryKey key = 0;
  ASSERT_EQ(registry.OpenKey(kKey, &key), platform::ERROR_SUCCESS);
  std::vector<std::string> problems;
  std::string problem;
  while (registry.TakeProblem(&problem)) problems.push_back(problem);
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_NE(problems[0].find("line 5"), std::string::npos) << problems[0];
  EXPECT_NE(problems[1].find("line 7"), std::string::npos) << problems[1];

  unsigned char buttons[16] = {};
  std::uint32_t type = 0, size = sizeof buttons;
  EXPECT_EQ(registry.QueryValue(key, "buttons", &type, buttons, &size), platform::ERROR_SUCCESS);  // any case
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(buttons[2], 3);
  EXPECT_EQ(registry.QueryValue(key, "Broken", &type, nullptr, &size), platform::ERROR_FILE_NOT_FOUND);

  // Saving a value keeps every line it did not understand, word for word.
  unsigned char on[4] = {1, 0, 0, 0};
  ASSERT_EQ(registry.SetValue(key, "CpuIdle", platform::REG_DWORD, on, 4), platform::ERROR_SUCCESS);
  std::string saved = ReadText(path);
  EXPECT_NE(saved.find("\"Broken\"=dword:12\r\n"), std::string::npos);
  EXPECT_NE(saved.find("; a note by hand\r\n"), std::string::npos);
  EXPECT_NE(saved.find("garbage here\r\n"), std::string::npos);
  EXPECT_NE(saved.find("\"CpuIdle\"=dword:00000001\r\n"), std::string::npos);
  // The same damage is not reported again at the next open.
  registry.CloseKey(key);
  ASSERT_EQ(registry.OpenKey(kKey, &key), platform::ERROR_SUCCESS);
  EXPECT_FALSE(registry.TakeProblem(&problem));
}

TEST_F(RegFileTest, AFailedSaveLeavesThePreviousFileIntact) {
  RoundTrip("NoSE", {platform::REG_DWORD, {1, 0, 0, 0}});
  std::string before = ReadText(path);
  // A save killed half-way leaves its temporary file; here it is in the way as a directory.
  std::filesystem::create_directory(path + ".tmp");
  SdlRegistry registry(path);
  platform::RegistryKey key = 0;
  ASSERT_EQ(registry.OpenKey(kKey, &key), platform::ERROR_SUCCESS);
  unsigned char value[4] = {0, 0, 0, 0};
  EXPECT_EQ(registry.SetValue(key, "NoSE", platform::REG_DWORD, value, 4), platform::ERROR_WRITE_FAULT);
  EXPECT_EQ(ReadText(path), before);

  // A half-written temporary file from a killed save does not disturb the next start.
  std::filesystem::remove(path + ".tmp");
  WriteText(path + ".tmp", "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Soft");
  SdlRegistry next(path);
  ASSERT_EQ(next.OpenKey(kKey, &key), platform::ERROR_SUCCESS);
  std::uint32_t type = 0, size = sizeof value;
  EXPECT_EQ(next.QueryValue(key, "NoSE", &type, value, &size), platform::ERROR_SUCCESS);
  EXPECT_EQ(value[0], 1);
  EXPECT_EQ(next.SetValue(key, "NoSE", platform::REG_DWORD, value, 4), platform::ERROR_SUCCESS);
}

TEST_F(RegFileTest, ASaveCutOffPartWayThroughItsWriteLeavesThePreviousFileIntact) {
  RoundTrip("NoSE", {platform::REG_DWORD, {1, 0, 0, 0}});
  const std::string before = ReadText(path);
  // A child whose files may not grow past 256 bytes: the new file's write stops part-way, as on
  // a full disk, with the first 256 bytes of it already on disk.
  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{256, 256};
    setrlimit(RLIMIT_FSIZE, &limit);
    SdlRegistry registry(path);
    platform::RegistryKey key = 0;
    if (registry.OpenKey(kKey, &key) != platform::ERROR_SUCCESS) _exit(2);
    const std::vector<unsigned char> block(1024, 0x5A);
    const bool refused = registry.SetValue(key, "scoredata", platform::REG_BINARY, block.data(), 1024) ==
                         platform::ERROR_WRITE_FAULT;
    _exit(refused ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the cut-off save was not reported as a write fault";
  EXPECT_EQ(ReadText(path), before);
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST_F(RegFileTest, MissingFileHasNoKeyUntilCreatedAndShortBuffersAskForMore) {
  SdlRegistry registry(path);
  platform::RegistryKey key = 0;
  EXPECT_EQ(registry.OpenKey(kKey, &key), platform::ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(std::filesystem::exists(path));
  ASSERT_EQ(registry.CreateKey(kKey, &key), platform::ERROR_SUCCESS);
  EXPECT_TRUE(std::filesystem::exists(path));
  unsigned char block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  ASSERT_EQ(registry.SetValue(key, "scoredata", platform::REG_BINARY, block, 8), platform::ERROR_SUCCESS);
  unsigned char small[4] = {9, 9, 9, 9};
  std::uint32_t type = 0, size = sizeof small;
  EXPECT_EQ(registry.QueryValue(key, "scoredata", &type, small, &size), platform::ERROR_MORE_DATA);
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(small[0], 9);  // untouched
}

TEST_F(RegFileTest, UnwritableDirectoryRefusesTheKey) {
  SdlRegistry registry("/proc/sorvani-cannot-be-here/sorvani.reg");
  platform::RegistryKey key = 0;
  EXPECT_EQ(registry.CreateKey(kKey, &key), platform::ERROR_ACCESS_DENIED);
}

}  // namespace
