// The scenes' picture sets: valid ids without repeats, and the play set's fixed head.
#include <gtest/gtest.h>

#include <set>

#include "gfx/gfx.h"

namespace {

TEST(PictureSetsTest, EverySetHoldsValidIdsOnceEach) {
  const std::pair<const char*, const PictureId*> sets[] = {
      {"opening logos", kOpeningLogoPictureSet}, {"title", kTitlePictureSet},
      {"story", kStoryPictureSet},               {"weapon selection", kWeaponSelectPictureSet},
      {"play", kPlayPictureSet},                 {"ending", kEndingPictureSet},
  };
  for (const auto& [name, set] : sets) {
    SCOPED_TRACE(name);
    std::set<PictureId> seen;
    for (int i = 0; i < PictureSetSize(set); ++i) {
      EXPECT_TRUE(set[i] >= 0 && set[i] < NUMSURFACES) << i;
      EXPECT_TRUE(seen.insert(set[i]).second) << surfaces[set[i]] << " twice";
    }
  }
  EXPECT_EQ(PictureSetSize(kOpeningLogoPictureSet), 3);
  EXPECT_EQ(kOpeningLogoPictureSet[0], 2);
  EXPECT_EQ(kOpeningLogoPictureSet[1], 256);
  EXPECT_EQ(kOpeningLogoPictureSet[2], 1);
  EXPECT_EQ(PictureSetSize(kTitlePictureSet), 10);
  EXPECT_EQ(PictureSetSize(kStoryPictureSet), 22);
  EXPECT_EQ(PictureSetSize(kWeaponSelectPictureSet), 27);
}

// The one-player set comes first, from the backdrop to the trial-mode label, and every boss,
// both players and every weapon follow it.
TEST(PictureSetsTest, PlaySetStartsWithTheOnePlayerPicturesAndHoldsEveryRunsPictures) {
  const int size = PictureSetSize(kPlayPictureSet);
  ASSERT_GE(size, 228);
  EXPECT_EQ(kPlayPictureSet[0], PIC_HAIKEI);
  EXPECT_EQ(kPlayPictureSet[1], PIC_BG01);
  EXPECT_EQ(kPlayPictureSet[207], PIC_GETITEM_A01);
  EXPECT_EQ(kPlayPictureSet[227], PIC_MODE_TRIAL);
  std::set<PictureId> head(kPlayPictureSet, kPlayPictureSet + 228);
  for (PictureId later : {PIZ_TAMA2, PIC_2P, PIC_YUSERA_REN_1, PIZ_BOSS3A, PIX_BOSS6T}) {
    EXPECT_EQ(head.count(later), 0u) << surfaces[later];
  }
  std::set<PictureId> all(kPlayPictureSet, kPlayPictureSet + size);
  for (int id = PIC_SENRA_REN_1; id <= PIY_UP_YUSERA_SPEED_4; ++id) EXPECT_EQ(all.count(id), 1u) << surfaces[id];
  for (int id = PIC_BOSS1_SHOT1; id <= PIC_BOSS6M; ++id) EXPECT_EQ(all.count(id), 1u) << surfaces[id];
  for (int id = PIC_GETITEM_A01; id <= PIC_GETITEM_B20; ++id) EXPECT_EQ(all.count(id), 1u) << surfaces[id];
  for (PictureId id : {PIZ_TAMA1, PIZ_TAMA2, PIZ_TAMA3, PIC_MISS3, PIC_MISS5, PIC_FLAG_1P, PIC_FLAG_2P, PIC_MODE_EXTRA,
                       PIC_MODE_LUNATIC}) {
    EXPECT_EQ(all.count(id), 1u) << surfaces[id];
  }
}

}  // namespace
