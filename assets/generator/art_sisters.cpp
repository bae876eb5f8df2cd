// The two sisters in flight (three weapons, level and tilted, four frames each), their shots,
// casings, hit sparks and the beam's muzzle flash.
#include <cmath>

#include "pack.h"

namespace {

using namespace palette;

struct Sister {
  Rgb hair, hairShade, ribbon, hakama;
  bool longHair;  // the elder wears it long and straight, the younger in short twin tails
};

const Sister kSenra = {kSenraHair, Hex(0x24183A), kSenraAccent, Hex(0xC8342A), true};
const Sister kYusera = {kYuseraHair, Hex(0xB8742A), kYuseraAccent, Hex(0xB8303A), false};

void Weapon(Canvas& c, int weapon, double frame) {
  cairo_t* cr = c.cr();
  if (weapon == 0) {  // a spread of talismans between the fingers
    for (int i = 0; i < 3; ++i) {
      cairo_save(cr);
      cairo_translate(cr, 56, 26);
      cairo_rotate(cr, -0.5 + i * 0.35);
      c.RoundRect(0, -2.5, 8, 5, 1);
      c.FillOutline(kPaper, kInk, 1);
      c.FillRect(3, -1.2, 3, 2.4, kVermilion);
      cairo_restore(cr);
    }
  } else if (weapon == 1) {  // a short bow of light
    cairo_set_line_width(cr, 2.2);
    cairo_arc(cr, 52, 25, 9, -1.1, 1.1);
    c.Colour(kInk);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.4);
    cairo_arc(cr, 52, 25, 9, -1.1, 1.1);
    c.Colour(Hex(0xA8C8FF));
    cairo_stroke(cr);
    c.FillEllipse(60, 25, 2.5, 2.5, Hex(0xE8F0FF));
  } else {  // wind ribbons streaming from the ankles
    for (int i = 0; i < 2; ++i) {
      double wave = std::sin(frame * M_PI / 2 + i) * 2;
      cairo_move_to(cr, 14, 30 + i * 3);
      cairo_curve_to(cr, 8, 28 + wave, 5, 34 - wave, 1, 32 + i * 2 + wave);
      cairo_set_line_width(cr, 2.5);
      c.Colour(Hex(0x7ED67A));
      cairo_stroke(cr);
    }
    c.FillEllipse(58, 25, 3, 2, Hex(0xE8FFE0));
  }
}

// A shrine maiden flying to the right, inside 64 x 44. Frame 0..3 moves the hair and the hakama.
void Maiden(Canvas& c, const Sister& s, int weapon, int frame, double tilt) {
  cairo_t* cr = c.cr();
  double phase = frame * M_PI / 2, flutter = std::sin(phase) * 1.5;
  cairo_save(cr);
  cairo_translate(cr, 32, 22);
  cairo_rotate(cr, tilt);
  cairo_scale(cr, tilt == 0 ? 1.0 : 0.94, tilt == 0 ? 1.0 : 0.94);
  cairo_translate(cr, -32, -22);
  cairo_set_line_width(cr, 1.4);

  // Hair behind the body.
  if (s.longHair) {
    cairo_move_to(cr, 44, 6);
    cairo_curve_to(cr, 30, 4, 18, 10 + flutter, 8, 12 + flutter * 1.5);
    cairo_curve_to(cr, 16, 18 + flutter, 30, 20, 42, 20);
    cairo_close_path(cr);
    c.FillOutline(s.hair, kInk, 1.4);
  } else {
    for (int side = 0; side < 2; ++side) {
      double y = 8 + side * 8;
      cairo_move_to(cr, 40, y);
      cairo_curve_to(cr, 32, y - 3 + flutter, 26, y + flutter, 24, y + 4 + flutter);
      cairo_curve_to(cr, 30, y + 5, 36, y + 4, 40, y + 3);
      cairo_close_path(cr);
      c.FillOutline(s.hair, kInk, 1.3);
    }
  }
  // Hakama streaming back.
  cairo_move_to(cr, 36, 22);
  cairo_curve_to(cr, 28, 22, 18, 24 + flutter, 6, 27 + flutter);
  cairo_line_to(cr, 10, 34 - flutter);
  cairo_curve_to(cr, 18, 36, 28, 36, 38, 32);
  cairo_close_path(cr);
  c.FillOutline(s.hakama, kInk, 1.4);
  cairo_move_to(cr, 30, 24);
  cairo_line_to(cr, 14, 30 + flutter * 0.5);
  c.Colour(Mix(s.hakama, kInk, 0.35));
  cairo_stroke(cr);
  // White kimono top and sleeve.
  c.Ellipse(38, 24, 8, 7);
  c.FillOutline(kPaper, kInk, 1.4);
  cairo_move_to(cr, 36, 22);
  cairo_curve_to(cr, 30, 30 + flutter, 34, 34, 40, 31);
  cairo_close_path(cr);
  c.FillOutline(kPaper, kInk, 1.2);
  c.FillRect(33, 26, 10, 2, kVermilion);  // the red collar cord
  // Arm forward to the weapon.
  cairo_move_to(cr, 42, 24);
  cairo_line_to(cr, 55, 26);
  cairo_set_line_width(cr, 4);
  c.Colour(kInk);
  cairo_stroke(cr);
  cairo_move_to(cr, 42, 24);
  cairo_line_to(cr, 55, 26);
  cairo_set_line_width(cr, 2.4);
  c.Colour(kPaper);
  cairo_stroke(cr);
  c.FillEllipse(56, 26, 2, 2, kSkin);
  // Head, fringe, eye and ribbon.
  c.Ellipse(46, 13, 8, 8);
  c.FillOutline(kSkin, kInk, 1.4);
  cairo_move_to(cr, 38, 13);
  cairo_curve_to(cr, 38, 3, 52, 2, 54, 10);
  cairo_curve_to(cr, 50, 8, 46, 9, 44, 12);
  cairo_curve_to(cr, 42, 10, 40, 12, 38, 13);
  cairo_close_path(cr);
  c.FillOutline(s.hair, kInk, 1.2);
  c.FillEllipse(50.5, 14, 1.2, 1.8, kInk);
  c.FillEllipse(51, 17.5, 1.5, 0.8, Hex(0xF2A0A0), 0.8);
  cairo_move_to(cr, 39, 7);
  cairo_line_to(cr, 34, 3 + flutter);
  cairo_line_to(cr, 35, 9);
  cairo_line_to(cr, 31, 11 - flutter);
  cairo_close_path(cr);
  c.FillOutline(s.ribbon, kInk, 1);
  Weapon(c, weapon, frame);
  cairo_restore(cr);
}

void Talisman(Canvas& c) {
  c.RoundRect(2, 2, 20, 8, 1.5);
  c.FillOutline(kPaper, kInk, 1.2);
  c.FillRect(6, 4.5, 12, 3, kVermilion);
  c.FillRect(19, 3, 2, 6, kGold);
}

void BeamSegment(Canvas& c) {
  // Tiles along x: the copies of the beam follow one another every 24 px.
  c.FillRect(0, 2, 24, 8, Hex(0x9A8CF0));
  c.FillRect(0, 3.5, 24, 5, Hex(0xD8D0FF));
  c.FillRect(0, 5, 24, 2, Hex(0xFFFFFF));
}

void WindBlade(Canvas& c) {
  cairo_t* cr = c.cr();
  cairo_move_to(cr, 2, 1);
  cairo_curve_to(cr, 16, 2, 23, 5, 23, 6);
  cairo_curve_to(cr, 23, 7, 16, 10, 2, 11);
  cairo_curve_to(cr, 10, 8, 10, 4, 2, 1);
  cairo_close_path(cr);
  c.FillOutline(Hex(0x9BE08A), Hex(0x2E5A2A), 1.2);
  c.FillEllipse(17, 6, 4, 1.5, Hex(0xF0FFE8));
}

void Casing(Canvas& c, int variant) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, 5, 5);
  cairo_rotate(cr, variant * M_PI / 4);
  c.RoundRect(-2, -4, 4, 8, 1);
  c.FillOutline(Hex(0xE0A83A), Hex(0x5A3A10), 1);
  c.FillRect(-2, -4, 4, 2, Hex(0xB07A20));
  cairo_restore(cr);
}

void Spark(Canvas& c, Rgb colour) {
  cairo_t* cr = c.cr();
  c.Glow(8, 8, 8, colour, 0.8);
  cairo_move_to(cr, 8, 1);
  cairo_line_to(cr, 9.5, 6.5);
  cairo_line_to(cr, 15, 8);
  cairo_line_to(cr, 9.5, 9.5);
  cairo_line_to(cr, 8, 15);
  cairo_line_to(cr, 6.5, 9.5);
  cairo_line_to(cr, 1, 8);
  cairo_line_to(cr, 6.5, 6.5);
  cairo_close_path(cr);
  c.Colour(Mix(colour, kPaper, 0.6));
  cairo_fill(cr);
}

void MuzzleRing(Canvas& c) {
  // An upright shock ring around the beam's start; the game scales it from the top-left corner.
  cairo_t* cr = c.cr();
  for (int i = 0; i < 3; ++i) {
    c.Ellipse(24, 66, 20 - i * 5, 62 - i * 14);
    cairo_set_line_width(cr, 4 - i);
    c.Colour(i == 0 ? Hex(0x9A8CF0) : Hex(0xE8E4FF), 0.9 - i * 0.2);
    cairo_stroke(cr);
  }
  c.Glow(24, 66, 22, Hex(0xD8D0FF), 0.5);
}

}  // namespace

void DrawMaiden(Canvas& c, int sister, int weapon, int frame, double tilt) {
  Maiden(c, sister == 0 ? kSenra : kYusera, weapon, frame, tilt);
}

bool DrawSisters(Canvas& c, PictureId id) {
  if (id >= PIC_SENRA_REN_1 && id <= PIY_UP_YUSERA_SPEED_4) {
    int index = id - PIC_SENRA_REN_1;  // 4 x (weapon + 3 x sister + 6 x tilt) + frame
    int frame = index % 4, weapon = (index / 4) % 3, sister = (index / 12) % 2, tilt = index / 24;
    double angle = tilt == 0 ? 0 : tilt == 1 ? 0.2 : -0.2;
    Maiden(c, sister == 0 ? kSenra : kYusera, weapon, frame, angle);
  } else if (id == PIZ_TAMA1) {
    Talisman(c);
  } else if (id == PIZ_TAMA2) {
    BeamSegment(c);
  } else if (id == PIZ_TAMA3) {
    WindBlade(c);
  } else if (id >= PIX_YAKKYO1 && id <= PIX_YAKKYO4) {
    Casing(c, id - PIX_YAKKYO1);
  } else if (id >= PIC_DAMAGEEFFECT1 && id <= PIC_DAMAGEEFFECT3) {
    const Rgb colours[3] = {Hex(0xFFB040), Hex(0x9AB0FF), Hex(0x8FE07A)};
    Spark(c, colours[id - PIC_DAMAGEEFFECT1]);
  } else if (id == PIC_SHOTEFFECT) {
    MuzzleRing(c);
  } else {
    return false;
  }
  return true;
}
