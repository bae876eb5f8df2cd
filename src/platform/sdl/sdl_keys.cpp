// Key codes for SDL keys. Virtual keys: letters, digits and punctuation follow the keyboard layout
// (as virtual keys do), everything else follows the key's position; device scan codes always do.
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

namespace platform::sdl {
namespace {

struct ScanKey {
  SDL_Scancode scancode;
  std::uint8_t key;
};

// Positions, not characters: the keyboard device reports where a key sits, as the PC
// keyboard's set-1 scan codes (extended keys with the high bit) number them.
constexpr ScanKey kScanKeys[] = {
    {SDL_SCANCODE_ESCAPE, 0x01},       {SDL_SCANCODE_1, 0x02},          {SDL_SCANCODE_2, 0x03},
    {SDL_SCANCODE_3, 0x04},            {SDL_SCANCODE_4, 0x05},          {SDL_SCANCODE_5, 0x06},
    {SDL_SCANCODE_6, 0x07},            {SDL_SCANCODE_7, 0x08},          {SDL_SCANCODE_8, 0x09},
    {SDL_SCANCODE_9, 0x0A},            {SDL_SCANCODE_0, 0x0B},          {SDL_SCANCODE_MINUS, 0x0C},
    {SDL_SCANCODE_EQUALS, 0x0D},       {SDL_SCANCODE_BACKSPACE, 0x0E},  {SDL_SCANCODE_TAB, 0x0F},
    {SDL_SCANCODE_Q, 0x10},            {SDL_SCANCODE_W, 0x11},          {SDL_SCANCODE_E, 0x12},
    {SDL_SCANCODE_R, 0x13},            {SDL_SCANCODE_T, 0x14},          {SDL_SCANCODE_Y, 0x15},
    {SDL_SCANCODE_U, 0x16},            {SDL_SCANCODE_I, 0x17},          {SDL_SCANCODE_O, 0x18},
    {SDL_SCANCODE_P, 0x19},            {SDL_SCANCODE_LEFTBRACKET, 0x1A}, {SDL_SCANCODE_RIGHTBRACKET, 0x1B},
    {SDL_SCANCODE_RETURN, 0x1C},       {SDL_SCANCODE_LCTRL, 0x1D},      {SDL_SCANCODE_A, 0x1E},
    {SDL_SCANCODE_S, 0x1F},            {SDL_SCANCODE_D, 0x20},          {SDL_SCANCODE_F, 0x21},
    {SDL_SCANCODE_G, 0x22},            {SDL_SCANCODE_H, 0x23},          {SDL_SCANCODE_J, 0x24},
    {SDL_SCANCODE_K, 0x25},            {SDL_SCANCODE_L, 0x26},          {SDL_SCANCODE_SEMICOLON, 0x27},
    {SDL_SCANCODE_APOSTROPHE, 0x28},   {SDL_SCANCODE_GRAVE, 0x29},      {SDL_SCANCODE_LSHIFT, 0x2A},
    {SDL_SCANCODE_BACKSLASH, 0x2B},    {SDL_SCANCODE_NONUSHASH, 0x2B},  {SDL_SCANCODE_Z, 0x2C},
    {SDL_SCANCODE_X, 0x2D},            {SDL_SCANCODE_C, 0x2E},          {SDL_SCANCODE_V, 0x2F},
    {SDL_SCANCODE_B, 0x30},            {SDL_SCANCODE_N, 0x31},          {SDL_SCANCODE_M, 0x32},
    {SDL_SCANCODE_COMMA, 0x33},        {SDL_SCANCODE_PERIOD, 0x34},     {SDL_SCANCODE_SLASH, 0x35},
    {SDL_SCANCODE_RSHIFT, 0x36},       {SDL_SCANCODE_KP_MULTIPLY, 0x37}, {SDL_SCANCODE_LALT, 0x38},
    {SDL_SCANCODE_SPACE, 0x39},        {SDL_SCANCODE_CAPSLOCK, 0x3A},   {SDL_SCANCODE_F1, 0x3B},
    {SDL_SCANCODE_F2, 0x3C},           {SDL_SCANCODE_F3, 0x3D},         {SDL_SCANCODE_F4, 0x3E},
    {SDL_SCANCODE_F5, 0x3F},           {SDL_SCANCODE_F6, 0x40},         {SDL_SCANCODE_F7, 0x41},
    {SDL_SCANCODE_F8, 0x42},           {SDL_SCANCODE_F9, 0x43},         {SDL_SCANCODE_F10, 0x44},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x45}, {SDL_SCANCODE_SCROLLLOCK, 0x46}, {SDL_SCANCODE_KP_7, 0x47},
    {SDL_SCANCODE_KP_8, 0x48},         {SDL_SCANCODE_KP_9, 0x49},       {SDL_SCANCODE_KP_MINUS, 0x4A},
    {SDL_SCANCODE_KP_4, 0x4B},         {SDL_SCANCODE_KP_5, 0x4C},       {SDL_SCANCODE_KP_6, 0x4D},
    {SDL_SCANCODE_KP_PLUS, 0x4E},      {SDL_SCANCODE_KP_1, 0x4F},       {SDL_SCANCODE_KP_2, 0x50},
    {SDL_SCANCODE_KP_3, 0x51},         {SDL_SCANCODE_KP_0, 0x52},       {SDL_SCANCODE_KP_PERIOD, 0x53},
    {SDL_SCANCODE_NONUSBACKSLASH, 0x56}, {SDL_SCANCODE_F11, 0x57},      {SDL_SCANCODE_F12, 0x58},
    {SDL_SCANCODE_F13, 0x64},          {SDL_SCANCODE_F14, 0x65},        {SDL_SCANCODE_F15, 0x66},
    {SDL_SCANCODE_INTERNATIONAL2, 0x70}, {SDL_SCANCODE_INTERNATIONAL1, 0x73}, {SDL_SCANCODE_INTERNATIONAL4, 0x79},
    {SDL_SCANCODE_INTERNATIONAL5, 0x7B}, {SDL_SCANCODE_INTERNATIONAL3, 0x7D}, {SDL_SCANCODE_KP_EQUALS, 0x8D},
    {SDL_SCANCODE_AUDIOPREV, 0x90},    {SDL_SCANCODE_STOP, 0x95},       {SDL_SCANCODE_AUDIONEXT, 0x99},
    {SDL_SCANCODE_KP_ENTER, 0x9C},     {SDL_SCANCODE_RCTRL, 0x9D},      {SDL_SCANCODE_MUTE, 0xA0},
    {SDL_SCANCODE_AUDIOMUTE, 0xA0},    {SDL_SCANCODE_CALCULATOR, 0xA1}, {SDL_SCANCODE_AUDIOPLAY, 0xA2},
    {SDL_SCANCODE_AUDIOSTOP, 0xA4},    {SDL_SCANCODE_VOLUMEDOWN, 0xAE}, {SDL_SCANCODE_VOLUMEUP, 0xB0},
    {SDL_SCANCODE_AC_HOME, 0xB2},      {SDL_SCANCODE_KP_COMMA, 0xB3},   {SDL_SCANCODE_KP_DIVIDE, 0xB5},
    {SDL_SCANCODE_PRINTSCREEN, 0xB7},  {SDL_SCANCODE_SYSREQ, 0xB7},     {SDL_SCANCODE_RALT, 0xB8},
    {SDL_SCANCODE_PAUSE, 0xC5},        {SDL_SCANCODE_HOME, 0xC7},       {SDL_SCANCODE_UP, 0xC8},
    {SDL_SCANCODE_PAGEUP, 0xC9},       {SDL_SCANCODE_LEFT, 0xCB},       {SDL_SCANCODE_RIGHT, 0xCD},
    {SDL_SCANCODE_END, 0xCF},          {SDL_SCANCODE_DOWN, 0xD0},       {SDL_SCANCODE_PAGEDOWN, 0xD1},
    {SDL_SCANCODE_INSERT, 0xD2},       {SDL_SCANCODE_DELETE, 0xD3},     {SDL_SCANCODE_LGUI, 0xDB},
    {SDL_SCANCODE_RGUI, 0xDC},         {SDL_SCANCODE_APPLICATION, 0xDD}, {SDL_SCANCODE_POWER, 0xDE},
    {SDL_SCANCODE_SLEEP, 0xDF},        {SDL_SCANCODE_AC_SEARCH, 0xE5},  {SDL_SCANCODE_AC_BOOKMARKS, 0xE6},
    {SDL_SCANCODE_AC_REFRESH, 0xE7},   {SDL_SCANCODE_AC_STOP, 0xE8},    {SDL_SCANCODE_AC_FORWARD, 0xE9},
    {SDL_SCANCODE_AC_BACK, 0xEA},      {SDL_SCANCODE_COMPUTER, 0xEB},   {SDL_SCANCODE_MAIL, 0xEC},
    {SDL_SCANCODE_MEDIASELECT, 0xED},
};

struct ScanKeyTable {
  std::uint8_t keys[SDL_NUM_SCANCODES] = {};
  constexpr ScanKeyTable() {
    for (const ScanKey& entry : kScanKeys) keys[entry.scancode] = entry.key;
  }
};

constexpr ScanKeyTable kScanKeyTable;

}  // namespace

std::uint8_t DirectInputKeyFromSdl(SDL_Scancode scancode) {
  if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) return 0;
  return kScanKeyTable.keys[scancode];
}

}  // namespace platform::sdl
