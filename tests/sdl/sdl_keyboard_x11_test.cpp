// Real key presses on an X server of its own (Xvfb, keys sent with xdotool): the key state the
// keyboard-only mode reads, the key-down messages the window procedure gets, and the keyboard
// device behind the input queries, which only the focused window may read.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/app.h"
#include "input/input.h"
#include "platform/backend.h"
#include "sdl_test_support.h"

namespace {

using platform::Message;
using sdltest::received;

bool OnPath(const char* program) {
  return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

class SdlX11KeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!OnPath("Xvfb") || !OnPath("xdotool")) GTEST_SKIP() << "needs Xvfb and xdotool";
    ASSERT_TRUE(server.Started()) << "Xvfb did not start";
    display = server.Display();
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    savedDriver = driver ? driver : "";
    hadDriver = driver != nullptr;
    setenv("SDL_VIDEODRIVER", "x11", 1);
    setenv("DISPLAY", display.c_str(), 1);

    received.clear();
    backend = std::make_unique<platform::sdl::SdlBackend>();
    std::string error;
    ASSERT_TRUE(backend->Init(&error)) << error;
    platform::InstallBackend(backend.get());
    auto& windows = backend->Windows();
    ASSERT_TRUE(windows.RegisterWindowClass(platform::WindowClass{sdltest::kTestClass, sdltest::RecordingProc, 0}));
    window = windows.CreateMainWindow(sdltest::kTestClass, "Sorvani keys", 640, 480);
    ASSERT_NE(window, platform::kNoWindow);
    windows.ShowWindow(window, platform::ShowCommand::kShow);
    Pump(std::chrono::milliseconds(200));
    ASSERT_EQ(Xdotool("search --sync --name 'Sorvani keys' windowfocus --sync"), 0);
  }

  void TearDown() override {
    ResetInput();
    platform::InstallBackend(nullptr);
    backend.reset();
    if (hadDriver) {
      setenv("SDL_VIDEODRIVER", savedDriver.c_str(), 1);
    } else {
      unsetenv("SDL_VIDEODRIVER");
    }
  }

  int Xdotool(const std::string& arguments) {
    return std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str());
  }

  // Takes and dispatches messages for a while, as the frame loop does between frames.
  void Pump(std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    Message message;
    while (std::chrono::steady_clock::now() < end) {
      while (backend->Windows().PeekMessage(&message)) backend->Windows().DispatchMessage(message);
      SDL_Delay(5);
    }
  }

  // Pumps until the key state shows the key as wanted, or gives up after a few seconds.
  bool KeyStateBecomes(std::uint32_t virtualKey, bool held) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < end) {
      Pump(std::chrono::milliseconds(10));
      if (((backend->Controls().GetKeyState(virtualKey) & 0x8000) != 0) == held) return true;
    }
    return false;
  }

  // Pumps until the combined query shows the input as wanted, or gives up after a few seconds.
  bool InputBecomes(int code, bool held) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < end) {
      Pump(std::chrono::milliseconds(10));
      GetInput(INPUT_POLL);
      if (GetInput(code) == held) return true;
    }
    return false;
  }

  // Pumps until an acquire of the keyboard device answers as wanted.
  bool KeyboardAcquireAnswers(platform::HRESULT wanted) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < end) {
      Pump(std::chrono::milliseconds(10));
      if (inputState.keyboard->Acquire() == wanted) return true;
    }
    return false;
  }

  bool KeyDownReceived(std::uint32_t virtualKey) {
    for (const Message& message : received) {
      if (message.message == platform::WM_KEYDOWN && message.wParam == virtualKey) return true;
    }
    return false;
  }

  sdltest::XServer server;
  std::string display;
  std::string savedDriver;
  bool hadDriver = false;
  std::unique_ptr<platform::sdl::SdlBackend> backend;
  platform::WindowHandle window = platform::kNoWindow;
};

TEST_F(SdlX11KeyboardTest, HeldKeysShowInKeyStateAndArriveAsKeyDown) {
  struct Case {
    const char* xKey;
    std::uint32_t virtualKey;
  };
  const Case cases[] = {
      {"Shift_R", platform::VK_SHIFT}, {"Control_L", platform::VK_CONTROL}, {"z", 'Z'},
      {"KP_8", platform::VK_NUMPAD0 + 8}, {"Left", platform::VK_LEFT},    {"Escape", platform::VK_ESCAPE},
  };
  for (const Case& test : cases) {
    received.clear();
    ASSERT_EQ(Xdotool(std::string("keydown ") + test.xKey), 0) << test.xKey;
    EXPECT_TRUE(KeyStateBecomes(test.virtualKey, true)) << test.xKey << " never showed as held";
    EXPECT_TRUE(KeyDownReceived(test.virtualKey)) << test.xKey << " sent no WM_KEYDOWN";
    ASSERT_EQ(Xdotool(std::string("keyup ") + test.xKey), 0) << test.xKey;
    EXPECT_TRUE(KeyStateBecomes(test.virtualKey, false)) << test.xKey << " never showed as released";
  }
}

TEST_F(SdlX11KeyboardTest, KeyboardDeviceReadsRealKeysOnlyWhileItsWindowHasTheFocus) {
  ResetAppState();
  ResetInput();
  InitInput(window);
  ASSERT_FALSE(inputState.keyboardOnly);
  ASSERT_EQ(Xdotool("keydown space"), 0);
  EXPECT_TRUE(InputBecomes(INPUT_SHOT, true)) << "Space never showed as shot";
  ASSERT_EQ(Xdotool("keyup space"), 0);
  EXPECT_TRUE(InputBecomes(INPUT_SHOT, false)) << "Space never showed as released";

  auto& windows = backend->Windows();
  const platform::WindowHandle other = windows.CreateMainWindow(sdltest::kTestClass, "Sorvani other", 200, 100);
  ASSERT_NE(other, platform::kNoWindow);
  windows.ShowWindow(other, platform::ShowCommand::kShow);
  Pump(std::chrono::milliseconds(100));
  ASSERT_EQ(Xdotool("search --sync --name 'Sorvani other' windowfocus --sync"), 0);
  EXPECT_TRUE(KeyboardAcquireAnswers(platform::DIERR_OTHERAPPHASPRIO)) << "another window has the focus";
  std::uint8_t keys[platform::kKeyboardStateSize];
  EXPECT_EQ(inputState.keyboard->GetDeviceState(sizeof keys, keys), platform::DIERR_INPUTLOST);

  ASSERT_EQ(Xdotool("search --sync --name 'Sorvani keys' windowfocus --sync"), 0);
  ASSERT_EQ(Xdotool("keydown z"), 0);
  // The poll's re-acquire mends the lost keyboard.
  EXPECT_TRUE(InputBecomes(INPUT_SHOT, true)) << "Z never showed as shot after the focus came back";
  ASSERT_EQ(Xdotool("keyup z"), 0);
  EXPECT_TRUE(InputBecomes(INPUT_SHOT, false));
}

}  // namespace
