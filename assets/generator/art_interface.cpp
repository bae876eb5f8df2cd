// Interface pictures: menu items, labels, digits, the HUD gauge, pause and ranking, weapon cards.
#include <cmath>
#include <cstdio>

#include "pack.h"

namespace {

using namespace palette;

TextStyle Label(double size, Rgb fill = kPaper, double outline = 2) {
  TextStyle style;
  style.sizePx = size;
  style.fill = fill;
  style.outline = kInk;
  style.outlineWidth = outline;
  return style;
}

void Fit(Canvas& c, const std::string& text, TextStyle style, TextAlign align = TextAlign::kCentre) {
  c.TextBox(text, 0, 0, c.width(), c.height(), style, align);
}

// Menu line: the English word large, its Japanese reading small after it.
void MenuItem(Canvas& c, const char* english, const char* japanese, double y = 0, double h = 20, double size = 17) {
  TextStyle big = Label(size, kPaper, 2);
  double w = Canvas::TextWidth(english, big);
  c.TextBox(english, 0, y, w + 6, h, big, TextAlign::kLeft);
  TextStyle small = Label(size * 0.62, kGold, 1.5);
  c.TextBox(japanese, w + 10, y + 2, c.width() - w - 10, h - 2, small, TextAlign::kLeft);
}

void Banner(Canvas& c, const char* text, Rgb accent) {
  cairo_t* cr = c.cr();
  double w = c.width(), h = c.height();
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, w - 12, 0);
  cairo_line_to(cr, w, h / 2);
  cairo_line_to(cr, w - 12, h);
  cairo_line_to(cr, 0, h);
  cairo_close_path(cr);
  c.Colour(kInk, 0.75);
  cairo_fill(cr);
  c.FillRect(0, 0, 5, h, accent);
  c.TextBox(text, 10, 0, w - 26, h, Label(h * 0.62, kPaper, 1.5), TextAlign::kLeft);
}

void Digit(Canvas& c, int digit, bool stage) {
  char text[2] = {static_cast<char>('0' + digit), 0};
  TextStyle style = Label(stage ? 44 : 19, stage ? kGold : kPaper, stage ? 3 : 1.6);
  Fit(c, text, style);
}

// The gauge shares one slanted grid: 37 segments of 6 px after a 15 px head, leaning one pixel
// left every 1.5 rows, used rows 12..29 (fill) and 11..31 (frame).
void GaugeFill(Canvas& c) {
  cairo_t* cr = c.cr();
  auto lean = [](double row) { return 0.65 * (row - 12); };
  // Head: an hourglass.
  cairo_move_to(cr, 2, 12);
  cairo_line_to(cr, 13, 12);
  cairo_line_to(cr, 8, 21);
  cairo_line_to(cr, 13, 30);
  cairo_line_to(cr, 2, 30);
  cairo_line_to(cr, 7, 21);
  cairo_close_path(cr);
  c.FillOutline(kGold, kInk, 1.2);
  for (int k = 0; k < 37; ++k) {
    double t = k / 36.0;
    Rgb colour = k < 4 ? Hex(0xE0483A) : k < 10 ? Mix(Hex(0xF08A3A), Hex(0xF2C14E), (k - 4) / 6.0)
                                                : Mix(Hex(0x7ED67A), Hex(0x5FC8E8), (t - 0.27) / 0.73);
    double x0 = 15 + 6 * k, x1 = x0 + 5;
    cairo_move_to(cr, x0 - lean(12), 12);
    cairo_line_to(cr, x1 - lean(12), 12);
    cairo_line_to(cr, x1 - lean(30), 30);
    cairo_line_to(cr, x0 - lean(30), 30);
    cairo_close_path(cr);
    c.Colour(colour);
    cairo_fill(cr);
    c.FillRect(x0 - lean(13) + 1, 13, 2, 3, kPaper, 0.55);  // a highlight near the top
  }
}

void GaugeFrame(Canvas& c) {
  cairo_t* cr = c.cr();
  auto lean = [](double row) { return 0.65 * (row - 12); };
  cairo_move_to(cr, 14 - lean(11), 11);
  cairo_line_to(cr, 238 - lean(11), 11);
  cairo_line_to(cr, 238 - lean(31), 31);
  cairo_line_to(cr, 14 - lean(31), 31);
  cairo_close_path(cr);
  c.FillOutline(Hex(0x241A30), kPaper, 1, 0.85);
  for (int k = 0; k < 37; ++k) {
    double x0 = 15 + 6 * k, x1 = x0 + 5;
    cairo_move_to(cr, x0 - lean(12), 12);
    cairo_line_to(cr, x1 - lean(12), 12);
    cairo_line_to(cr, x1 - lean(30), 30);
    cairo_line_to(cr, x0 - lean(30), 30);
    cairo_close_path(cr);
    c.Colour(Hex(0x3C3050));
    cairo_fill(cr);
  }
  c.FillEllipse(7.5, 21, 6, 9, Hex(0x241A30), 0.85);
}

void WeaponCard(Canvas& c, int weapon) {
  cairo_t* cr = c.cr();
  const char* names[3] = {"連射", "貫通", "神速"};
  const char* romaji[3] = {"REN", "KAN", "SPEED"};
  const Rgb accents[3] = {kVermilion, Hex(0x4A7BD8), Hex(0x3FAE6A)};
  c.RoundRect(3, 3, 144, 164, 10);
  c.FillOutline(kPaper, kInk, 3);
  c.RoundRect(9, 9, 132, 152, 7);
  cairo_set_line_width(cr, 2);
  c.Colour(accents[weapon]);
  cairo_stroke(cr);
  c.Glow(75, 70, 52, accents[weapon], 0.35);
  if (weapon == 0) {  // a fan of talismans
    for (int i = -2; i <= 2; ++i) {
      cairo_save(cr);
      cairo_translate(cr, 75, 100);
      cairo_rotate(cr, i * 0.28);
      c.RoundRect(-9, -70, 18, 50, 2);
      c.FillOutline(kPaper, kInk, 1.5);
      c.FillRect(-5, -62, 10, 3, kVermilion);
      c.FillRect(-1.5, -56, 3, 28, kVermilion);
      cairo_restore(cr);
    }
  } else if (weapon == 1) {  // a beam through rings
    c.FillRect(18, 62, 114, 12, Hex(0xBFE0FF));
    c.FillRect(18, 66, 114, 4, Hex(0xFFFFFF));
    for (int i = 0; i < 3; ++i) {
      c.Ellipse(40 + i * 32, 68, 7, 26 - i * 4);
      cairo_set_line_width(cr, 3);
      c.Colour(Hex(0x4A7BD8));
      cairo_stroke(cr);
    }
  } else {  // a swift wing
    for (int i = 0; i < 5; ++i) {
      cairo_move_to(cr, 30 + i * 6, 100 - i * 4);
      cairo_curve_to(cr, 60 + i * 8, 40 + i * 6, 110, 30 + i * 10, 125, 32 + i * 12);
      cairo_curve_to(cr, 100, 50 + i * 10, 70 + i * 4, 80, 30 + i * 6, 100 - i * 4);
      c.FillOutline(Mix(Hex(0x3FAE6A), kPaper, i * 0.15), kInk, 1.2);
    }
  }
  c.TextBox(names[weapon], 10, 118, 130, 28, Label(26, accents[weapon], 2.5));
  c.TextBox(romaji[weapon], 10, 146, 130, 16, Label(13, kInk, 0));
}

void WeaponInfo(Canvas& c, int weapon) {
  c.FillRect(0, 0, 640, 160, Hex(0x000000), 0.45);
  c.FillRect(0, 0, 640, 2, kGold, 0.8);
  const char* lines[3][2] = {
      {"連射 ― お札を次々と放つ。ショットを押し続けると毎秒五発。", "狙いやすく、数の多い相手に強い。"},
      {"貫通 ― 光の矢が並んだ妖怪をまとめて撃ち抜く。", "画面に一本ずつ。大きな相手には何度も当たる。"},
      {"神速 ― 移動が二倍速。被弾で減る時間は三秒で済む。", "弾は一発ずつ。身のこなしで勝負。"},
  };
  TextStyle style = Label(14, kPaper, 1.2);
  c.TextBox(lines[weapon][0], 232, 4, 400, 22, style, TextAlign::kLeft);
  style.fill = Mix(kPaper, kGold, 0.5);
  c.TextBox(lines[weapon][1], 232, 28, 400, 22, style, TextAlign::kLeft);
}

void Popup(Canvas& c, int frame, bool second) {
  // "TIME GET!" springs up and settles, with sparks turning round it; 20 frames, two each.
  double t = frame / 19.0;
  double rise = 14 * (1 - t) * (1 - t);
  double scale = frame < 4 ? 0.6 + 0.1 * frame : 1.0;
  Rgb fill = second ? Hex(0x9EC1FF) : kGold;
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, 150, 22 + rise);
  cairo_scale(cr, scale, scale);
  c.TextBox("TIME GET!", -100, -14, 200, 28, Label(24, fill, 2.5));
  cairo_restore(cr);
  for (int i = 0; i < 6; ++i) {
    double a = i * M_PI / 3 + t * 2.5;
    double x = 150 + std::cos(a) * (70 + 20 * t), y = 24 + rise + std::sin(a) * 14;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, a);
    double r = 4 * (1 - t) + 1;
    cairo_move_to(cr, 0, -r * 1.6);
    cairo_line_to(cr, r * 0.4, 0);
    cairo_line_to(cr, 0, r * 1.6);
    cairo_line_to(cr, -r * 0.4, 0);
    cairo_close_path(cr);
    c.Colour(kPaper, 1 - 0.6 * t);
    cairo_fill(cr);
    cairo_restore(cr);
  }
}

}  // namespace

bool DrawInterface(Canvas& c, PictureId id) {
  char text[32];
  if (id >= PIC_0 && id <= PIC_9) {
    Digit(c, id - PIC_0, false);
  } else if (id >= PIC_STAGE0 && id <= PIC_STAGE9) {
    Digit(c, id - PIC_STAGE0, true);
  } else if (id == PIC_START) {
    MenuItem(c, "START", "ひとりで");
  } else if (id == PIC_START2) {
    MenuItem(c, "2P START", "ふたりで");
  } else if (id == PIC_EXTRA) {
    c.TextBox("― 腕に覚えのある方へ ―", 0, 0, 150, 36, Label(10, kGold, 1.2), TextAlign::kRight);
    cairo_save(c.cr());
    cairo_translate(c.cr(), 158, 0);
    Canvas& self = c;
    TextStyle line = Label(14, kPaper, 1.8);
    self.TextBox("EXTRA", 0, 0, 70, 17, line, TextAlign::kLeft);
    self.TextBox("EXTRA 2P", 0, 17, 82, 17, line, TextAlign::kLeft);
    cairo_restore(c.cr());
  } else if (id == PIC_STORY) {
    MenuItem(c, "STORY", "ものがたり");
  } else if (id == PIC_EXIT) {
    MenuItem(c, "EXIT", "おわる");
  } else if (id == PIC_CURSOR || id == PIC_PAUSECURSOR) {
    cairo_t* cr = c.cr();
    double from = id == PIC_CURSOR ? 372 : 190, to = id == PIC_CURSOR ? 640 : 450;
    cairo_pattern_t* band = cairo_pattern_create_linear(from, 0, to, 0);
    cairo_pattern_add_color_stop_rgba(band, 0, 1, 0.85, 0.5, 0.0);
    cairo_pattern_add_color_stop_rgba(band, 0.15, 1, 0.85, 0.5, 0.35);
    cairo_pattern_add_color_stop_rgba(band, 0.85, 1, 0.85, 0.5, 0.25);
    cairo_pattern_add_color_stop_rgba(band, 1, 1, 0.85, 0.5, 0.0);
    cairo_rectangle(cr, from, 1, to - from, c.height() - 2);
    cairo_set_source(cr, band);
    cairo_fill(cr);
    cairo_pattern_destroy(band);
    // A small red-and-white talisman points at the item.
    double x = id == PIC_CURSOR ? 378 : 200;
    c.RoundRect(x, 3, 8, 14, 1.5);
    c.FillOutline(kPaper, kInk, 1.2);
    c.FillRect(x + 2.5, 5, 3, 10, kVermilion);
    if (id == PIC_PAUSECURSOR) {
      c.RoundRect(432, 3, 8, 14, 1.5);
      c.FillOutline(kPaper, kInk, 1.2);
      c.FillRect(434.5, 5, 3, 10, kVermilion);
    }
  } else if (id == PIC_COPYRIGHT) {
    c.TextBox("© 2026 Ostrelan / Sorvani project", 0, 0, 400, 20, Label(12, Mix(kPaper, kGold, 0.3), 1.2),
              TextAlign::kLeft);
  } else if (id == PIC_SELECT_TRIAL || id == PIC_SELECT_EXTRA || id == PIC_SELECT_LUNATIC) {
    const char* name = id == PIC_SELECT_TRIAL ? "TRIAL MODE" : id == PIC_SELECT_EXTRA ? "EXTRA MODE" : "LUNATIC MODE";
    Banner(c, name, id == PIC_SELECT_TRIAL ? kGold : id == PIC_SELECT_EXTRA ? kVermilion : Hex(0xB05CE0));
  } else if (id == PIC_MODE_TRIAL || id == PIC_MODE_EXTRA || id == PIC_MODE_LUNATIC) {
    const char* name = id == PIC_MODE_TRIAL ? "TRIAL" : id == PIC_MODE_EXTRA ? "EXTRA" : "LUNATIC";
    Fit(c, name, Label(11, id == PIC_MODE_TRIAL ? kGold : id == PIC_MODE_EXTRA ? Hex(0xFF8A70) : Hex(0xD9A0FF), 1.2),
        TextAlign::kLeft);
  } else if (id == PIC_1P || id == PIC_2P) {
    Fit(c, id == PIC_1P ? "1P" : "2P", Label(15, id == PIC_1P ? Hex(0xFF8A70) : Hex(0x8AB4FF), 1.6), TextAlign::kLeft);
  } else if (id == PIC_S) {
    Fit(c, "ST", Label(15, kPaper, 1.6), TextAlign::kLeft);
  } else if (id == PIC_TIME) {
    Fit(c, "TIME", Label(15, kGold, 1.6), TextAlign::kLeft);
  } else if (id == PIC_DOT) {
    c.FillEllipse(4, 13, 2.4, 2.4, kInk);
    c.FillEllipse(4, 13, 1.6, 1.6, kPaper);
  } else if (id >= PIC_X15 && id <= PIC_X30) {
    const char* names[4] = {"×1.5", "×2.0", "×2.5", "×3.0"};
    c.TextBox(names[id - PIC_X15], 0, 12, 48, 16, Label(13, Mix(kGold, Hex(0xFF6A4A), (id - PIC_X15) / 3.0), 1.5));
  } else if (id >= PIC_100 && id <= PIC_250) {
    std::snprintf(text, sizeof text, "%d", 100 + 50 * (id - PIC_100));
    c.TextBox(text, 0, 2, 48, 18, Label(15, kPaper, 1.6));
  } else if (id == PIC_MISS5 || id == PIC_MISS3) {
    Fit(c, id == PIC_MISS5 ? "-5 SEC" : "-3 SEC", Label(13, Hex(0xFF6A5A), 1.6));
  } else if (id >= PIC_TIME1 && id <= PIC_TIME5) {
    std::snprintf(text, sizeof text, "+%d SEC", id - PIC_TIME1 + 1);
    Fit(c, text, Label(13, Hex(0x8FE0FF), 1.6));
  } else if (id == PIC_STARTMOJI) {
    c.RoundRect(1, 8, 190, 56, 8);
    c.FillOutline(kInk, kGold, 2, 0.7);
    c.TextBox("STAGE", 4, 16, 104, 40, Label(28, kGold, 2.5));
    c.TextBox("― 時をかけぬけろ ―", 0, 64, 192, 16, Label(11, kPaper, 1.5));
  } else if (id == PIC_GOTONEXTSTAGE) {
    c.TextBox("STAGE", 0, 0, 92, 40, Label(28, kGold, 2.5));
    c.TextBox("CLEAR!", 166, 0, 134, 40, Label(30, kPaper, 2.5));
  } else if (id == PIC_GAMEOVER) {
    c.FillRect(0, 18, 400, 44, kInk, 0.6);
    c.TextBox("GAME OVER", 0, 0, 400, 80, Label(52, Hex(0xE8483A), 3.5));
  } else if (id == PIC_DEMO) {
    c.TextBox("DEMO PLAY", 0, 0, 200, 48, Label(30, kPaper, 3));
  } else if (id == PIC_CONGRATULATIONS) {
    c.TextBox("CONGRATULATIONS!", 0, 0, 480, 80, Label(44, kGold, 3.5));
  } else if (id == PIC_PAUSEMES) {
    c.TextBox("PAUSE  一時停止", 0, 0, 188, 26, Label(20, kGold, 2));
  } else if (id == PIC_RETURNGAME) {
    Fit(c, "ゲームに戻る", Label(15, kPaper, 1.6));
  } else if (id == PIC_RETURNMENU) {
    Fit(c, "タイトルへ戻る", Label(15, kPaper, 1.6));
  } else if (id == PIC_GOTOSTART) {
    Fit(c, "最初からやり直す", Label(15, kPaper, 1.6));
  } else if (id == PIC_RANKING) {
    c.FillRect(0, 0, 640, 44, Hex(0x000000), 0.2);
    c.TextBox("RANKING", 20, 6, 170, 34, Label(26, kGold, 2.5), TextAlign::kLeft);
    c.FillRect(20, 40, 190, 2, kGold, 0.8);
  } else if (id >= PIC_1ST && id <= PIC_3RD) {
    const char* names[3] = {"1ST", "2ND", "3RD"};
    const Rgb colours[3] = {kGold, Hex(0xD8D8E8), Hex(0xD89A6A)};
    Fit(c, names[id - PIC_1ST], Label(16, colours[id - PIC_1ST], 1.8), TextAlign::kLeft);
  } else if (id == PIC_CSTAGE) {
    Fit(c, "CLEAR STAGE", Label(15, kPaper, 1.6), TextAlign::kLeft);
  } else if (id == PIC_SCORE) {
    Fit(c, "SCORE", Label(15, kPaper, 1.6), TextAlign::kLeft);
  } else if (id == PIC_RTIME) {
    Fit(c, "TIME", Label(15, kPaper, 1.6), TextAlign::kLeft);
  } else if (id == PIC_MISS) {
    Fit(c, "MISS", Label(15, Hex(0xFF8A70), 1.6), TextAlign::kLeft);
  } else if (id == PIC_TIMEGAUGEFULL) {
    GaugeFill(c);
  } else if (id == PIC_TIMEGAUGEEMPTY) {
    GaugeFrame(c);
  } else if (id == PIC_BOSSLIFE) {
    c.TextBox("BOSS", 0, 0, 40, 16, Label(11, kPaper, 1.3));
    cairo_t* cr = c.cr();
    cairo_pattern_t* bar = cairo_pattern_create_linear(44, 0, 238, 0);
    cairo_pattern_add_color_stop_rgb(bar, 0, 0.85, 0.2, 0.2);
    cairo_pattern_add_color_stop_rgb(bar, 1, 0.95, 0.75, 0.3);
    c.RoundRect(44, 3, 194, 10, 3);
    cairo_set_source(cr, bar);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(bar);
    cairo_set_line_width(cr, 1.5);
    c.Colour(kInk);
    cairo_stroke(cr);
    c.FillRect(47, 5, 188, 2, kPaper, 0.5);
  } else if (id == PIC_FLAG_1P || id == PIC_FLAG_2P) {
    bool first = id == PIC_FLAG_1P;
    cairo_t* cr = c.cr();
    c.RoundRect(12, 1, 40, 13, 3);
    c.FillOutline(first ? kVermilion : kYuseraAccent, kInk, 1.5);
    cairo_move_to(cr, 27, 14);
    cairo_line_to(cr, 37, 14);
    cairo_line_to(cr, 32, 19);
    cairo_close_path(cr);
    c.FillOutline(first ? kVermilion : kYuseraAccent, kInk, 1.2);
    c.TextBox(first ? "1P" : "2P", 12, 1, 40, 13, Label(11, kPaper, 0));
  } else if (id >= PIC_SELECT_WEAPON_1 && id <= PIC_SELECT_WEAPON_3) {
    WeaponCard(c, id - PIC_SELECT_WEAPON_1);
  } else if (id >= PIC_WEAPON_INFO_1 && id <= PIC_WEAPON_INFO_3) {
    WeaponInfo(c, id - PIC_WEAPON_INFO_1);
  } else if (id >= PIC_GETITEM_A01 && id <= PIC_GETITEM_A20) {
    Popup(c, id - PIC_GETITEM_A01, false);
  } else if (id >= PIC_GETITEM_B01 && id <= PIC_GETITEM_B20) {
    Popup(c, id - PIC_GETITEM_B01, true);
  } else {
    return false;
  }
  return true;
}
