// The SDL window service: creation, the close-to-quit path, and SDL events as messages.
#include <gtest/gtest.h>

#include <thread>

#include "sdl_test_support.h"

namespace {

using platform::Message;
using platform::WindowHandle;
using sdltest::received;

class SdlWindowTest : public sdltest::BackendTest {};

TEST_F(SdlWindowTest, CreateSendsCreateBeforeReturningAndStartsActive) {
  EXPECT_EQ(windows.CreateMainWindow("no-such-class", "x", 640, 480), platform::kNoWindow);

  const WindowHandle window = CreateTestWindow();
  ASSERT_EQ(window, 1u);
  ASSERT_EQ(received.size(), 1u) << "WM_CREATE must reach the procedure before CreateMainWindow returns";
  EXPECT_EQ(received[0], (Message{window, platform::WM_CREATE, 0, 0}));

  int width = 0, height = 0;
  SDL_GetWindowSize(windows.SdlWindowOf(window), &width, &height);
  const int scale = platform::sdl::SdlWindowSystem::WholeScaleThatFits(640, 480);
  EXPECT_EQ(width, 640 * scale);
  EXPECT_EQ(height, 480 * scale);
  EXPECT_EQ(windows.FindWindowByClass(sdltest::kTestClass), window);
  EXPECT_EQ(windows.FindWindowByClass("other"), platform::kNoWindow);

  const std::vector<Message> waiting = Drain();
  ASSERT_EQ(waiting.size(), 1u);
  EXPECT_EQ(waiting[0], (Message{window, platform::WM_ACTIVATEAPP, 1, 0}));
}

// A window opens as many whole times larger as the display allows, and keeps that scale when
// the game sets its size again (going back from full screen to a window).
TEST_F(SdlWindowTest, NewWindowOpensAtTheLargestWholeMultipleThatFits) {
  SDL_Rect usable;
  ASSERT_EQ(SDL_GetDisplayUsableBounds(0, &usable), 0) << SDL_GetError();
  const int width = usable.w / 3 - 10;  // three times fits the display, four times does not
  const int height = usable.h / 3 - 20;
  ASSERT_GT(height, 0);
  const WindowHandle window = windows.CreateMainWindow(sdltest::kTestClass, "scaled", width, height);
  ASSERT_NE(window, platform::kNoWindow);
  SDL_Window* sdlWindow = windows.SdlWindowOf(window);
  int shownWidth = 0, shownHeight = 0;
  SDL_GetWindowSize(sdlWindow, &shownWidth, &shownHeight);
  EXPECT_EQ(shownWidth, 3 * width) << "display " << usable.w << "x" << usable.h;
  EXPECT_EQ(shownHeight, 3 * height);
  ASSERT_TRUE(windows.SetClientSize(window, 100, 50));
  SDL_GetWindowSize(sdlWindow, &shownWidth, &shownHeight);
  EXPECT_EQ(shownWidth, 300);
  EXPECT_EQ(shownHeight, 150);

  // Larger than the display: its own size, never less.
  const WindowHandle large = windows.CreateMainWindow(sdltest::kTestClass, "large", usable.w + 8, usable.h + 8);
  ASSERT_NE(large, platform::kNoWindow);
  SDL_GetWindowSize(windows.SdlWindowOf(large), &shownWidth, &shownHeight);
  EXPECT_EQ(shownWidth, usable.w + 8);
  EXPECT_EQ(shownHeight, usable.h + 8);
}

// SIGINT and SIGTERM arrive as SDL_QUIT; they must end in WM_QUIT through the game's own path.
TEST_F(SdlWindowTest, QuitEventClosesDestroysAndQuits) {
  const WindowHandle window = CreateTestWindow();
  Drain();
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  SDL_PushEvent(&quit);  // the close box sends a quit too: still one WM_CLOSE

  const std::vector<Message> waiting = Drain();
  ASSERT_EQ(waiting, (std::vector<Message>{{window, platform::WM_CLOSE, 0, 0}}));
  received.clear();
  windows.DispatchMessage(waiting[0]);
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[1], (Message{window, platform::WM_DESTROY, 0, 0}));
  EXPECT_EQ(windows.FindWindowByClass(sdltest::kTestClass), platform::kNoWindow);
  EXPECT_EQ(windows.SdlWindowOf(window), nullptr);

  Message message;
  ASSERT_TRUE(windows.PeekMessage(&message));
  EXPECT_EQ(message.message, platform::WM_QUIT);
  EXPECT_EQ(message.wParam, 0u);
  EXPECT_FALSE(windows.PeekMessage(&message)) << "WM_QUIT comes once; then " << message;
}

TEST_F(SdlWindowTest, QuitBeforeTheWindowExistsClosesItOnceCreated) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  EXPECT_TRUE(Drain().empty());

  const WindowHandle window = CreateTestWindow();
  const std::vector<Message> waiting = Drain();
  ASSERT_EQ(waiting.size(), 2u);
  EXPECT_EQ(waiting[1], (Message{window, platform::WM_CLOSE, 0, 0}));
}

SDL_Event KeyDown(std::uint32_t windowId, SDL_Scancode scancode, SDL_Keycode keycode, Uint16 mod, bool repeat) {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.windowID = windowId;
  event.key.state = SDL_PRESSED;
  event.key.repeat = repeat ? 1 : 0;
  event.key.keysym.scancode = scancode;
  event.key.keysym.sym = keycode;
  event.key.keysym.mod = mod;
  return event;
}

SDL_Event WindowEvent(std::uint32_t windowId, SDL_WindowEventID id) {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.windowID = windowId;
  event.window.event = static_cast<Uint8>(id);
  return event;
}

TEST_F(SdlWindowTest, EventsBecomeTheMessagesTheProcedureExpects) {
  const WindowHandle window = CreateTestWindow();
  Drain();
  const std::uint32_t id = SDL_GetWindowID(windows.SdlWindowOf(window));
  const std::uint32_t repeat = platform::kKeyRepeatBit;

  struct Case {
    const char* what;
    SDL_Event event;
    std::vector<Message> expected;
  };
  const Case cases[] = {
      {"F1", KeyDown(id, SDL_SCANCODE_F1, SDLK_F1, 0, false), {{window, platform::WM_KEYDOWN, platform::VK_F1, 0}}},
      {"F4 held", KeyDown(id, SDL_SCANCODE_F4, SDLK_F4, 0, true),
       {{window, platform::WM_KEYDOWN, platform::VK_F4, repeat}}},
      {"a", KeyDown(id, SDL_SCANCODE_A, SDLK_a, 0, false), {{window, platform::WM_KEYDOWN, 'A', 0}}},
      {"right shift", KeyDown(id, SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, KMOD_RSHIFT, false),
       {{window, platform::WM_KEYDOWN, platform::VK_SHIFT, 0}}},
      {"key without window id", KeyDown(0, SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, 0, false),
       {{window, platform::WM_KEYDOWN, platform::VK_ESCAPE, 0}}},
      {"alt alone", KeyDown(id, SDL_SCANCODE_LALT, SDLK_LALT, KMOD_LALT, false), {}},
      {"alt+x", KeyDown(id, SDL_SCANCODE_X, SDLK_x, KMOD_LALT, false), {}},
      {"F10", KeyDown(id, SDL_SCANCODE_F10, SDLK_F10, 0, false), {}},
      {"alt+F4", KeyDown(id, SDL_SCANCODE_F4, SDLK_F4, KMOD_LALT, false), {{window, platform::WM_CLOSE, 0, 0}}},
      {"alt+enter", KeyDown(id, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_RALT, false),
       {{window, platform::WM_KEYDOWN, platform::VK_F1, 0}}},
      {"alt+enter held", KeyDown(id, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LALT, true), {}},
      {"volume key", KeyDown(id, SDL_SCANCODE_VOLUMEUP, SDLK_VOLUMEUP, 0, false), {}},
      {"focus lost", WindowEvent(id, SDL_WINDOWEVENT_FOCUS_LOST), {{window, platform::WM_ACTIVATEAPP, 0, 0}}},
      {"focus gained", WindowEvent(id, SDL_WINDOWEVENT_FOCUS_GAINED), {{window, platform::WM_ACTIVATEAPP, 1, 0}}},
      {"close box", WindowEvent(id, SDL_WINDOWEVENT_CLOSE), {{window, platform::WM_CLOSE, 0, 0}}},
      {"other window", WindowEvent(id + 1000, SDL_WINDOWEVENT_FOCUS_LOST), {}},
  };
  for (const Case& test : cases) {
    SDL_Event event = test.event;
    SDL_PushEvent(&event);
    EXPECT_EQ(Drain(), test.expected) << test.what;
  }
}

TEST_F(SdlWindowTest, WaitMessageKeepsTheEventItWokeFor) {
  const WindowHandle window = CreateTestWindow();
  Drain();
  EXPECT_FALSE(windows.WaitMessage(0));
  EXPECT_FALSE(windows.WaitMessage(30));

  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  SDL_PushEvent(&motion);
  EXPECT_FALSE(windows.WaitMessage(30)) << "an event that makes no message is no message";

  // The key arrives while the wait is already under way.
  std::thread typist([] {
    SDL_Delay(50);
    SDL_Event key = KeyDown(0, SDL_SCANCODE_SPACE, SDLK_SPACE, 0, false);
    SDL_PushEvent(&key);
  });
  const bool woke = windows.WaitMessage(5000);
  typist.join();
  ASSERT_TRUE(woke);
  EXPECT_EQ(Drain(), (std::vector<Message>{{window, platform::WM_KEYDOWN, platform::VK_SPACE, 0}}));

  windows.PostQuitMessage(3);
  EXPECT_TRUE(windows.WaitMessage(1000));
  EXPECT_EQ(Drain(), (std::vector<Message>{{platform::kNoWindow, platform::WM_QUIT, 3, 0}}));
}

TEST_F(SdlWindowTest, CursorShowsWhileTheCounterIsNotNegative) {
  CreateTestWindow();
  struct Step {
    bool show;
    int counter;
  };
  for (const Step& step : {Step{false, -1}, Step{false, -2}, Step{true, -1}, Step{true, 0}, Step{true, 1}}) {
    EXPECT_EQ(windows.ShowCursor(step.show), step.counter);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), step.counter >= 0 ? SDL_ENABLE : SDL_DISABLE) << "counter " << step.counter;
  }
}

TEST_F(SdlWindowTest, WindowRequestsReachTheSdlWindow) {
  const WindowHandle window = CreateTestWindow();
  SDL_Window* sdlWindow = windows.SdlWindowOf(window);
  EXPECT_NE(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_HIDDEN, 0u) << "hidden until shown";
  EXPECT_TRUE(windows.ShowWindow(window, platform::ShowCommand::kShow));
  EXPECT_EQ(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_HIDDEN, 0u);

  EXPECT_TRUE(windows.SetClientSize(window, 800, 600));
  int width = 0, height = 0;
  SDL_GetWindowSize(sdlWindow, &width, &height);
  EXPECT_EQ(width, 800);
  EXPECT_EQ(height, 600);

  EXPECT_TRUE(windows.SetFullscreen(window, true));
  EXPECT_EQ(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP, SDL_WINDOW_FULLSCREEN_DESKTOP);
  EXPECT_TRUE(windows.SetFullscreen(window, false));
  EXPECT_EQ(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_FULLSCREEN, 0u);

  EXPECT_FALSE(windows.IsMinimized(window));
  EXPECT_EQ(windows.GetSystemMetric(platform::SystemMetric::kCaptionHeight), 0);
  EXPECT_FALSE(windows.ShowWindow(window + 1, platform::ShowCommand::kShow));
  EXPECT_FALSE(windows.DestroyWindow(window + 1));
}

}  // namespace
