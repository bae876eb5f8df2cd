// Title menu: the menu slides in, the cursor picks an entry, a long idle wait starts the
// demonstration.
#include <cstdint>

#include "app/app.h"
#include "app/score_ranking.h"
#include "game/game.h"
#include "gfx/gfx.h"
#include "input/input.h"
#include "platform/backend.h"
#include "scenes/scene_states.h"
#include "scenes/scenes.h"
#include "sound/sound.h"

namespace {

constexpr std::uint32_t kOpaqueBlack = 0xFF000000;
constexpr int kFadeStep = 9;

enum MenuEntry : int {
  kMenuStart = 0,
  kMenuStart2 = 1,
  kMenuExtra = 2,
  kMenuExtra2 = 3,  // the second line of the EXTRA picture
  kMenuStory = 4,
  kMenuExit = 5,
  kMenuEnding = 6,  // only once the ending has been seen
};
constexpr int kCursorY[7] = {300, 325, 350, 367, 390, 415, 440};

// Latch values: the input acted on last.
enum : int { kLatchNone = 0, kLatchShot = 1, kLatchPause = 3, kLatchUp = 100, kLatchDown = 101 };

struct TitleState {
  int phase = 0;
  int fade = 0;
  int cursor = 0;
  int menuLatch = 0;
  unsigned idleFrames = 0;
  std::uint8_t extraEntryEnabled = 0;
};
TitleState title;

int LastPosition() { return title.extraEntryEnabled ? kMenuEnding : kMenuExit; }

// The best one-player run that cleared every stage, over all modes and weapons; null if none.
const RankingEntry* BestClearedRun(int* table, int* place) {
  const RankingEntry* best = nullptr;
  for (int t = 0; t < kRankingTables; ++t) {
    for (int p = 0; p < kRankingPlaces; ++p) {
      const RankingEntry& entry = scoreRanking.tables[t][p];
      if (entry.stageReached < 31 || (best && entry.score <= best->score)) continue;
      best = &entry;
      *table = t;
      *place = p;
    }
  }
  return best;
}

// The ending once more, with the best cleared run as its result (misses are not kept in the
// ranking, so the ending leaves them out).
void ReplayEnding(platform::WindowHandle window) {
  int table = 0;
  int place = 0;
  const RankingEntry* best = BestClearedRun(&table, &place);
  if (!best) return;
  RunResult& result = gameRecord.runResult;
  result.resultMode = static_cast<std::int16_t>(table / 3);
  result.resultWeapon = static_cast<std::uint8_t>(table % 3);
  result.resultTime = static_cast<std::int16_t>(best->timeValue);
  result.resultScoreP1 = best->score;
  result.resultScoreP2 = -1;
  result.resultRank = place;
  result.resultMissP1 = -1;
  result.resultMissP2 = -1;
  EndingScene(window, 1);
}

bool IsDecision(int cursor) { return cursor != kMenuEnding || title.extraEntryEnabled; }

// Phase 2: the first held input of shot, up, down, pause acts, once per press.
// True when the scene handed over.
bool StepMenu(platform::WindowHandle window) {
  GetInput(INPUT_POLL);
  if (GetInput(INPUT_SHOT)) {
    if (title.menuLatch != kLatchShot) {
      if (IsDecision(title.cursor)) {
        PlaySoundEffect(WAV_MENU_DECIDE, 0);
        title.fade = 255;
        title.phase = 3;
      }
      title.idleFrames = 0;
    }
    title.menuLatch = kLatchShot;
  } else if (GetInput(INPUT_UP)) {
    if (title.menuLatch != kLatchUp) {
      PlaySoundEffect(WAV_MENU_SELECT, 0);
      if (--title.cursor < 0) title.cursor = LastPosition();
      title.idleFrames = 0;
    }
    title.menuLatch = kLatchUp;
  } else if (GetInput(INPUT_DOWN)) {
    if (title.menuLatch != kLatchDown) {
      PlaySoundEffect(WAV_MENU_SELECT, 0);
      if (++title.cursor > LastPosition()) title.cursor = 0;
      title.idleFrames = 0;
    }
    title.menuLatch = kLatchDown;
  } else if (GetInput(INPUT_PAUSE)) {
    if (title.menuLatch != kLatchPause) {
      PlaySoundEffect(WAV_MENU_SELECT, 0);
      title.cursor = kMenuExit;
      title.idleFrames = 0;
    }
    title.menuLatch = kLatchPause;
  } else {
    title.menuLatch = kLatchNone;
    if (++title.idleFrames > appState.demowait * 60u) {
      PlayScene(window, 3);
      return true;
    }
  }
  return false;
}

void EnterChosenScene(platform::WindowHandle window) {
  switch (title.cursor) {
    case kMenuStart: WeaponSelectScene(window, 1); break;
    case kMenuStart2: WeaponSelectScene(window, 2); break;
    case kMenuExtra: WeaponSelectScene(window, 4); break;
    case kMenuExtra2: WeaponSelectScene(window, 5); break;
    case kMenuStory: StoryScene(window, 1); break;
    case kMenuExit: ProgramExitScene(window, 1); break;
    case kMenuEnding: ReplayEnding(window); break;
    default: break;
  }
}

void DrawMenu(int a) {
  // The menu slides in from the right as it fades in: 255 px of travel for 255 of opacity.
  const float slide = static_cast<float>(655 - a);
  DrawPicture(PIC_TITLELOGO, 0, 0, a);
  DrawPicture(PIC_START, slide, 300, a);
  DrawPicture(PIC_SELECT_TRIAL, 10, 10, a);
  DrawPicture(PIC_START2, slide, 325, a);
  DrawPicture(PIC_EXTRA, static_cast<float>(497 - a), 351, a);
  DrawPicture(PIC_STORY, slide, 390, a);
  DrawPicture(PIC_EXIT, slide, 415, a);
  DrawPicture(PIC_COPYRIGHT, 10, 450, a);
  DrawPicture(PIC_CURSOR, 0, static_cast<float>(kCursorY[title.cursor]), a);
}

}  // namespace

void ResetTitleState() { title = TitleState{}; }

int TitleScene(platform::WindowHandle window, int kind) {
  if (kind == 1 || kind == 2) {
    BecomeCurrentScene("[title]", TitleScene);
    title.fade = 0;
    title.phase = 0;
    title.idleFrames = 0;
    // A fresh entry starts the title music over; a return leaves it playing.
    if (kind == 1) ChangeBgm(BgmPiece::kTitle);
    title.extraEntryEnabled = 0;
    WriteDebugLog("準備完了");
    return 0;
  }
  // Kinds the title does not take are frame steps.
  if (DrawsThisFrame() && graphics.pDevice) graphics.pDevice->Clear(platform::D3DCLEAR_TARGET, kOpaqueBlack, 1.0f, 0);
  int a = 255;
  switch (title.phase) {
    case 0: {
      title.phase = 1;
      title.fade = 0;
      title.cursor = 0;
      title.menuLatch = 0;
      LoadPictureSet(kTitlePictureSet);
      int table = 0;
      int place = 0;
      // Having cleared every stage once opens the ending again at the hidden last position.
      title.extraEntryEnabled = BestClearedRun(&table, &place) ? 1 : 0;
      a = 0;
      break;
    }
    case 1:
      title.fade += kFadeStep;
      if (title.fade < 255) {
        a = title.fade;
      } else {
        title.phase = 2;
        title.fade = 0;
      }
      break;
    case 2:
      if (StepMenu(window)) return 0;
      break;
    case 3:
      title.fade -= kFadeStep;
      if (title.fade >= 0) {
        a = title.fade;
      } else {
        title.phase = 4;
        title.fade = 0;
        EnterChosenScene(window);
        return 0;
      }
      break;
    default:
      a = 0;
      break;
  }
  DrawMenu(a);
  return 0;
}
