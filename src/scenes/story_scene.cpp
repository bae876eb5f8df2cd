// Story and rules: seven pages that slide across the screen over a drifting tiled backdrop.
#include "app/app.h"
#include "game/game.h"
#include "gfx/gfx.h"
#include "input/input.h"
#include "scenes/scene_states.h"
#include "scenes/scenes.h"
#include "sound/sound.h"

namespace {

constexpr int kPageCount = 7;
constexpr int kStoryPages = 5;  // the rest are the rules and the staff page
constexpr int kSlideStep = 12;
constexpr int kPageStart = 640;
constexpr int kPageRest = 160;
constexpr int kPageGone = -320;
constexpr int kShakeFrames = 60;

struct PageText {
  PictureId id;
  int y;
};

struct Page {
  PictureId picture;  // slides at (pageX, 20); -1 for the full-screen pages
  PageText texts[3];  // unused entries have id -1
};

constexpr PictureId kNone = static_cast<PictureId>(-1);

const Page kPages[kPageCount] = {
    {PIC_STORY1, {{PIC_STORY_TEXT1, 270}, {PIC_STORY_TEXT2, 330}, {kNone, 0}}},
    {PIC_STORY2, {{PIC_STORY_TEXT3, 270}, {PIC_STORY_TEXT4, 300}, {kNone, 0}}},
    {PIC_STORY3, {{PIC_STORY_TEXT5A, 270}, {kNone, 0}, {kNone, 0}}},
    {PIC_STORY4, {{PIC_STORY_TEXT5B, 270}, {PIC_STORY_TEXT6, 330}, {kNone, 0}}},
    {PIC_STORY5, {{PIC_STORY_TEXT7, 270}, {PIC_STORY_TEXT8, 360}, {PIC_STORY_TEXT9, 420}}},
    {kNone, {{PIC_INFO, 0}, {kNone, 0}, {kNone, 0}}},
    {kNone, {{PIC_STAFF, 0}, {kNone, 0}, {kNone, 0}}},
};

struct StoryState {
  int phase = 0;
  int pageX = kPageStart;
  int page = 0;
  int shake = kShakeFrames;
  int textAlpha = 0;
};
StoryState story;

// Survives every visit: the tiles go on drifting from where they stopped.
int tileScroll = 0;

// The backdrop, then P tiled over it, drifting half a pixel left and down per frame.
void DrawTiledBackdrop(PictureId tile, int alpha) {
  DrawPicture(PIC_STORYRULE_BACK, 0, 0, alpha);
  const int w = PictureWidth(tile);
  const int h = PictureHeight(tile);
  const int s = tileScroll;
  if (w > 0 && h > 0) {
    for (int i = 0; i <= 640 + 2 * w; i += w) {
      for (int j = 0; j <= 480 + 2 * h; j += h) {
        DrawPicture(tile, static_cast<float>(i - s / 2 - w), static_cast<float>(s / 2 - h + j), alpha);
      }
    }
  }
  if (++tileScroll >= 2 * w) tileScroll = 0;
}

// Fades the tiles in while the page slides in and out while it slides out.
int EdgeOpacity(bool fadeIn, bool fadeOut) {
  if (fadeIn && story.phase < 2 && story.pageX > 385) return kPageStart - story.pageX;
  if (fadeOut && story.phase > 2 && story.pageX < -65) return story.pageX + 320;
  return 255;
}

void DrawPage() {
  const Page& page = kPages[story.page];
  if (story.page < kStoryPages) {
    DrawTiledBackdrop(PIC_STORY_TIP, EdgeOpacity(story.page == 0, story.page == kStoryPages - 1));
    int dx = 0;
    int dy = 0;
    if (story.page == kStoryPages - 1 && story.phase == 2 && story.shake > 0) {
      dx = Rand() % story.shake - story.shake / 2;
      dy = Rand() % story.shake - story.shake / 2;
      --story.shake;
    }
    DrawPicture(page.picture, static_cast<float>(story.pageX + dx), static_cast<float>(20 + dy), 255);
  }
  if (story.pageX >= 160 && story.pageX <= 415) {
    story.textAlpha = 415 - story.pageX;
  } else if (story.pageX >= -94 && story.pageX <= 159) {
    story.textAlpha = story.pageX + 95;
  }
  if (story.page >= kStoryPages) DrawTiledBackdrop(PIC_RULE_TIP, EdgeOpacity(true, true) / 2);
  for (const PageText& text : page.texts) {
    if (text.id != kNone) DrawPicture(text.id, 0, static_cast<float>(text.y), story.textAlpha);
  }
}

}  // namespace

void ResetStoryState() {
  story = StoryState{};
  tileScroll = 0;
}

int StoryScene(platform::WindowHandle window, int kind) {
  if (kind == 1) {
    BecomeCurrentScene("[story]", StoryScene);
    story.textAlpha = 0;
    story.page = 0;
    story.phase = 0;
    story.shake = kShakeFrames;
    WriteDebugLog("準備開始");
    return 0;
  }
  switch (story.phase) {
    case 0:
      LoadPictureSet(kStoryPictureSet);
      story.pageX = kPageStart;
      story.phase = 1;
      WriteDebugLog("準備完了");
      break;
    case 1:
      story.pageX -= kSlideStep;
      if (story.pageX <= kPageRest) {
        story.pageX = kPageRest;
        story.phase = 2;
      }
      break;
    case 2:
      // No latch: a shot held down turns every page as soon as it stops.
      GetInput(INPUT_POLL);
      if (GetInput(INPUT_SHOT)) {
        PlaySoundEffect(WAV_KAIWA_NEXT, 0);
        story.phase = 3;
      } else if (GetInput(INPUT_PAUSE)) {
        TitleScene(window, 2);
        return 0;
      }
      break;
    default:
      story.pageX -= kSlideStep;
      if (story.pageX <= kPageGone) {
        if (++story.page >= kPageCount) {
          TitleScene(window, 2);
          return 0;
        }
        story.phase = 1;
        story.pageX = kPageStart;
      }
      break;
  }
  DrawPage();
  return 0;
}
