// Whole pages: the two opening logos, the title screen, the story pictures and texts, the rules
// and staff pages, and the ending.
#include <cmath>
#include <string>
#include <vector>

#include "pack.h"

namespace {

using namespace palette;

TextStyle Prose(double size = 19, Rgb fill = kPaper) {
  TextStyle style;
  style.sizePx = size;
  style.fill = fill;
  style.outline = kInk;
  style.outlineWidth = 2.2;
  return style;
}

// Lines of text, one every lineHeight px from top, centred across the picture.
void Lines(Canvas& c, const std::vector<std::string>& lines, double top, double lineHeight, TextStyle style,
           TextAlign align = TextAlign::kCentre, double left = 0) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!lines[i].empty())
      c.TextBox(lines[i], left, top + i * lineHeight, c.width() - 2 * left, lineHeight, style, align);
  }
}

void DuskSky(Canvas& c, double w, double h) {
  cairo_t* cr = c.cr();
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, h);
  cairo_pattern_add_color_stop_rgb(sky, 0, 0.12, 0.14, 0.32);
  cairo_pattern_add_color_stop_rgb(sky, 0.6, 0.6, 0.42, 0.62);
  cairo_pattern_add_color_stop_rgb(sky, 1, 0.98, 0.72, 0.55);
  cairo_rectangle(cr, 0, 0, w, h);
  cairo_set_source(cr, sky);
  cairo_fill(cr);
  cairo_pattern_destroy(sky);
}

void Hills(Canvas& c, double w, double h, double base, Rgb colour, double phase) {
  cairo_t* cr = c.cr();
  cairo_move_to(cr, 0, h);
  for (double x = 0; x <= w; x += 4)
    cairo_line_to(cr, x, base + 10 * std::sin(x / w * 5 + phase) + 5 * std::sin(x / w * 13 + phase * 2));
  cairo_line_to(cr, w, h);
  cairo_close_path(cr);
  c.Colour(colour);
  cairo_fill(cr);
}

void Hourglass(Canvas& c, double cx, double cy, double size, double sand) {
  cairo_t* cr = c.cr();
  c.Glow(cx, cy, size * 1.3, kGold, 0.45);
  cairo_move_to(cr, cx - size * 0.5, cy - size);
  cairo_line_to(cr, cx + size * 0.5, cy - size);
  cairo_line_to(cr, cx + size * 0.08, cy);
  cairo_line_to(cr, cx + size * 0.5, cy + size);
  cairo_line_to(cr, cx - size * 0.5, cy + size);
  cairo_line_to(cr, cx - size * 0.08, cy);
  cairo_close_path(cr);
  c.FillOutline(Hex(0xE8F0F8), kInk, std::max(1.5, size / 12), 0.75);
  // Sand: what is left on top, what has run through below.
  cairo_move_to(cr, cx - size * 0.5 * sand, cy - size * sand);
  cairo_line_to(cr, cx + size * 0.5 * sand, cy - size * sand);
  cairo_line_to(cr, cx, cy);
  cairo_close_path(cr);
  c.Colour(kGold);
  cairo_fill(cr);
  cairo_move_to(cr, cx - size * 0.5, cy + size);
  cairo_line_to(cr, cx + size * 0.5, cy + size);
  cairo_line_to(cr, cx, cy + size * (0.2 + 0.6 * sand));
  cairo_close_path(cr);
  c.Colour(kGold);
  cairo_fill(cr);
  c.FillRect(cx - size * 0.65, cy - size - size * 0.14, size * 1.3, size * 0.14, kVermilion);
  c.FillRect(cx - size * 0.65, cy + size, size * 1.3, size * 0.14, kVermilion);
}

void Shrine(Canvas& c, double x, double y, double s) {
  cairo_t* cr = c.cr();
  c.FillRect(x + 6 * s, y + 18 * s, 48 * s, 22 * s, Hex(0x6A4A3A));
  cairo_move_to(cr, x - 4 * s, y + 20 * s);
  cairo_curve_to(cr, x + 20 * s, y + 14 * s, x + 40 * s, y + 14 * s, x + 64 * s, y + 20 * s);
  cairo_line_to(cr, x + 30 * s, y);
  cairo_close_path(cr);
  c.FillOutline(Hex(0x3A2A2A), kInk, 1.5);
  c.FillRect(x + 24 * s, y + 26 * s, 12 * s, 14 * s, Hex(0xF2C14E), 0.8);
}

void Torii(Canvas& c, double x, double y, double s) {
  c.FillRect(x + 6 * s, y + 6 * s, 4 * s, 40 * s, kVermilion);
  c.FillRect(x + 30 * s, y + 6 * s, 4 * s, 40 * s, kVermilion);
  c.FillRect(x, y, 40 * s, 5 * s, kInk);
  c.FillRect(x + 2 * s, y + 10 * s, 36 * s, 3 * s, kVermilion);
}

void Sisters(Canvas& c, double x, double y, double scale, int weaponA, int weaponB, double tilt = -0.15) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  DrawMaiden(c, 0, weaponA, 1, tilt);
  cairo_translate(cr, -18, 30);
  DrawMaiden(c, 1, weaponB, 3, tilt);
  cairo_restore(cr);
}

void Frame(Canvas& c) {
  c.RoundRect(2, 2, c.width() - 4, c.height() - 4, 8);
  cairo_set_line_width(c.cr(), 4);
  c.Colour(kInk);
  cairo_stroke(c.cr());
  c.RoundRect(5, 5, c.width() - 10, c.height() - 10, 6);
  cairo_set_line_width(c.cr(), 2);
  c.Colour(kGold);
  cairo_stroke(c.cr());
}

void Sparkles(Canvas& c, double x0, double y0, double w, double h, int count, std::uint32_t seed, Rgb colour) {
  for (int i = 0; i < count; ++i) {
    seed = seed * 1664525u + 1013904223u;
    double x = x0 + (seed >> 8) % static_cast<int>(w);
    seed = seed * 1664525u + 1013904223u;
    double y = y0 + (seed >> 8) % static_cast<int>(h);
    double r = 1 + (seed >> 28) % 3;
    c.Glow(x, y, r * 3, colour, 0.6);
    c.FillEllipse(x, y, r * 0.6, r * 0.6, kPaper);
  }
}

void StoryPicture(Canvas& c, int page) {
  const double w = 320, h = 240;
  cairo_t* cr = c.cr();
  switch (page) {
    case 0:  // the shrine and its hourglass at dusk
      DuskSky(c, w, h);
      Hills(c, w, h, 170, Hex(0x5F6E9E), 0.5);
      Torii(c, 30, 120, 2.2);
      Shrine(c, 170, 110, 2.0);
      Hourglass(c, 230, 70, 26, 0.8);
      break;
    case 1: {  // youkai carry the hourglass off; the sand scatters into the sky
      DuskSky(c, w, h);
      Hills(c, w, h, 190, Hex(0x3F5A6E), 1.3);
      Sparkles(c, 20, 20, 280, 150, 40, 11, kGold);
      cairo_save(cr);
      cairo_translate(cr, 215, 150);
      cairo_rotate(cr, 0.5);
      Hourglass(c, 0, 0, 22, 0.3);
      cairo_restore(cr);
      // Umbrella youkai make off with it, a wisp lighting the way.
      const double places[3][3] = {{150, 70, 1.5}, {214, 104, 1.7}, {250, 50, 1.3}};
      for (int i = 0; i < 3; ++i) {
        cairo_save(cr);
        cairo_translate(cr, places[i][0], places[i][1]);
        cairo_scale(cr, places[i][2], places[i][2]);
        DrawYoukai(c, 1, i);
        cairo_restore(cr);
      }
      cairo_save(cr);
      cairo_translate(cr, 40, 110);
      cairo_scale(cr, 1.4, 1.4);
      DrawYoukai(c, 4, 1);
      cairo_restore(cr);
      break;
    }
    case 2: {  // the scattered time, floating over the fields
      DuskSky(c, w, h);
      Hills(c, w, h, 160, Hex(0x5F6E9E), 2.0);
      c.FillRect(0, 190, w, 50, Hex(0x6F8A4A));
      for (int i = 0; i < 6; ++i) {
        double x = 40 + i * 48, y = 80 + 30 * std::sin(i * 1.3);
        c.Glow(x, y, 22, kGold, 0.6);
        c.Ellipse(x, y, 11, 11);
        c.FillOutline(Hex(0x2A3A6A), kGold, 2.5);
        TextStyle digit = Prose(13);
        c.TextBox(std::string(1, static_cast<char>('1' + i % 5)), x - 8, y - 8, 16, 16, digit);
      }
      break;
    }
    case 3:  // the sisters take off
      DuskSky(c, w, h);
      Hills(c, w, h, 200, Hex(0x3F5A6E), 0.2);
      Sparkles(c, 0, 0, 320, 120, 25, 5, kPaper);
      Sisters(c, 70, 40, 2.6, 0, 1);
      break;
    default: {  // the great serpent wakes above the clouds
      c.VerticalGradient(0, 0, w, h, Hex(0x3A0A1A), Hex(0xC8402A));
      for (int i = 0; i < 7; ++i) c.FillEllipse(i * 55, 210, 50, 26, Hex(0xE8B0A0), 0.8);
      cairo_move_to(cr, -10, 200);
      cairo_curve_to(cr, 80, 60, 180, 260, 250, 90);
      cairo_set_line_width(cr, 34);
      c.Colour(kInk);
      cairo_stroke_preserve(cr);
      cairo_set_line_width(cr, 28);
      c.Colour(Hex(0x5A3A8A));
      cairo_stroke(cr);
      c.Ellipse(262, 76, 38, 26);
      c.FillOutline(Hex(0x5A3A8A), kInk, 3);
      c.FillEllipse(270, 66, 8, 6, Hex(0xF2D04E));
      c.FillEllipse(268, 66, 2.5, 5, kInk);
      Hourglass(c, 290, 150, 14, 0.2);
      break;
    }
  }
  Frame(c);
}

const char* const kStoryText[10][3] = {
    {"山あいの小さな社、時守（ときもり）神社。", "そこには村の時を刻む「刻の砂時計」が祀られていた。", ""},
    {"ある夕暮れ、妖怪たちが砂時計を盗み出し、", "村の時はばらばらに砕けて空へ散ってしまった。", ""},
    {"社を守る巫女の姉妹、姉のセンラと妹のユセラ。", "", ""},
    {"手もとに残った砂は、わずか一分ぶん。", "二人はその一分を身にまとい、夕焼けの空へ飛び立つ。", ""},
    {"散らばった時のかけら、タイムカプセルを集めれば", "砂時計の砂は少しずつ戻ってくる。",
     "けれど妖怪に触れれば、なけなしの時間が削られてしまう。"},
    {"「お姉ちゃん、急がないと日が沈んじゃう！」", "「分かってる。一秒だって無駄にしないわ」", ""},
    {"行く手には、空を見張る大妖怪たちが待ち受ける。", "提灯、狛犬、天狗、狐 ―― そして山の主。", ""},
    {"そのとき、山が大きく揺れた。", "砂時計を抱えた大蛇が、雲の上で目を覚ましたのだ。", "残された時間は、あとわずか。"},
    {"三十の空をかけぬけて、", "村の時を取り戻せ！", ""},
    {"―― 時守の巫女、出陣 ――", "", ""},
};

void StoryText(Canvas& c, int index) {
  std::vector<std::string> lines;
  for (const char* line : kStoryText[index])
    if (*line) lines.push_back(line);
  bool title = index == 9;
  Lines(c, lines, title ? 10 : 1, 29, Prose(title ? 24 : 19, title ? kGold : kPaper));
}

void Rules(Canvas& c) {
  c.RoundRect(20, 14, 600, 452, 12);
  c.FillOutline(Hex(0x140E20), kGold, 2, 0.78);
  TextStyle head = Prose(26, kGold);
  c.TextBox("あそびかた", 20, 22, 600, 36, head);
  struct Item {
    const char* title;
    const char* body[2];
  };
  const Item items[] = {
      {"時計", {"残り時間は全ステージ共通。60秒から始まり、0になると終わり。", "ボスを倒すと、次のステージまで時計は止まる。"}},
      {"タイムカプセル", {"触れて取ると、書かれた秒数だけ時間が増える。", "撃つたびに数字が減り、1のときに撃つと壊れてしまう。"}},
      {"早撃ち倍率", {"ステージ開始から1秒以内に倒すと×3.0、1.5秒で×2.5、", "2秒で×2.0、3秒以内なら×1.5。素早く倒して稼ごう。"}},
      {"被弾", {"妖怪や弾に触れると時間が5秒減る（神速は3秒）。", "しばらく点滅している間は、もう一度当たることはない。"}},
      {"武器", {"連射：お札を次々と放つ。貫通：並んだ敵をまとめて射抜く。", "神速：二倍速で飛び回る。30ステージを駆けぬけろ！"}},
      {"操作", {"方向キーで移動　Z・X・スペースでショット／決定", "Escでポーズ／もどる　2P：TFBHで移動、Z・Xでショット"}},
  };
  TextStyle label = Prose(17, Hex(0xFF9A7A));
  TextStyle body = Prose(15);
  body.outlineWidth = 1.6;
  double y = 66;
  for (const Item& item : items) {
    c.TextBox(item.title, 40, y, 150, 24, label, TextAlign::kLeft);
    c.TextBox(item.body[0], 58, y + 22, 550, 22, body, TextAlign::kLeft);
    c.TextBox(item.body[1], 58, y + 43, 550, 22, body, TextAlign::kLeft);
    y += 66;
  }
}

void Staff(Canvas& c) {
  c.RoundRect(60, 30, 520, 420, 12);
  c.FillOutline(Hex(0x140E20), kGold, 2, 0.78);
  c.TextBox("STAFF", 60, 44, 520, 40, Prose(30, kGold));
  const char* const rows[][2] = {
      {"企画・ゲームデザイン", "Ostrelan"},
      {"Linux版 プログラム", "Sorvani project"},
      {"グラフィック", "Sorvani project（データ生成プログラムによる描画）"},
      {"音楽・効果音", "Sorvani project（ソフトウェア音源による合成）"},
      {"フォント", "IPAゴシック / IPA Pゴシック"},
      {"使用ライブラリ", "SDL2, GTK, cairo, Pango, libvorbis, Boost"},
      {"スペシャルサンクス", "遊んでくれたあなた"},
  };
  TextStyle role = Prose(15, Hex(0xFF9A7A));
  TextStyle name = Prose(17);
  double y = 104;
  for (const auto& row : rows) {
    c.TextBox(row[0], 60, y, 520, 20, role);
    c.TextBox(row[1], 60, y + 21, 520, 24, name);
    y += 48;
  }
}

void TitleScreen(Canvas& c) {
  cairo_t* cr = c.cr();
  DuskSky(c, 640, 480);
  Sparkles(c, 0, 0, 640, 200, 50, 3, kPaper);
  c.Glow(520, 330, 150, Hex(0xFFE0B0), 0.4);
  Hills(c, 640, 480, 350, Hex(0x8A7DB0), 0.3);
  Hills(c, 640, 480, 390, Hex(0x5F6E9E), 1.7);
  Hills(c, 640, 480, 430, Hex(0x3F5A6E), 2.9);
  c.FillRect(380, 288, 260, 150, Hex(0x000000), 0.3);  // keeps the menu legible
  Hourglass(c, 112, 128, 46, 0.6);
  TextStyle logo = Prose(92, kPaper);
  logo.outlineWidth = 5;
  logo.letterSpacing = 2;
  c.TextBox("Sorvani", 150, 44, 470, 110, logo);
  TextStyle sub = Prose(30, kGold);
  sub.outlineWidth = 3;
  c.TextBox("時守の巫女、空をかける", 170, 150, 430, 40, sub);
  c.FillRect(190, 196, 390, 3, kVermilion);
  Sisters(c, 70, 226, 3.2, 0, 1, -0.12);
  (void)cr;
}

void Logo(Canvas& c, bool second) {
  cairo_t* cr = c.cr();
  double w = c.width(), h = c.height();
  if (!second) {
    for (int i = 0; i < 5; ++i) {  // a five-pointed star of feathers
      cairo_save(cr);
      cairo_translate(cr, 60, h / 2);
      cairo_rotate(cr, i * 2 * M_PI / 5);
      c.Ellipse(0, -20, 8, 20);
      c.FillOutline(Mix(kVermilion, kGold, i / 4.0), kInk, 1.5);
      cairo_restore(cr);
    }
    TextStyle word = Prose(40, kPaper);
    word.letterSpacing = 4;
    c.TextBox("OSTRELAN", 104, 20, 210, 60, word, TextAlign::kLeft);
    c.TextBox("presents", 104, 78, 210, 24, Prose(16, kGold), TextAlign::kLeft);
  } else {
    c.Glow(w / 2, 58, 60, Hex(0x8FA8D8), 0.5);
    for (int i = 0; i < 12; ++i) {  // a cog of light around an hourglass
      double a = i * M_PI / 6;
      c.FillRect(w / 2 + std::cos(a) * 40 - 4, 58 + std::sin(a) * 40 - 4, 8, 8, Hex(0x8FA8D8));
    }
    c.Ellipse(w / 2, 58, 38, 38);
    cairo_set_line_width(cr, 6);
    c.Colour(Hex(0x8FA8D8));
    cairo_stroke(cr);
    Hourglass(c, w / 2, 58, 22, 0.5);
    TextStyle word = Prose(34, kPaper);
    word.letterSpacing = 6;
    c.TextBox("QUENTALOR", 0, 104, w, 44, word);
  }
}

void EndingPicture(Canvas& c, int which) {
  cairo_t* cr = c.cr();
  switch (which) {
    case 0:  // home at sunset with the hourglass
      DuskSky(c, 640, 480);
      Hills(c, 640, 480, 340, Hex(0x5F6E9E), 0.8);
      Hills(c, 640, 480, 400, Hex(0x3F5A6E), 2.2);
      Hourglass(c, 470, 170, 60, 0.95);
      Sisters(c, 90, 150, 3.4, 0, 1, 0);
      break;
    case 1:  // the village clock runs again
    case 4: {
      c.VerticalGradient(0, 0, 640, 480, Hex(0x6AA8E0), Hex(0xF8E0C0));
      Hills(c, 640, 480, 300, Hex(0x6F8A4A), 0.4);
      for (int i = 0; i < 6; ++i) Shrine(c, 40 + i * 100, 300 + (i % 2) * 30, 1.4);
      Torii(c, 280, 180, 2.6);
      Hourglass(c, 320, 110, 40, 1.0);
      if (which == 4) Sisters(c, 420, 330, 2.2, 1, 2, 0);  // both sisters, for a two-player finish
      break;
    }
    case 2:  // the night festival
    case 5: {
      c.VerticalGradient(0, 0, 640, 480, Hex(0x0E1230), Hex(0x3A2A58));
      Sparkles(c, 0, 0, 640, 240, 80, 21, kPaper);
      for (int i = 0; i < 12; ++i) {
        double x = 30 + i * 52, y = 200 + 14 * std::sin(i * 0.8);
        c.Glow(x, y, 20, Hex(0xFFB060), 0.6);
        c.Ellipse(x, y, 10, 13);
        c.FillOutline(Hex(0xF8E0B0), kVermilion, 2);
      }
      cairo_move_to(cr, 0, 210);
      cairo_curve_to(cr, 200, 180, 440, 180, 640, 210);
      cairo_set_line_width(cr, 2);
      c.Colour(kInk);
      cairo_stroke(cr);
      Hills(c, 640, 480, 380, Hex(0x1C1A30), 1.0);
      Shrine(c, 240, 300, 2.6);
      if (which == 5) {  // fireworks when the extra course is cleared
        for (int k = 0; k < 2; ++k)
          for (int i = 0; i < 16; ++i) {
            double a = i * M_PI / 8, cx = 160 + k * 320, cy = 90;
            cairo_move_to(cr, cx + std::cos(a) * 10, cy + std::sin(a) * 10);
            cairo_line_to(cr, cx + std::cos(a) * 60, cy + std::sin(a) * 60);
            cairo_set_line_width(cr, 3);
            c.Colour(k ? kGold : Hex(0xFF7A9A));
            cairo_stroke(cr);
          }
      }
      break;
    }
    default:  // fin: the sisters asleep by the hourglass
      c.VerticalGradient(0, 0, 640, 480, Hex(0x1A1428), Hex(0x3A2A48));
      Hourglass(c, 320, 190, 70, 0.6);
      c.RoundRect(150, 300, 340, 60, 30);
      c.FillOutline(Hex(0x5A3A4A), kInk, 3);
      Sisters(c, 210, 250, 2.4, 0, 1, 0);
      c.TextBox("おしまい", 0, 380, 640, 60, Prose(40, kGold));
      break;
  }
}

const char* const kEndingText[10][2] = {
    {"最後の砂粒が、砂時計の中へ落ちていく。", "村の時が、ふたたび静かに刻みはじめた。"},
    {"止まっていた水車が回り、鐘が夕暮れを告げる。", "人々は何が起きたのかも知らずに家路についた。"},
    {"その夜、時守神社では小さなお祭りが開かれた。", "妖怪たちも、少しだけ申し訳なさそうに顔を出した。"},
    {"「ねえ、お姉ちゃん。一分って、けっこう長いね」", "「ええ。二人でなら、ね」"},
    {"時守の巫女の物語  ―― おしまい ――", "遊んでくれて、ありがとう。"},
    {"あふれるほどの妖怪をくぐりぬけ、", "姉妹は誰よりも速く、すべての空をかけぬけた。"},
    {"大蛇は深く頭を下げ、山の奥へと帰っていく。", "「次は……もう少し手加減してくれぬか」"},
    {"砂時計の砂は、以前よりも金色に輝いていた。", "二人の一分が、村の時をすこし豊かにしたのだ。"},
    {"「もう一回、いける？」「もちろん！」", "姉妹の挑戦は、まだまだ続く。"},
    {"EXTRA クリア、おめでとう！", "あなたこそ、真の時守です。"},
};

}  // namespace

bool DrawPages(Canvas& c, PictureId id) {
  if (id == PIC_LOGO) {
    Logo(c, false);
  } else if (id == PIC_QUENTALOR) {
    Logo(c, true);
  } else if (id == PIC_TITLELOGO) {
    TitleScreen(c);
  } else if (id >= PIC_STORY1 && id <= PIC_STORY5) {
    StoryPicture(c, id - PIC_STORY1);
  } else if (id >= PIC_STORY_TEXT1 && id <= PIC_STORY_TEXT9) {
    StoryText(c, id - PIC_STORY_TEXT1);
  } else if (id == PIC_INFO) {
    Rules(c);
  } else if (id == PIC_STAFF) {
    Staff(c);
  } else if (id >= PIC_ENDING1 && id <= PIC_ENDING4) {
    EndingPicture(c, id - PIC_ENDING1);
  } else if (id == PIC_ENDING2B || id == PIC_ENDING3B) {
    EndingPicture(c, id == PIC_ENDING2B ? 4 : 5);
  } else if (id >= PIC_ENDING_TEXT1 && id <= PIC_EX_ENDING_TEXT5) {
    int index = id - PIC_ENDING_TEXT1;
    Lines(c, {kEndingText[index][0], kEndingText[index][1]}, 1, 29, Prose(19));
  } else {
    return false;
  }
  return true;
}
