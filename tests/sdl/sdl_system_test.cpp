// The Linux system facts for the start-up report.
#include <gtest/gtest.h>
#include <sys/utsname.h>

#include <cerrno>
#include <filesystem>

#include "platform/sdl/sdl_system.h"
#include "sdl_test_support.h"

namespace {

using platform::OsVersion;

TEST(SdlSystemTest, KernelReleaseSplitsIntoNumbersAndTheRest) {
  struct Case {
    const char* release;
    int major, minor, build;
    const char* extra;
  };
  const Case cases[] = {
      {"6.1.0-18-amd64", 6, 1, 0, "-18-amd64"},
      {"5.15.90.1-microsoft-standard-WSL2", 5, 15, 90, ".1-microsoft-standard-WSL2"},
      {"6.8", 6, 8, 0, ""},
      {"4.19.0+", 4, 19, 0, "+"},
      {"3.", 3, 0, 0, "."},
      {"rolling", 0, 0, 0, "rolling"},
      {"", 0, 0, 0, ""},
  };
  for (const Case& test : cases) {
    OsVersion version;
    version.major = version.minor = version.build = -1;
    platform::sdl::ParseKernelRelease(test.release, &version);
    EXPECT_EQ(version.major, test.major) << test.release;
    EXPECT_EQ(version.minor, test.minor) << test.release;
    EXPECT_EQ(version.build, test.build) << test.release;
    EXPECT_EQ(version.extra, test.extra) << test.release;
  }
}

TEST(SdlSystemTest, FactsDescribeThisMachine) {
  platform::sdl::SdlSystem system;
  std::string path;
  ASSERT_TRUE(system.ExecutablePath(&path));
  EXPECT_EQ(std::filesystem::path(path), std::filesystem::canonical(program_invocation_name));

  OsVersion version;
  ASSERT_TRUE(system.GetOsVersion(&version));
  utsname names{};
  uname(&names);
  EXPECT_EQ(version.name, names.sysname);
  EXPECT_GT(version.major, 0);

  platform::MemoryStatus memory;
  ASSERT_TRUE(system.GetMemoryStatus(&memory));
  EXPECT_GT(memory.totalPhysical, 0u);
  EXPECT_LE(memory.availablePhysical, memory.totalPhysical);
  EXPECT_LE(memory.memoryLoad, 100u);
  EXPECT_LE(memory.availablePageFile, memory.totalPageFile);
  EXPECT_GT(memory.availableVirtual, 0u);
  EXPECT_LT(memory.availableVirtual, memory.totalVirtual);
}

class SdlReportTest : public sdltest::BackendTest {};

TEST_F(SdlReportTest, HardwareReportNamesKernelDisplayAndRenderers) {
  std::string report;
  ASSERT_TRUE(backend.Machine().HardwareReport(&report));
  utsname names{};
  uname(&names);
  EXPECT_NE(report.find(std::string("Kernel: ") + names.sysname + " " + names.release), std::string::npos) << report;
  EXPECT_NE(report.find("Memory: "), std::string::npos) << report;
  EXPECT_NE(report.find(std::string("(") + SDL_GetCurrentVideoDriver() + ")"), std::string::npos) << report;
  EXPECT_NE(report.find("Renderers: "), std::string::npos) << report;
  EXPECT_NE(report.find("software"), std::string::npos) << report;
  EXPECT_EQ(report.back(), '\n');
}

// The state folder follows XDG_STATE_HOME, else ~/.local/state, and is made on the way.
TEST(SdlSystemTest, StateFolderFollowsTheXdgRules) {
  char pattern[] = "/tmp/sorvani-state-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::filesystem::path root = pattern;
  const char* home = getenv("HOME");
  const std::string savedHome = home ? home : "";
  platform::sdl::SdlSystem system;
  std::string folder;

  setenv("XDG_STATE_HOME", (root / "state").c_str(), 1);
  ASSERT_TRUE(system.UserStateDirectory(&folder));
  EXPECT_EQ(folder, (root / "state" / "sorvani").string());
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_TRUE(system.IsWritableDirectory(folder));

  setenv("XDG_STATE_HOME", "relative/is/ignored", 1);
  setenv("HOME", (root / "home").c_str(), 1);
  ASSERT_TRUE(system.UserStateDirectory(&folder));
  EXPECT_EQ(folder, (root / "home" / ".local" / "state" / "sorvani").string());

  unsetenv("XDG_STATE_HOME");
  unsetenv("HOME");
  EXPECT_FALSE(system.UserStateDirectory(&folder));
  EXPECT_FALSE(system.IsWritableDirectory((root / "missing").string()));

  if (!savedHome.empty()) setenv("HOME", savedHome.c_str(), 1);
  std::filesystem::remove_all(root);
}

}  // namespace
