// Virtual-key codes for SDL keys: letters, digits and punctuation follow the keyboard layout
// (as virtual keys do), everything else follows the key's position.
#include "platform/sdl/sdl_keys.h"

#include "platform/window.h"

namespace platform::sdl {
namespace {

struct PositionalKey {
  SDL_Scancode scancode;
  std::uint32_t messageKey;  // what WM_KEYDOWN carries
  std::uint32_t sideKey;     // the left/right-specific code, 0 when the key has none
};

constexpr std::uint32_t kVkBack = 0x08, kVkTab = 0x09, kVkMenu = 0x12, kVkPause = 0x13,
                        kVkCapital = 0x14, kVkPrior = 0x21, kVkNext = 0x22, kVkEnd = 0x23,
                        kVkHome = 0x24, kVkSnapshot = 0x2C, kVkInsert = 0x2D, kVkDelete = 0x2E,
                        kVkLWin = 0x5B, kVkRWin = 0x5C, kVkApps = 0x5D, kVkMultiply = 0x6A,
                        kVkAdd = 0x6B, kVkSubtract = 0x6D, kVkDecimal = 0x6E, kVkDivide = 0x6F,
                        kVkNumLock = 0x90, kVkScroll = 0x91, kVkLShift = 0xA0, kVkRShift = 0xA1,
                        kVkLControl = 0xA2, kVkRControl = 0xA3, kVkLMenu = 0xA4, kVkRMenu = 0xA5;

constexpr PositionalKey kPositionalKeys[] = {
    {SDL_SCANCODE_BACKSPACE, kVkBack, 0},
    {SDL_SCANCODE_TAB, kVkTab, 0},
    {SDL_SCANCODE_RETURN, VK_RETURN, 0},
    {SDL_SCANCODE_KP_ENTER, VK_RETURN, 0},
    {SDL_SCANCODE_LSHIFT, VK_SHIFT, kVkLShift},
    {SDL_SCANCODE_RSHIFT, VK_SHIFT, kVkRShift},
    {SDL_SCANCODE_LCTRL, VK_CONTROL, kVkLControl},
    {SDL_SCANCODE_RCTRL, VK_CONTROL, kVkRControl},
    {SDL_SCANCODE_LALT, kVkMenu, kVkLMenu},
    {SDL_SCANCODE_RALT, kVkMenu, kVkRMenu},
    {SDL_SCANCODE_PAUSE, kVkPause, 0},
    {SDL_SCANCODE_CAPSLOCK, kVkCapital, 0},
    {SDL_SCANCODE_ESCAPE, VK_ESCAPE, 0},
    {SDL_SCANCODE_SPACE, VK_SPACE, 0},
    {SDL_SCANCODE_PAGEUP, kVkPrior, 0},
    {SDL_SCANCODE_PAGEDOWN, kVkNext, 0},
    {SDL_SCANCODE_END, kVkEnd, 0},
    {SDL_SCANCODE_HOME, kVkHome, 0},
    {SDL_SCANCODE_LEFT, VK_LEFT, 0},
    {SDL_SCANCODE_UP, VK_UP, 0},
    {SDL_SCANCODE_RIGHT, VK_RIGHT, 0},
    {SDL_SCANCODE_DOWN, VK_DOWN, 0},
    {SDL_SCANCODE_PRINTSCREEN, kVkSnapshot, 0},
    {SDL_SCANCODE_INSERT, kVkInsert, 0},
    {SDL_SCANCODE_DELETE, kVkDelete, 0},
    {SDL_SCANCODE_LGUI, kVkLWin, 0},
    {SDL_SCANCODE_RGUI, kVkRWin, 0},
    {SDL_SCANCODE_APPLICATION, kVkApps, 0},
    {SDL_SCANCODE_KP_0, VK_NUMPAD0 + 0, 0},
    {SDL_SCANCODE_KP_1, VK_NUMPAD0 + 1, 0},
    {SDL_SCANCODE_KP_2, VK_NUMPAD0 + 2, 0},
    {SDL_SCANCODE_KP_3, VK_NUMPAD0 + 3, 0},
    {SDL_SCANCODE_KP_4, VK_NUMPAD0 + 4, 0},
    {SDL_SCANCODE_KP_5, VK_NUMPAD0 + 5, 0},
    {SDL_SCANCODE_KP_6, VK_NUMPAD0 + 6, 0},
    {SDL_SCANCODE_KP_7, VK_NUMPAD0 + 7, 0},
    {SDL_SCANCODE_KP_8, VK_NUMPAD0 + 8, 0},
    {SDL_SCANCODE_KP_9, VK_NUMPAD0 + 9, 0},
    {SDL_SCANCODE_KP_MULTIPLY, kVkMultiply, 0},
    {SDL_SCANCODE_KP_PLUS, kVkAdd, 0},
    {SDL_SCANCODE_KP_MINUS, kVkSubtract, 0},
    {SDL_SCANCODE_KP_PERIOD, kVkDecimal, 0},
    {SDL_SCANCODE_KP_DIVIDE, kVkDivide, 0},
    {SDL_SCANCODE_NUMLOCKCLEAR, kVkNumLock, 0},
    {SDL_SCANCODE_SCROLLLOCK, kVkScroll, 0},
};

// Keys whose virtual key depends on the layout: the character they type decides.
struct CharacterKey {
  SDL_Keycode keycode;
  std::uint32_t virtualKey;
};

constexpr CharacterKey kPunctuationKeys[] = {
    {SDLK_SEMICOLON, 0xBA}, {SDLK_EQUALS, 0xBB},    {SDLK_COMMA, 0xBC},        {SDLK_MINUS, 0xBD},
    {SDLK_PERIOD, 0xBE},    {SDLK_SLASH, 0xBF},     {SDLK_BACKQUOTE, 0xC0},    {SDLK_LEFTBRACKET, 0xDB},
    {SDLK_BACKSLASH, 0xDC}, {SDLK_RIGHTBRACKET, 0xDD}, {SDLK_QUOTE, 0xDE},
};

// Letters and digits: the virtual key is the upper-case character itself.
std::uint32_t CharacterVirtualKey(SDL_Keycode keycode) {
  if (keycode >= SDLK_a && keycode <= SDLK_z) return 'A' + static_cast<std::uint32_t>(keycode - SDLK_a);
  if (keycode >= SDLK_0 && keycode <= SDLK_9) return '0' + static_cast<std::uint32_t>(keycode - SDLK_0);
  for (const CharacterKey& key : kPunctuationKeys) {
    if (key.keycode == keycode) return key.virtualKey;
  }
  return 0;
}

SDL_Keycode KeycodeForCharacterKey(std::uint32_t virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z') return SDLK_a + static_cast<SDL_Keycode>(virtualKey - 'A');
  if (virtualKey >= '0' && virtualKey <= '9') return SDLK_0 + static_cast<SDL_Keycode>(virtualKey - '0');
  for (const CharacterKey& key : kPunctuationKeys) {
    if (key.virtualKey == virtualKey) return key.keycode;
  }
  return SDLK_UNKNOWN;
}

}  // namespace

std::uint32_t VirtualKeyFromSdl(const SDL_Keysym& key) {
  if (std::uint32_t character = CharacterVirtualKey(key.sym)) return character;
  if (key.scancode >= SDL_SCANCODE_F1 && key.scancode <= SDL_SCANCODE_F12) {
    return VK_F1 + static_cast<std::uint32_t>(key.scancode - SDL_SCANCODE_F1);
  }
  for (const PositionalKey& entry : kPositionalKeys) {
    if (entry.scancode == key.scancode) return entry.messageKey;
  }
  return 0;
}

std::size_t ScancodesForVirtualKey(std::uint32_t virtualKey, SDL_Scancode* out, std::size_t maxCount) {
  std::size_t count = 0;
  auto add = [&](SDL_Scancode scancode) {
    if (scancode == SDL_SCANCODE_UNKNOWN) return;
    if (count < maxCount) out[count] = scancode;
    ++count;
  };
  if (SDL_Keycode keycode = KeycodeForCharacterKey(virtualKey); keycode != SDLK_UNKNOWN) {
    add(SDL_GetScancodeFromKey(keycode));
    return count;
  }
  if (virtualKey >= VK_F1 && virtualKey < VK_F1 + 12) {
    add(static_cast<SDL_Scancode>(SDL_SCANCODE_F1 + (virtualKey - VK_F1)));
    return count;
  }
  for (const PositionalKey& entry : kPositionalKeys) {
    if (entry.messageKey == virtualKey || (entry.sideKey != 0 && entry.sideKey == virtualKey)) add(entry.scancode);
  }
  return count;
}

}  // namespace platform::sdl
