// Turns one picture id into its PNG: size from the table, artwork from the family that owns it.
#include <cstdio>

#include "pack.h"

namespace {

// Drawn only for an id that no family claims, so a gap shows up plainly on the contact sheet.
void DrawMissing(Canvas& canvas, PictureId id) {
  canvas.FillEllipse(canvas.width() / 2.0, canvas.height() / 2.0, canvas.width() / 2.0 - 1, canvas.height() / 2.0 - 1,
                     Hex(0xFF00FF));
  char label[16];
  std::snprintf(label, sizeof label, "%d", id);
  TextStyle style;
  style.sizePx = 10;
  canvas.Text(label, 1, 1, style);
}

}  // namespace

std::vector<unsigned char> RenderPicture(PictureId id) {
  PictureSize size = SizeOfPicture(id);
  Canvas canvas(size.width, size.height);
  if (!DrawBackdrop(canvas, id) && !DrawInterface(canvas, id) && !DrawPages(canvas, id) &&
      !DrawSisters(canvas, id) && !DrawEnemies(canvas, id) && !DrawBosses(canvas, id)) {
    std::fprintf(stderr, "svdatagen: no artwork for %d %s\n", id, surfaces[id]);
    DrawMissing(canvas, id);
  }
  return EncodePng(canvas, KeyForName(surfaces[id]));
}
