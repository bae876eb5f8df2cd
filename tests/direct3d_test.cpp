// The device lifecycle on the fake device: the creation walk, every failure box with its errno,
// the fonts, recovery after a lost device and the release order.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/app.h"
#include "app/program.h"
#include "gfx/gfx.h"
#include "test_support.h"

namespace {

using platform::HRESULT;

constexpr std::uint32_t kErrorBox = platform::MB_TOPMOST | platform::MB_ICONERROR;
constexpr std::uint32_t kWarningBox = platform::MB_TOPMOST | platform::MB_ICONWARNING;

std::string Decimal(HRESULT result) { return std::to_string(static_cast<std::uint32_t>(result)); }

// Where a message with a line break was logged. The run log keeps the break, so only the text
// before it has a line of its own.
std::ptrdiff_t FindLogged(const std::vector<std::string>& log, const std::string& text) {
  const auto found = std::find(log.begin(), log.end(), text.substr(0, text.find("\r\n")));
  return found == log.end() ? -1 : found - log.begin();
}

class Direct3DTest : public GameTest {
 protected:
  Direct3DTest() {
    backend.window.RegisterWindowClass(platform::WindowClass{"sorvani", nullptr, 0});
    window = backend.window.CreateMainWindow("sorvani", "Sorvani", 640, 480);
    backend.window.ShowWindow(window, platform::ShowCommand::kShow);
  }

  void LogAt(int level) {
    appState.enable_debug_write = static_cast<std::uint8_t>(level);
    ResetDebugLog();
  }

  // The one box a failed start showed, after the cursor came back and the window went away.
  fake::FakeDialogs::Box OnlyBox() {
    EXPECT_EQ(backend.dialogs.boxes.size(), 1u);
    const std::vector<std::string>& calls = backend.log.Calls();
    const auto box = std::find_if(calls.begin(), calls.end(),
                                  [](const std::string& call) { return call.rfind("Dialogs::MessageBox", 0) == 0; });
    EXPECT_GE(box - calls.begin(), 2);
    if (box - calls.begin() >= 2) {
      EXPECT_EQ(box[-2], "Window::ShowCursor(1)");
      EXPECT_EQ(box[-1], "Window::ShowWindow(" + std::to_string(window) + ",hide)");
    }
    if (backend.dialogs.boxes.empty()) return {};
    return backend.dialogs.boxes[0];
  }

  void ExpectEverythingReleased() {
    EXPECT_EQ(graphics.direct3d, nullptr);
    EXPECT_EQ(graphics.pDevice, nullptr);
    EXPECT_EQ(graphics.pSprite, nullptr);
    EXPECT_EQ(backend.graphics.liveFonts, 0);
    EXPECT_EQ(backend.graphics.liveTextures, 0);
  }

  std::vector<std::string> Devices() { return backend.log.Matching("Direct3D::CreateDevice"); }

  platform::WindowHandle window = platform::kNoWindow;
};

TEST_F(Direct3DTest, WindowedStartLogsEveryStepAndMakesDeviceSpriteLogosAndFonts) {
  appState.bWindowed = 1;
  LogAt(1);
  ASSERT_EQ(InitDirect3D(window, true, true), platform::S_OK);
  std::vector<std::string> log = LogMessages();
  // The logo set's own lines are checked with the picture table.
  log.erase(std::remove_if(log.begin(), log.end(),
                           [](const std::string& line) { return line.rfind("画像データセット", 0) == 0 ||
                                                                line.rfind("リソース", 0) == 0; }),
            log.end());
  EXPECT_EQ(log, (std::vector<std::string>{
                     "Direct3Dを初期化しています",
                     "Direct3Dの初回呼び出しです",
                     "ディスプレイアダプタ情報取得",
                     "----------------------------",
                     "ドライバ：fake.so",
                     "ビデオカード：Fake Graphics Adapter",
                     "デバイス名：fake0",
                     "バージョン：1.2.3.4",
                     "VendorId:0x1234, DeviceId:0x5678, SubSysId:0x9abc, Revision:0x1",
                     "----------------------------",
                     "ウィンドウモードです。CreateDeviceを、規定回数までモードをゆるめながら呼び出します",
                     "CreateDeviceを呼び出します",
                     "CreateDeviceを呼び出し成功",
                     "残テクスチャメモリ(推定)：268435456 bytes (256 MB)",
                     "スプライトを作成します",
                     "オープニングロゴを読みだします",
                     "小フォントを作成します",
                     "小フォントをDirect3D用に変換します",
                     "小フォント作成完了",
                     "中フォントを作成します",
                     "中フォントをDirect3D用に変換します",
                     "中フォント作成完了",
                     "大フォントを作成します",
                     "大フォントをDirect3D用に変換します",
                     "大フォント作成完了",
                     "Direct3D初期化処理終了",
                 }));
  EXPECT_EQ(Devices(), std::vector<std::string>{"Direct3D::CreateDevice(0,1,1,0x80,windowed,0)"});
  EXPECT_EQ(backend.log.Count("Graphics::CreateDirect3D(31)"), 1u);
  const platform::PresentParameters& d3dpp = graphics.d3dpp;
  EXPECT_EQ(d3dpp.backBufferWidth, 0u);
  EXPECT_EQ(d3dpp.backBufferCount, 1u);
  EXPECT_EQ(d3dpp.swapEffect, platform::D3DSWAPEFFECT_DISCARD);
  EXPECT_EQ(d3dpp.presentationInterval, platform::D3DPRESENT_INTERVAL_DEFAULT);
  EXPECT_TRUE(d3dpp.windowed);
  EXPECT_EQ(pictures.currentSet, kOpeningLogoPictureSet);
  for (PictureId id : {PIC_LOGO, PIC_QUENTALOR, PIC_SHIRO}) EXPECT_NE(PictureTexture(id), nullptr) << surfaces[id];
  EXPECT_EQ(backend.graphics.liveTextures, 3);
  EXPECT_EQ(backend.graphics.liveFonts, 3);
  // Small, medium and large, each system font deleted once converted.
  EXPECT_EQ(backend.log.Matching("Graphics::CreateGdiFont"),
            (std::vector<std::string>{"Graphics::CreateGdiFont(12)", "Graphics::CreateGdiFont(16)",
                                      "Graphics::CreateGdiFont(20)"}));
  EXPECT_EQ(backend.log.Count("Graphics::DeleteGdiFont"), 3u);
  for (const auto& [desc, face] : backend.graphics.fontRequests) {
    EXPECT_EQ(desc.width, 0);
    EXPECT_EQ(desc.weight, 600);
    EXPECT_FALSE(desc.italic || desc.underline || desc.strikeOut);
    EXPECT_EQ(desc.charSet, 128u);
    EXPECT_EQ(desc.outputPrecision, 4u);
    EXPECT_EQ(desc.clipPrecision, 0u);
    EXPECT_EQ(desc.quality, 4u);
    EXPECT_EQ(desc.pitchAndFamily, 1u);
    EXPECT_EQ(face, "ＭＳ ゴシック");
  }
  EXPECT_EQ(backend.window.CursorCounter(), 0) << "a window keeps its cursor";
  EXPECT_TRUE(backend.dialogs.boxes.empty());
}

TEST_F(Direct3DTest, WithoutTheLogTheAdapterIsNotAsked) {
  ASSERT_EQ(InitDirect3D(window, true, true), platform::S_OK);
  EXPECT_EQ(backend.log.Count("Direct3D::GetAdapterIdentifier"), 0u);

  ReleaseDirect3D();
  LogAt(1);
  backend.faults.Fail("Direct3D::GetAdapterIdentifier", 1, platform::E_FAIL);
  ASSERT_EQ(InitDirect3D(window, true, true), platform::S_OK);
  const std::vector<std::string> log = LogMessages();
  ASSERT_GE(log.size(), 6u);
  EXPECT_EQ(std::vector<std::string>(log.begin() + 2, log.begin() + 6),
            (std::vector<std::string>{"ディスプレイアダプタ情報取得", "----------------------------",
                                      "ディスプレイアダプタ情報取得失敗", "----------------------------"}));
}

TEST_F(Direct3DTest, FullScreenStartHidesTheCursorAndAsksForTheGameSize) {
  appState.bWindowed = 0;
  LogAt(1);
  ASSERT_EQ(InitDirect3D(window, true, true), platform::S_OK);
  EXPECT_EQ(Devices(), std::vector<std::string>{"Direct3D::CreateDevice(0,1,1,0x80,full,21)"});
  EXPECT_EQ(backend.window.CursorCounter(), -1);
  EXPECT_EQ(graphics.d3dpp.backBufferWidth, 640u);
  EXPECT_EQ(graphics.d3dpp.backBufferHeight, 480u);
  EXPECT_FALSE(graphics.d3dpp.windowed);
  const std::vector<std::string> log = LogMessages();
  EXPECT_NE(std::find(log.begin(), log.end(), "CreateDeviceを呼び出し成功。マウスカーソルを不可視にします"), log.end());
}

TEST_F(Direct3DTest, CreationWalksDeviceTypesFormatsAndVertexModesInOrder) {
  appState.bWindowed = 1;
  backend.faults.Fail("Direct3D::CreateDevice", 4, platform::D3DERR_NOTAVAILABLE);
  LogAt(1);
  ASSERT_EQ(InitDirect3D(window, true, true), platform::S_OK);
  EXPECT_EQ(Devices(), (std::vector<std::string>{
                           "Direct3D::CreateDevice(0,1,1,0x80,windowed,0)", "Direct3D::CreateDevice(0,1,1,0x40,windowed,0)",
                           "Direct3D::CreateDevice(0,1,1,0x20,windowed,0)", "Direct3D::CreateDevice(0,2,1,0x80,windowed,0)",
                           "Direct3D::CreateDevice(0,2,1,0x40,windowed,0)"}));
  const std::vector<std::string> log = LogMessages();
  EXPECT_EQ(std::count(log.begin(), log.end(), "CreateDeviceを呼び出します"), 5);
  EXPECT_EQ(std::count(log.begin(), log.end(), "CreateDevice呼び出し失敗"), 4);

  ReleaseDirect3D();
  backend.log.Clear();
  appState.bWindowed = 0;
  backend.faults.FailAlways("Direct3D::CreateDevice", platform::D3DERR_NOTAVAILABLE);
  EXPECT_EQ(InitDirect3D(window, true, true), platform::E_FAIL);
  std::vector<std::string> expected;
  for (int type : {1, 2}) {
    for (int format : {21, 26, 36}) {
      for (const char* flags : {"0x80", "0x40", "0x20"}) {
        expected.push_back("Direct3D::CreateDevice(0," + std::to_string(type) + ",1," + flags + ",full," +
                           std::to_string(format) + ")");
      }
    }
  }
  EXPECT_EQ(Devices(), expected);
}

TEST_F(Direct3DTest, DeviceThatCannotBeMadeShowsTheCauseOfTheLastAttempt) {
  struct Case {
    bool windowed;
    HRESULT result;
    std::string cause;
  };
  const Case cases[] = {
      {true, platform::D3DERR_INVALIDCALL, "D3DERR_INVALIDCALL:パラメタ不正等(errno=0002)"},
      {true, platform::D3DERR_NOTAVAILABLE, "D3DERR_NOTAVAILABLE:このビデオカードでは未サポート(errno=0003)"},
      {true, platform::D3DERR_OUTOFVIDEOMEMORY, "D3DERR_OUTOFVIDEOMEMORY:メモリ不足(errno=0004)"},
      {true, platform::E_OUTOFMEMORY, Decimal(platform::E_OUTOFMEMORY)},
      {false, platform::D3DERR_INVALIDCALL, "D3DERR_INVALIDCALL:パラメタ不正等(errno=0005)"},
      {false, platform::D3DERR_NOTAVAILABLE, "D3DERR_NOTAVAILABLE:このビデオカードでは未サポート(errno=0006)"},
      {false, platform::D3DERR_OUTOFVIDEOMEMORY, "D3DERR_OUTOFVIDEOMEMORY:メモリ不足(errno=0007)"},
      {false, platform::E_FAIL, "2147500037"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.cause);
    appState.bWindowed = test.windowed ? 1 : 0;
    backend.dialogs.boxes.clear();
    backend.log.Clear();
    LogAt(1);
    backend.faults.FailAlways("Direct3D::CreateDevice", test.result);
    EXPECT_EQ(InitDirect3D(window, true, true), platform::E_FAIL);
    const std::string text = std::string(test.windowed ? "ウィンドウモード" : "フルスクリーンモード") +
                             "でのDIRECT3Dデバイスの作成に失敗しました。\r\n原因：" + test.cause;
    const fake::FakeDialogs::Box box = OnlyBox();
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, "Sorvani");
    EXPECT_EQ(box.flags, kErrorBox);
    EXPECT_EQ(box.owner, window);
    const std::vector<std::string> log = LogMessages();
    EXPECT_EQ(FindLogged(log, text), static_cast<std::ptrdiff_t>(log.size()) - 1) << "logged last";
    EXPECT_EQ(Devices().size(), test.windowed ? 6u : 18u);
    EXPECT_FALSE(backend.window.Find(window)->visible);
    ExpectEverythingReleased();
    backend.faults.Clear();
    backend.window.ShowWindow(window, platform::ShowCommand::kShow);
  }
}

TEST_F(Direct3DTest, DamagedPictureTableStopsTheStartBeforeAnythingIsMade) {
  std::vector<const char*> table(surfaces, surfaces + NUMSURFACES + 1);
  EXPECT_TRUE(CheckPictureTable(table.data(), window));
  EXPECT_TRUE(backend.dialogs.boxes.empty());

  table[7] = nullptr;
  table[9] = nullptr;
  EXPECT_FALSE(CheckPictureTable(table.data(), window));
  fake::FakeDialogs::Box box = OnlyBox();
  EXPECT_EQ(box.text, "Surface内部矛盾チェックエラー：surfaces[7]がNULLです。");
  EXPECT_EQ(box.flags, platform::MB_OK);

  backend.dialogs.boxes.clear();
  backend.log.Clear();
  table.assign(surfaces, surfaces + NUMSURFACES + 1);
  table[NUMSURFACES] = "PIC_EXTRA_END";
  EXPECT_FALSE(CheckPictureTable(table.data(), window));
  box = OnlyBox();
  EXPECT_EQ(box.text, "Surface内部矛盾チェックエラー：surfaces[NUMSURFACES]がNULLではありません。");
  EXPECT_EQ(box.flags, kWarningBox);
  EXPECT_EQ(box.caption, "Sorvani");
}

TEST_F(Direct3DTest, DrawingSystemThatCannotStartIsErrnoOne) {
  backend.faults.Fail("Graphics::CreateDirect3D", 1, platform::E_FAIL);
  EXPECT_EQ(InitDirect3D(window, true, true), platform::E_FAIL);
  const fake::FakeDialogs::Box box = OnlyBox();
  EXPECT_EQ(box.text, "Direct3Dの作成に失敗しました。(errno=0001)");
  EXPECT_EQ(box.flags, kWarningBox);
  EXPECT_TRUE(Devices().empty());
  ExpectEverythingReleased();
}

TEST_F(Direct3DTest, SpriteThatCannotBeMadeIsLoggedShownAndReleasesTheDevice) {
  const std::pair<HRESULT, std::string> cases[] = {
      {platform::E_OUTOFMEMORY, "E_OUTOFMEMORY:メモリ不足(errno=0009)"},
      {platform::D3DERR_INVALIDCALL, "D3DERR_INVALIDCALL:パラメタ不正等(errno=0008)"},
      {platform::D3DERR_NOTAVAILABLE, Decimal(platform::D3DERR_NOTAVAILABLE)},
  };
  for (const auto& [result, cause] : cases) {
    SCOPED_TRACE(cause);
    backend.dialogs.boxes.clear();
    backend.log.Clear();
    backend.window.ShowWindow(window, platform::ShowCommand::kShow);
    LogAt(1);
    backend.faults.Fail("Device::CreateSprite", 1, result);
    EXPECT_EQ(InitDirect3D(window, true, true), platform::E_FAIL);
    const std::string text = "スプライトの作成に失敗しました。\r\n原因：" + cause;
    EXPECT_EQ(OnlyBox().text, text);
    const std::vector<std::string> log = LogMessages();
    const std::ptrdiff_t logged = FindLogged(log, text);
    const std::ptrdiff_t released = std::find(log.begin(), log.end(), "Direct3Dデバイスを開放します") - log.begin();
    EXPECT_GE(logged, 0);
    EXPECT_LT(logged, released) << "logged, then released";
    ExpectEverythingReleased();
  }
}

TEST_F(Direct3DTest, OpeningLogosThatCannotBeLoadedNameTheirCause) {
  struct Case {
    const char* what;
    std::function<void()> arrange;
    std::string cause;
  };
  auto textureFails = [this](HRESULT result) {
    return [this, result] { backend.faults.Fail("Device::CreateTextureFromMemory", 1, result); };
  };
  const Case cases[] = {
      {"no archive", [] { std::filesystem::remove(kPictureArchive); },
       "ピクチャーデータの読み込みに失敗。svdata01.datが壊れている可能性があります。再インストールしてください。(errno=0010)"},
      {"not available", textureFails(platform::D3DERR_NOTAVAILABLE),
       "D3DERR_NOTAVAILABLE:このビデオカードは未サポート(errno=0011)"},
      {"video memory", textureFails(platform::D3DERR_OUTOFVIDEOMEMORY),
       "D3DERR_OUTOFVIDEOMEMORY:ビデオメモリ不足(errno=0012)"},
      {"invalid call", textureFails(platform::D3DERR_INVALIDCALL), "D3DERR_INVALIDCALL:パラメタ不正(errno=0013)"},
      {"invalid data",
       [this] { backend.faults.Fail("Graphics::GetImageInfoFromMemory", 1, platform::D3DXERR_INVALIDDATA); },
       "D3DXERR_INVALIDDATA:データが無効(errno=0014)"},
      {"memory", textureFails(platform::E_OUTOFMEMORY), "E_OUTOFMEMORY:システムメモリ不足(errno=0015)"},
      {"other", textureFails(platform::E_FAIL), "2147500037"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    backend.dialogs.boxes.clear();
    backend.log.Clear();
    backend.window.ShowWindow(window, platform::ShowCommand::kShow);
    WritePictureArchive(kPictureArchive);
    test.arrange();
    EXPECT_EQ(InitDirect3D(window, true, true), platform::E_FAIL);
    EXPECT_EQ(OnlyBox().text, "ロゴ用テクスチャの作成に失敗しました。\r\n原因：" + test.cause);
    EXPECT_EQ(OnlyBox().flags, kErrorBox);
    ExpectEverythingReleased();
    backend.faults.Clear();
  }
}

TEST_F(Direct3DTest, FontsThatCannotBeMadeNameWhichAndWhy) {
  const char* const sizes[] = {"小", "中", "大"};
  const char* const invalidCall[] = {"0016", "0018", "0020"};
  const char* const outOfMemory[] = {"0017", "0019", "0021"};
  for (int slot = 0; slot < 3; ++slot) {
    const std::string size = sizes[slot];
    struct Case {
      const char* call;
      HRESULT result;
      std::uint32_t systemError;
      std::string text;
    };
    const Case cases[] = {
        // The system's text, its line break blanked out.
        {"Graphics::CreateGdiFont", platform::E_FAIL, 8,
         "フォント(" + size + ")の生成(CreateFont)に失敗しました。\r\n原因：Not enough memory resources are available.  "},
        {"Graphics::CreateGdiFont", platform::E_FAIL, 1234,
         "フォント(" + size + ")の生成(CreateFont)に失敗しました。\r\n原因：FormatMessage() error"},
        {"Device::CreateFontFromGdi", platform::D3DERR_INVALIDCALL, 0,
         "フォント(" + size + ")の生成(D3DXCreateFont)に失敗しました。\r\n原因：D3DERR_INVALIDCALL:パラメタ不正(errno=" +
             invalidCall[slot] + ")"},
        {"Device::CreateFontFromGdi", platform::E_OUTOFMEMORY, 0,
         "フォント(" + size + ")の生成(D3DXCreateFont)に失敗しました。\r\n原因：E_OUTOFMEMORY:システムメモリ不足(errno=" +
             outOfMemory[slot] + ")"},
        {"Device::CreateFontFromGdi", platform::D3DERR_NOTAVAILABLE, 0,
         "フォント(" + size + ")の生成(D3DXCreateFont)に失敗しました。\r\n原因：" + Decimal(platform::D3DERR_NOTAVAILABLE)},
    };
    for (const Case& test : cases) {
      SCOPED_TRACE(test.text);
      backend.dialogs.boxes.clear();
      backend.log.Clear();
      backend.window.ShowWindow(window, platform::ShowCommand::kShow);
      backend.graphics.gdiFontError = test.systemError;
      backend.faults.FailAfter(test.call, slot, 1, test.result);
      EXPECT_EQ(InitDirect3D(window, true, true), platform::E_FAIL);
      EXPECT_EQ(OnlyBox().text, test.text);
      ExpectEverythingReleased();
      EXPECT_EQ(backend.log.Count("Graphics::DeleteGdiFont"), backend.log.Count("Device::CreateFontFromGdi"))
          << "no system font is left behind";
      backend.faults.Clear();
    }
  }
}

// A device that is lost, then resettable, then reset: everything in the default pool goes and
// comes back, the current set is read again, and the sprite and fonts are the same objects.
TEST_F(Direct3DTest, RecoveryReleasesResetsAndReloadsTheCurrentSet) {
  appState.bWindowed = 0;
  ASSERT_EQ(InitDirect3D(window, true, true), platform::S_OK);
  ASSERT_EQ(LoadPictureSet(kTitlePictureSet), platform::S_OK);
  platform::Sprite* sprite = graphics.pSprite.get();
  platform::Font* fonts[3] = {graphics.pDxFont[0].get(), graphics.pDxFont[1].get(), graphics.pDxFont[2].get()};
  const int created = backend.graphics.texturesCreated;

  LogAt(1);
  backend.log.Clear();
  backend.faults.Fail("Device::TestCooperativeLevel", 3, platform::D3DERR_DEVICELOST);
  for (int frame = 0; frame < 3; ++frame) EXPECT_EQ(ResetDirect3D(window), platform::S_OK);
  EXPECT_EQ(LogMessages(), (std::vector<std::string>{"Direct3Dをリセットします", "D3DERR_DEVICELOST",
                                                     "Direct3Dをリセットします", "D3DERR_DEVICELOST",
                                                     "Direct3Dをリセットします", "D3DERR_DEVICELOST"}));
  EXPECT_EQ(backend.log.Count("Device::Reset"), 0u);
  EXPECT_EQ(backend.graphics.liveTextures, PictureSetSize(kTitlePictureSet)) << "nothing released while only lost";

  LogAt(1);
  backend.log.Clear();
  backend.faults.Fail("Device::TestCooperativeLevel", 1, platform::D3DERR_DEVICENOTRESET);
  ASSERT_EQ(ResetDirect3D(window), platform::S_OK);
  std::vector<std::string> calls;
  for (const std::string& call : backend.log.Calls()) {
    if (call.find("OnLostDevice") != std::string::npos || call.find("OnResetDevice") != std::string::npos ||
        call == "Device::Reset" || call == "Device::TestCooperativeLevel")
      calls.push_back(call);
  }
  EXPECT_EQ(calls, (std::vector<std::string>{"Device::TestCooperativeLevel", "Sprite::OnLostDevice",
                                             "Font::OnLostDevice", "Font::OnLostDevice", "Font::OnLostDevice",
                                             "Device::Reset", "Sprite::OnResetDevice", "Font::OnResetDevice",
                                             "Font::OnResetDevice", "Font::OnResetDevice"}));
  std::vector<std::string> log = LogMessages();
  log.erase(std::remove_if(log.begin(), log.end(),
                           [](const std::string& line) { return line.rfind("画像データセット", 0) == 0; }),
            log.end());
  EXPECT_EQ(log, (std::vector<std::string>{
                     "Direct3Dをリセットします", "pSprite復帰", "pDxFont[2]復帰", "pDxFont[1]復帰", "pDxFont[0]復帰",
                     "リソースをクリアしています", "リソースクリア完了", "d3dpp.Windowed != TRUE", "デバイスをリセット",
                     "pSprite復帰", "pDxFont[2]復帰", "pDxFont[1]復帰", "pDxFont[0]復帰", "Direct3Dを初期化しています",
                     "残テクスチャメモリ(推定)：268435456 bytes (256 MB)", "画像セットのリロードを行います",
                     "リソースをクリアしています", "リソースクリア完了", "Direct3D初期化処理終了"}));
  EXPECT_EQ(pictures.currentSet, kTitlePictureSet);
  EXPECT_EQ(backend.graphics.texturesCreated - created, PictureSetSize(kTitlePictureSet));
  EXPECT_EQ(backend.graphics.liveTextures, PictureSetSize(kTitlePictureSet));
  EXPECT_EQ(graphics.pSprite.get(), sprite);
  for (int slot = 0; slot < 3; ++slot) EXPECT_EQ(graphics.pDxFont[slot].get(), fonts[slot]) << slot;
  EXPECT_EQ(backend.log.Count("Direct3D::CreateDevice"), 0u);
  EXPECT_EQ(backend.log.Count("Graphics::CreateGdiFont"), 0u);
}

TEST_F(Direct3DTest, OtherCooperativeResultsReleaseThePoolButDoNotReset) {
  ASSERT_EQ(InitDirect3D(window, true, true), platform::S_OK);
  backend.faults.Fail("Device::TestCooperativeLevel", 1, platform::D3DERR_DRIVERINTERNALERROR);
  EXPECT_EQ(ResetDirect3D(window), platform::S_OK);
  EXPECT_EQ(backend.log.Count("Sprite::OnLostDevice"), 1u);
  EXPECT_EQ(backend.log.Count("Device::Reset"), 0u);
  EXPECT_EQ(backend.graphics.liveTextures, 0);

  backend.log.Clear();
  EXPECT_EQ(ResetDirect3D(window), platform::S_OK);  // the device is fine again
  EXPECT_EQ(backend.log.Calls(), std::vector<std::string>{"Device::TestCooperativeLevel"});
}

TEST_F(Direct3DTest, ResetThatFailsShowsItsCauseUnderTheResetCaption) {
  const std::pair<HRESULT, std::string> cases[] = {
      {platform::D3DERR_DEVICELOST,
       "D3DERR_DEVICELOST:デバイスは消失していますが、リセットできませんでした。再起動の必要があるかもしれません。(errno=R001)"},
      {platform::D3DERR_DRIVERINTERNALERROR,
       "D3DERR_DRIVERINTERNALERROR:ドライバの内部エラー。ビデオカードドライバをアップグレードしてください。(errno=R002)"},
      {platform::D3DERR_INVALIDCALL, "D3DERR_INVALIDCALL:パラメタ不正。プログラムの制作元に連絡してください。(errno=R003)"},
      {platform::D3DERR_OUTOFVIDEOMEMORY,
       "D3DERR_OUTOFVIDEOMEMORY:Direct3D が処理を行うのに十分なビデオメモリがありません。ビデオメモリを増やしてください。(errno=R004)"},
      {platform::E_OUTOFMEMORY,
       "E_OUTOFMEMORY:Direct3D が呼び出しを完了するための十分なメモリを割り当てることができませんでした。システムメモリまたはビデオメモリを増設してください。(errno=R005)"},
      {platform::E_FAIL, "pDevice->Resetのエラー（エラーコード：2147500037）"},
  };
  appState.bWindowed = 1;
  ASSERT_EQ(InitDirect3D(window, true, true), platform::S_OK);
  for (const auto& [result, text] : cases) {
    SCOPED_TRACE(text);
    backend.dialogs.boxes.clear();
    LogAt(1);
    backend.faults.Fail("Device::TestCooperativeLevel", 1, platform::D3DERR_DEVICENOTRESET);
    backend.faults.Fail("Device::Reset", 1, result);
    EXPECT_EQ(ResetDirect3D(window), platform::E_FAIL);
    ASSERT_EQ(backend.dialogs.boxes.size(), 1u);
    EXPECT_EQ(backend.dialogs.boxes[0].text, text);
    EXPECT_EQ(backend.dialogs.boxes[0].caption, "Reset");
    EXPECT_EQ(backend.dialogs.boxes[0].flags, kErrorBox);
    const std::vector<std::string> log = LogMessages();
    EXPECT_EQ(std::count(log.begin(), log.end(), text), result == platform::E_FAIL ? 1 : 0)
        << "only the code without a text of its own is logged";
    EXPECT_NE(std::find(log.begin(), log.end(), "d3dpp.Windowed == TRUE"), log.end());
  }
}

TEST_F(Direct3DTest, ReleaseGoesInReverseOrderAndASecondReleaseFindsNothing) {
  ASSERT_EQ(InitDirect3D(window, true, true), platform::S_OK);
  LogAt(1);
  ReleaseDirect3D();
  EXPECT_EQ(LogMessages(), (std::vector<std::string>{"スプライトを開放します", "大フォント解放", "中フォント解放",
                                                     "小フォント解放", "リソースをクリアしています", "リソースクリア完了",
                                                     "Direct3Dデバイスを開放します", "Direct3Dを開放します",
                                                     "Direct3Dを開放完了"}));
  ExpectEverythingReleased();
  LogAt(1);
  ReleaseDirect3D();
  EXPECT_EQ(LogMessages(),
            (std::vector<std::string>{"リソースをクリアしています", "リソースクリア完了", "Direct3Dを開放完了"}));
}

TEST_F(Direct3DTest, WindowSwitchMakesANewDeviceWithTheCurrentSet) {
  ASSERT_EQ(InitDirect3D(window, true, true), platform::S_OK);
  ASSERT_EQ(LoadPictureSet(kStoryPictureSet), platform::S_OK);
  ReleaseDirect3D();
  appState.bWindowed = 1;
  LogAt(1);
  ASSERT_EQ(InitDirect3D(window, true, false), platform::S_OK);
  EXPECT_EQ(pictures.currentSet, kStoryPictureSet);
  EXPECT_EQ(backend.graphics.liveTextures, PictureSetSize(kStoryPictureSet));
  const std::vector<std::string> log = LogMessages();
  EXPECT_NE(std::find(log.begin(), log.end(), "画像セットのリロードを行います"), log.end());
  EXPECT_EQ(std::find(log.begin(), log.end(), "オープニングロゴを読みだします"), log.end());
}

TEST_F(Direct3DTest, ReloadThatFailsStillStartsTheDevice) {
  ASSERT_EQ(InitDirect3D(window, true, true), platform::S_OK);
  ASSERT_EQ(LoadPictureSet(kTitlePictureSet), platform::S_OK);
  ReleaseDirect3D();
  std::filesystem::remove(kPictureArchive);
  EXPECT_EQ(InitDirect3D(window, true, false), platform::S_OK);
  EXPECT_TRUE(backend.dialogs.boxes.empty());
  EXPECT_NE(graphics.pDevice, nullptr);
}

class PictureArchiveStartTest : public GameTest {};

// At first start the missing archive ends the program after its box, with exit code 0.
TEST_F(PictureArchiveStartTest, ProgramWithoutItsPictureArchiveShowsErrnoTenAndEnds) {
  std::filesystem::remove(kPictureArchive);
  EXPECT_EQ(RunProgram(""), 0);
  ASSERT_EQ(backend.dialogs.boxes.size(), 1u);
  EXPECT_NE(backend.dialogs.boxes[0].text.find("(errno=0010)"), std::string::npos) << backend.dialogs.boxes[0].text;
  EXPECT_EQ(backend.graphics.presents, 0);
  EXPECT_FALSE(backend.instance.held);
}

}  // namespace
