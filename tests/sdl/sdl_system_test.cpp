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

}  // namespace
