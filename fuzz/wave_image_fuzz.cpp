// Arbitrary bytes as a sound effect's RIFF image: the chunk walk keeps inside the image and
// the format and sample reads agree with it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "sound/wave.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CWave wave;
  if (!wave.SetData(data, static_cast<std::uint32_t>(size))) return 0;
  platform::WaveFormat format{};
  wave.GetFormat(&format);
  const std::uint32_t bytes = wave.GetDataSize();
  if (bytes > size) std::abort();  // a data chunk bigger than the image
  std::unique_ptr<unsigned char[]> owned;
  unsigned char* samples = nullptr;
  wave.ReadData(&owned, &samples, 0);
  return 0;
}
