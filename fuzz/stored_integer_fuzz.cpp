// ReadIntegerA's conversion over any stored type and any bytes: first four bytes choose the
// type, the rest is the value.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "app/rega.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  std::uint32_t type;
  std::memcpy(&type, data, 4);
  type %= 12;  // every registry type and a few beyond
  volatile std::int32_t value =
      ConvertStoredInteger(type, data + 4, static_cast<std::uint32_t>(size - 4), -12345);
  (void)value;
  return 0;
}
