// UTF-8 to Shift-JIS (code page 932) for the text that leaves the program in that code page.
#include "app/shift_jis.h"

#include <iconv.h>

#include <cerrno>

namespace {

// Bytes of the UTF-8 character at the front; 1 for a byte that starts no well-formed character.
std::size_t CharacterLength(const char* text, std::size_t left) {
  auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3 : lead >= 0xF0 && lead < 0xF5 ? 4 : 1;
  if (length > left) return 1;
  for (std::size_t i = 1; i < length; ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 1;
  return length;
}

}  // namespace

std::string Utf8ToShiftJis(const std::string& utf8) {
  static iconv_t converter = iconv_open("CP932", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return utf8;
  iconv(converter, nullptr, nullptr, nullptr, nullptr);

  std::string out;
  out.reserve(utf8.size());
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char buffer[256];
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    std::size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    // Unconvertible or broken input: one '?' for the character, then go on after it.
    std::size_t skip = CharacterLength(in, inLeft);
    in += skip;
    inLeft -= skip;
    out.push_back('?');
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
  }
  return out;
}
