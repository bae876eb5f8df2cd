// A review sheet of whole screens: the pictures composed at the positions the game draws them,
// so sizes and art can be judged together without running the game.
#include <cstdio>
#include <map>

#include "pack.h"

namespace {

struct Reader {
  const std::vector<unsigned char>* bytes;
  std::size_t offset = 0;
};

cairo_status_t ReadBytes(void* closure, unsigned char* data, unsigned int length) {
  auto* reader = static_cast<Reader*>(closure);
  if (reader->offset + length > reader->bytes->size()) return CAIRO_STATUS_READ_ERROR;
  for (unsigned i = 0; i < length; ++i) data[i] = (*reader->bytes)[reader->offset + i];
  reader->offset += length;
  return CAIRO_STATUS_SUCCESS;
}

class Screens {
 public:
  explicit Screens(const std::vector<GeneratedPicture>& pictures) {
    for (const auto& p : pictures) {
      Reader reader{&p.png};
      cairo_surface_t* image = cairo_image_surface_create_from_png_stream(ReadBytes, &reader);
      // Keyed pictures: the key colour becomes transparent, as the game's loader does.
      std::string name = surfaces[p.id];
      ColourKey key = KeyForName(name);
      if (key.keyed) {
        cairo_surface_t* keyed = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(image),
                                                            cairo_image_surface_get_height(image));
        int w = cairo_image_surface_get_width(image), h = cairo_image_surface_get_height(image);
        auto* in = cairo_image_surface_get_data(image);
        auto* out = cairo_image_surface_get_data(keyed);
        int si = cairo_image_surface_get_stride(image), so = cairo_image_surface_get_stride(keyed);
        std::uint32_t k = (std::uint32_t{key.r} << 16) | (std::uint32_t{key.g} << 8) | key.b;
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) {
            std::uint32_t px = reinterpret_cast<std::uint32_t*>(in + y * si)[x] & 0xFFFFFF;
            reinterpret_cast<std::uint32_t*>(out + y * so)[x] = px == k ? 0 : (px | 0xFF000000u);
          }
        cairo_surface_mark_dirty(keyed);
        cairo_surface_destroy(image);
        image = keyed;
      }
      images_[p.id] = image;
    }
  }
  ~Screens() {
    for (auto& [id, image] : images_) cairo_surface_destroy(image);
  }
  int Width(PictureId id) { return cairo_image_surface_get_width(images_[id]); }
  int Height(PictureId id) { return cairo_image_surface_get_height(images_[id]); }
  void Draw(cairo_t* cr, PictureId id, double x, double y, double alpha = 1.0, double sourceWidth = -1) {
    cairo_save(cr);
    if (sourceWidth >= 0) {
      cairo_rectangle(cr, x, y, sourceWidth, Height(id));
      cairo_clip(cr);
    }
    cairo_set_source_surface(cr, images_[id], x, y);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
  }
  void Digits(cairo_t* cr, int value, double x, double y, int count) {
    int div = 1;
    for (int i = 1; i < count; ++i) div *= 10;
    for (int i = 0; i < count; ++i, div /= 10) Draw(cr, static_cast<PictureId>(PIC_0 + (value / div) % 10), x + 16 * i, y);
  }

 private:
  std::map<int, cairo_surface_t*> images_;
};

void Title(Screens& s, cairo_t* cr) {
  s.Draw(cr, PIC_TITLELOGO, 0, 0);
  s.Draw(cr, PIC_START, 400, 300);
  s.Draw(cr, PIC_SELECT_TRIAL, 10, 10);
  s.Draw(cr, PIC_START2, 400, 325);
  s.Draw(cr, PIC_EXTRA, 242, 351);
  s.Draw(cr, PIC_STORY, 400, 390);
  s.Draw(cr, PIC_EXIT, 400, 415);
  s.Draw(cr, PIC_COPYRIGHT, 10, 450);
  s.Draw(cr, PIC_CURSOR, 0, 300);
}

void Play(Screens& s, cairo_t* cr) {
  s.Draw(cr, PIC_BG01, 0, 0);
  int y = s.Height(PIC_BG01);
  for (int i = 0; i < 10; ++i) {
    PictureId strip = static_cast<PictureId>(PIC_BG02 + i);
    s.Draw(cr, strip, -100 - 30 * i, y);
    s.Draw(cr, strip, 540 - 30 * i, y);
    y += s.Height(strip);
  }
  for (int i = 0; i < 4; ++i) s.Draw(cr, static_cast<PictureId>(PIC_KUMO1 + i), 60 + i * 150, 40 + i * 40);
  s.Draw(cr, PIC_SENRA_REN_1, 40, 100);
  s.Draw(cr, PIY_UP_YUSERA_KAN_2, 60, 300);
  s.Draw(cr, PIC_SHOTEFFECT, 60 + 61 - 12, 300 + 16 - 30, 1.0);
  for (int i = 0; i < 7; ++i) s.Draw(cr, PIZ_TAMA2, 200 - i * 24, 300 + 22 - 6 + 5, 1.0 - 0.15 * i);
  s.Draw(cr, PIZ_TAMA1, 140, 117);
  s.Draw(cr, PIX_YAKKYO2, 120, 100);
  s.Draw(cr, static_cast<PictureId>(PIC_OTA_LEFT_STAND_1), 420, 80);
  s.Draw(cr, static_cast<PictureId>(PIC_OTA_LEFT_FIRE_2), 480, 168);
  s.Draw(cr, static_cast<PictureId>(PIC_HYO_DOWN_1), 360, 30);
  s.Draw(cr, static_cast<PictureId>(PIC_HYO_UP_3), 300, 420);
  s.Draw(cr, static_cast<PictureId>(PIC_KASHA_KURUMA_1), 512, 252);
  s.Draw(cr, static_cast<PictureId>(PIC_KASHA_HEAD_4), 520, 260);
  s.Draw(cr, static_cast<PictureId>(PIC_HITOTAMA_1), 560, 360);
  s.Draw(cr, PIC_ITEM5, 600, 200);
  s.Draw(cr, PIX_TEKITAMA, 380, 120);
  s.Draw(cr, PIX_TEKITAMA, 340, 130);
  s.Draw(cr, PIC_BAKU4, 240, 200);
  s.Draw(cr, PIC_200, 240, 232 - 10);
  s.Draw(cr, PIC_X30, 240, 232 + 12 - 10);
  s.Draw(cr, PIC_DAMAGEEFFECT1, 400, 250);
  s.Draw(cr, PIC_GETITEM_A08, 40 - 192 + 200, 100 - 48 + 260);
  s.Draw(cr, PIC_MISS5, 40 + 32 - 32, 100 + 45 - 50);
  // HUD
  s.Draw(cr, PIC_1P, 8, 4);
  s.Digits(cr, 12340, 58, 4, 6);
  s.Draw(cr, PIC_S, 170, 4);
  s.Digits(cr, 3, 206, 4, 2);
  s.Draw(cr, PIC_MODE_TRIAL, 171, 24);
  s.Draw(cr, PIC_TIME, 260, 4);
  s.Digits(cr, 42, 350, 4, 3);
  s.Draw(cr, PIC_DOT, 404, 4);
  s.Digits(cr, 83, 413, 4, 2);
  cairo_save(cr);
  cairo_rectangle(cr, 243, 25, 240, 21);
  cairo_clip(cr);
  s.Draw(cr, PIC_TIMEGAUGEEMPTY, 243, 25 - 11, 0.66);
  cairo_restore(cr);
  int n = 14;
  for (int r = 0; r < 18; ++r) {
    cairo_save(cr);
    cairo_rectangle(cr, 243, 26 + r, 6 * n + 15 - static_cast<int>(0.65 * r), 1);
    cairo_clip(cr);
    s.Draw(cr, PIC_TIMEGAUGEFULL, 243, 26 + r - (r + 12), 0.66);
    cairo_restore(cr);
  }
  s.Draw(cr, PIC_2P, 470, 4);
  s.Digits(cr, 980, 520, 4, 6);
  s.Draw(cr, PIC_STARTMOJI, (640 - s.Width(PIC_STARTMOJI)) / 2, (480 - s.Height(PIC_STARTMOJI)) / 2, 0.8);
  double sx = (640 - s.Width(PIC_STARTMOJI)) / 2 + 112, sy = (480 - s.Height(PIC_STARTMOJI)) / 2 + 16;
  s.Draw(cr, PIC_STAGE0, sx, sy, 0.8);
  s.Draw(cr, PIC_STAGE3, sx + s.Width(PIC_STAGE0), sy, 0.8);
}

void Boss(Screens& s, cairo_t* cr) {
  s.Draw(cr, PIC_BG01, 0, 0);
  int y = s.Height(PIC_BG01);
  for (int i = 0; i < 10; ++i) {
    PictureId strip = static_cast<PictureId>(PIC_BG02 + i);
    s.Draw(cr, strip, 0, y);
    y += s.Height(strip);
  }
  s.Draw(cr, PIC_BOSS1_SHOT2, 350, 60);
  s.Draw(cr, PIZ_BOSS2RB, 80, 160);
  s.Draw(cr, PIZ_BOSS2LE, 200, 300);
  s.Draw(cr, PIZ_BOSS3A, 480, 40);
  s.Draw(cr, PIZ_BOSS4B, 500, 200);
  s.Draw(cr, PIZ_BOSS5C, 360, 300);
  s.Draw(cr, PIZ_BOSS6A1, 0, 0);
  s.Draw(cr, PIC_BIGBAKU3, 240, 120);
  s.Draw(cr, PIC_BOSSLIFE, 640 - s.Width(PIC_BOSSLIFE), 480 - s.Height(PIC_BOSSLIFE), 1.0, s.Width(PIC_BOSSLIFE) * 0.6);
  s.Draw(cr, PIC_PAUSEBACK, 0, 0);
  s.Draw(cr, PIC_PAUSEMES, 226, 163);
  s.Draw(cr, PIC_RETURNGAME, 268, 193);
  s.Draw(cr, PIC_RETURNMENU, 263, 216);
  s.Draw(cr, PIC_GOTOSTART, 226, 239);
  s.Draw(cr, PIC_PAUSECURSOR, 0, 216);
  s.Draw(cr, PIC_GOTONEXTSTAGE, 170, 400);
  s.Draw(cr, PIC_STAGE1, 170 + 96, 400);
  s.Draw(cr, PIC_STAGE0, 170 + 96 + 32, 400);
}

void WeaponSelect(Screens& s, cairo_t* cr) {
  s.Draw(cr, PIC_SELECT_WEAPON_BG1, 0, 0);
  s.Draw(cr, PIC_SELECT_WEAPON_1, 70, 130);
  s.Draw(cr, PIC_SELECT_WEAPON_2, 260, 150);
  s.Draw(cr, PIC_SELECT_WEAPON_3, 450, 150);
  s.Draw(cr, PIC_WEAPON_INFO_1, 0, 320);
  s.Draw(cr, PIC_RANKING, 0, 335);
  const PictureId ranks[] = {PIC_1ST, PIC_2ND, PIC_3RD};
  for (int k = 0; k < 3; ++k) {
    int y = 384 + 24 * k;
    s.Draw(cr, ranks[k], 20, y);
    s.Draw(cr, PIC_CSTAGE, 100, y);
    s.Digits(cr, 12 - k * 3, 260, y, 2);
    s.Draw(cr, PIC_SCORE, 400, y);
    s.Digits(cr, 45670 - k * 9000, 500, y, 6);
  }
  s.Draw(cr, PIC_SELECT_TRIAL, 10, 10);
}

void Story(Screens& s, cairo_t* cr, int page) {
  s.Draw(cr, PIC_STORYRULE_BACK, 0, 0);
  PictureId tile = page < 5 ? PIC_STORY_TIP : PIC_RULE_TIP;
  for (int i = 0; i <= 640 + 128; i += 64)
    for (int j = 0; j <= 480 + 128; j += 64) s.Draw(cr, tile, i - 64, j - 64, page < 5 ? 1.0 : 0.5);
  if (page < 5) {
    s.Draw(cr, static_cast<PictureId>(PIC_STORY1 + page), 160, 20);
    if (page == 0) {
      s.Draw(cr, PIC_STORY_TEXT1, 0, 270);
      s.Draw(cr, PIC_STORY_TEXT2, 0, 330);
    } else if (page == 4) {
      s.Draw(cr, PIC_STORY_TEXT7, 0, 270);
      s.Draw(cr, PIC_STORY_TEXT8, 0, 360);
      s.Draw(cr, PIC_STORY_TEXT9, 0, 420);
    }
  } else {
    s.Draw(cr, page == 5 ? PIC_INFO : PIC_STAFF, 0, 0);
  }
}

}  // namespace

bool WriteLayoutSheet(const std::vector<GeneratedPicture>& pictures, const std::string& path) {
  Screens screens(pictures);
  Canvas sheet(1280, 1440);
  cairo_t* cr = sheet.cr();
  auto at = [&](int column, int row, auto draw) {
    cairo_save(cr);
    cairo_rectangle(cr, column * 640, row * 480, 640, 480);
    cairo_clip(cr);
    cairo_translate(cr, column * 640, row * 480);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    draw();
    cairo_restore(cr);
  };
  at(0, 0, [&] { Title(screens, cr); });
  at(1, 0, [&] { Play(screens, cr); });
  at(0, 1, [&] { WeaponSelect(screens, cr); });
  at(1, 1, [&] { Boss(screens, cr); });
  at(0, 2, [&] { Story(screens, cr, 0); });
  at(1, 2, [&] { Story(screens, cr, 5); });
  cairo_surface_flush(sheet.surface());
  if (cairo_surface_write_to_png(sheet.surface(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "svdatagen: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}
