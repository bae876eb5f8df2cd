// The stored size of every picture, chosen so that every position the game draws at fits.
#include <cstdio>

#include "pack.h"

namespace {

struct Range {
  PictureId first, last;
  int width, height;
  const char* why;
};

// In id order; each range shares one size.
const Range kSizes[] = {
    {PIC_HAIKEI, PIC_SHIRO, 640, 480, "full-screen backgrounds"},
    {PIC_LOGO, PIC_LOGO, 320, 120, "first opening logo, drawn centred"},
    {PIC_STORY1, PIC_STORY5, 320, 240, "story pages stop at x 160, y 20: centred above the text at y 270"},
    {PIC_TITLELOGO, PIC_TITLELOGO, 640, 480, "title screen at (0, 0)"},
    {PIC_COPYRIGHT, PIC_COPYRIGHT, 400, 20, "at (10, 450)"},
    {PIC_START, PIC_EXIT, 200, 20, "menu items at x 400, rows 25 px apart"},
    {PIC_CURSOR, PIC_CURSOR, 640, 20, "menu highlight at (0, cursor y)"},
    {PIC_STORY_TEXT1, PIC_STORY_TEXT2, 640, 60, "two lines at (0, y)"},
    {PIC_STORY_TEXT3, PIC_STORY_TEXT3, 640, 30, "one line: the next text starts 30 px lower"},
    {PIC_STORY_TEXT4, PIC_STORY_TEXT4, 640, 60, "two lines"},
    {PIC_STORY_TEXT5A, PIC_STORY_TEXT5A, 640, 90, "three lines, alone on its page"},
    {PIC_STORY_TEXT5B, PIC_STORY_TEXT6, 640, 60, "two lines"},
    {PIC_STORY_TEXT7, PIC_STORY_TEXT7, 640, 90, "three lines above TEXT8 at y 360"},
    {PIC_STORY_TEXT8, PIC_STORY_TEXT9, 640, 60, "two lines; TEXT9 ends at the bottom edge"},
    {PIC_INFO, PIC_STAFF, 640, 480, "rules and staff pages at (0, 0)"},
    {PIC_SELECT_WEAPON_1, PIC_SELECT_WEAPON_3, 150, 170, "cards at x 70 / 260 / 450, y 130..150"},
    {PIC_WEAPON_INFO_1, PIC_WEAPON_INFO_3, 640, 160, "panel at (0, 320) under the ranking"},
    {PIC_KUMO1, PIC_KUMO1, 96, 40, "far cloud"},
    {PIC_KUMO2, PIC_KUMO2, 128, 48, "cloud"},
    {PIC_KUMO3, PIC_KUMO3, 160, 56, "cloud"},
    {PIC_KUMO4, PIC_KUMO4, 192, 64, "near cloud (fastest)"},
    {PIZ_TAMA1, PIZ_TAMA3, 24, 12, "player shots; the beam repeats TAMA2 every 24 px"},
    {PIX_YAKKYO1, PIX_YAKKYO4, 10, 10, "casings"},
    {PIX_TEKITAMA, PIX_TEKITAMA, 14, 14, "enemy shot, radius 7"},
    {PIC_BAKU1, PIC_BAKUA, 64, 64, "explosion frames"},
    {PIC_BIGBAKU1, PIC_BIGBAKUA, 128, 128, "boss explosion frames"},
    {PIC_ITEM1, PIC_ITEM5, 32, 32, "time capsule showing its seconds"},
    {PIC_STARTMOJI, PIC_STARTMOJI, 192, 80, "stage title; stage digits at +112, +16"},
    {PIC_GOTONEXTSTAGE, PIC_GOTONEXTSTAGE, 300, 40, "stage clear; stage digits at +96, +0"},
    {PIC_0, PIC_9, 16, 16, "HUD digits, 16 px advance"},
    {PIC_STAGE0, PIC_STAGE9, 32, 40, "stage digits, two-digit field 64 px"},
    {PIC_X15, PIC_X30, 48, 28, "multiplier labels, text in the lower rows (drawn 12 px under the score)"},
    {PIC_100, PIC_250, 48, 24, "score labels"},
    {PIC_MISS5, PIC_MISS3, 64, 16, "penalty label centred on the player"},
    {PIC_1P, PIC_2P, 40, 16, "HUD at (8, 4) / (470, 4)"},
    {PIC_S, PIC_S, 32, 16, "HUD stage label at (170, 4), number at 206"},
    {PIC_TIME, PIC_TIME, 80, 16, "HUD time label at (260, 4), seconds at 350"},
    {PIC_DOT, PIC_DOT, 8, 16, "decimal point at (404, 4), hundredths at 413"},
    {PIC_GAMEOVER, PIC_GAMEOVER, 400, 80, "drawn centred"},
    {PIC_ENDING1, PIC_ENDING4, 640, 480, "ending pictures"},
    {PIC_ENDING_TEXT1, PIC_EX_ENDING_TEXT5, 640, 60, "ending texts, two lines"},
    {PIC_PAUSEBACK, PIC_PAUSEBACK, 640, 480, "pause dimmer"},
    {PIC_PAUSEMES, PIC_PAUSEMES, 188, 26, "at (226, 163): centred on x 320"},
    {PIC_RETURNGAME, PIC_RETURNGAME, 104, 20, "at (268, 193)"},
    {PIC_RETURNMENU, PIC_RETURNMENU, 114, 20, "at (263, 216)"},
    {PIC_PAUSECURSOR, PIC_PAUSECURSOR, 640, 20, "at (0, 193 / 216 / 239)"},
    {PIC_TIME1, PIC_TIME5, 64, 16, "collected-capsule labels"},
    {PIC_DEMO, PIC_DEMO, 200, 48, "at (220, 150)"},
    {PIC_RANKING, PIC_RANKING, 640, 44, "heading at (0, 335), rows from 384"},
    {PIC_1ST, PIC_3RD, 72, 20, "rank labels at (20, 384 / 408 / 432)"},
    {PIC_RTIME, PIC_RTIME, 80, 20, "ranking time label"},
    {PIC_CSTAGE, PIC_CSTAGE, 150, 20, "at x 100, stage value at 260"},
    {PIC_SCORE, PIC_SCORE, 90, 20, "at x 400, score at 500"},
    {PIC_MISS, PIC_MISS, 64, 20, "miss-count label"},
    {PIC_SENRA_REN_1, PIY_UP_YUSERA_SPEED_4, 64, 44, "player sprites: bounds, hit tests, muzzle flash at (61, 16)"},
    {PIC_HYO_UP_1, PIC_HYO_UP_4, 48, 40, "floor clinger"},
    {PIC_HITOTAMA_1, PIC_HITOTAMA_4, 40, 40, "wisp"},
    {PIC_HYO_DOWN_1, PIC_HYO_DOWN_4, 48, 40, "ceiling clinger"},
    {PIC_KASHA_HEAD_1, PIC_KASHA_HEAD_9, 40, 40, "fire-cart head; volleys leave at (+15, +21)"},
    {PIC_KASHA_KURUMA_1, PIC_KASHA_KURUMA_4, 56, 56, "fire-cart wheel, centred on the head"},
    {PIC_OTA_LEFT_FIRE_1, PIC_OTA_RIGHT_STAND_4, 48, 48, "walker"},
    {PIC_BOSSLIFE, PIC_BOSSLIFE, 240, 16, "boss life at the bottom-right corner"},
    {PIC_SELECT_WEAPON_BG1, PIC_SELECT_WEAPON_BG2, 640, 480, "weapon selection backgrounds"},
    {PIC_QUENTALOR, PIC_QUENTALOR, 320, 160, "second opening logo, drawn centred"},
    {PIC_STORYRULE_BACK, PIC_STORYRULE_BACK, 640, 480, "story and rules backdrop"},
    {PIC_RULE_TIP, PIC_STORY_TIP, 64, 64, "tiles, seamless both ways"},
    {PIC_DAMAGEEFFECT1, PIC_DAMAGEEFFECT3, 16, 16, "hit sparks, one per weapon"},
    {PIC_ENDING2B, PIC_ENDING3B, 640, 480, "ending pictures"},
    {PIC_EXTRA, PIC_EXTRA, 240, 36, "two menu lines at (242, 351): rows for cursor 350 and 367"},
    {PIC_BOSS1_SHOT1, PIC_BOSS1_NORMAL4, 112, 120, "boss 1: circle of radius 56, muzzle at (28, 54)"},
    {PIZ_BOSS2RA, PIZ_BOSS2LG, 128, 112, "boss 2: holds every frame's hit box"},
    {PIZ_BOSS3A, PIZ_BOSS3F, 128, 128, "boss 3"},
    {PIZ_BOSS4A, PIZ_BOSS4F, 94, 118, "boss 4: hit circle at (47, 59), its centre"},
    {PIZ_BOSS5A, PIZ_BOSS5H, 128, 128, "boss 5"},
    {PIZ_BOSS6A1, PIZ_BOSS6C3, 160, 160, "boss 6"},
    {PIX_BOSS6T, PIX_BOSS6T, 64, 64, "boss 6's thrown piece"},
    {PIC_BOSS6M, PIC_BOSS6M, 96, 96, "boss 6's mask"},
    {PIC_SHOTEFFECT, PIC_SHOTEFFECT, 48, 132, "beam flash, scaled t/12 at (61 - 2t, 16 - 5t): centre stays near the muzzle"},
    {PIC_TIMEGAUGEFULL, PIC_TIMEGAUGEEMPTY, 240, 32, "gauge: rows 11..31 used, fill 6 n + 15 px wide"},
    {PIC_BG01, PIC_BG01, 640, 200, "sky"},
    {PIC_BG02, PIC_BG02, 640, 64, "strip 0 (speed 1): far mountains, y 200"},
    {PIC_BG03, PIC_BG03, 640, 40, "strip 1 (4): hills, y 264"},
    {PIC_BG04, PIC_BG04, 640, 32, "strip 2 (5): forest, y 304"},
    {PIC_BG05, PIC_BG06, 640, 24, "strips 3, 4 (6, 7): village, y 336 / 360"},
    {PIC_BG07, PIC_BG08, 640, 20, "strips 5, 6 (8, 10): fields, y 384 / 404"},
    {PIC_BG09, PIC_BG10, 640, 16, "strips 7, 8 (12, 16): river bank, y 424 / 440"},
    {PIC_BG11, PIC_BG11, 640, 24, "strip 9 (20): near grass, y 456..480"},
    {PIC_FLAG_1P, PIC_FLAG_2P, 64, 20, "above the player during the stage title"},
    {PIC_GETITEM_A01, PIC_GETITEM_B20, 256, 48, "pick-up pop-up at (player x - 192, player y - 48)"},
    {PIC_MODE_EXTRA, PIC_MODE_TRIAL, 64, 14, "HUD mode label at (171, 24)"},
    {PIC_SELECT_EXTRA, PIC_SELECT_TRIAL, 200, 24, "mode banner at (10, 10)"},
    {PIC_GOTOSTART, PIC_GOTOSTART, 188, 20, "at (226, 239)"},
    {PIC_CONGRATULATIONS, PIC_CONGRATULATIONS, 480, 80, "ending banner"},
};

}  // namespace

PictureSize SizeOfPicture(PictureId id) {
  for (const Range& range : kSizes)
    if (id >= range.first && id <= range.last) return {range.width, range.height};
  return {0, 0};
}

std::string SizeTableMarkdown() {
  std::string out =
      "# Picture sizes\n\n"
      "The stored size of every picture in svdata01.dat, in pixels. The generator draws each picture at\n"
      "this size, and the data-pack test checks the built archive against this table. Rows list a range\n"
      "of ids that share one size.\n\n"
      "| ids | first name | last name | width | height | why |\n"
      "|---|---|---|---|---|---|\n";
  char line[512];
  for (const Range& range : kSizes) {
    std::snprintf(line, sizeof line, "| %d-%d | %s | %s | %d | %d | %s |\n", range.first, range.last,
                  surfaces[range.first], surfaces[range.last], range.width, range.height, range.why);
    out += line;
  }
  return out;
}
