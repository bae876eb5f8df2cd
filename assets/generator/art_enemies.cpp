// The youkai of the ordinary stages (umbrella walker, gourd clinger, fire cart, wisp), the time
// capsules, the enemy shot and the explosions.
#include <cmath>
#include <cstdio>

#include "pack.h"

namespace {

using namespace palette;

// Umbrella walker: one eye, one hopping leg, a long tongue; it spits from its mouth when firing.
void Walker(Canvas& c, bool facingLeft, bool firing, int frame) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  if (facingLeft) {  // drawn facing right, mirrored for the left-walking frames
    cairo_translate(cr, 48, 0);
    cairo_scale(cr, -1, 1);
  }
  double hop = std::fabs(std::sin(frame * M_PI / 4)) * 4;
  cairo_translate(cr, 0, -hop + 2);
  // Leg and wooden sandal.
  cairo_move_to(cr, 24, 30);
  cairo_line_to(cr, 24 + (frame % 2 ? 2 : -2), 42);
  cairo_set_line_width(cr, 3);
  c.Colour(kInk);
  cairo_stroke(cr);
  c.FillRect(18, 42, 12, 3, Hex(0x8A5A30));
  // Canopy with ribs.
  cairo_move_to(cr, 4, 30);
  cairo_curve_to(cr, 6, 8, 42, 8, 44, 30);
  cairo_curve_to(cr, 36, 27, 30, 32, 24, 29);
  cairo_curve_to(cr, 18, 32, 12, 27, 4, 30);
  cairo_close_path(cr);
  c.FillOutline(Hex(0x9A5AC8), kInk, 1.6);
  for (int i = 0; i < 3; ++i) {
    cairo_move_to(cr, 24, 7);
    cairo_line_to(cr, 10 + i * 14, 29);
  }
  cairo_set_line_width(cr, 1);
  c.Colour(Hex(0x5A3078));
  cairo_stroke(cr);
  c.FillRect(23, 3, 2, 5, kInk);
  // Eye and mouth.
  c.FillEllipse(28, 17, 6, 6, kPaper);
  cairo_set_line_width(cr, 1.2);
  c.Ellipse(28, 17, 6, 6);
  c.Colour(kInk);
  cairo_stroke(cr);
  c.FillEllipse(30, 17, 2.8, 3.2, kInk);
  if (firing) {
    c.FillEllipse(36, 26, 5, 4, Hex(0x3A0A1A));
    c.Glow(42, 26, 9, Hex(0xFF7050), 0.9);
  } else {
    cairo_move_to(cr, 33, 25);
    cairo_curve_to(cr, 38, 27, 40, 31 + (frame % 2), 37, 34);
    cairo_set_line_width(cr, 2.5);
    c.Colour(Hex(0xE05A6A));
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

// Gourd clinger: upright on the floor (mouth up) or hanging from the ceiling (mouth down); the
// frames open its stopper and then spit.
void Gourd(Canvas& c, bool hanging, int frame) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  if (hanging) {
    cairo_translate(cr, 0, 40);
    cairo_scale(cr, 1, -1);
  }
  c.Ellipse(24, 29, 14, 10);
  c.FillOutline(Hex(0xE0A848), kInk, 1.6);
  c.Ellipse(24, 15, 9, 7);
  c.FillOutline(Hex(0xE8B85A), kInk, 1.6);
  c.FillRect(17, 20, 14, 3, kVermilion);  // the cord round its waist
  // Stopper: lifts off as the frames go on.
  double lift = frame * 2.5;
  c.RoundRect(20, 4 - lift, 8, 6, 2);
  c.FillOutline(Hex(0x8A5A30), kInk, 1.2);
  if (frame == 3) c.Glow(24, 6, 9, Hex(0xFF60A0), 0.9);
  cairo_restore(cr);
  // The face stays upright on the big bulb, whichever way the gourd hangs.
  double faceY = hanging ? 40 - 29 : 29;
  bool open = frame >= 2;
  c.FillEllipse(19, faceY - 1, 2, 2.4, kInk);
  c.FillEllipse(29, faceY - 1, 2, 2.4, kInk);
  c.FillEllipse(24, faceY + 4, open ? 3.5 : 2, open ? 2.5 : 1, Hex(0x5A1A10));
}

// Fire cart: a cat's head in a burning wheel. Head pictures look in the eight keypad directions.
void CartHead(Canvas& c, int keypad) {
  static const int kDx[10] = {0, -1, 0, 1, -1, 0, 1, -1, 0, 1}, kDy[10] = {0, 1, 1, 1, 0, 0, 0, -1, -1, -1};
  double dx = kDx[keypad], dy = kDy[keypad];
  cairo_t* cr = c.cr();
  double cx = 20 + dx * 2, cy = 21 + dy * 2;
  for (int side = -1; side <= 1; side += 2) {  // ears
    cairo_move_to(cr, cx + side * 12, cy - 6);
    cairo_line_to(cr, cx + side * 11, cy - 17);
    cairo_line_to(cr, cx + side * 3, cy - 11);
    cairo_close_path(cr);
    c.FillOutline(Hex(0x3A2A2A), kInk, 1.4);
  }
  c.Ellipse(cx, cy, 13, 11);
  c.FillOutline(Hex(0x4A3838), kInk, 1.6);
  for (int side = -1; side <= 1; side += 2) {
    c.FillEllipse(cx + side * 5 + dx * 1.5, cy - 2 + dy * 1.5, 3.4, 3.6, Hex(0xF2D04E));
    c.FillEllipse(cx + side * 5 + dx * 2.5, cy - 2 + dy * 2.5, 1.2, 2.8, kInk);
  }
  c.FillEllipse(cx + dx * 2, cy + 4 + dy, 1.6, 1.2, Hex(0xF08AA0));
  cairo_move_to(cr, cx - 4 + dx * 2, cy + 7);
  cairo_line_to(cr, cx + dx * 2, cy + 6);
  cairo_line_to(cr, cx + 4 + dx * 2, cy + 7);
  cairo_set_line_width(cr, 1.2);
  c.Colour(kPaper);
  cairo_stroke(cr);
}

void CartWheel(Canvas& c, int frame) {
  cairo_t* cr = c.cr();
  double turn = frame * M_PI / 8;
  for (int i = 0; i < 10; ++i) {  // flames round the rim
    double a = turn + i * 2 * M_PI / 10;
    double x = 28 + std::cos(a) * 22, y = 28 + std::sin(a) * 22;
    c.FillEllipse(x, y, 6, 6, Hex(0xF0702A), 0.85);
    c.FillEllipse(x, y, 3, 3, Hex(0xFFD060), 0.9);
  }
  c.Ellipse(28, 28, 20, 20);
  cairo_set_line_width(cr, 5);
  c.Colour(Hex(0x5A3A20));
  cairo_stroke(cr);
  for (int i = 0; i < 6; ++i) {
    double a = turn + i * M_PI / 3;
    cairo_move_to(cr, 28 + std::cos(a) * 4, 28 + std::sin(a) * 4);
    cairo_line_to(cr, 28 + std::cos(a) * 19, 28 + std::sin(a) * 19);
  }
  cairo_set_line_width(cr, 2.5);
  c.Colour(Hex(0x7A5230));
  cairo_stroke(cr);
}

void Wisp(Canvas& c, int frame) {
  cairo_t* cr = c.cr();
  double sway = std::sin(frame * M_PI / 2) * 3;
  c.Glow(22, 22, 18, Hex(0x6AB8FF), 0.5);
  cairo_move_to(cr, 30, 14);
  cairo_curve_to(cr, 22, 2 + sway, 10, 6, 3, 2 - sway);
  cairo_curve_to(cr, 8, 12, 10, 26, 22, 32);
  cairo_close_path(cr);
  c.Colour(Hex(0x8FD3FF), 0.85);
  cairo_fill(cr);
  c.FillEllipse(24, 22, 11, 11, Hex(0xBFE6FF));
  c.FillEllipse(25, 22, 6.5, 6.5, Hex(0xFFFFFF));
  c.FillEllipse(23, 21, 1.5, 2, Hex(0x2A4A8A));
  c.FillEllipse(28, 21, 1.5, 2, Hex(0x2A4A8A));
}

void Capsule(Canvas& c, int seconds) {
  cairo_t* cr = c.cr();
  c.Glow(16, 16, 16, kGold, 0.5);
  c.Ellipse(16, 16, 13, 13);
  c.FillOutline(Hex(0x2A3A6A), kGold, 2.5);
  for (int i = 0; i < 12; ++i) {
    double a = i * M_PI / 6;
    cairo_move_to(cr, 16 + std::cos(a) * 10, 16 + std::sin(a) * 10);
    cairo_line_to(cr, 16 + std::cos(a) * 12, 16 + std::sin(a) * 12);
  }
  cairo_set_line_width(cr, 1);
  c.Colour(kPaper, 0.7);
  cairo_stroke(cr);
  char text[2] = {static_cast<char>('0' + seconds), 0};
  TextStyle style;
  style.sizePx = 18;
  style.fill = kPaper;
  style.outline = kInk;
  style.outlineWidth = 1.5;
  c.TextBox(text, 6, 6, 20, 20, style);
}

void EnemyShot(Canvas& c) {
  c.FillEllipse(7, 7, 6.5, 6.5, Hex(0xB0205A));
  c.FillEllipse(7, 7, 4.5, 4.5, Hex(0xF0508A));
  c.FillEllipse(6, 6, 2.2, 2.2, Hex(0xFFF0F4));
}

// Ten frames: a white flash that swells into a ball of fire, which breaks into puffs and turns to
// smoke that drifts up and thins away.
void Explosion(Canvas& c, int frame) {
  const double half = c.width() / 2.0, t = frame / 9.0;
  struct Puff {
    double angle, reach, size;
  };
  Puff puffs[9];
  std::uint32_t seed = 99;
  for (int i = 0; i < 9; ++i) {
    Puff& p = puffs[i];
    seed = seed * 1664525u + 1013904223u;
    p.angle = i * 2 * M_PI / 9 + ((seed >> 8) % 60) / 100.0;
    p.reach = 0.25 + ((seed >> 16) % 30) / 100.0;
    p.size = 0.22 + ((seed >> 24) % 12) / 100.0;
  }
  double spread = 0.35 + 0.9 * t, grow = std::min(1.0, 0.45 + t * 1.4), rise = t * t * half * 0.35;
  const Rgb layers[3] = {Hex(0xC8302A), Hex(0xF08A2A), Hex(0xFFD860)};
  const Rgb smoke = Hex(0x6A6070);
  for (int layer = 0; layer < 3; ++layer) {
    double shrink = 1 - layer * 0.28;
    for (const Puff& p : puffs) {
      double x = half + std::cos(p.angle) * p.reach * spread * half;
      double y = half + std::sin(p.angle) * p.reach * spread * half - rise;
      double r = p.size * half * 1.5 * grow * shrink * (1 - 0.35 * t);
      Rgb colour = Mix(layers[layer], smoke, std::min(1.0, std::max(0.0, (t - 0.35) * 2.2 + layer * 0.1)));
      double alpha = t < 0.6 ? 1.0 : 1.0 - (t - 0.6) / 0.45;
      if (layer == 2 && t > 0.55) continue;  // the hot centres go out first
      c.FillEllipse(x, y, r, r, colour, alpha);
    }
  }
  if (t < 0.35) {  // the flash
    double r = half * (0.35 + t * 1.2);
    c.FillEllipse(half, half, r, r, Hex(0xFFF6D8), 1 - t * 2.2);
  }
  for (int i = 0; i < 8; ++i) {  // flying embers
    double a = i * M_PI / 4 + 0.3, d = half * (0.35 + 0.6 * t);
    double r = 1 + half / 28;
    c.FillEllipse(half + std::cos(a) * d, half + std::sin(a) * d, r, r, Hex(0xFFD060), std::max(0.0, 1 - t * 1.1));
  }
}

}  // namespace

void DrawYoukai(Canvas& c, int kind, int frame) {
  switch (kind) {
    case 1: Walker(c, false, false, frame); break;
    case 2: Gourd(c, false, frame); break;
    case 3: CartHead(c, 4); break;
    default: Wisp(c, frame); break;
  }
}

bool DrawEnemies(Canvas& c, PictureId id) {
  if (id >= PIC_OTA_LEFT_FIRE_1 && id <= PIC_OTA_RIGHT_STAND_4) {
    int index = id - PIC_OTA_LEFT_FIRE_1;  // LEFT-FIRE, LEFT-STAND, RIGHT-FIRE, RIGHT-STAND
    Walker(c, index < 8, (index / 4) % 2 == 0, index % 4);
  } else if (id >= PIC_HYO_UP_1 && id <= PIC_HYO_UP_4) {
    Gourd(c, false, id - PIC_HYO_UP_1);
  } else if (id >= PIC_HYO_DOWN_1 && id <= PIC_HYO_DOWN_4) {
    Gourd(c, true, id - PIC_HYO_DOWN_1);
  } else if (id >= PIC_KASHA_HEAD_1 && id <= PIC_KASHA_HEAD_9) {
    static const int kKeypad[8] = {1, 2, 3, 4, 6, 7, 8, 9};
    CartHead(c, kKeypad[id - PIC_KASHA_HEAD_1]);
  } else if (id >= PIC_KASHA_KURUMA_1 && id <= PIC_KASHA_KURUMA_4) {
    CartWheel(c, id - PIC_KASHA_KURUMA_1);
  } else if (id >= PIC_HITOTAMA_1 && id <= PIC_HITOTAMA_4) {
    Wisp(c, id - PIC_HITOTAMA_1);
  } else if (id >= PIC_ITEM1 && id <= PIC_ITEM5) {
    Capsule(c, id - PIC_ITEM1 + 1);
  } else if (id == PIX_TEKITAMA) {
    EnemyShot(c);
  } else if (id >= PIC_BAKU1 && id <= PIC_BAKUA) {
    Explosion(c, id - PIC_BAKU1);
  } else if (id >= PIC_BIGBAKU1 && id <= PIC_BIGBAKUA) {
    Explosion(c, id - PIC_BIGBAKU1);
  } else {
    return false;
  }
  return true;
}
