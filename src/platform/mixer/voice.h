// One sound buffer as the mixer keeps it: the samples, the cursor, the notifications.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/sound.h"

namespace mixer {

struct Voice {
  // Fixed at creation; the samples are written through Lock without the mixer's lock.
  std::vector<unsigned char> data;
  platform::WaveFormat format;
  std::uint32_t blockAlign = 0;
  std::uint32_t frameCount = 0;
  std::uint64_t step = 0;  // source frames per output frame, 32.32 fixed point

  // Everything below is guarded by the mixer's lock.
  bool playing = false;
  bool looping = false;
  bool lost = false;
  bool inMix = false;  // a running mix holds this voice (reads or skips its samples)
  std::uint32_t frame = 0;
  std::uint32_t fraction = 0;
  std::int32_t volume = 0;
  float gain = 1.0f;
  // Bumped by every call that moves or stops the cursor, so a mix that ran meanwhile does not
  // overwrite what the caller set.
  std::uint32_t generation = 0;
  std::vector<platform::NotifyPosition> notifications;  // sorted by offset
  // Regions between notification offsets (the first starts at 0) and whether each was written
  // since it last played; playing a stale one is an underrun.
  std::vector<std::uint32_t> regionStarts;
  std::vector<unsigned char> fresh;
  bool locked = false;
  std::uint32_t lockOffset = 0;
  std::uint32_t lockBytes = 0;
};

}  // namespace mixer
