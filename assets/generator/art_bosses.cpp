// The six bosses: the lantern (stage 5), the lion dog (10), the tengu (15), the fox (20), the
// bone giant (25) and the serpent with its mask and thrown scales (30).
#include <cmath>

#include "pack.h"

namespace {

using namespace palette;

// Boss 1: a paper lantern youkai; its mouth opens on the left, where its shots leave (28, 54).
void Lantern(Canvas& c, int frame, bool attacking) {
  cairo_t* cr = c.cr();
  double sway = attacking ? 0 : std::sin(frame * M_PI / 2) * 1.5;
  c.Glow(56, 62, 58, Hex(0xFFB060), 0.35);
  c.FillRect(40, 2, 32, 10, kInk);  // the cap and the hook
  c.FillRect(44, 0, 24, 3, kGold);
  c.Ellipse(56 + sway, 62, 50, 52);
  c.FillOutline(Hex(0xF2E2C0), kInk, 2.5);
  for (int rib = -4; rib <= 4; ++rib) {  // paper ribs
    double y = 62 + rib * 11;
    double half = 50 * std::sqrt(std::max(0.0, 1 - std::pow((y - 62) / 52, 2)));
    cairo_move_to(cr, 56 + sway - half, y);
    cairo_line_to(cr, 56 + sway + half, y);
  }
  cairo_set_line_width(cr, 1.2);
  c.Colour(Hex(0xB8A080));
  cairo_stroke(cr);
  c.FillRect(40, 108, 32, 10, kInk);
  c.FillEllipse(56 + sway, 70, 40, 34, Hex(0xFFD080), 0.25);  // the flame showing through
  // One great eye, upper right.
  c.Ellipse(70 + sway, 40, 14, 12);
  c.FillOutline(kPaper, kInk, 2);
  c.FillEllipse(66 + sway, 41, 6, 7, Hex(0x3A1A40));
  c.FillEllipse(64 + sway, 38, 2, 2, kPaper);
  // Mouth on the left, opening through the attack frames.
  double open = attacking ? 4 + frame * 5 : 3 + (frame % 2);
  c.Ellipse(30, 56, 16, open);
  c.FillOutline(Hex(0x5A0A1A), kInk, 2);
  if (attacking && frame >= 2) c.Glow(26, 55, 14 + frame * 2, Hex(0xFF6A30), 0.9);
  cairo_move_to(cr, 28, 58 + open * 0.5);
  cairo_curve_to(cr, 24, 70 + open, 34, 78 + open, 38, 68);
  cairo_set_line_width(cr, 5);
  c.Colour(Hex(0xE0506A));
  cairo_stroke(cr);
}

// Boss 2's part boxes (left, top, right, bottom) per frame: the game hits it only there, so each
// frame's body is drawn into its box.
const int kLionBoxes[14][4] = {{23, 42, 101, 85}, {23, 42, 101, 85}, {23, 42, 101, 85}, {55, 46, 89, 99},
                               {24, 56, 95, 90},  {40, 35, 99, 97},  {31, 50, 87, 106}, {26, 42, 103, 85},
                               {26, 42, 103, 85}, {26, 42, 103, 85}, {20, 34, 84, 84},  {21, 32, 88, 69},
                               {37, 14, 80, 98},  {33, 39, 60, 96}};

// Boss 2: a jade lion dog, facing right (facing 1) or left (-1); its walking body (23..101 by
// 42..85 as drawn) is stretched onto the frame's box, which squashes and rears it through the
// turns; step moves the legs of the walk.
void LionDog(Canvas& c, int frame, double facing, int step) {
  cairo_t* cr = c.cr();
  const Rgb body = Hex(0x3E8A5A), mane = Hex(0xE8A63A), shade = Hex(0x2A5E3E);
  const int* box = kLionBoxes[frame];
  double sx = (box[2] - box[0]) / 78.0, sy = std::min(1.1, (box[3] - box[1]) / 43.0);
  cairo_save(cr);
  cairo_translate(cr, (box[0] + box[2]) / 2.0, (box[1] + box[3]) / 2.0);
  cairo_scale(cr, facing * sx, sy);
  cairo_translate(cr, -62, -63.5);
  double lift[4] = {0, 0, 0, 0};
  lift[step % 4] = 5;
  lift[(step + 2) % 4] = 2;
  for (int leg = 0; leg < 4; ++leg) {  // legs, far pair darker
    double x = 34 + leg * 17;
    c.RoundRect(x, 78 - lift[leg], 11, 26, 4);
    c.FillOutline(leg % 2 ? body : shade, kInk, 2);
    c.RoundRect(x - 2, 100 - lift[leg], 15, 7, 3);
    c.FillOutline(Hex(0xE8D8B0), kInk, 1.5);
  }
  // Tail: a flame-shaped curl.
  cairo_move_to(cr, 26, 58);
  cairo_curve_to(cr, 6, 50, 4, 28, 18, 24);
  cairo_curve_to(cr, 14, 34, 22, 42, 30, 48);
  cairo_close_path(cr);
  c.FillOutline(mane, kInk, 2);
  c.Ellipse(60, 66, 38, 20);
  c.FillOutline(body, kInk, 2.5);
  for (int spot = 0; spot < 4; ++spot) c.FillEllipse(42 + spot * 12, 62 + (spot % 2) * 6, 4, 3, shade);
  // Mane and head at the front (right).
  for (int lock = 0; lock < 7; ++lock) {
    double a = -1.6 + lock * 0.5;
    c.FillEllipse(92 + std::cos(a) * 17, 46 + std::sin(a) * 17, 9, 9, mane);
  }
  c.Ellipse(94, 46, 18, 17);
  c.FillOutline(body, kInk, 2.5);
  c.FillEllipse(101, 40, 5, 4.5, kPaper);
  c.FillEllipse(103, 40, 2.5, 3, kInk);
  c.RoundRect(98, 50, 20, 10, 4);
  c.FillOutline(Hex(0x6ABA80), kInk, 2);
  c.FillRect(104, 58, 12, 3, kPaper);  // teeth
  c.FillRect(80, 60, 20, 5, kVermilion);  // the red collar
  c.FillEllipse(90, 66, 4, 4, kGold);     // its bell
  cairo_restore(cr);
}

// Boss 3: a tengu's head with beating wings.
void Tengu(Canvas& c, int frame) {
  cairo_t* cr = c.cr();
  double beat = std::sin(frame * M_PI / 3);
  for (int side = -1; side <= 1; side += 2) {
    for (int feather = 0; feather < 5; ++feather) {
      cairo_save(cr);
      cairo_translate(cr, 64, 60);
      cairo_rotate(cr, side * (0.9 + feather * 0.22 + beat * 0.18));
      c.RoundRect(-6, -62, 12, 42, 5);
      c.FillOutline(Mix(Hex(0x2A2A3A), Hex(0x5A4A6A), feather / 4.0), kInk, 1.5);
      cairo_restore(cr);
    }
  }
  c.Ellipse(64, 64, 32, 36);
  c.FillOutline(Hex(0xC8302A), kInk, 2.5);
  cairo_move_to(cr, 64, 58);  // the long nose, pointing at the players
  cairo_curve_to(cr, 40, 60, 14, 66, 8, 70);
  cairo_curve_to(cr, 20, 74, 44, 74, 64, 72);
  cairo_close_path(cr);
  c.FillOutline(Hex(0xD8402C), kInk, 2);
  for (int side = -1; side <= 1; side += 2) {
    c.FillEllipse(64 + side * 13, 50, 7, 5, kGold);
    c.FillEllipse(64 + side * 13 - 2, 50, 3, 3.5, kInk);
    cairo_move_to(cr, 64 + side * 5, 40);
    cairo_line_to(cr, 64 + side * 22, 36);
    cairo_set_line_width(cr, 4);
    c.Colour(kPaper);
    cairo_stroke(cr);
  }
  c.RoundRect(52, 18, 24, 12, 3);  // the small black cap
  c.FillOutline(kInk, kGold, 1.5);
  for (int i = 0; i < 4; ++i) c.FillEllipse(52 + i * 8, 96, 4, 4, kPaper);  // prayer beads
}

// Boss 4: a white fox spirit standing in a circle of fire, tails swaying.
void Fox(Canvas& c, int frame) {
  cairo_t* cr = c.cr();
  for (int tail = 0; tail < 5; ++tail) {
    double a = -2.4 + tail * 0.45 + std::sin(frame * M_PI / 3 + tail) * 0.12;
    cairo_save(cr);
    cairo_translate(cr, 47, 80);
    cairo_rotate(cr, a);
    c.Ellipse(30, 0, 28, 9);
    c.FillOutline(Hex(0xF4EEE0), kInk, 1.6);
    c.FillEllipse(52, 0, 7, 6, Hex(0xE8A63A));
    cairo_restore(cr);
  }
  c.Ellipse(47, 84, 20, 28);  // robe
  c.FillOutline(Hex(0x8C3AA8), kInk, 2);
  c.FillRect(30, 78, 34, 5, kGold);
  c.Ellipse(47, 46, 17, 16);
  c.FillOutline(Hex(0xF8F2E8), kInk, 2);
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, 47 + side * 6, 34);
    cairo_line_to(cr, 47 + side * 17, 14);
    cairo_line_to(cr, 47 + side * 17, 38);
    cairo_close_path(cr);
    c.FillOutline(Hex(0xF8F2E8), kInk, 1.8);
    cairo_move_to(cr, 47 + side * 4, 46);
    cairo_line_to(cr, 47 + side * 12, 43);
    cairo_set_line_width(cr, 2.2);
    c.Colour(kVermilion);
    cairo_stroke(cr);
  }
  c.FillEllipse(47, 56, 3, 2, kInk);
  double flicker = frame % 2 ? 3 : 0;
  c.FillEllipse(14, 100 - flicker, 6, 9, Hex(0xB08AF0), 0.9);
  c.FillEllipse(80, 100 - 3 + flicker, 6, 9, Hex(0xB08AF0), 0.9);
}

// Boss 5: a great skull with grasping hands; eyes burn brighter through the frames.
void BoneGiant(Canvas& c, int frame) {
  cairo_t* cr = c.cr();
  double jaw = (frame % 4) * 2.5;
  for (int side = -1; side <= 1; side += 2) {
    for (int finger = 0; finger < 4; ++finger) {
      cairo_move_to(cr, 64 + side * 44, 104);
      cairo_line_to(cr, 64 + side * (30 + finger * 8), 84 - finger * 3 - (frame % 2) * 3);
    }
    cairo_set_line_width(cr, 5);
    c.Colour(kInk);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 3);
    c.Colour(Hex(0xE8E0C8));
    cairo_stroke(cr);
  }
  c.Ellipse(64, 50, 40, 38);
  c.FillOutline(Hex(0xE8E0C8), kInk, 2.5);
  c.RoundRect(38, 76 + jaw, 52, 22, 8);
  c.FillOutline(Hex(0xD8D0B8), kInk, 2.5);
  for (int tooth = 0; tooth < 6; ++tooth) c.FillRect(42 + tooth * 8, 76 + jaw, 5, 6, kPaper);
  double burn = 0.5 + frame / 14.0;
  for (int side = -1; side <= 1; side += 2) {
    c.FillEllipse(64 + side * 16, 48, 11, 12, Hex(0x2A1020));
    c.Glow(64 + side * 16, 50, 10, Hex(0xFF5A30), burn);
    c.FillEllipse(64 + side * 16, 50, 3, 3, Hex(0xFFE0A0));
  }
  cairo_move_to(cr, 64, 60);
  cairo_line_to(cr, 59, 70);
  cairo_line_to(cr, 69, 70);
  cairo_close_path(cr);
  c.Colour(Hex(0x2A1020));
  cairo_fill(cr);
}

// Boss 6: a coiled serpent. Pose A idles, B rears to strike, C reels when hurt.
void Serpent(Canvas& c, char pose, int frame) {
  cairo_t* cr = c.cr();
  const Rgb scale = pose == 'C' ? Hex(0x8A3A5A) : Hex(0x5A3A8A), belly = Hex(0xE8C878);
  double rise = pose == 'B' ? frame * 6 : 0, wobble = std::sin(frame * M_PI / 2) * 4;
  for (int coil = 3; coil >= 0; --coil) {
    c.Ellipse(80 + (coil % 2 ? 8 : -8), 130 - coil * 14, 56 - coil * 6, 16);
    c.FillOutline(Mix(scale, kInk, 0.15 * coil), kInk, 2.5);
  }
  cairo_move_to(cr, 96, 110);
  cairo_curve_to(cr, 120, 80, 60 + wobble, 70 - rise * 0.5, 70, 40 - rise);
  cairo_set_line_width(cr, 26);
  c.Colour(kInk);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 21);
  c.Colour(scale);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 8);
  c.Colour(belly);
  cairo_stroke(cr);
  double hx = 62 + wobble, hy = 34 - rise;
  c.Ellipse(hx, hy, 26, 18);
  c.FillOutline(scale, kInk, 2.5);
  c.Ellipse(hx - 18, hy + 6, 16, pose == 'B' ? 12 : 7);  // jaws open to the left when striking
  c.FillOutline(Hex(0x4A1020), kInk, 2);
  for (int horn = -1; horn <= 1; horn += 2) {
    cairo_move_to(cr, hx + 6, hy - 10 * horn * 0 - 12);
    cairo_line_to(cr, hx + 22, hy - 24 + horn * 4);
    cairo_line_to(cr, hx + 12, hy - 8);
    cairo_close_path(cr);
    c.FillOutline(kGold, kInk, 1.5);
  }
  c.FillEllipse(hx - 6, hy - 4, 5, 4, Hex(0xF2D04E));
  c.FillEllipse(hx - 7, hy - 4, 1.5, 3.5, kInk);
  if (pose == 'C') c.FillEllipse(hx + 4, hy + 2, 10, 3, kPaper, 0.7);
}

void ThrownScale(Canvas& c) {
  cairo_t* cr = c.cr();
  cairo_move_to(cr, 32, 4);
  cairo_curve_to(cr, 58, 16, 58, 46, 32, 60);
  cairo_curve_to(cr, 6, 46, 6, 16, 32, 4);
  cairo_close_path(cr);
  c.FillOutline(Hex(0x6A4A9A), kInk, 2.5);
  cairo_move_to(cr, 32, 12);
  cairo_curve_to(cr, 46, 22, 46, 40, 32, 52);
  cairo_set_line_width(cr, 3);
  c.Colour(Hex(0xE8C878));
  cairo_stroke(cr);
}

void Mask(Canvas& c) {
  cairo_t* cr = c.cr();
  c.Glow(48, 50, 48, Hex(0xFF6A4A), 0.3);
  c.Ellipse(48, 50, 34, 40);
  c.FillOutline(Hex(0xF4EAD8), kInk, 2.5);
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, 48 + side * 18, 18);
    cairo_curve_to(cr, 48 + side * 30, 6, 48 + side * 34, 0, 48 + side * 40, 2);
    cairo_curve_to(cr, 48 + side * 34, 10, 48 + side * 28, 18, 48 + side * 24, 24);
    cairo_close_path(cr);
    c.FillOutline(kGold, kInk, 1.8);
    c.FillEllipse(48 + side * 13, 44, 8, 5, kGold);
    c.FillEllipse(48 + side * 13, 44, 3, 3.5, kInk);
  }
  c.RoundRect(30, 66, 36, 14, 6);
  c.FillOutline(Hex(0x8A1A1A), kInk, 2);
  c.FillRect(34, 66, 28, 4, kPaper);
}

}  // namespace

bool DrawBosses(Canvas& c, PictureId id) {
  if (id >= PIC_BOSS1_SHOT1 && id <= PIC_BOSS1_SHOT4) {
    Lantern(c, id - PIC_BOSS1_SHOT1, true);
  } else if (id >= PIC_BOSS1_NORMAL1 && id <= PIC_BOSS1_NORMAL4) {
    Lantern(c, id - PIC_BOSS1_NORMAL1, false);
  } else if (id >= PIZ_BOSS2RA && id <= PIZ_BOSS2LG) {
    int frame = id - PIZ_BOSS2RA;  // R: walk A B C, turn D E F G; L the same facing left
    bool left = frame >= 7;
    int k = frame % 7;
    // Through a turn it still faces the old way for two frames, then the new way.
    double facing = (left ? -1.0 : 1.0) * (k < 5 ? 1.0 : -1.0);
    LionDog(c, frame, facing, k < 3 ? k : 0);
  } else if (id >= PIZ_BOSS3A && id <= PIZ_BOSS3F) {
    Tengu(c, id - PIZ_BOSS3A);
  } else if (id >= PIZ_BOSS4A && id <= PIZ_BOSS4F) {
    Fox(c, id - PIZ_BOSS4A);
  } else if (id >= PIZ_BOSS5A && id <= PIZ_BOSS5H) {
    BoneGiant(c, id - PIZ_BOSS5A);
  } else if (id >= PIZ_BOSS6A1 && id <= PIZ_BOSS6A4) {
    Serpent(c, 'A', id - PIZ_BOSS6A1);
  } else if (id >= PIZ_BOSS6B1 && id <= PIZ_BOSS6B4) {
    Serpent(c, 'B', id - PIZ_BOSS6B1);
  } else if (id >= PIZ_BOSS6C1 && id <= PIZ_BOSS6C3) {
    Serpent(c, 'C', id - PIZ_BOSS6C1);
  } else if (id == PIX_BOSS6T) {
    ThrownScale(c);
  } else if (id == PIC_BOSS6M) {
    Mask(c);
  } else {
    return false;
  }
  return true;
}
