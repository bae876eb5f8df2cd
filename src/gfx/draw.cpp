// Drawing pictures through the shared sprite, and the two digit helpers.
#include "app/app.h"
#include "gfx/gfx.h"

namespace {

// Nothing is drawn in a frame the half-rate option skips, nor with a picture not loaded.
void Draw(PictureId id, const platform::Rect& source, const platform::Vector2* scaling, float x, float y,
          int alpha) {
  if (!DrawsThisFrame() || !graphics.pSprite) return;
  platform::Texture* texture = PictureTexture(id);
  if (!texture) return;
  const platform::Vector2 at{x, y};
  graphics.pSprite->Draw(texture, &source, scaling, nullptr, 0.0f, &at, PictureColour(alpha));
}

platform::Rect WholePicture(PictureId id) { return platform::Rect{0, 0, PictureWidth(id), PictureHeight(id)}; }

}  // namespace

void DrawPicture(PictureId id, float x, float y, int alpha) { Draw(id, WholePicture(id), nullptr, x, y, alpha); }

void DrawPicturePart(PictureId id, const platform::Rect& source, float x, float y, int alpha) {
  Draw(id, source, nullptr, x, y, alpha);
}

void DrawPictureScaled(PictureId id, const platform::Rect& source, platform::Vector2 scaling, float x, float y,
                       int alpha) {
  Draw(id, source, &scaling, x, y, alpha);
}

void DrawNumber(int value, int alpha, float x, float y, int digitCount) {
  if (value < 0) value = 0;
  // Place values from the hundred-thousands down; the tens and units always show.
  static const int kPlaces[6] = {100000, 10000, 1000, 100, 10, 1};
  static const int kShownAbove[6] = {5, 4, 3, 2, -1, -1};
  constexpr float kAdvance = 16.0f;
  for (int place = 0; place < 6; ++place) {
    if (digitCount <= kShownAbove[place]) continue;
    const int digit = value / kPlaces[place] % 10;
    DrawPicture(static_cast<PictureId>(PIC_0 + digit), x, y, alpha);
    x += kAdvance;
  }
}

void DrawStageNumber(int value, int alpha, float x, float y) {
  const int width = PictureWidth(PIC_STAGE0);
  if (value >= 10) {
    DrawPicture(static_cast<PictureId>(PIC_STAGE0 + value / 10 % 10), x, y, alpha);
    DrawPicture(static_cast<PictureId>(PIC_STAGE0 + value % 10), x + static_cast<float>(width), y, alpha);
    return;
  }
  const int digit = value < 0 ? 0 : value;
  DrawPicture(static_cast<PictureId>(PIC_STAGE0 + digit), x + static_cast<float>(width / 2), y, alpha);
}
