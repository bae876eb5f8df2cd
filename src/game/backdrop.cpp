// The scrolling backdrop: the sky, ten parallax strips and eight clouds.
#include "game/play.h"
#include "gfx/gfx.h"

namespace {
constexpr int kStripSpeed[kStripCount] = {1, 4, 5, 6, 7, 8, 10, 12, 16, 20};
}

void PlaceCloudsAtRandom() {
  for (Cloud& cloud : gameRecord.clouds) {
    cloud.x = Rand() % 640;
    cloud.y = Rand() % 240;
    cloud.variant = static_cast<std::uint8_t>(Rand() % 4);
  }
}

void DrawBackdrop() {
  const bool paused = IsPaused();
  const bool clearing = IsClearing();
  DrawPlay(PIC_BG01, 0, 0, 255);
  int y = PictureHeight(PIC_BG01);
  for (int i = 0; i < kStripCount; ++i) {
    const auto strip = static_cast<PictureId>(PIC_BG02 + i);
    std::int16_t& offset = gameRecord.bgOffset[i];
    DrawPlay(strip, offset, y, 255);
    DrawPlay(strip, offset + 640, y, 255);
    y += PictureHeight(strip);
    if (paused) continue;
    offset = static_cast<std::int16_t>(offset - (clearing ? 4 : 1) * kStripSpeed[i]);
    if (offset <= -640) offset = 0;
  }
  for (Cloud& cloud : gameRecord.clouds) {
    const auto picture = static_cast<PictureId>(PIC_KUMO1 + cloud.variant);
    DrawPlay(picture, cloud.x, cloud.y, 255);
    if (paused || gameRecord.timeLeft <= 0) continue;
    cloud.x -= cloud.variant + 1;
    if (clearing) cloud.x -= 8 * (cloud.variant + 1);
    if (cloud.x < -PictureWidth(picture)) {
      cloud.x = 640 + Rand() % 120;
      cloud.y = Rand() % 240;
      cloud.variant = static_cast<std::uint8_t>(Rand() % 4);
    }
  }
}
