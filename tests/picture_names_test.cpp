// The picture table: ids line up with names, the ranges count as they should, the end is null.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "gfx/picture_names.h"

namespace {

TEST(PictureNamesTest, IdsNameTheirPictures) {
  const std::pair<PictureId, const char*> cases[] = {
      {PIC_HAIKEI, "PIC_HAIKEI"},         {PIC_STORY5, "PIC_STORY5"},
      {PIZ_TAMA1, "PIZ_TAMA1"},           {PIC_HYO_UP_1, "PIC_HYO-UP-1"},
      {PIC_KASHA_HEAD_4, "PIC_KASHA-HEAD-4"}, {PIC_KASHA_HEAD_6, "PIC_KASHA-HEAD-6"},
      {PIC_KASHA_HEAD_9, "PIC_KASHA-HEAD-9"}, {PIZ_BOSS2RG, "PIZ_BOSS2RG"},
      {PIZ_BOSS6C3, "PIZ_BOSS6C3"},       {PIX_BOSS6T, "PIX_BOSS6T"},
      {PIC_GETITEM_A01, "PIC_GETITEM_A01"}, {PIC_GETITEM_B20, "PIC_GETITEM_B20"},
      {PIC_BG01, "PIC_BG01"},             {PIC_BG09, "PIC_BG09"},  // two digits, as the archive names them
      {PIC_BG11, "PIC_BG11"},
      {PIC_CONGRATULATIONS, "PIC_CONGRATULATIONS"},
  };
  for (const auto& [id, name] : cases) EXPECT_STREQ(surfaces[id], name) << id;
  EXPECT_EQ(PIC_KASHA_HEAD_6, 229);
  EXPECT_EQ(PIC_GETITEM_B20, 376);
  EXPECT_EQ(PIC_CONGRATULATIONS, 384);
}

TEST(PictureNamesTest, EveryEntryIsAUniquePictureNameAndTheEndIsNull) {
  std::set<std::string> seen;
  for (int id = 0; id < NUMSURFACES; ++id) {
    ASSERT_NE(surfaces[id], nullptr) << id;
    std::string prefix = std::string(surfaces[id]).substr(0, 4);
    EXPECT_TRUE(prefix == "PIC_" || prefix == "PIX_" || prefix == "PIY_" || prefix == "PIZ_") << surfaces[id];
    EXPECT_TRUE(seen.insert(surfaces[id]).second) << surfaces[id];
  }
  EXPECT_EQ(surfaces[NUMSURFACES], nullptr);
}

}  // namespace
