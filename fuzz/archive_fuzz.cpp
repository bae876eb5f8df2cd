// Arbitrary bytes as a data archive: reading any entry must fail cleanly or give a payload that
// lies inside the file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <unistd.h>

#include "gfx/archive.h"

namespace {

std::string ScratchFile() {
  return "/tmp/sorvani-archive-fuzz-" + std::to_string(getpid()) + ".dat";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = ScratchFile();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  // A name the seed packs hold, one they do not, and an empty one.
  for (const char* name : {"PIC_LOGO", "WAV_SHOT_1", "NOSUCH", ""}) {
    std::unique_ptr<unsigned char[]> payload;
    std::uint32_t payloadSize = 0;
    if (ReadArchiveEntry(path.c_str(), name, &payload, &payloadSize) && (payloadSize == 0 || payloadSize > size)) {
      std::abort();  // a payload bigger than the file it came from
    }
  }
  return 0;
}
