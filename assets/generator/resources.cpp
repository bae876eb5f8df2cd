// The program's own pictures outside the pack: launcher bitmap 130 and window icon 107.
#include <cmath>

#include "pack.h"

namespace {

using namespace palette;

void HourglassEmblem(Canvas& c, double cx, double cy, double size) {
  cairo_t* cr = c.cr();
  c.Glow(cx, cy, size * 1.25, kGold, 0.5);
  cairo_move_to(cr, cx - size * 0.5, cy - size);
  cairo_line_to(cr, cx + size * 0.5, cy - size);
  cairo_line_to(cr, cx + size * 0.08, cy);
  cairo_line_to(cr, cx + size * 0.5, cy + size);
  cairo_line_to(cr, cx - size * 0.5, cy + size);
  cairo_line_to(cr, cx - size * 0.08, cy);
  cairo_close_path(cr);
  c.FillOutline(Hex(0xE8F0F8), kInk, std::max(1.5, size / 10));
  cairo_move_to(cr, cx - size * 0.3, cy - size * 0.6);
  cairo_line_to(cr, cx + size * 0.3, cy - size * 0.6);
  cairo_line_to(cr, cx, cy);
  cairo_close_path(cr);
  c.Colour(kGold);
  cairo_fill(cr);
  cairo_move_to(cr, cx - size * 0.5, cy + size);
  cairo_line_to(cr, cx + size * 0.5, cy + size);
  cairo_line_to(cr, cx, cy + size * 0.5);
  cairo_close_path(cr);
  cairo_fill(cr);
  c.RoundRect(cx - size * 0.7, cy - size * 1.18, size * 1.4, size * 0.2, size * 0.05);
  c.FillOutline(kVermilion, kInk, std::max(1.0, size / 16));
  c.RoundRect(cx - size * 0.7, cy + size * 0.98, size * 1.4, size * 0.2, size * 0.05);
  c.FillOutline(kVermilion, kInk, std::max(1.0, size / 16));
}

}  // namespace

std::vector<unsigned char> RenderLauncherBitmap() {
  // Opaque (the dialog shows a 24-bit bitmap): the title scene in miniature.
  Canvas c(200, 200);
  cairo_t* cr = c.cr();
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 200);
  cairo_pattern_add_color_stop_rgb(sky, 0, 0.12, 0.14, 0.32);
  cairo_pattern_add_color_stop_rgb(sky, 0.65, 0.6, 0.42, 0.62);
  cairo_pattern_add_color_stop_rgb(sky, 1, 0.98, 0.72, 0.55);
  cairo_rectangle(cr, 0, 0, 200, 200);
  cairo_set_source(cr, sky);
  cairo_fill(cr);
  cairo_pattern_destroy(sky);
  cairo_move_to(cr, 0, 200);
  for (int x = 0; x <= 200; x += 4) cairo_line_to(cr, x, 170 + 8 * std::sin(x / 30.0));
  cairo_line_to(cr, 200, 200);
  cairo_close_path(cr);
  c.Colour(Hex(0x3F5A6E));
  cairo_fill(cr);
  HourglassEmblem(c, 150, 70, 28);
  cairo_save(cr);
  cairo_translate(cr, 14, 84);
  cairo_scale(cr, 1.5, 1.5);
  DrawMaiden(c, 0, 0, 1, -0.12);
  cairo_translate(cr, -10, 26);
  DrawMaiden(c, 1, 1, 3, -0.12);
  cairo_restore(cr);
  TextStyle title;
  title.sizePx = 40;
  title.fill = kPaper;
  title.outline = kInk;
  title.outlineWidth = 3;
  c.TextBox("Sorvani", 6, 8, 130, 50, title);
  TextStyle sub = title;
  sub.sizePx = 13;
  sub.fill = kGold;
  sub.outlineWidth = 1.5;
  c.TextBox("時守の巫女", 10, 54, 120, 18, sub);
  return EncodeOpaquePng(c);
}

std::vector<unsigned char> RenderWindowIcon(int size) {
  Canvas c(size, size);
  double s = size / 64.0;
  c.RoundRect(2 * s, 2 * s, 60 * s, 60 * s, 12 * s);
  c.FillOutline(Hex(0x2A2450), kInk, 2 * s);
  HourglassEmblem(c, 32 * s, 32 * s, 19 * s);
  return EncodePng(c, {});
}
