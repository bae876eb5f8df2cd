// The play scene: run start, stage set-up, the frame's fixed order, stage clear, time up, the
// demonstration's frame start and the hand-over to the ending.
#include <algorithm>
#include <cstdio>

#include "app/app.h"
#include "app/score_ranking.h"
#include "game/game.h"
#include "game/play.h"
#include "gfx/gfx.h"
#include "input/input.h"
#include "scenes/scenes.h"
#include "sound/sound.h"

namespace {

struct PlaySceneState {
  bool running = false;
  std::int32_t gameOverRank = -1;
  PlayerInput inputs[2] = {};
};
PlaySceneState play;

void SetUpStage() {
  char line[64];
  std::snprintf(line, sizeof line, "ステージ%d 初期化開始", gameRecord.stageIndex + 1);
  WriteDebugLog(line);
  PlaceCloudsAtRandom();
  ClearRecords(gameRecord.casings, kCasingSlots);
  ClearRecords(gameRecord.playerShots, kPlayerShotSlots);
  ClearRecords(gameRecord.enemies, kEnemySlots);
  ClearRecords(gameRecord.enemyShots, kEnemyShotSlots);
  ClearRecords(&gameRecord.boss, 1);
  PlacePlayersForStage();
  const int moved = gameRecord.bgOffset[0] - 320;
  gameRecord.bgOffset[0] = static_cast<std::int16_t>(moved < -640 ? 0 : moved);
  gameRecord.stageInitPending = 0;
  gameRecord.pauseCounter = 0;
  gameRecord.stageClearCounter = 0;
  gameRecord.stageIntroTimer = 0;

  WriteDebugLog("ステージ構成開始");
  if (IsBossStage(gameRecord.stageIndex)) {
    SetUpBoss();
  } else {
    int limit = 0;
    const StageEntry* list = StageList(gameRecord.gameMode, gameRecord.playerCount, gameRecord.stageIndex, &limit);
    const int hitPoints = StageHitPoints(gameRecord.gameMode, gameRecord.playerCount);
    for (int i = 0; i < limit && list[i].kind != 0; ++i) {
      if (PlaceEnemy(list[i], hitPoints) < 0) break;
    }
  }
  WriteDebugLog("ステージ構成完了");
}

void LeaveToTitle(platform::WindowHandle window) {
  play.running = false;
  TitleScene(window, 1);
}

void DriftTowardsLane(PlayerRecord& player, int lane) { player.y += player.y <= lane ? 1 : -1; }

// The run's last stage is behind: time bonus, ranking, result, and the ending takes over.
void EnterEnding() {
  const int bonus = gameRecord.timeLeft * 100 / 60;
  PlayerRecord* players = gameRecord.players;
  players[0].score += bonus;
  int rank = -1;
  if (gameRecord.playerCount == 2) {
    players[1].score += bonus;
  } else {
    rank = InsertRanking(gameRecord.gameMode, players[0].weapon, 31, gameRecord.timeLeft, players[0].score);
  }
  FillRunResult(rank);
  play.running = false;
  SwitchToEnding();
}

// One step of the exit flight; false when the ending has taken over.
bool StageClearStep() {
  std::int16_t& counter = gameRecord.stageClearCounter;
  PushTrails();
  const int players = gameRecord.playerCount;
  if (counter == 1) {
    for (int p = 0; p < players; ++p) gameRecord.clearExitStep[p] = gameRecord.players[p].x / 20;
    gameRecord.stageIntroTimer = 180;
    ClearRecords(gameRecord.playerShots, kPlayerShotSlots);
    ClearRecords(gameRecord.enemyShots, kEnemyShotSlots);
  } else if (counter <= 60) {
    for (int p = 0; p < players; ++p) {
      PlayerRecord& player = gameRecord.players[p];
      player.x += counter <= 20 ? -gameRecord.clearExitStep[p] : 16;
      DriftTowardsLane(player, p == 0 ? 100 : 300);
    }
    if (counter == 20) PlaySoundEffect(WAV_WARP, 0);
  }
  bool requested = false;
  if (counter >= 61) {
    if (gameRecord.stageIndex >= kStageCount - 1) {
      EnterEnding();
      return false;
    }
    ++gameRecord.stageIndex;
    gameRecord.stageInitPending = 1;
    ++gameRecord.stagesCleared;
    requested = true;
  }
  ++counter;
  const int left = (640 - PictureWidth(PIC_GOTONEXTSTAGE)) / 2;
  const int top = (480 - PictureHeight(PIC_GOTONEXTSTAGE)) / 2;
  const int alpha = requested ? 128 : 255;
  DrawPlay(PIC_GOTONEXTSTAGE, left, top, alpha);
  const int limited = alpha < gameRecord.fadeAlpha ? alpha : gameRecord.fadeAlpha;
  DrawStageNumber(requested ? gameRecord.stageIndex : gameRecord.stageIndex + 1, limited, static_cast<float>(left + 96),
                  static_cast<float>(top));
  return true;
}

constexpr int kRankingPanelTop = 327;
constexpr int kRankingPanelHeight = 133;

// On the bright playfield the ranking needs a dark band behind it: the pause dimmer's plain top
// rows, stretched over the heading and the three rows.
void DrawRankingPanel(int alpha) {
  const int width = PictureWidth(PIC_PAUSEBACK);
  const int rows = std::min(PictureHeight(PIC_PAUSEBACK), kRankingPanelHeight);
  if (width <= 0 || rows <= 0) return;
  const platform::Vector2 scaling{640.0f / static_cast<float>(width),
                                  static_cast<float>(kRankingPanelHeight) / static_cast<float>(rows)};
  DrawPictureScaled(PIC_PAUSEBACK, platform::Rect{0, 0, width, rows}, scaling, 0, kRankingPanelTop, alpha);
}

// Time up and the game-over display; false when the title has taken over.
bool TimeUpStep(platform::WindowHandle window) {
  const bool alone = gameRecord.playerCount == 1;
  const PlayerRecord& first = gameRecord.players[0];
  if (gameRecord.timeLeft == 0) {
    play.gameOverRank = alone ? InsertRanking(gameRecord.gameMode, first.weapon, gameRecord.stagesCleared + 1, 0,
                                              first.score)
                              : -1;
  }
  DrawPlay(PIC_GAMEOVER, (640 - PictureWidth(PIC_GAMEOVER)) / 2, (480 - PictureHeight(PIC_GAMEOVER)) / 2, 255);
  if (alone) {
    // The new entry's row blinks.
    const int place = (gameRecord.frameCounter / 15) % 2 == 0 ? play.gameOverRank : -1;
    DrawRankingPanel(gameRecord.fadeAlpha);
    DrawRanking(gameRecord.gameMode, gameRecord.fadeAlpha, first.weapon, place);
  }
  const int before = gameRecord.timeLeft--;
  if (before <= -300) {
    LeaveToTitle(window);
    return false;
  }
  return true;
}

// The demonstration's frame start: a live shot or pause, or the table's end, returns to the title
// before anything of the frame is drawn; otherwise the table has player 1's input.
bool DemoContinues(platform::WindowHandle window) {
  GetInput(INPUT_POLL);
  if (gameRecord.demoIndex >= kDemoLength || GetInput(INPUT_SHOT) || GetInput(INPUT_PAUSE)) {
    LeaveToTitle(window);
    return false;
  }
  play.inputs[0] = DemoInput(kDemoTable[gameRecord.demoIndex++]);
  play.inputs[1] = PlayerInput{};
  return true;
}

void FrameStep(platform::WindowHandle window) {
  GameRecord& game = gameRecord;
  if (game.demoIndex >= 0 && !DemoContinues(window)) return;
  if (game.stageInitPending != 0) SetUpStage();
  if (game.stageIntroTimer < 180) {
    if (!IsPaused()) ++game.stageIntroTimer;
    game.fadeAlpha = static_cast<std::int16_t>(game.fadeAlpha + 5 > 255 ? 255 : game.fadeAlpha + 5);
  }
  DrawBackdrop();
  if (game.stageIntroTimer < 180) DrawStageTitle();

  if (game.demoIndex < 0) ReadInput(play.inputs);
  if (!IsPaused() && !IsClearing() && game.timeLeft > 0) {
    PushTrails();
    MoveAndFirePlayers(play.inputs);
  }
  if (!IsPaused()) {
    RequestPause(play.inputs);
    RunClock();
    if (game.timeLeft > 0) {
      MovePlayerShots();
      MoveCasings();
      MoveEnemySlots();
      const bool bossStage = IsBossStage(game.stageIndex);
      if (bossStage) UpdateBoss();
      if (AnyEnemyLeft() || (bossStage && BossAlive())) MoveEnemyShots();
      if (!bossStage && !IsClearing() && !AnyEnemyLeft()) game.stageClearCounter = 1;
    }
    // After this frame's hits, so a hit player stands still for exactly 60 frames (30).
    CountDownDamageTimers();
  }

  DrawPlayers();
  if (IsBossStage(game.stageIndex)) DrawBoss();
  DrawEnemySlots();
  DrawEnemyShots();
  if (!IsClearing()) DrawPlayerShots();
  DrawCasings();
  DrawAndMoveSparks();

  if (IsClearing() && !StageClearStep()) return;
  DrawHud();
  if (IsPaused()) {
    const PauseOutcome outcome = PauseStep(play.inputs[0]);
    if (outcome == PauseOutcome::kTitle) {
      LeaveToTitle(window);
      return;
    }
    // The new run starts on the next frame, as one entered from the weapon selection does.
    if (outcome == PauseOutcome::kRestart) {
      RestartRun();
      return;
    }
  }
  if (game.demoIndex >= 0 && (game.frameCounter / 30) % 2 == 0) DrawPlay(PIC_DEMO, 220, 150, 255);
  if (game.timeLeft <= 0 && !TimeUpStep(window)) return;
  game.frameCounter = static_cast<std::int16_t>(game.frameCounter >= 359 ? 0 : game.frameCounter + 1);
}

}  // namespace

void DrawPlay(PictureId id, double x, double y, int alpha) {
  if (alpha > gameRecord.fadeAlpha) alpha = gameRecord.fadeAlpha;
  DrawPicture(id, static_cast<float>(x), static_cast<float>(y), alpha < 0 ? 0 : alpha);
}

int PlayerWidth() { return PictureWidth(PIC_SENRA_REN_1); }
int PlayerHeight() { return PictureHeight(PIC_SENRA_REN_1); }
bool IsPaused() { return gameRecord.pauseCounter > 0; }
bool IsClearing() { return gameRecord.stageClearCounter > 0; }

void RestartRun() {
  GameRecord& game = gameRecord;
  SeedRandom(static_cast<std::uint32_t>(game.gameMode + 1192296));
  game.stageInitPending = 1;
  game.fadeAlpha = 0;
  game.stageIndex = 0;
  game.frameCounter = 0;
  game.timeLeft = kClockStart;
  game.pauseLastKey = 0;
  ClearRecords(game.bgOffset, kStripCount);
  ClearRecords(game.players, 2);
  // A weapon byte outside 0..2 would pick other pictures and another mode's ranking: it plays
  // as the rapid-fire weapon.
  const int first = game.weaponChoice & 0xFF;
  const int second = game.weaponChoice >> 8;
  game.players[0].weapon = static_cast<std::uint8_t>(first <= WEAPON_SPEED ? first : WEAPON_REN);
  game.players[1].weapon = static_cast<std::uint8_t>(second <= WEAPON_SPEED ? second : WEAPON_REN);
  game.stagesCleared = 0;
  game.playerCount = game.entryType == 2 || game.entryType == 5 ? 2 : 1;
  if (game.entryType == 3) {
    ClearRecords(game.players, 2);
    game.demoIndex = 0;
  } else {
    game.demoIndex = -1;
  }
  // Trial runs have the play piece; the other modes run without music.
  if (game.gameMode == MODE_TRIAL) {
    ChangeBgm(BgmPiece::kPlay);
  } else {
    StopBgm();
  }
  WriteDebugLog("準備完了");
  play.running = true;
  play.gameOverRank = -1;
}

void ResetPlayScene() {
  play = PlaySceneState{};
  ClearGameRecord();
  gameRecord.demoIndex = -1;
  // No run yet: nothing ranked, no second player.
  gameRecord.runResult.resultRank = -1;
  gameRecord.runResult.resultScoreP2 = -1;
}

int PlayScene(platform::WindowHandle window, int kind) {
  if (kind >= 1 && kind <= 5) {
    BecomeCurrentScene("[playgame]", PlayScene);
    LoadPictureSet(kPlayPictureSet);
    gameRecord.gameMode = static_cast<std::int16_t>(kind <= 3 ? MODE_TRIAL : IsLKeyDown() ? MODE_LUNATIC : MODE_EXTRA);
    gameRecord.entryType = kind;
    RestartRun();
    return 0;
  }
  if (play.running) FrameStep(window);
  return 0;
}
