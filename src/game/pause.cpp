// The pause: its request, the overlay's fade in and out, and the three-choice menu in between.
#include "game/play.h"
#include "sound/sound.h"

namespace {

constexpr int kFadeInEnd = 30;  // the counter value that is the menu
constexpr int kFadeOutEnd = 60;
constexpr int kCursorY[3] = {193, 216, 239};

// The vertical input the menu last acted on.
enum : std::int32_t { LATCH_NONE = 0, LATCH_UP = 100, LATCH_DOWN = 101 };

void DrawOverlay(int alpha, bool withCursor) {
  DrawPlay(PIC_PAUSEBACK, 0, 0, alpha);
  DrawPlay(PIC_PAUSEMES, 226, 163, alpha);
  DrawPlay(PIC_RETURNGAME, 268, 193, alpha);
  DrawPlay(PIC_RETURNMENU, 263, 216, alpha);
  DrawPlay(PIC_GOTOSTART, 226, 239, alpha);
  if (withCursor) DrawPlay(PIC_PAUSECURSOR, 0, kCursorY[gameRecord.pauseCursor], alpha);
}

// The menu acts on held inputs: a vertical one once per press, the others at once.
void MenuStep(const PlayerInput& input) {
  GameRecord& game = gameRecord;
  DrawOverlay(255, true);
  if (input.up || input.down) {
    const std::int32_t latch = input.up ? LATCH_UP : LATCH_DOWN;
    if (game.pauseLastKey != latch) {
      PlaySoundEffect(WAV_MENU_SELECT, 0);
      game.pauseCursor = static_cast<std::int16_t>((game.pauseCursor + (input.up ? 2 : 1)) % 3);
    }
    game.pauseLastKey = latch;
  } else if (input.pause) {
    PlaySoundEffect(WAV_MENU_CANCEL, 0);
    game.pauseCursor = 0;
    game.pauseCounter = kFadeInEnd + 1;
  } else if (input.shot) {
    PlaySoundEffect(WAV_MENU_DECIDE, 0);
    game.pauseCounter = kFadeInEnd + 1;
  } else {
    game.pauseLastKey = LATCH_NONE;
  }
}

}  // namespace

void RequestPause(const PlayerInput inputs[2]) {
  if (IsPaused() || IsClearing() || gameRecord.timeLeft <= 0) return;
  if (inputs[0].pause || inputs[1].pause) gameRecord.pauseCounter = 1;
}

PauseOutcome PauseStep(const PlayerInput& firstPlayer) {
  GameRecord& game = gameRecord;
  std::int16_t& counter = game.pauseCounter;
  if (counter < kFadeInEnd) {
    ++counter;
    DrawOverlay(counter * 8, false);
    if (counter == kFadeInEnd) game.pauseCursor = 0;
    return PauseOutcome::kStay;
  }
  if (counter == kFadeInEnd) {
    MenuStep(firstPlayer);
    return PauseOutcome::kStay;
  }
  ++counter;
  const int alpha = (kFadeOutEnd - counter) * 8;
  // Leaving the run takes the whole scene down with the menu.
  if (game.pauseCursor != 0) game.fadeAlpha = static_cast<std::int16_t>(alpha);
  DrawOverlay(alpha, true);
  if (counter < kFadeOutEnd) return PauseOutcome::kStay;
  counter = 0;
  switch (game.pauseCursor) {
    case 1: return PauseOutcome::kTitle;
    case 2: return PauseOutcome::kRestart;
    default: return PauseOutcome::kStay;
  }
}
