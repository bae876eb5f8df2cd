// Arbitrary text as the settings file: parsing never fails hard, and what is saved reads back
// to the very same file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/sdl/reg_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> problems;
  platform::sdl::RegFile file;
  file.Parse(std::string(reinterpret_cast<const char*>(data), size), &problems);
  const std::string saved = file.Serialize();
  platform::sdl::RegFile again;
  again.Parse(saved, &problems);
  if (again.Serialize() != saved) std::abort();
  return 0;
}
