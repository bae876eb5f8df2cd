// State shared by both music readers: the loop points and the file mask.
#include "sound/sslib2/wave_reader.h"

namespace sslib2 {

LoopPoints loopPoints;

void UnmaskMusicBytes(unsigned char* bytes, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) bytes[i] ^= kMusicFileMask;
}

}  // namespace sslib2
