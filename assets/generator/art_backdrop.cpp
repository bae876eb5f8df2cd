// Backdrops: the sky and the ten parallax strips (seamless at 640 px), clouds, tiles, full-screen backgrounds.
#include <cmath>

#include "pack.h"

namespace {

using namespace palette;

// Sums of sines whose periods divide 640, so a strip drawn at x and x + 640 joins without a seam.
double Ridge(double x, std::initializer_list<double> amplitudes, double phase) {
  double y = 0;
  int harmonic = 1;
  for (double a : amplitudes) {
    y += a * std::sin(2 * M_PI * x * harmonic / 640.0 + phase * harmonic * 1.7);
    harmonic = harmonic * 2 + 1;
  }
  return y;
}

// Strip colours, far to near; each strip is filled with the colour of the one above so the
// stack never shows a gap.
constexpr Rgb kSkyLow = Hex(0xF4C7A1);
constexpr Rgb kMountain = Hex(0x8A7DB0);
constexpr Rgb kHill = Hex(0x5F6E9E);
constexpr Rgb kForest = Hex(0x3F5A6E);
constexpr Rgb kVillage = Hex(0x4A5A4C);
constexpr Rgb kField = Hex(0x6F8A4A);
constexpr Rgb kFieldDark = Hex(0x5E7A40);
constexpr Rgb kBank = Hex(0x7A6A48);
constexpr Rgb kWater = Hex(0x5B86A8);
constexpr Rgb kGrass = Hex(0x3E6A36);

void Silhouette(Canvas& c, double base, std::initializer_list<double> amplitudes, double phase, Rgb colour) {
  cairo_t* cr = c.cr();
  cairo_move_to(cr, 0, c.height());
  for (int x = 0; x <= 640; x += 2) cairo_line_to(cr, x, base + Ridge(x, amplitudes, phase));
  cairo_line_to(cr, 640, c.height());
  cairo_close_path(cr);
  c.Colour(colour);
  cairo_fill(cr);
}

void Sky(Canvas& c) {
  cairo_t* cr = c.cr();
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 200);
  cairo_pattern_add_color_stop_rgb(sky, 0, 0.17, 0.22, 0.42);
  cairo_pattern_add_color_stop_rgb(sky, 0.55, 0.55, 0.45, 0.68);
  cairo_pattern_add_color_stop_rgb(sky, 1, kSkyLow.r, kSkyLow.g, kSkyLow.b);
  cairo_rectangle(cr, 0, 0, 640, 200);
  cairo_set_source(cr, sky);
  cairo_fill(cr);
  cairo_pattern_destroy(sky);
  std::uint32_t seed = 77;
  for (int i = 0; i < 60; ++i) {  // faint evening stars high up
    seed = seed * 1103515245u + 12345u;
    double x = (seed >> 8) % 640;
    seed = seed * 1103515245u + 12345u;
    double y = (seed >> 8) % 70;
    c.FillEllipse(x, y, 0.8, 0.8, kPaper, 0.35 + 0.4 * ((seed >> 4) % 2));
  }
  c.Glow(500, 150, 90, Hex(0xFFE2B0), 0.45);  // the low sun behind the haze
  c.FillEllipse(500, 150, 22, 22, Hex(0xFFF1D6), 0.9);
  for (int band = 0; band < 4; ++band)  // long thin cloud bands
    c.FillEllipse(120 + band * 150, 120 + band * 14, 160, 4 + band, Hex(0xF8D8C0), 0.25);
}

void Strip(Canvas& c, int index) {
  const double h = c.height();
  switch (index) {
    case 0:  // far mountains under the last of the sky
      c.VerticalGradient(0, 0, 640, h, kSkyLow, Hex(0xF6D6B0));
      Silhouette(c, 34, {9, 6, 3, 1.5}, 0.3, Mix(kMountain, kSkyLow, 0.45));
      Silhouette(c, 44, {7, 5, 2.5, 1}, 1.9, kMountain);
      break;
    case 1:  // rolling hills
      c.FillRect(0, 0, 640, h, kMountain);
      Silhouette(c, 16, {5, 3, 2, 1}, 0.8, Mix(kHill, kMountain, 0.3));
      Silhouette(c, 24, {4, 3, 1.5, 0.8}, 2.4, kHill);
      break;
    case 2: {  // forest edge: a row of rounded crowns
      c.FillRect(0, 0, 640, h, kHill);
      cairo_t* cr = c.cr();
      for (int i = 0; i < 40; ++i) {
        double x = i * 16 + 8, r = 9 + 3 * std::sin(i * 2.3);
        for (double wrap : {-640.0, 0.0, 640.0}) c.FillEllipse(x + wrap, 14 - r * 0.4, r, r, Mix(kForest, kHill, 0.25));
      }
      cairo_rectangle(cr, 0, 14, 640, h - 14);
      c.Colour(kForest);
      cairo_fill(cr);
      for (int i = 0; i < 40; ++i) c.FillEllipse(i * 16, 18, 8, 6, kForest);
      break;
    }
    case 3: {  // village roofs and a pagoda
      c.FillRect(0, 0, 640, h, kForest);
      cairo_t* cr = c.cr();
      for (int i = 0; i < 10; ++i) {
        double x = i * 64 + 10;
        cairo_move_to(cr, x - 4, 14);
        cairo_line_to(cr, x + 14, 6);
        cairo_line_to(cr, x + 32, 14);
        cairo_close_path(cr);
        c.Colour(Hex(0x2E3A3A));
        cairo_fill(cr);
        c.FillRect(x, 14, 28, h - 14, Hex(0x5A5448));
        c.FillRect(x + 6, 17, 5, 4, Hex(0xF2C14E), 0.8);  // lit windows
      }
      for (int tier = 0; tier < 3; ++tier)  // the pagoda at x 330
        c.FillRect(318 + tier * 3, 2 + tier * 7, 24 - tier * 6, 3, Hex(0x2E3A3A));
      c.FillRect(0, h - 4, 640, 4, kVillage);
      break;
    }
    case 4: {  // fields with a shrine gate
      c.FillRect(0, 0, 640, h, kVillage);
      c.FillRect(0, 6, 640, h - 6, kField);
      for (int x = 0; x < 640; x += 20) c.FillRect(x, 6, 10, h - 6, kFieldDark, 0.5);
      c.FillRect(150, 0, 3, h, kVermilion);  // torii
      c.FillRect(167, 0, 3, h, kVermilion);
      c.FillRect(146, 2, 28, 3, kVermilion);
      c.FillRect(148, 7, 24, 2, kVermilion);
      break;
    }
    case 5:
    case 6: {  // rice paddies, their rows sliding past
      Rgb top = index == 5 ? kField : Mix(kField, kFieldDark, 0.5);
      c.FillRect(0, 0, 640, h, top);
      for (int x = index * 7 % 32; x < 640 + 32; x += 32) {
        c.FillRect(x, 2, 22, h - 6, Mix(kWater, kField, 0.55), 0.8);
        c.FillRect(x, h - 3, 30, 2, kFieldDark);
      }
      break;
    }
    case 7:  // the river bank
      c.FillRect(0, 0, 640, h, kBank);
      for (int x = 0; x < 640; x += 40) c.FillEllipse(x + 20, h - 3, 10, 3, Hex(0x8E7C58));
      break;
    case 8:  // the river, with glints
      c.FillRect(0, 0, 640, h, kWater);
      for (int i = 0; i < 32; ++i) c.FillRect(i * 20 + (i % 3) * 5, 3 + (i % 4) * 3, 9, 1.5, kPaper, 0.6);
      break;
    default: {  // near grass
      c.FillRect(0, 0, 640, h, kGrass);
      cairo_t* cr = c.cr();
      c.Colour(Hex(0x5B8A44));
      cairo_set_line_width(cr, 2);
      for (int x = 0; x <= 640; x += 8) {
        double lean = std::sin(x * 2 * M_PI * 12 / 640) * 3;  // twelve waves across, so the ends meet
        cairo_move_to(cr, x, h);
        cairo_line_to(cr, x + lean, 4 + (x / 8) % 5);
      }
      cairo_stroke(cr);
      break;
    }
  }
}

void Cloud(Canvas& c) {
  double w = c.width(), h = c.height();
  const double puffs[][3] = {{0.2, 0.62, 0.2}, {0.38, 0.42, 0.3}, {0.58, 0.45, 0.27}, {0.78, 0.6, 0.2}, {0.5, 0.68, 0.3}};
  for (const auto& p : puffs) c.FillEllipse(p[0] * w, p[1] * h + 2, p[2] * w, p[2] * w * 0.55, Hex(0xB9A7C9), 0.75);
  for (const auto& p : puffs) c.FillEllipse(p[0] * w, p[1] * h - 2, p[2] * w * 0.95, p[2] * w * 0.5, Hex(0xFFF8F0), 0.95);
}

// Wave scales (seigaiha), repeated on a 64 px square so the tile joins on every side.
void WaveTile(Canvas& c, Rgb ground, Rgb line) {
  c.FillRect(0, 0, 64, 64, ground);
  cairo_t* cr = c.cr();
  cairo_set_line_width(cr, 2);
  for (int row = -1; row <= 4; ++row)
    for (int col = -1; col <= 2; ++col) {
      double cx = col * 32 + (row % 2 ? 16 : 0) + 16, cy = row * 16 + 16;
      for (int ring = 3; ring >= 1; --ring) {
        cairo_arc(cr, cx, cy, ring * 5.3, M_PI, 2 * M_PI);
        cairo_line_to(cr, cx + ring * 5.3, cy + 16);
        cairo_line_to(cr, cx - ring * 5.3, cy + 16);
        cairo_close_path(cr);
        c.Colour(ring % 2 ? ground : Mix(ground, line, 0.25));
        cairo_fill_preserve(cr);
        c.Colour(line);
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, ring * 5.3, M_PI, 2 * M_PI);
        cairo_stroke(cr);
      }
    }
}

// Hemp-leaf stars (asanoha), drawn with wrap so the tile is seamless.
void HempTile(Canvas& c, Rgb ground, Rgb line) {
  c.FillRect(0, 0, 64, 64, ground);
  cairo_t* cr = c.cr();
  cairo_set_line_width(cr, 1.2);
  c.Colour(line);
  for (int oy = -64; oy <= 64; oy += 64)
    for (int ox = -64; ox <= 64; ox += 64)
      for (int k = 0; k < 2; ++k) {
        double cx = ox + 16 + k * 32, cy = oy + 16 + k * 32;
        for (int spoke = 0; spoke < 6; ++spoke) {
          double a = spoke * M_PI / 3;
          cairo_move_to(cr, cx, cy);
          cairo_line_to(cr, cx + 18 * std::cos(a), cy + 18 * std::sin(a));
        }
      }
  cairo_stroke(cr);
}

void Washi(Canvas& c, Rgb top, Rgb bottom) {
  c.VerticalGradient(0, 0, c.width(), c.height(), top, bottom);
  std::uint32_t seed = 4242;
  for (int i = 0; i < 900; ++i) {  // paper fibres
    seed = seed * 1664525u + 1013904223u;
    double x = (seed >> 10) % 640, y = (seed >> 3) % 480;
    c.FillRect(x, y, 2 + (seed >> 28), 1, Hex(0xFFFFFF), 0.08);
  }
}

}  // namespace

bool DrawBackdrop(Canvas& c, PictureId id) {
  if (id == PIC_BG01) {
    Sky(c);
  } else if (id >= PIC_BG02 && id <= PIC_BG11) {
    Strip(c, id - PIC_BG02);
  } else if (id >= PIC_KUMO1 && id <= PIC_KUMO4) {
    Cloud(c);
  } else if (id == PIC_STORY_TIP) {
    WaveTile(c, Hex(0x2C3E6E), Hex(0x8FA8D8));
  } else if (id == PIC_RULE_TIP) {
    HempTile(c, Hex(0x5A2E3E), Hex(0xC98A8A));
  } else if (id == PIC_STORYRULE_BACK) {
    Washi(c, Hex(0x1A2140), Hex(0x3A2A48));
  } else if (id == PIC_HAIKEI) {
    Washi(c, kNight, Hex(0x120C1C));
  } else if (id == PIC_SHIRO) {
    c.FillRect(0, 0, 640, 480, Hex(0xFFFFFF));
  } else if (id == PIC_PAUSEBACK) {
    c.FillRect(0, 0, 640, 480, Hex(0x0A0814), 0.6);
    c.FillRect(0, 150, 640, 120, Hex(0x1E1426), 0.5);
  } else if (id == PIC_SELECT_WEAPON_BG1 || id == PIC_SELECT_WEAPON_BG2) {
    bool second = id == PIC_SELECT_WEAPON_BG2;
    Washi(c, second ? Hex(0x3A1A2A) : Hex(0x1C2A4A), second ? Hex(0x140A12) : Hex(0x0E1224));
    cairo_t* cr = c.cr();
    // A great shrine gate across the top, the weapons stand under it.
    c.FillRect(40, 70, 560, 18, kVermilion, 0.85);
    cairo_move_to(cr, 20, 60);
    cairo_curve_to(cr, 200, 70, 440, 70, 620, 60);
    cairo_line_to(cr, 620, 46);
    cairo_curve_to(cr, 440, 58, 200, 58, 20, 46);
    cairo_close_path(cr);
    c.FillOutline(kVermilion, kInk, 2, 0.9);
    c.FillRect(96, 60, 20, 420, kVermilion, 0.8);
    c.FillRect(524, 60, 20, 420, kVermilion, 0.8);
    c.FillRect(0, 318, 640, 162, Hex(0x000000), 0.35);
    TextStyle title;
    title.sizePx = 22;
    title.fill = kPaper;
    title.outlineWidth = 2;
    c.Text("武器をえらんでください", 320, 92, title, TextAlign::kCentre);
  } else {
    return false;
  }
  return true;
}
