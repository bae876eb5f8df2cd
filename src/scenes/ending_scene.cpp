// Ending after the last stage: five pictures with their texts, then the run's result; a shot
// moves on, and the last one returns to the title.
#include <cstdint>

#include "app/app.h"
#include "game/game.h"
#include "gfx/gfx.h"
#include "input/input.h"
#include "scenes/scene_states.h"
#include "scenes/scenes.h"
#include "sound/sound.h"

namespace {

constexpr int kPageCount = 5;
constexpr int kFadeFrames = 32;
constexpr int kFadeStep = 8;
constexpr int kPageHoldFrames = 300;
constexpr int kTextY = 410;

enum Phase : std::int32_t {
  kSetUp = 0,
  kPageIn = 1,
  kPageHold = 2,
  kPageOut = 3,
  kResultIn = 4,
  kResult = 5,
  kResultOut = 6,
};

struct EndingPage {
  PictureId picture;
  PictureId text;
  PictureId extraText;  // after an extra or lunatic run
};

const EndingPage kPages[kPageCount] = {
    {PIC_ENDING1, PIC_ENDING_TEXT1, PIC_EX_ENDING_TEXT1},
    {PIC_ENDING2, PIC_ENDING_TEXT2, PIC_EX_ENDING_TEXT2},
    {PIC_ENDING3, PIC_ENDING_TEXT3, PIC_EX_ENDING_TEXT3},
    {PIC_ENDING4, PIC_ENDING_TEXT4, PIC_EX_ENDING_TEXT4},
    {PIC_ENDING2B, PIC_ENDING_TEXT5, PIC_EX_ENDING_TEXT5},
};

// Four words, all cleared on entry, whoever performs the entry.
struct EndingState {
  std::int32_t phase = 0;
  std::int32_t counter = 0;
  std::int32_t page = 0;
  std::int32_t latch = 0;  // 1 while a shot already acted on (or held over from play) is down
};
EndingState ending;

bool ExtraRun() { return gameRecord.runResult.resultMode != MODE_TRIAL; }

// A shot acts once per press; the first press must be a new one.
bool ShotPressed() {
  GetInput(INPUT_POLL);
  const bool held = GetInput(INPUT_SHOT);
  const bool pressed = held && ending.latch == 0;
  ending.latch = held ? 1 : 0;
  return pressed;
}

int FadeInAlpha() { return ending.counter * kFadeStep > 255 ? 255 : ending.counter * kFadeStep; }
int FadeOutAlpha() { return 255 - FadeInAlpha(); }

void DrawPage(int a) {
  const EndingPage& page = kPages[ending.page];
  // The extra course ends on the festival with fireworks.
  const PictureId picture =
      ending.page == kPageCount - 1 && ExtraRun() ? static_cast<PictureId>(PIC_ENDING3B) : page.picture;
  DrawPicture(picture, 0, 0, a);
  DrawPicture(ExtraRun() ? page.extraText : page.text, 0, kTextY, a);
}

void DrawCentred(PictureId id, float y, int a) {
  DrawPicture(id, static_cast<float>((640 - PictureWidth(id)) / 2), y, a);
}

void DrawResult(int a) {
  const RunResult& result = gameRecord.runResult;
  DrawPicture(PIC_HAIKEI, 0, 0, a);
  DrawCentred(PIC_CONGRATULATIONS, 20, a);
  const PictureId modeLabel = result.resultMode == MODE_LUNATIC ? PIC_MODE_LUNATIC
                              : result.resultMode == MODE_EXTRA ? PIC_MODE_EXTRA
                                                                : PIC_MODE_TRIAL;
  DrawCentred(modeLabel, 110, a);
  const bool twoPlayers = result.resultScoreP2 >= 0;
  const std::int32_t scores[2] = {result.resultScoreP1, result.resultScoreP2};
  const std::int16_t misses[2] = {result.resultMissP1, result.resultMissP2};
  for (int player = 0; player < (twoPlayers ? 2 : 1); ++player) {
    const float y = static_cast<float>(140 + 30 * player);
    DrawPicture(player == 0 ? PIC_1P : PIC_2P, 100, y, a);
    DrawPicture(PIC_SCORE, 160, y, a);
    DrawNumber(scores[player], a, 260, y, 6);
    // A replayed ending from the ranking knows no misses.
    if (misses[player] >= 0) {
      DrawPicture(PIC_MISS, 400, y, a);
      DrawNumber(misses[player], a, 500, y, 2);
    }
  }
  // The time left, in seconds and hundredths.
  const int time = result.resultTime < 0 ? 0 : result.resultTime;
  DrawPicture(PIC_RTIME, 160, 230, a);
  DrawNumber(time / 60, a, 260, 230, 3);
  DrawPicture(PIC_DOT, 308, 230, a);
  DrawNumber(time % 60 * 100 / 60, a, 316, 230, 2);
  // One-player runs enter the ranking; the new place blinks as on the game-over screen.
  if (!twoPlayers) {
    const bool blinkOff = ending.phase == kResult && ending.counter / 15 % 2 == 0;
    DrawRanking(result.resultMode, a, result.resultWeapon, blinkOff ? result.resultRank : -1);
  }
}

}  // namespace

void ResetEndingState() { ending = EndingState{}; }

void SwitchToEnding() {
  BecomeCurrentScene("[ending]", EndingScene);
  ResetEndingState();
}

int EndingScene(platform::WindowHandle window, int kind) {
  if (kind == 1) {
    SwitchToEnding();
    return 0;
  }
  if (kind != SCENE_STEP) return 0;
  switch (ending.phase) {
    case kSetUp:
      LoadPictureSet(kEndingPictureSet);
      ending.phase = kPageIn;
      // The last stage was most likely cleared with the shot held down.
      ending.latch = 1;
      break;
    case kPageIn:
      ShotPressed();
      DrawPage(FadeInAlpha());
      if (++ending.counter == kFadeFrames) {
        ending.phase = kPageHold;
        ending.counter = 0;
      }
      break;
    case kPageHold:
      DrawPage(255);
      if (ShotPressed()) {
        PlaySoundEffect(WAV_KAIWA_NEXT, 0);
        ending.phase = kPageOut;
        ending.counter = 0;
      } else if (++ending.counter == kPageHoldFrames) {
        ending.phase = kPageOut;
        ending.counter = 0;
      }
      break;
    case kPageOut:
      ShotPressed();
      DrawPage(FadeOutAlpha());
      if (++ending.counter == kFadeFrames) {
        ending.counter = 0;
        ending.phase = ++ending.page == kPageCount ? kResultIn : kPageIn;
      }
      break;
    case kResultIn:
      ShotPressed();
      DrawResult(FadeInAlpha());
      if (++ending.counter == kFadeFrames) {
        ending.phase = kResult;
        ending.counter = 0;
      }
      break;
    case kResult:
      DrawResult(255);
      ++ending.counter;
      if (ShotPressed()) {
        PlaySoundEffect(WAV_MENU_DECIDE, 0);
        ending.phase = kResultOut;
        ending.counter = 0;
      }
      break;
    default:
      DrawResult(FadeOutAlpha());
      if (++ending.counter == kFadeFrames) {
        TitleScene(window, 1);
        return 0;
      }
      break;
  }
  return 0;
}
