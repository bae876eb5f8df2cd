// The drawing conventions: what each draw hands the sprite, the two digit helpers and the
// half-rate guard.
#include <gtest/gtest.h>

#include <map>

#include "app/app.h"
#include "gfx/gfx.h"
#include "test_support.h"

namespace {

// One draw as a scene would describe it.
struct Drawn {
  PictureId id;
  float x;
  float y;
  bool operator==(const Drawn& other) const { return id == other.id && x == other.x && y == other.y; }
};

std::ostream& operator<<(std::ostream& out, const Drawn& drawn) {
  return out << surfaces[drawn.id] << " at " << drawn.x << "," << drawn.y;
}

class DrawTest : public GameTest {
 protected:
  DrawTest() {
    backend.window.RegisterWindowClass(platform::WindowClass{"sorvani", nullptr, 0});
    window = backend.window.CreateMainWindow("sorvani", "Sorvani", 640, 480);
    EXPECT_EQ(InitDirect3D(window, true, true), platform::S_OK);
    EXPECT_EQ(LoadPictureSet(kPlayPictureSet), platform::S_OK);
    for (int id = 0; id < NUMSURFACES; ++id) {
      if (const auto* texture = static_cast<const fake::FakeTexture*>(PictureTexture(static_cast<PictureId>(id))))
        idOfSerial[texture->serial] = static_cast<PictureId>(id);
    }
    backend.graphics.ClearDraws();
  }

  // The draws so far, each checked to be a whole picture, unscaled, unturned, at this alpha.
  std::vector<Drawn> Draws(int alpha) {
    std::vector<Drawn> drawn;
    for (const fake::DrawCall& call : backend.graphics.draws) {
      const PictureId id = idOfSerial.at(call.textureSerial);
      EXPECT_TRUE(call.hasSource);
      EXPECT_EQ(call.source.left, 0);
      EXPECT_EQ(call.source.top, 0);
      EXPECT_EQ(call.source.right, TestPictureWidth(id)) << surfaces[id];
      EXPECT_EQ(call.source.bottom, TestPictureHeight(id)) << surfaces[id];
      EXPECT_FALSE(call.scaled);
      EXPECT_EQ(call.rotation, 0.0f);
      EXPECT_EQ(call.colour, static_cast<std::uint32_t>(alpha) * 0x1000000u + 0xFFFFFFu);
      EXPECT_TRUE(call.hasTranslation);
      drawn.push_back({id, call.translation.x, call.translation.y});
    }
    backend.graphics.ClearDraws();
    return drawn;
  }

  std::map<int, PictureId> idOfSerial;
  platform::WindowHandle window = platform::kNoWindow;
};

TEST_F(DrawTest, ColourIsWhiteWithTheAlphaOnTop) {
  EXPECT_EQ(PictureColour(255), 0xFFFFFFFFu);
  EXPECT_EQ(PictureColour(128), 0x80FFFFFFu);
  EXPECT_EQ(PictureColour(0), 0x00FFFFFFu);
  DrawPicture(PIC_BG03, 12.5f, -3.0f, 77);
  EXPECT_EQ(Draws(77), (std::vector<Drawn>{{PIC_BG03, 12.5f, -3.0f}}));
}

TEST_F(DrawTest, PartAndScaledDrawsPassTheirRectangleAndScale) {
  DrawPicturePart(PIC_BOSSLIFE, platform::Rect{1, 2, 3, 4}, 5, 6, 255);
  DrawPictureScaled(PIC_SHOTEFFECT, platform::Rect{0, 0, 8, 8}, platform::Vector2{2.0f, 0.5f}, 7, 8, 200);
  const std::vector<fake::DrawCall>& draws = backend.graphics.draws;
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].source.left, 1);
  EXPECT_EQ(draws[0].source.bottom, 4);
  EXPECT_FALSE(draws[0].scaled);
  EXPECT_EQ(draws[0].translation.x, 5.0f);
  EXPECT_TRUE(draws[1].scaled);
  EXPECT_EQ(draws[1].scaling.x, 2.0f);
  EXPECT_EQ(draws[1].scaling.y, 0.5f);
  EXPECT_EQ(draws[1].colour, 0xC8FFFFFFu);
}

TEST_F(DrawTest, NumberShowsTwoToSixDigitsWithLeadingZerosSixteenPixelsApart) {
  struct Case {
    int value;
    int digits;
    std::vector<int> shown;
  };
  const Case cases[] = {
      {1234567, 6, {2, 3, 4, 5, 6, 7}}, {5, 3, {0, 0, 5}}, {5, 0, {0, 5}},  {5, 1, {0, 5}},
      {987, 2, {8, 7}},                 {-42, 4, {0, 0, 0, 0}}, {120, 9, {0, 0, 0, 1, 2, 0}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(std::to_string(test.value) + " in " + std::to_string(test.digits));
    DrawNumber(test.value, 200, 100, 50, test.digits);
    std::vector<Drawn> expected;
    for (std::size_t i = 0; i < test.shown.size(); ++i) {
      expected.push_back({static_cast<PictureId>(PIC_0 + test.shown[i]), 100.0f + 16.0f * static_cast<float>(i), 50});
    }
    EXPECT_EQ(Draws(200), expected);
  }
}

TEST_F(DrawTest, StageNumberCentresOneDigitInATwoDigitField) {
  const float w = static_cast<float>(PictureWidth(PIC_STAGE0));
  ASSERT_EQ(w, TestPictureWidth(PIC_STAGE0));
  const float half = static_cast<float>(TestPictureWidth(PIC_STAGE0) / 2);
  struct Case {
    int value;
    std::vector<Drawn> drawn;
  };
  const Case cases[] = {
      {7, {{PIC_STAGE7, 20 + half, 30}}},
      {0, {{PIC_STAGE0, 20 + half, 30}}},
      {-5, {{PIC_STAGE0, 20 + half, 30}}},
      {10, {{PIC_STAGE1, 20, 30}, {PIC_STAGE0, 20 + w, 30}}},
      {12, {{PIC_STAGE1, 20, 30}, {PIC_STAGE2, 20 + w, 30}}},
      {123, {{PIC_STAGE2, 20, 30}, {PIC_STAGE3, 20 + w, 30}}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.value);
    DrawStageNumber(test.value, 90, 20, 30);
    EXPECT_EQ(Draws(90), test.drawn);
  }
}

TEST_F(DrawTest, HalfRateFramesThatAreNotDrawnMakeNoDrawCall) {
  appState.halfRate = 1;
  appState.renderThisFrame = 0;
  DrawPicture(PIC_HAIKEI, 0, 0, 255);
  DrawNumber(123456, 255, 0, 0, 6);
  DrawStageNumber(12, 255, 0, 0);
  DrawPicturePart(PIC_HAIKEI, platform::Rect{0, 0, 1, 1}, 0, 0, 255);
  EXPECT_TRUE(backend.graphics.draws.empty());

  appState.renderThisFrame = 1;
  DrawNumber(42, 255, 0, 0, 2);
  EXPECT_EQ(backend.graphics.draws.size(), 2u);
}

TEST_F(DrawTest, PictureNotInTheCurrentSetDrawsAsNothing) {
  ASSERT_EQ(PictureTexture(PIC_ENDING1), nullptr);
  DrawPicture(PIC_ENDING1, 0, 0, 255);
  DrawPicture(-1, 0, 0, 255);
  DrawPicture(NUMSURFACES, 0, 0, 255);
  EXPECT_TRUE(backend.graphics.draws.empty());
}

}  // namespace
