// The story pages and the weapon selection, frame by frame: page timing with shot and pause,
// the shaking fifth page, the tile drift across visits; the selection's fade and slide, its
// latch, cancel, the choice written for the run, and what each entry kind shows.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "app/score_ranking.h"
#include "archive_writer.h"
#include "game/game.h"
#include "scene_test_support.h"

namespace {

using platform::DIK_ESCAPE;
using platform::DIK_LEFT;
using platform::DIK_RIGHT;
using platform::DIK_SPACE;

class StoryTest : public SceneTest {
 protected:
  StoryTest() { StoryScene(window, 1); }
};

// Per page: 40 frames sliding in, one reading, 40 sliding out.
TEST_F(StoryTest, HeldShotTurnsEveryPageAtSlideSpeedAndTheLastReturnsToTheTitle) {
  Hold(DIK_SPACE);
  Frame();
  EXPECT_EQ(LogMessages().back(), "準備完了");
  Frame();
  ASSERT_EQ(DrawsOf(PIC_STORY1).size(), 1u);
  EXPECT_EQ(DrawsOf(PIC_STORY1)[0].x, 640 - 12);
  Frames(39);
  EXPECT_EQ(DrawsOf(PIC_STORY1)[0].x, 160);
  Frame();  // read: the shot turns the page at once
  EXPECT_EQ(DrawsOf(PIC_STORY1)[0].x, 160);
  Frame();
  EXPECT_EQ(DrawsOf(PIC_STORY1)[0].x, 148);
  EXPECT_EQ(FramesUntilLeaving(1000), 568 - 43);
  EXPECT_EQ(currentScene, TitleScene);
  EXPECT_TRUE(Draws().empty());
  EXPECT_EQ(SceneTags(), (std::vector<std::string>{"[story]", "[title]"}));
}

TEST_F(StoryTest, PauseLeavesAtTheFirstStillPage) {
  Hold(DIK_ESCAPE);
  EXPECT_EQ(FramesUntilLeaving(100), 42);
  EXPECT_EQ(currentScene, TitleScene);
}

TEST_F(StoryTest, TextFadesWithTheSlideAndTheTilesFadeInWithTheFirstPage) {
  Frames(2);  // pageX 628
  EXPECT_EQ(DrawsOf(PIC_STORY_TEXT1)[0].alpha, 0);
  EXPECT_EQ(DrawsOf(PIC_STORYRULE_BACK)[0].alpha, 12);
  Frames(20);  // pageX 388
  EXPECT_EQ(DrawsOf(PIC_STORY_TEXT1)[0].alpha, 415 - 388);
  EXPECT_EQ(DrawsOf(PIC_STORY_TEXT2)[0].y, 330);
  EXPECT_EQ(DrawsOf(PIC_STORYRULE_BACK)[0].alpha, 640 - 388);
  Frame();  // pageX 376: the tiles are fully in
  EXPECT_EQ(DrawsOf(PIC_STORYRULE_BACK)[0].alpha, 255);
  EXPECT_EQ(DrawsOf(PIC_STORY_TIP)[0].alpha, 255);
  Frames(20);  // at rest
  EXPECT_EQ(DrawsOf(PIC_STORY_TEXT1)[0].alpha, 255);
}

TEST_F(StoryTest, FifthPageShakesForSixtyFramesOnlyWhileItIsRead) {
  Hold(DIK_SPACE);
  Frames(1 + 4 * 81 + 39);  // the fifth page is one step from stopping
  Hold(DIK_SPACE, false);
  EXPECT_EQ(DrawsOf(PIC_STORY5)[0].x, 172);
  int moved = 0;
  for (int shake = 60; shake > 0; --shake) {
    Frame();
    const SceneDraw page = DrawsOf(PIC_STORY5).at(0);
    const float dx = page.x - 160, dy = page.y - 20;
    ASSERT_LE(std::abs(dx), shake / 2.0f) << shake;
    ASSERT_LE(std::abs(dy), shake / 2.0f) << shake;
    if (dx != 0 || dy != 0) ++moved;
  }
  EXPECT_GT(moved, 40);
  for (int i = 0; i < 30; ++i) {
    Frame();
    ASSERT_EQ(DrawsOf(PIC_STORY5)[0].x, 160) << i;
    ASSERT_EQ(DrawsOf(PIC_STORY5)[0].y, 20) << i;
  }
}

TEST_F(StoryTest, RulesAndStaffPagesShowFullScreenOverHalfOpaqueTiles) {
  Hold(DIK_SPACE);
  Frames(1 + 5 * 81 + 40);
  Hold(DIK_SPACE, false);
  Frame();
  EXPECT_FALSE(Drew(PIC_STORY_TIP));
  ASSERT_EQ(DrawsOf(PIC_INFO).size(), 1u);
  EXPECT_EQ(DrawsOf(PIC_INFO)[0].x, 0);
  EXPECT_EQ(DrawsOf(PIC_INFO)[0].alpha, 255);
  EXPECT_EQ(DrawsOf(PIC_RULE_TIP)[0].alpha, 127);
}

TEST_F(StoryTest, TileDriftGoesOnFromWhereTheLastVisitLeftIt) {
  const int h = TestPictureHeight(PIC_STORY_TIP);
  Frame();
  EXPECT_EQ(DrawsOf(PIC_STORY_TIP)[0].y, -h);  // the counter's first visit starts at 0
  Hold(DIK_ESCAPE);
  FramesUntilLeaving(100);  // 41 frames drew the tiles
  Hold(DIK_ESCAPE, false);
  StoryScene(window, 1);
  Frame();
  const int s = 41 % (2 * TestPictureWidth(PIC_STORY_TIP));
  EXPECT_EQ(DrawsOf(PIC_STORY_TIP)[0].y, s / 2 - h);
  EXPECT_EQ(DrawsOf(PIC_STORY_TIP)[0].x, -s / 2 - TestPictureWidth(PIC_STORY_TIP));
}

// A tile picture missing from the archive has no size: the backdrop must not loop on it.
TEST_F(StoryTest, MissingTilePictureDrawsNoTilesAndThePagesGoOn) {
  std::vector<ArchiveEntry> entries;
  for (int id = 0; id < NUMSURFACES; ++id) {
    if (id != PIC_STORY_TIP) entries.push_back({surfaces[id], SolidBmp(8, 8, 0x808080)});
  }
  std::vector<unsigned char> bytes;
  std::string error;
  ASSERT_TRUE(BuildArchive(entries, &bytes, &error)) << error;
  std::ofstream(kPictureArchive, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                         static_cast<std::streamsize>(bytes.size()));
  ResetPictureTable();
  Frames(3);
  EXPECT_EQ(PictureWidth(PIC_STORY_TIP), 0);
  EXPECT_TRUE(Drew(PIC_STORYRULE_BACK));
  EXPECT_TRUE(Drew(PIC_STORY1));
  Hold(DIK_ESCAPE);
  EXPECT_EQ(FramesUntilLeaving(100), 42 - 3);
}

class WeaponSelectTest : public SceneTest {
 protected:
  void Enter(int kind) {
    ResetScenes();
    ResetPlayScene();
    WeaponSelectScene(window, kind);
  }
  // Set-up and the 29 frames of fade-in.
  void EnterAndFadeIn(int kind) {
    Enter(kind);
    Frames(30);
  }
  void Press(std::uint8_t key) {
    Hold(key);
    Frame();
    Hold(key, false);
    Frame();
  }
};

TEST_F(WeaponSelectTest, FadesInWhileTheCardsSlideInFromTheRight) {
  Enter(1);
  Frame();
  EXPECT_EQ(LogMessages().back(), "準備完了");
  EXPECT_EQ(DrawsOf(PIC_SELECT_TRIAL)[0].alpha, 0);
  Frame();
  const int offset = static_cast<int>(std::pow(255.0 - 9, 1.15));
  EXPECT_EQ(DrawsOf(PIC_SELECT_WEAPON_BG1)[0].alpha, 9);
  EXPECT_EQ(DrawsOf(PIC_SELECT_WEAPON_1)[0].x, offset + 70);
  EXPECT_EQ(DrawsOf(PIC_SELECT_WEAPON_3)[0].x, offset + 450);
  EXPECT_FALSE(Drew(PIC_WEAPON_INFO_1));  // only once choosing
  Frames(28);
  EXPECT_EQ(DrawsOf(PIC_SELECT_WEAPON_BG1)[0].alpha, 255);
  EXPECT_EQ(DrawsOf(PIC_SELECT_WEAPON_2)[0].x, 260);
  EXPECT_EQ(DrawsOf(PIC_WEAPON_INFO_1)[0].y, 320);
  EXPECT_EQ(Draws().back().id, PIC_SELECT_TRIAL);
}

TEST_F(WeaponSelectTest, LeftAndRightWrapAndTheChosenCardRises) {
  EnterAndFadeIn(1);
  Frames(10);
  EXPECT_EQ(DrawsOf(PIC_SELECT_WEAPON_1)[0].y, 130);
  EXPECT_EQ(DrawsOf(PIC_SELECT_WEAPON_2)[0].y, 150);
  Press(DIK_LEFT);  // 0 -> 2; the cards show where they stood before this frame's move
  EXPECT_EQ(DrawsOf(PIC_SELECT_WEAPON_3)[0].y, 148);
  EXPECT_EQ(DrawsOf(PIC_SELECT_WEAPON_1)[0].y, 132);
  EXPECT_TRUE(Drew(PIC_WEAPON_INFO_3));
  Press(DIK_RIGHT);  // 2 -> 0
  Press(DIK_RIGHT);  // 0 -> 1
  Hold(DIK_RIGHT);
  Frames(5);  // held: moves once
  Hold(DIK_RIGHT, false);
  Frame();
  EXPECT_TRUE(Drew(PIC_WEAPON_INFO_3));
  Press(DIK_SPACE);
  FramesUntilLeaving(40);
  EXPECT_EQ(currentScene, PlayScene);
  EXPECT_EQ(gameRecord.weaponChoice, 2);
}

TEST_F(WeaponSelectTest, HeldShotActsOnceAndNothingIsReadDuringTheFadeOut) {
  EnterAndFadeIn(4);
  Press(DIK_RIGHT);
  Hold(DIK_SPACE);
  Frame();  // decided
  Hold(DIK_SPACE, false);
  Hold(DIK_ESCAPE);  // too late to cancel
  Hold(DIK_LEFT);
  EXPECT_EQ(FramesUntilLeaving(40), 29);
  EXPECT_EQ(currentScene, PlayScene);
  EXPECT_EQ(gameRecord.entryType, 4);
  EXPECT_EQ(gameRecord.weaponChoice, 1);
  EXPECT_EQ(SceneTags(), (std::vector<std::string>{"[weapon_select]", "[playgame]"}));
}

TEST_F(WeaponSelectTest, CancelReturnsToTheTitleWithKindTwoWhateverTheEntryKind) {
  for (int kind : {1, 2, 4, 5}) {
    SCOPED_TRACE(kind);
    StartLogAfresh();
    EnterAndFadeIn(kind);
    Hold(DIK_ESCAPE);
    EXPECT_EQ(FramesUntilLeaving(40), 30);  // the cancel, then 29 frames of fade-out
    Hold(DIK_ESCAPE, false);
    EXPECT_EQ(currentScene, TitleScene);
    EXPECT_EQ(gameRecord.entryType, 0);  // no run started
  }
}

TEST_F(WeaponSelectTest, TwoPlayerKindsShowNoInformationOrRankingButWhoseTurnItIs) {
  struct Case {
    int kind;
    bool information;
  };
  for (const Case c : {Case{1, true}, Case{2, false}, Case{4, true}, Case{5, false}}) {
    SCOPED_TRACE(c.kind);
    EnterAndFadeIn(c.kind);
    Frame();
    EXPECT_EQ(Drew(PIC_WEAPON_INFO_1), c.information);
    EXPECT_EQ(Drew(PIC_RANKING), c.information);
    EXPECT_EQ(Drew(PIC_FLAG_1P), !c.information);
    EXPECT_FALSE(Drew(PIC_FLAG_2P));
  }
}

TEST_F(WeaponSelectTest, RankingShowsTheChosenWeaponsTrialTable) {
  scoreRanking = ScoreRanking{};
  scoreRanking.tables[1][0] = {7, 0, 4321};  // trial, weapon 1, first place
  scoreRanking.tables[3 + 1][0] = {9, 0, 9999};  // extra: never shown here
  EnterAndFadeIn(4);
  Press(DIK_RIGHT);
  const auto digits = Draws();
  // The first row's score in six digits at x 500: 004321.
  std::vector<PictureId> score;
  for (const SceneDraw& d : digits)
    if (d.y == 384 && d.x >= 500 && d.id >= PIC_0 && d.id <= PIC_9) score.push_back(d.id);
  EXPECT_EQ(score, (std::vector<PictureId>{PIC_0, PIC_0, PIC_4, PIC_3, PIC_2, PIC_1}));
  EXPECT_EQ(DrawsOf(PIC_1ST)[0].y, 384);
  EXPECT_EQ(DrawsOf(PIC_3RD)[0].y, 432);
  scoreRanking = ScoreRanking{};
}

TEST_F(WeaponSelectTest, TwoPlayersChooseInTurnAndPlayerTwosWeaponGoesInTheHighByte) {
  EnterAndFadeIn(5);
  Press(DIK_LEFT);   // player 1: 2
  Press(DIK_SPACE);  // player 1 done
  EXPECT_EQ(currentScene, WeaponSelectScene);
  EXPECT_TRUE(Drew(PIC_FLAG_2P));
  Press(DIK_ESCAPE);  // back to player 1, not out
  EXPECT_FALSE(Drew(PIC_FLAG_2P));
  Press(DIK_RIGHT);   // player 1: 0
  Press(DIK_SPACE);
  Press(DIK_RIGHT);   // player 2: 1
  Press(DIK_SPACE);
  FramesUntilLeaving(40);
  EXPECT_EQ(currentScene, PlayScene);
  EXPECT_EQ(gameRecord.entryType, 5);
  EXPECT_EQ(gameRecord.weaponChoice, 0x0100);
}

// The heading the shipped background carries above the cards, measured on its pixels with
// its outline: x 212..429, y 90..115.
struct Box {
  float left, top, right, bottom;
};
constexpr Box kHeading{212, 90, 430, 116};

bool Overlap(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST_F(WeaponSelectTest, TwoPlayerFlagsStayClearOfTheHeadingTheCardsAndEachOther) {
  // The data pack's sizes: cards 150 x 170, flags 64 x 20.
  WritePictureArchive(kPictureArchive, {{PIC_SELECT_WEAPON_1, 150, 170},
                                        {PIC_SELECT_WEAPON_2, 150, 170},
                                        {PIC_SELECT_WEAPON_3, 150, 170},
                                        {PIC_FLAG_1P, 64, 20},
                                        {PIC_FLAG_2P, 64, 20}});
  ResetPictureTable();
  struct Case {
    int first;   // player 1's card
    int second;  // player 2's, -1 while player 1 still chooses
  };
  for (const Case c : {Case{1, -1}, Case{2, -1}, Case{0, 1}, Case{1, 1}, Case{2, 0}}) {
    SCOPED_TRACE(testing::Message() << c.first << " " << c.second);
    EnterAndFadeIn(2);
    for (int k = 0; k < c.first; ++k) Press(DIK_RIGHT);
    if (c.second >= 0) {
      Press(DIK_SPACE);
      for (int k = c.first; k != c.second; k = (k + 1) % 3) Press(DIK_RIGHT);
    }
    Frames(12);  // the chosen card has risen
    std::vector<Box> cards;
    for (int k = 0; k < 3; ++k) {
      const SceneDraw card = DrawsOf(static_cast<PictureId>(PIC_SELECT_WEAPON_1 + k)).at(0);
      cards.push_back({card.x, card.y, card.x + 150, card.y + 170});
    }
    std::vector<std::pair<Box, int>> flags;  // each with the card it marks
    for (const SceneDraw& d : DrawsOf(PIC_FLAG_1P)) flags.push_back({{d.x, d.y, d.x + 64, d.y + 20}, c.first});
    for (const SceneDraw& d : DrawsOf(PIC_FLAG_2P)) flags.push_back({{d.x, d.y, d.x + 64, d.y + 20}, c.second});
    ASSERT_EQ(flags.size(), c.second < 0 ? 1u : 2u);
    for (const auto& [flag, marked] : flags) {
      EXPECT_FALSE(Overlap(flag, kHeading)) << "flag at " << flag.left << "," << flag.top;
      for (const Box& card : cards) EXPECT_FALSE(Overlap(flag, card)) << "flag at " << flag.left << "," << flag.top;
      const float middle = (flag.left + flag.right) / 2;
      EXPECT_TRUE(middle > cards[marked].left && middle < cards[marked].right) << "flag at " << flag.left;
      EXPECT_TRUE(flag.left >= 0 && flag.right <= 640 && flag.top >= 0 && flag.bottom <= 480);
    }
    if (flags.size() == 2) {
      EXPECT_FALSE(Overlap(flags[0].first, flags[1].first));
    }
  }
}

}  // namespace
