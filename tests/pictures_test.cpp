// The picture table on the fake device: prefixes and colour keys, the set switch and its result
// rule, ids out of range, and the log lines of each path.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>

#include "app/app.h"
#include "archive_writer.h"
#include "gfx/gfx.h"
#include "test_support.h"

namespace {

class PicturesTest : public GameTest {
 protected:
  PicturesTest() {
    appState.bWindowed = 1;
    backend.window.RegisterWindowClass(platform::WindowClass{"sorvani", nullptr, 0});
    window = backend.window.CreateMainWindow("sorvani", "Sorvani", 640, 480);
    EXPECT_EQ(InitDirect3D(window, true, true), platform::S_OK);
    backend.log.Clear();
  }

  // Replaces the picture archive with these entries only.
  void WriteArchive(const std::vector<ArchiveEntry>& entries) {
    std::vector<unsigned char> image;
    std::string error;
    ASSERT_TRUE(BuildArchive(entries, &image, &error)) << error;
    std::ofstream(kPictureArchive, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  }

  static const fake::FakeTexture* Fake(PictureId id) {
    return static_cast<const fake::FakeTexture*>(PictureTexture(id));
  }

  // Starts a fresh run log at the given level.
  void LogAt(int level) {
    appState.enable_debug_write = static_cast<std::uint8_t>(level);
    ResetDebugLog();
  }

  platform::WindowHandle window = platform::kNoWindow;
};

TEST_F(PicturesTest, SetLoadsBackToFrontWithTheImageSizeAndThePrefixColourKey) {
  const PictureId set[] = {PIC_LOGO, PIX_YAKKYO1, PIY_UP_SENRA_REN_1, PIZ_TAMA1, kPictureListEnd};
  const int before = backend.graphics.texturesCreated;
  ASSERT_EQ(LoadPictureSet(set), platform::S_OK);
  EXPECT_EQ(pictures.currentSet, set);
  EXPECT_EQ(backend.graphics.liveTextures, 4);  // the logos went first
  struct Expected {
    PictureId id;
    std::uint32_t colourKey;
    int serial;  // counted from the first texture of this set
  };
  const Expected expected[] = {
      {PIC_LOGO, 0, 4}, {PIX_YAKKYO1, 0xFF00FF00, 3}, {PIY_UP_SENRA_REN_1, 0xFF008080, 2}, {PIZ_TAMA1, 0xFF00DBFF, 1}};
  for (const Expected& e : expected) {
    SCOPED_TRACE(surfaces[e.id]);
    ASSERT_NE(Fake(e.id), nullptr);
    EXPECT_EQ(Fake(e.id)->colourKey, e.colourKey);
    EXPECT_EQ(Fake(e.id)->serial - before, e.serial);
    EXPECT_EQ(PictureWidth(e.id), TestPictureWidth(e.id));
    EXPECT_EQ(PictureHeight(e.id), TestPictureHeight(e.id));
  }
  EXPECT_EQ(PictureTexture(PIC_SHIRO), nullptr);
  EXPECT_EQ(PictureWidth(PIC_SHIRO), TestPictureWidth(PIC_SHIRO)) << "sizes outlive the textures";
}

TEST_F(PicturesTest, SameSetMadeCurrentTwiceIsReadAgain) {
  ASSERT_EQ(LoadPictureSet(kTitlePictureSet), platform::S_OK);
  const int created = backend.graphics.texturesCreated;
  ASSERT_EQ(LoadPictureSet(kTitlePictureSet), platform::S_OK);
  EXPECT_EQ(backend.graphics.texturesCreated - created, PictureSetSize(kTitlePictureSet));
  EXPECT_EQ(backend.graphics.liveTextures, PictureSetSize(kTitlePictureSet));
}

TEST_F(PicturesTest, ResultIsTheErrorOfTheFirstListedFailureAndEveryIdIsTried) {
  const std::vector<unsigned char> good = SolidBmp(4, 4, 0x123456);
  const std::vector<unsigned char> garbage = {'n', 'o', 'p', 'e'};
  // PIC_LOGO missing (-1), PIC_SHIRO loads, PIC_HAIKEI undecodable: listed both ways round.
  WriteArchive({{"PIC_SHIRO", good}, {"PIC_HAIKEI", garbage}});
  const PictureId missingFirst[] = {PIC_LOGO, PIC_SHIRO, PIC_HAIKEI, kPictureListEnd};
  EXPECT_EQ(LoadPictureSet(missingFirst), -1);
  EXPECT_NE(PictureTexture(PIC_SHIRO), nullptr);
  const PictureId garbageFirst[] = {PIC_HAIKEI, PIC_SHIRO, PIC_LOGO, kPictureListEnd};
  EXPECT_EQ(LoadPictureSet(garbageFirst), platform::D3DXERR_INVALIDDATA);
  EXPECT_NE(PictureTexture(PIC_SHIRO), nullptr);
  EXPECT_EQ(backend.graphics.liveTextures, 1);
}

TEST_F(PicturesTest, IdsOutsideTheTableAreRefused) {
  LogAt(1);
  EXPECT_EQ(LoadPicture(NUMSURFACES), -1);
  EXPECT_EQ(LoadPicture(-1), -1);
  EXPECT_EQ(LoadPicture(-32768), -1);
  EXPECT_EQ(LogMessages(), std::vector<std::string>(3, "これ以上のリソースはありません"));
  EXPECT_EQ(PictureTexture(NUMSURFACES), nullptr);
  EXPECT_EQ(PictureWidth(-1), 0);

  EXPECT_EQ(LoadPicture(PIC_CONGRATULATIONS), platform::S_OK);
  EXPECT_NE(PictureTexture(PIC_CONGRATULATIONS), nullptr);
  EXPECT_EQ(PictureWidth(PIC_CONGRATULATIONS), TestPictureWidth(PIC_CONGRATULATIONS));
}

TEST_F(PicturesTest, EachFailureLogsItsLineAndName) {
  struct Case {
    const char* what;
    std::function<void()> arrange;
    platform::HRESULT result;
    const char* line;
  };
  const Case cases[] = {
      {"missing archive", [] { std::filesystem::remove(kPictureArchive); }, -1,
       "以下のピクチャデータを取得しようとして失敗しました："},
      {"missing entry", [this] { WriteArchive({{"PIC_SHIRO", SolidBmp(1, 1, 0)}}); }, -1,
       "以下のピクチャデータを取得しようとして失敗しました："},
      {"damaged signature",
       [] {
         std::fstream file(kPictureArchive, std::ios::in | std::ios::out | std::ios::binary);
         file.seekp(10);
         file.put(0x1C);
       },
       -1, "以下のピクチャデータを取得しようとして失敗しました："},
      {"payload cut short",
       [this] {
         WriteArchive({{"PIC_LOGO", SolidBmp(2, 2, 0)}});
         std::filesystem::resize_file(kPictureArchive, std::filesystem::file_size(kPictureArchive) - 1);
       },
       -1, "以下のピクチャデータを取得しようとして失敗しました："},
      {"empty payload", [this] { WriteArchive({{"PIC_LOGO", {}}}); }, -1,
       "以下のピクチャデータを取得しようとして失敗しました："},
      {"unreadable image",
       [this] { backend.faults.Fail("Graphics::GetImageInfoFromMemory", 1, platform::D3DXERR_INVALIDDATA); },
       platform::D3DXERR_INVALIDDATA, "以下のピクチャデータの取得に失敗しました："},
      {"texture not made",
       [this] { backend.faults.Fail("Device::CreateTextureFromMemory", 1, platform::D3DERR_OUTOFVIDEOMEMORY); },
       platform::D3DERR_OUTOFVIDEOMEMORY, "以下のピクチャデータの作成に失敗しました："},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    ClearPictures();
    WritePictureArchive(kPictureArchive);
    test.arrange();
    LogAt(1);
    EXPECT_EQ(LoadPicture(PIC_LOGO), test.result);
    EXPECT_EQ(PictureTexture(PIC_LOGO), nullptr);
    EXPECT_EQ(LogMessages(), (std::vector<std::string>{test.line, "PIC_LOGO"}));
  }
}

TEST_F(PicturesTest, SetSwitchLogsItsStepsAndTheDetailedLogNamesEveryPicture) {
  LogAt(1);
  const PictureId set[] = {PIC_HAIKEI, kPictureListEnd};
  ASSERT_EQ(LoadPictureSet(set), platform::S_OK);
  EXPECT_EQ(LogMessages(), (std::vector<std::string>{"画像データセットの読み込み準備", "リソースをクリアしています",
                                                     "リソースクリア完了", "画像データセットの読み込み準備２",
                                                     "画像データセットの読み込み開始", "画像データセットの読み込み完了"}));

  LogAt(2);
  const PictureId next[] = {PIC_LOGO, kPictureListEnd};
  ASSERT_EQ(LoadPictureSet(next), platform::S_OK);
  ASSERT_EQ(LoadPicture(PIC_LOGO), platform::S_OK);
  const std::vector<std::string> log = LogMessages();
  // Clearing walks the table from the top down, one pair of lines per slot.
  ASSERT_EQ(log.size(), 2u + 2u * NUMSURFACES + 1u + 2u + 2u + 1u + 2u);
  EXPECT_EQ(log[1], "リソースをクリアしています");
  EXPECT_EQ(log[2], "以下のリソースは開放しません：");
  EXPECT_EQ(log[3], "PIC_CONGRATULATIONS");
  // Id 0 is cleared last and was the one loaded.
  EXPECT_EQ(log[2 + 2 * (NUMSURFACES - 1)], "以下のリソースは開放します：");
  EXPECT_EQ(log[3 + 2 * (NUMSURFACES - 1)], "PIC_HAIKEI");
  EXPECT_EQ(std::count(log.begin(), log.end(), "以下のリソースは開放します："), 1);
  EXPECT_EQ(log[2 + 2 * NUMSURFACES], "リソースクリア完了");
  EXPECT_EQ(std::vector<std::string>(log.end() - 5, log.end()),
            (std::vector<std::string>{"以下のリソースは読み込みます：", "PIC_LOGO", "画像データセットの読み込み完了",
                                      "以下のリソースは読み込み済みです：", "PIC_LOGO"}));
}

}  // namespace
