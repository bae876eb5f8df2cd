// One copy per user: the lock, the second copy's call, and a copy that cannot answer yet.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "platform/sdl/sdl_instance.h"

namespace {

using platform::InstanceLock;
using platform::sdl::SdlInstance;

class SdlInstanceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/sorvani-instance-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory = pattern;
    setenv("XDG_RUNTIME_DIR", directory.c_str(), 1);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
  }
  std::string directory;
};

TEST_F(SdlInstanceTest, OnlyOneCopyHoldsTheLockUntilItLetsGo) {
  SdlInstance first, second;
  EXPECT_EQ(first.Acquire("sorvani"), InstanceLock::kAcquired);
  EXPECT_EQ(second.Acquire("sorvani"), InstanceLock::kAlreadyRunning);
  EXPECT_EQ(second.Acquire("other"), InstanceLock::kAcquired);  // another name, another lock
  first.Release();
  SdlInstance third;
  EXPECT_EQ(third.Acquire("sorvani"), InstanceLock::kAcquired);
  EXPECT_TRUE(std::filesystem::exists(directory + "/sorvani/sorvani.sock"));
}

TEST_F(SdlInstanceTest, SecondCopyIsAnsweredOnlyByARunningFrameLoop) {
  SdlInstance running;
  ASSERT_EQ(running.Acquire("sorvani"), InstanceLock::kAcquired);
  EXPECT_FALSE(running.TakeRaiseRequest());  // nobody asked

  // Still in its launcher: the request waits unanswered and the second copy gives up.
  SdlInstance second;
  EXPECT_FALSE(second.RaiseRunningCopy("sorvani"));

  std::atomic<bool> stop{false};
  std::atomic<int> requests{0};
  std::thread frameLoop([&] {
    while (!stop) {
      if (running.TakeRaiseRequest()) ++requests;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  });
  EXPECT_TRUE(second.RaiseRunningCopy("sorvani"));
  EXPECT_TRUE(second.RaiseRunningCopy("sorvani"));
  stop = true;
  frameLoop.join();
  EXPECT_EQ(requests, 2);
}

TEST_F(SdlInstanceTest, NoRunningCopyMeansNoAnswer) {
  SdlInstance alone;
  EXPECT_FALSE(alone.RaiseRunningCopy("sorvani"));
  SdlInstance crashed;
  ASSERT_EQ(crashed.Acquire("sorvani"), InstanceLock::kAcquired);
  crashed.Release();
  EXPECT_FALSE(alone.RaiseRunningCopy("sorvani"));
}

}  // namespace
