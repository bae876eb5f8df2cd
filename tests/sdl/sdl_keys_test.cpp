// Virtual-key codes for SDL keys, and back again for the keyboard-only key state.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/sdl/sdl_keys.h"
#include "platform/window.h"
#include "sdl_test_support.h"

namespace {

using platform::sdl::ScancodesForVirtualKey;
using platform::sdl::VirtualKeyFromSdl;

std::vector<SDL_Scancode> Scancodes(std::uint32_t virtualKey) {
  SDL_Scancode out[8];
  const std::size_t count = ScancodesForVirtualKey(virtualKey, out, 8);
  std::vector<SDL_Scancode> list(out, out + std::min<std::size_t>(count, 8));
  std::sort(list.begin(), list.end());
  return list;
}

std::uint32_t FromScancode(SDL_Scancode scancode) {
  SDL_Keysym key{};
  key.scancode = scancode;
  key.sym = SDL_GetKeyFromScancode(scancode);
  return VirtualKeyFromSdl(key);
}

// The key map needs SDL's video (it holds the keyboard layout).
class SdlKeysTest : public sdltest::BackendTest {};

TEST_F(SdlKeysTest, KeysTheGameNamesHaveTheirVirtualKeys) {
  struct Case {
    SDL_Scancode scancode;
    std::uint32_t virtualKey;
  };
  const Case cases[] = {
      {SDL_SCANCODE_F1, 0x70},       {SDL_SCANCODE_F4, 0x73},      {SDL_SCANCODE_F12, 0x7B},
      {SDL_SCANCODE_A, 'A'},         {SDL_SCANCODE_Z, 'Z'},        {SDL_SCANCODE_0, '0'},
      {SDL_SCANCODE_9, '9'},         {SDL_SCANCODE_LEFT, 0x25},    {SDL_SCANCODE_UP, 0x26},
      {SDL_SCANCODE_RIGHT, 0x27},    {SDL_SCANCODE_DOWN, 0x28},    {SDL_SCANCODE_ESCAPE, 0x1B},
      {SDL_SCANCODE_RETURN, 0x0D},   {SDL_SCANCODE_KP_ENTER, 0x0D}, {SDL_SCANCODE_SPACE, 0x20},
      {SDL_SCANCODE_LSHIFT, 0x10},   {SDL_SCANCODE_RSHIFT, 0x10},  {SDL_SCANCODE_LCTRL, 0x11},
      {SDL_SCANCODE_RCTRL, 0x11},    {SDL_SCANCODE_KP_0, 0x60},    {SDL_SCANCODE_KP_5, 0x65},
      {SDL_SCANCODE_KP_9, 0x69},     {SDL_SCANCODE_SEMICOLON, 0xBA}, {SDL_SCANCODE_MUTE, 0},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(FromScancode(test.scancode), test.virtualKey) << SDL_GetScancodeName(test.scancode);
  }
}

TEST_F(SdlKeysTest, KeyStateCoversBothSidesOfShiftAndControl) {
  EXPECT_EQ(Scancodes(platform::VK_SHIFT), (std::vector<SDL_Scancode>{SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT}));
  EXPECT_EQ(Scancodes(platform::VK_CONTROL), (std::vector<SDL_Scancode>{SDL_SCANCODE_LCTRL, SDL_SCANCODE_RCTRL}));
  EXPECT_EQ(Scancodes(0xA0), (std::vector<SDL_Scancode>{SDL_SCANCODE_LSHIFT}));
  EXPECT_EQ(Scancodes(platform::VK_RETURN), (std::vector<SDL_Scancode>{SDL_SCANCODE_RETURN, SDL_SCANCODE_KP_ENTER}));
  EXPECT_EQ(Scancodes('X'), (std::vector<SDL_Scancode>{SDL_SCANCODE_X}));
  EXPECT_EQ(Scancodes(platform::VK_NUMPAD0 + 8), (std::vector<SDL_Scancode>{SDL_SCANCODE_KP_8}));
  EXPECT_TRUE(Scancodes(0xFF).empty());
}

// Whatever key the state query looks at must be a key that sends that virtual key.
TEST_F(SdlKeysTest, KeyStateAndKeyDownAgree) {
  // Left/right Shift, Ctrl and Alt send the shared code in key-down messages.
  const std::uint32_t sideSpecific[][2] = {{0xA0, 0x10}, {0xA1, 0x10}, {0xA2, 0x11},
                                           {0xA3, 0x11}, {0xA4, 0x12}, {0xA5, 0x12}};
  for (std::uint32_t virtualKey = 1; virtualKey < 0xFF; ++virtualKey) {
    std::uint32_t sent = virtualKey;
    for (const auto& pair : sideSpecific) {
      if (pair[0] == virtualKey) sent = pair[1];
    }
    for (SDL_Scancode scancode : Scancodes(virtualKey)) {
      EXPECT_EQ(FromScancode(scancode), sent)
          << "virtual key 0x" << std::hex << virtualKey << " reads " << SDL_GetScancodeName(scancode);
    }
  }
}

}  // namespace
