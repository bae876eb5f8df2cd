// The demonstration: the recorded table flown with the build's pictures gets somewhere and
// shoots things, replays identically, and gives way to the title at its end or on a live press.
#include <filesystem>

#include "play_test_support.h"

namespace {

class PlayDemoTest : public PlayTest {
 protected:
  // The table was recorded with the real pictures' sizes in every hit test.
  PlayDemoTest() {
    const std::filesystem::path pack = std::filesystem::path(SORVANI_DATA_DIR) / kPictureArchive;
    std::error_code failed;
    std::filesystem::copy_file(pack, scratch / kPictureArchive, std::filesystem::copy_options::overwrite_existing,
                               failed);
    EXPECT_FALSE(failed) << "needs the build's data pack: " << pack;
  }

  struct Outcome {
    int frames = 0;  // frame steps the demonstration played
    int kills = 0;
    int furthestStage = 0;
    std::uint64_t hash = 0;
  };
  Outcome PlayDemonstration() {
    Outcome outcome;
    PlayScene(window, 3);
    MapTextures();
    while (currentScene == PlayScene && outcome.frames <= kDemoLength) {
      std::uint8_t before[kEnemySlots];
      for (int i = 0; i < kEnemySlots; ++i) before[i] = gameRecord.enemies[i].kind;
      Step();
      if (currentScene != PlayScene) break;
      ++outcome.frames;
      for (int i = 0; i < kEnemySlots; ++i) {
        const EnemySlot& enemy = gameRecord.enemies[i];
        outcome.kills += before[i] >= KIND_WALKER && before[i] <= KIND_WISP && enemy.kind == KIND_EXPLOSION &&
                         enemy.scoreLabel != 0;
      }
      if (gameRecord.stageIndex > outcome.furthestStage) outcome.furthestStage = gameRecord.stageIndex;
    }
    outcome.hash = HashGameRecord();
    return outcome;
  }
};

TEST_F(PlayDemoTest, TheRecordingReachesTheThirdStageShootingEnemiesForItsWholeLength) {
  const Outcome outcome = PlayDemonstration();
  EXPECT_EQ(outcome.frames, kDemoLength);
  EXPECT_EQ(currentScene, TitleScene);
  EXPECT_GE(outcome.furthestStage, 2);
  EXPECT_GE(outcome.kills, 20) << "stages 1 and 2 alone hold twenty enemies";
  EXPECT_GT(gameRecord.players[0].score, 0);
  EXPECT_GT(gameRecord.timeLeft, 0) << "the demonstration never times out";
}

TEST_F(PlayDemoTest, EveryStartReplaysToTheSameRecord) {
  const Outcome first = PlayDemonstration();
  // Entered again from the title, as after an idle wait, with a live run in between.
  Start(1);
  Hold(platform::VK_SPACE);
  Hold(platform::VK_DOWN);
  Step(400);
  Hold(platform::VK_SPACE, false);
  Hold(platform::VK_DOWN, false);
  const Outcome second = PlayDemonstration();
  EXPECT_EQ(second.frames, first.frames);
  EXPECT_EQ(second.kills, first.kills);
  EXPECT_EQ(second.hash, first.hash);
}

TEST_F(PlayDemoTest, ALiveShotOrPauseReturnsToTheTitleBeforeAnythingIsDrawn) {
  for (std::uint32_t key : {std::uint32_t{platform::VK_SPACE}, std::uint32_t{platform::VK_ESCAPE}}) {
    for (int frames : {0, 700}) {
      SCOPED_TRACE(testing::Message() << "key " << key << " after " << frames << " frames");
      Start(3);
      Step(frames);
      const std::int32_t index = gameRecord.demoIndex;
      Hold(key);
      Step();
      Hold(key, false);
      EXPECT_EQ(currentScene, TitleScene);
      EXPECT_EQ(gameRecord.demoIndex, index);
      EXPECT_EQ(CountDrawn(PIC_BG01), 0);
      EXPECT_EQ(CountDrawn(PIC_DEMO), 0);
    }
  }
}

TEST_F(PlayDemoTest, TableBytesBecomeThePlayersInputWithUpAndLeftWinning) {
  struct Case {
    std::uint8_t bits;
    PlayerInput input;  // shot, pause, up, down, left, right
  };
  const Case cases[] = {
      {0x00, {false, false, false, false, false, false}}, {0x01, {true, false, false, false, false, false}},
      {0x02, {false, false, true, false, false, false}},  {0x04, {false, false, false, true, false, false}},
      {0x06, {false, false, true, false, false, false}},  {0x08, {false, false, false, false, true, false}},
      {0x10, {false, false, false, false, false, true}},  {0x18, {false, false, false, false, true, false}},
      {0xE0, {false, false, false, false, false, false}}, {0xFF, {true, false, true, false, true, false}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(static_cast<int>(test.bits));
    const PlayerInput input = DemoInput(test.bits);
    EXPECT_EQ(input.shot, test.input.shot);
    EXPECT_FALSE(input.pause);
    EXPECT_EQ(input.up, test.input.up);
    EXPECT_EQ(input.down, test.input.down);
    EXPECT_EQ(input.left, test.input.left);
    EXPECT_EQ(input.right, test.input.right);
    // What the recorder writes for an input plays back as that input.
    const PlayerInput again = DemoInput(DemoBits(input));
    EXPECT_EQ(again.shot, input.shot);
    EXPECT_EQ(again.up, input.up);
    EXPECT_EQ(again.down, input.down);
    EXPECT_EQ(again.left, input.left);
    EXPECT_EQ(again.right, input.right);
  }
}

}  // namespace
