// The input backend on SDL (offscreen): key events reach the queries, focus decides whether
// the keyboard can be read, and virtual pads (plain joysticks and game controllers, mapped or
// from the mapping file) reach the queries, also when plugged in after start.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "app/app.h"
#include "input/input.h"
#include "platform/sdl/sdl_input_hub.h"
#include "platform/sdl/sdl_keys.h"
#include "sdl_test_support.h"

namespace {

using namespace platform;

class SdlInputTest : public sdltest::BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    if (HasFatalFailure()) return;
    ResetAppState();
    ResetInput();
    window = CreateTestWindow();
    ASSERT_NE(window, kNoWindow);
    // The test's own hold on the joystick subsystem, to attach and move virtual pads.
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
  }
  void TearDown() override {
    for (SDL_Joystick* pad : openPads) SDL_JoystickClose(pad);
    ResetInput();
    BackendTest::TearDown();
  }

  void PushKey(SDL_Scancode scancode, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.windowID = SDL_GetWindowID(windows.SdlWindowOf(window));
    event.key.keysym.scancode = scancode;
    event.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
  }

  void PushFocus(bool gained) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
    event.window.windowID = SDL_GetWindowID(windows.SdlWindowOf(window));
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    Drain();
  }

  // Attaches a virtual pad and opens it for the test, which moves its sticks and buttons.
  SDL_Joystick* AttachPad(SDL_JoystickType type, int axes, int buttons, int hats) {
    const int index = SDL_JoystickAttachVirtual(type, axes, buttons, hats);
    EXPECT_GE(index, 0) << SDL_GetError();
    if (index < 0) return nullptr;
    SDL_Joystick* pad = SDL_JoystickOpen(index);
    EXPECT_NE(pad, nullptr) << SDL_GetError();
    if (pad) openPads.push_back(pad);
    return pad;
  }

  static int IndexOf(SDL_Joystick* pad) {
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
      if (SDL_JoystickGetDeviceInstanceID(i) == SDL_JoystickInstanceID(pad)) return i;
    }
    return -1;
  }

  WindowHandle window = kNoWindow;
  std::vector<SDL_Joystick*> openPads;
};

TEST_F(SdlInputTest, PushedKeyEventsReachTheQueries) {
  InitInput(window);
  ASSERT_FALSE(inputState.keyboardOnly);
  struct Case {
    SDL_Scancode scancode;
    int code;
    int alsoCode;
  };
  const Case cases[] = {
      {SDL_SCANCODE_SPACE, INPUT_SHOT, -1},     {SDL_SCANCODE_RCTRL, INPUT_SHOT, -1},
      {SDL_SCANCODE_Z, INPUT_SHOT, -1},         {SDL_SCANCODE_KP_5, INPUT_SHOT, -1},
      {SDL_SCANCODE_ESCAPE, INPUT_PAUSE, -1},   {SDL_SCANCODE_UP, INPUT_UP, -1},
      {SDL_SCANCODE_KP_9, INPUT_UP, INPUT_RIGHT}, {SDL_SCANCODE_KP_1, INPUT_DOWN, INPUT_LEFT},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(SDL_GetScancodeName(test.scancode));
    PushKey(test.scancode, true);
    GetInput(INPUT_POLL);
    for (int code : {INPUT_SHOT, INPUT_PAUSE, INPUT_UP, INPUT_DOWN, INPUT_LEFT, INPUT_RIGHT}) {
      EXPECT_EQ(GetInput(code), code == test.code || code == test.alsoCode) << "code " << code;
    }
    PushKey(test.scancode, false);
    GetInput(INPUT_POLL);
    EXPECT_FALSE(GetInput(test.code));
  }
  // The second player's keys through the per-player query.
  PushKey(SDL_SCANCODE_H, true);
  GetPlayerInput(1, INPUT_POLL);
  EXPECT_TRUE(GetPlayerInput(1, INPUT_RIGHT));
  EXPECT_FALSE(GetPlayerInput(1, INPUT_LEFT));
}

TEST_F(SdlInputTest, KeyboardOnlyModeAndTheLKeyReadTheKeyState) {
  appState.NoDirectInput = 1;
  InitInput(window);
  ASSERT_TRUE(inputState.keyboardOnly);
  PushKey(SDL_SCANCODE_RSHIFT, true);
  EXPECT_TRUE(GetInput(INPUT_SHOT)) << "either Shift is VK_SHIFT";
  PushKey(SDL_SCANCODE_RSHIFT, false);
  EXPECT_FALSE(GetInput(INPUT_SHOT));
  PushKey(SDL_SCANCODE_L, true);
  EXPECT_TRUE(IsLKeyDown());
  PushKey(SDL_SCANCODE_L, false);
  EXPECT_FALSE(IsLKeyDown());
}

TEST_F(SdlInputTest, KeyboardLostWithFocusIsReadAgainOnceFocusReturns) {
  std::unique_ptr<DirectInput> directInput;
  ASSERT_EQ(backend.Controls().CreateDirectInput(kDirectInputVersion, &directInput), DI_OK);
  std::unique_ptr<InputDevice> keyboard;
  ASSERT_EQ(directInput->CreateKeyboard(&keyboard), DI_OK);
  std::uint8_t keys[kKeyboardStateSize];
  EXPECT_EQ(keyboard->Acquire(), DIERR_INVALIDPARAM) << "no data format yet";
  ASSERT_EQ(keyboard->SetDataFormat(DataFormat::kKeyboard), DI_OK);
  EXPECT_EQ(keyboard->SetCooperativeLevel(window + 100, DISCL_EXCLUSIVE | DISCL_FOREGROUND), E_HANDLE);
  EXPECT_EQ(keyboard->SetCooperativeLevel(window, DISCL_EXCLUSIVE | DISCL_BACKGROUND), E_INVALIDARG);
  ASSERT_EQ(keyboard->SetCooperativeLevel(window, DISCL_EXCLUSIVE | DISCL_FOREGROUND), DI_OK);
  EXPECT_EQ(keyboard->GetDeviceState(sizeof keys, keys), DIERR_NOTACQUIRED);
  ASSERT_EQ(keyboard->Acquire(), DI_OK);
  PushKey(SDL_SCANCODE_X, true);
  ASSERT_EQ(keyboard->GetDeviceState(sizeof keys, keys), DI_OK);
  EXPECT_EQ(keys[DIK_X], 0x80);

  PushFocus(false);
  EXPECT_EQ(keyboard->GetDeviceState(sizeof keys, keys), DIERR_INPUTLOST);
  EXPECT_EQ(keyboard->Acquire(), DIERR_OTHERAPPHASPRIO);
  EXPECT_EQ(keyboard->GetDeviceState(sizeof keys, keys), DIERR_INPUTLOST) << "still lost, so the next poll retries";
  PushFocus(true);
  EXPECT_EQ(keyboard->GetDeviceState(sizeof keys, keys), DIERR_INPUTLOST);
  ASSERT_EQ(keyboard->Acquire(), DI_OK);
  ASSERT_EQ(keyboard->GetDeviceState(sizeof keys, keys), DI_OK);
  EXPECT_EQ(keys[DIK_X], 0) << "keys held when focus went are released";
}

TEST_F(SdlInputTest, QueriesKeepTheLastKeysWhileUnfocusedAndReadAgainAfter) {
  InitInput(window);
  PushKey(SDL_SCANCODE_LEFT, true);
  GetInput(INPUT_POLL);
  ASSERT_TRUE(GetInput(INPUT_LEFT));
  PushFocus(false);
  GetInput(INPUT_POLL);
  EXPECT_TRUE(GetInput(INPUT_LEFT)) << "a failed re-acquire keeps the old snapshot";
  PushFocus(true);
  PushKey(SDL_SCANCODE_RIGHT, true);
  GetInput(INPUT_POLL);
  EXPECT_FALSE(GetInput(INPUT_LEFT));
  EXPECT_TRUE(GetInput(INPUT_RIGHT));
}

TEST_F(SdlInputTest, PlainJoystickReachesThePerPlayerQuery) {
  SDL_Joystick* pad = AttachPad(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 20, 1);
  ASSERT_NE(pad, nullptr);
  InitInput(window);
  ASSERT_EQ(inputState.joystickCount, 1);

  struct Case {
    Sint16 x, y;
    bool left, right, up, down;
  };
  // With the dead zone of 1 %, 6000 of 32767 scales to 175 and 8000 to 237.
  const Case cases[] = {{0, 0, false, false, false, false},       {6000, -6000, false, false, false, false},
                        {8000, -8000, false, true, true, false},  {-32768, 32767, true, false, false, true}};
  for (const Case& test : cases) {
    SCOPED_TRACE(std::to_string(test.x) + "," + std::to_string(test.y));
    SDL_JoystickSetVirtualAxis(pad, 0, test.x);
    SDL_JoystickSetVirtualAxis(pad, 1, test.y);
    GetPlayerInput(0, INPUT_POLL);
    EXPECT_EQ(GetPlayerInput(0, INPUT_LEFT), test.left);
    EXPECT_EQ(GetPlayerInput(0, INPUT_RIGHT), test.right);
    EXPECT_EQ(GetPlayerInput(0, INPUT_UP), test.up);
    EXPECT_EQ(GetPlayerInput(0, INPUT_DOWN), test.down);
  }
  SDL_JoystickSetVirtualAxis(pad, 0, 0);
  SDL_JoystickSetVirtualAxis(pad, 1, 0);
  SDL_JoystickSetVirtualButton(pad, 2, SDL_PRESSED);  // button 3: pause by default
  GetPlayerInput(0, INPUT_POLL);
  EXPECT_TRUE(GetPlayerInput(0, INPUT_PAUSE));
  EXPECT_FALSE(GetPlayerInput(0, INPUT_SHOT));
  GetPlayerInput(1, INPUT_POLL);
  EXPECT_FALSE(GetPlayerInput(1, INPUT_PAUSE)) << "player 2 has no pad";

  SDL_JoystickSetVirtualButton(pad, 2, SDL_RELEASED);
  SDL_JoystickSetVirtualHat(pad, 0, SDL_HAT_LEFTDOWN);
  GetInput(INPUT_POLL);
  EXPECT_TRUE(GetInput(INPUT_LEFT)) << "the hat moves the stick axes";
  EXPECT_TRUE(GetInput(INPUT_DOWN));
}

TEST_F(SdlInputTest, PadsPluggedInAfterStartArePickedUpAndUnpluggedOnesDropOut) {
  InitInput(window);
  ASSERT_EQ(inputState.joystickCount, 0);
  PushKey(SDL_SCANCODE_SPACE, true);

  SDL_Joystick* controller = AttachPad(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 6, 15, 0);
  ASSERT_NE(controller, nullptr);
  ASSERT_TRUE(SDL_IsGameController(IndexOf(controller)));
  SDL_JoystickSetVirtualAxis(controller, 0, 32767);  // left stick X
  GetInput(INPUT_POLL);
  EXPECT_EQ(inputState.joystickCount, 1);
  EXPECT_TRUE(GetInput(INPUT_RIGHT));

  SDL_JoystickSetVirtualAxis(controller, 0, 0);
  SDL_JoystickSetVirtualButton(controller, 13, SDL_PRESSED);  // D-pad left
  GetPlayerInput(0, INPUT_POLL);
  EXPECT_TRUE(GetPlayerInput(0, INPUT_LEFT));
  EXPECT_FALSE(GetPlayerInput(0, INPUT_RIGHT));
  SDL_JoystickSetVirtualButton(controller, 13, SDL_RELEASED);

  // A second pad is player 2's.
  SDL_Joystick* second = AttachPad(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 4, 0);
  ASSERT_NE(second, nullptr);
  SDL_JoystickSetVirtualAxis(second, 1, 32767);
  GetPlayerInput(1, INPUT_POLL);
  EXPECT_TRUE(GetPlayerInput(1, INPUT_DOWN));

  ASSERT_EQ(SDL_JoystickDetachVirtual(IndexOf(second)), 0) << SDL_GetError();
  GetInput(INPUT_POLL);
  EXPECT_FALSE(GetInput(INPUT_DOWN)) << "an unplugged pad contributes nothing";
  EXPECT_TRUE(GetInput(INPUT_SHOT)) << "and the keyboard goes on";
  GetPlayerInput(1, INPUT_POLL);
  EXPECT_FALSE(GetPlayerInput(1, INPUT_DOWN));
  EXPECT_EQ(inputState.joystickCount, 1);
}

TEST_F(SdlInputTest, MappingFileInTheConfigFolderMakesAJoystickAController) {
  // A pad with vendor and product ids, as mappings are looked up by them.
  SDL_VirtualJoystickDesc description{};
  description.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  description.type = SDL_JOYSTICK_TYPE_UNKNOWN;
  description.naxes = 4;
  description.nbuttons = 8;
  description.vendor_id = 0x1234;
  description.product_id = 0x5678;
  description.name = "Sorvani Test Pad";
  const int index = SDL_JoystickAttachVirtualEx(&description);
  ASSERT_GE(index, 0) << SDL_GetError();
  ASSERT_FALSE(SDL_IsGameController(index)) << "SDL knows this pad without the file";
  SDL_Joystick* pad = SDL_JoystickOpen(index);
  ASSERT_NE(pad, nullptr) << SDL_GetError();
  openPads.push_back(pad);
  char guid[64];
  SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(pad), guid, sizeof guid);

  char pattern[] = "/tmp/sorvani-pads-XXXXXX";
  const std::filesystem::path config = mkdtemp(pattern);
  std::filesystem::create_directories(config / "sorvani");
  std::ofstream(config / "sorvani" / "gamecontrollerdb.txt")
      << "# test pad\n" << guid << ",Sorvani Test Pad,a:b5,b:b4,x:b3,leftx:a2,lefty:a3,platform:Linux,\n";
  const char* saved = std::getenv("XDG_CONFIG_HOME");
  const std::string savedValue = saved ? saved : "";
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  InitInput(window);
  if (saved) {
    setenv("XDG_CONFIG_HOME", savedValue.c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
  std::filesystem::remove_all(config);

  ASSERT_TRUE(SDL_IsGameController(IndexOf(pad))) << "the mapping was not taken";
  SDL_JoystickSetVirtualButton(pad, 5, SDL_PRESSED);  // mapped to A: button 1, shot
  SDL_JoystickSetVirtualAxis(pad, 2, -32768);          // mapped to the left stick's X
  GetInput(INPUT_POLL);
  EXPECT_TRUE(GetInput(INPUT_SHOT));
  EXPECT_TRUE(GetInput(INPUT_LEFT));
  SDL_JoystickSetVirtualButton(pad, 5, SDL_RELEASED);
  SDL_JoystickSetVirtualButton(pad, 0, SDL_PRESSED);  // unmapped
  SDL_JoystickSetVirtualAxis(pad, 0, 32767);          // unmapped
  GetInput(INPUT_POLL);
  EXPECT_FALSE(GetInput(INPUT_SHOT));
  EXPECT_FALSE(GetInput(INPUT_RIGHT));
}

TEST(SdlInputScaleTest, AxesScaleIntoTheRangeWithTheDeadZone) {
  struct Case {
    std::int32_t raw, minimum, maximum;
    std::uint32_t deadZone;
    std::int32_t expected;
  };
  const Case cases[] = {
      {0, -1000, 1000, 100, 0},        {32767, -1000, 1000, 100, 1000}, {-32768, -1000, 1000, 100, -1000},
      {300, -1000, 1000, 100, 0},      {-327, -1000, 1000, 100, 0},     {16384, -1000, 1000, 0, 500},
      {16384, -1000, 1000, 5000, 0},   {32767, -1000, 1000, 10000, 0},  {0, 0, 65535, 0, 32768},
      {32767, 0, 65535, 0, 65535},     {-32768, 0, 65535, 0, 0},        {40000, -1000, 1000, 0, 1000},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(sdl::ScaleAxis(test.raw, test.minimum, test.maximum, test.deadZone), test.expected)
        << test.raw << " into " << test.minimum << ".." << test.maximum << " with dead zone " << test.deadZone;
  }
}

TEST(SdlInputKeysTest, KeyboardDeviceReportsTheScanCodesOfTheGamesKeysAndEveryOtherKey) {
  struct Case {
    SDL_Scancode scancode;
    std::uint8_t key;
  };
  const Case cases[] = {
      {SDL_SCANCODE_KP_1, DIK_NUMPAD1}, {SDL_SCANCODE_KP_2, DIK_NUMPAD2}, {SDL_SCANCODE_KP_3, DIK_NUMPAD3},
      {SDL_SCANCODE_KP_4, DIK_NUMPAD4}, {SDL_SCANCODE_KP_5, DIK_NUMPAD5}, {SDL_SCANCODE_KP_6, DIK_NUMPAD6},
      {SDL_SCANCODE_KP_7, DIK_NUMPAD7}, {SDL_SCANCODE_KP_8, DIK_NUMPAD8}, {SDL_SCANCODE_KP_9, DIK_NUMPAD9},
      {SDL_SCANCODE_SPACE, DIK_SPACE},  {SDL_SCANCODE_LSHIFT, DIK_LSHIFT}, {SDL_SCANCODE_RSHIFT, DIK_RSHIFT},
      {SDL_SCANCODE_LCTRL, DIK_LCONTROL}, {SDL_SCANCODE_RCTRL, DIK_RCONTROL}, {SDL_SCANCODE_RETURN, DIK_RETURN},
      {SDL_SCANCODE_ESCAPE, DIK_ESCAPE}, {SDL_SCANCODE_X, DIK_X},          {SDL_SCANCODE_Z, DIK_Z},
      {SDL_SCANCODE_T, DIK_T},          {SDL_SCANCODE_F, DIK_F},           {SDL_SCANCODE_B, DIK_B},
      {SDL_SCANCODE_H, DIK_H},          {SDL_SCANCODE_UP, DIK_UP},         {SDL_SCANCODE_DOWN, DIK_DOWN},
      {SDL_SCANCODE_LEFT, DIK_LEFT},    {SDL_SCANCODE_RIGHT, DIK_RIGHT},   {SDL_SCANCODE_L, 0x26},
      {SDL_SCANCODE_KP_ENTER, 0x9C},    {SDL_SCANCODE_UNKNOWN, 0},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(sdl::DirectInputKeyFromSdl(test.scancode), test.key) << SDL_GetScancodeName(test.scancode);
  }
  // Every key of a full-size keyboard has a code of its own.
  std::set<std::uint8_t> seen;
  for (int scancode = SDL_SCANCODE_A; scancode <= SDL_SCANCODE_KP_PERIOD; ++scancode) {
    const std::uint8_t key = sdl::DirectInputKeyFromSdl(static_cast<SDL_Scancode>(scancode));
    const bool alias = scancode == SDL_SCANCODE_NONUSHASH;  // where ISO boards put backslash
    if (alias) continue;
    EXPECT_NE(key, 0) << SDL_GetScancodeName(static_cast<SDL_Scancode>(scancode));
    EXPECT_TRUE(seen.insert(key).second) << SDL_GetScancodeName(static_cast<SDL_Scancode>(scancode)) << " repeats a code";
  }
  for (int scancode = SDL_SCANCODE_LCTRL; scancode <= SDL_SCANCODE_RGUI; ++scancode) {
    const std::uint8_t key = sdl::DirectInputKeyFromSdl(static_cast<SDL_Scancode>(scancode));
    EXPECT_NE(key, 0) << SDL_GetScancodeName(static_cast<SDL_Scancode>(scancode));
    EXPECT_TRUE(seen.insert(key).second) << SDL_GetScancodeName(static_cast<SDL_Scancode>(scancode)) << " repeats a code";
  }
}

}  // namespace
