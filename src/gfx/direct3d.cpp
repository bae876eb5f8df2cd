// Device lifecycle: creation with its fallbacks, the sprite, the fonts and the first pictures;
// recovery after a lost device; release.
#include <cstdio>
#include <string>

#include "app/app.h"
#include "gfx/device_messages.h"
#include "gfx/gfx.h"
#include "platform/backend.h"
#include "platform/dialogs.h"

GraphicsState graphics;

namespace {

using platform::HRESULT;

constexpr const char* kCaption = "Sorvani";
constexpr std::uint32_t kErrorBox = platform::MB_TOPMOST | platform::MB_ICONERROR;
constexpr std::uint32_t kWarningBox = platform::MB_TOPMOST | platform::MB_ICONWARNING;

constexpr platform::DeviceType kDeviceTypes[] = {platform::D3DDEVTYPE_HAL, platform::D3DDEVTYPE_REF};
constexpr platform::Format kFullScreenFormats[] = {platform::D3DFMT_A8R8G8B8, platform::D3DFMT_A4R4G4B4,
                                                   platform::D3DFMT_A16B16G16R16};
constexpr std::uint32_t kBehaviourFlags[] = {platform::D3DCREATE_MIXED_VERTEXPROCESSING,
                                             platform::D3DCREATE_HARDWARE_VERTEXPROCESSING,
                                             platform::D3DCREATE_SOFTWARE_VERTEXPROCESSING};

struct FontPlan {
  int height;
  const char* creating;
  const char* gdiFailure;
  const char* converting;
  const char* deviceFailure;
  const char* invalidCall;
  const char* outOfMemory;
  const char* done;
};

const FontPlan kFonts[3] = {
    {12, "小フォントを作成します", "フォント(小)の生成(CreateFont)に失敗しました。\r\n原因：%s",
     "小フォントをDirect3D用に変換します", "フォント(小)の生成(D3DXCreateFont)に失敗しました。\r\n原因：%s",
     "D3DERR_INVALIDCALL:パラメタ不正(errno=0016)", "E_OUTOFMEMORY:システムメモリ不足(errno=0017)", "小フォント作成完了"},
    {16, "中フォントを作成します", "フォント(中)の生成(CreateFont)に失敗しました。\r\n原因：%s",
     "中フォントをDirect3D用に変換します", "フォント(中)の生成(D3DXCreateFont)に失敗しました。\r\n原因：%s",
     "D3DERR_INVALIDCALL:パラメタ不正(errno=0018)", "E_OUTOFMEMORY:システムメモリ不足(errno=0019)", "中フォント作成完了"},
    {20, "大フォントを作成します", "フォント(大)の生成(CreateFont)に失敗しました。\r\n原因：%s",
     "大フォントをDirect3D用に変換します", "フォント(大)の生成(D3DXCreateFont)に失敗しました。\r\n原因：%s",
     "D3DERR_INVALIDCALL:パラメタ不正(errno=0020)", "E_OUTOFMEMORY:システムメモリ不足(errno=0021)", "大フォント作成完了"},
};

// Creation failures stand alone on the screen: the cursor back and the game window out of the way.
void ShowCreationFailure(platform::WindowHandle window, const char* text, std::uint32_t flags) {
  platform::Windows().ShowCursor(true);
  platform::Windows().ShowWindow(window, platform::ShowCommand::kHide);
  platform::Boxes().MessageBox(window, text, kCaption, flags);
}

void FillPresentParameters() {
  graphics.d3dpp = platform::PresentParameters{};
  graphics.d3dpp.backBufferCount = 1;
  graphics.d3dpp.swapEffect = platform::D3DSWAPEFFECT_DISCARD;
  graphics.d3dpp.presentationInterval = platform::D3DPRESENT_INTERVAL_DEFAULT;
  graphics.d3dpp.windowed = appState.bWindowed == 1;
  graphics.d3dpp.integerScaling = appState.integerScale != 0;
  graphics.d3dpp.smoothScaling = appState.smoothScale != 0;
  if (!graphics.d3dpp.windowed) {
    // A window keeps 0 x 0 and D3DFMT_UNKNOWN: its client area and the desktop decide.
    graphics.d3dpp.backBufferWidth = 640;
    graphics.d3dpp.backBufferHeight = 480;
  }
}

void LogAdapter() {
  WriteDebugLog("ディスプレイアダプタ情報取得");
  WriteDebugLog("----------------------------");
  platform::AdapterIdentifier adapter;
  if (platform::Failed(graphics.direct3d->GetAdapterIdentifier(0, 0, &adapter))) {
    WriteDebugLog("ディスプレイアダプタ情報取得失敗");
  } else {
    char line[1100];
    std::snprintf(line, sizeof line, "ドライバ：%s", adapter.driver);
    WriteDebugLog(line);
    std::snprintf(line, sizeof line, "ビデオカード：%s", adapter.description);
    WriteDebugLog(line);
    std::snprintf(line, sizeof line, "デバイス名：%s", adapter.deviceName);
    WriteDebugLog(line);
    const std::uint64_t version = adapter.driverVersion;
    std::snprintf(line, sizeof line, "バージョン：%u.%u.%u.%u", static_cast<unsigned>(version >> 48 & 0xFFFF),
                  static_cast<unsigned>(version >> 32 & 0xFFFF), static_cast<unsigned>(version >> 16 & 0xFFFF),
                  static_cast<unsigned>(version & 0xFFFF));
    WriteDebugLog(line);
    std::snprintf(line, sizeof line, "VendorId:0x%x, DeviceId:0x%x, SubSysId:0x%x, Revision:0x%x", adapter.vendorId,
                  adapter.deviceId, adapter.subSysId, adapter.revision);
    WriteDebugLog(line);
  }
  WriteDebugLog("----------------------------");
}

HRESULT TryCreateDevice(platform::WindowHandle window, platform::DeviceType type, std::uint32_t behaviour) {
  WriteDebugLog("CreateDeviceを呼び出します");
  const HRESULT result =
      graphics.direct3d->CreateDevice(0, type, window, behaviour, &graphics.d3dpp, &graphics.pDevice);
  if (platform::Failed(result)) {
    graphics.pDevice.reset();
    WriteDebugLog("CreateDevice呼び出し失敗");
  }
  return result;
}

// Walks the combinations from the most to the least capable; false after a shown failure.
bool CreateDevice(platform::WindowHandle window) {
  FillPresentParameters();
  HRESULT result = platform::E_FAIL;
  if (graphics.d3dpp.windowed) {
    WriteDebugLog("ウィンドウモードです。CreateDeviceを、規定回数までモードをゆるめながら呼び出します");
    for (platform::DeviceType type : kDeviceTypes) {
      for (std::uint32_t behaviour : kBehaviourFlags) {
        result = TryCreateDevice(window, type, behaviour);
        if (platform::Succeeded(result)) {
          WriteDebugLog("CreateDeviceを呼び出し成功");
          return true;
        }
      }
    }
  } else {
    WriteDebugLog("フルスクリーンモードです。CreateDeviceを、規定回数までモードをゆるめながら呼び出します");
    for (platform::DeviceType type : kDeviceTypes) {
      for (platform::Format format : kFullScreenFormats) {
        for (std::uint32_t behaviour : kBehaviourFlags) {
          graphics.d3dpp.backBufferFormat = format;
          result = TryCreateDevice(window, type, behaviour);
          if (platform::Succeeded(result)) {
            WriteDebugLog("CreateDeviceを呼び出し成功。マウスカーソルを不可視にします");
            platform::Windows().ShowCursor(false);
            return true;
          }
        }
      }
    }
  }
  ReleaseDirect3D();
  const std::string text = DeviceCreationFailureText(graphics.d3dpp.windowed, result);
  WriteDebugLog(text.c_str());
  ShowCreationFailure(window, text.c_str(), kErrorBox);
  return false;
}

bool CreateSprite(platform::WindowHandle window) {
  if (graphics.pSprite) return true;
  WriteDebugLog("スプライトを作成します");
  const HRESULT result = graphics.pDevice->CreateSprite(&graphics.pSprite);
  if (platform::Succeeded(result)) return true;
  graphics.pSprite.reset();
  const std::string text = SpriteFailureText(result);
  WriteDebugLog(text.c_str());
  ReleaseDirect3D();
  ShowCreationFailure(window, text.c_str(), kErrorBox);
  return false;
}

bool LoadPictures(platform::WindowHandle window, bool logo) {
  if (!logo) {
    WriteDebugLog("画像セットのリロードを行います");
    // A picture that cannot be read again draws as nothing; the game goes on.
    LoadPictureSet(pictures.currentSet);
    return true;
  }
  WriteDebugLog("オープニングロゴを読みだします");
  const HRESULT result = LoadPictureSet(pictures.currentSet);
  if (result == platform::S_OK) return true;
  ReleaseDirect3D();
  ShowCreationFailure(window, LogoFailureText(result).c_str(), kErrorBox);
  return false;
}

bool CreateFont(platform::WindowHandle window, int slot) {
  if (graphics.pDxFont[slot]) return true;
  const FontPlan& plan = kFonts[slot];
  platform::Graphics& system = platform::Gfx();
  WriteDebugLog(plan.creating);
  platform::FontDesc desc;
  desc.height = plan.height;
  desc.width = 0;
  desc.weight = 600;
  desc.charSet = 128;         // SHIFTJIS_CHARSET
  desc.outputPrecision = 4;   // OUT_TT_PRECIS
  desc.clipPrecision = 0;     // CLIP_DEFAULT_PRECIS
  desc.quality = 4;           // ANTIALIASED_QUALITY
  desc.pitchAndFamily = 1;    // FIXED_PITCH
  desc.faceName = "ＭＳ ゴシック";
  const platform::GdiFont gdiFont = system.CreateGdiFont(desc);
  if (gdiFont == 0) {
    const std::string text = FormatCause(plan.gdiFailure, SystemErrorText(system.LastError()));
    ReleaseDirect3D();
    ShowCreationFailure(window, text.c_str(), kErrorBox);
    return false;
  }
  WriteDebugLog(plan.converting);
  const HRESULT result = graphics.pDevice->CreateFontFromGdi(gdiFont, &graphics.pDxFont[slot]);
  if (platform::Failed(result)) {
    graphics.pDxFont[slot].reset();
    system.DeleteGdiFont(gdiFont);
    const char* cause = result == platform::D3DERR_INVALIDCALL ? plan.invalidCall
                        : result == platform::E_OUTOFMEMORY    ? plan.outOfMemory
                                                               : ResultNumber(result);
    const std::string text = FormatCause(plan.deviceFailure, cause);
    ReleaseDirect3D();
    ShowCreationFailure(window, text.c_str(), kErrorBox);
    return false;
  }
  WriteDebugLog(plan.done);
  system.DeleteGdiFont(gdiFont);
  return true;
}

}  // namespace

bool CheckPictureTable(const char* const* table, platform::WindowHandle owner) {
  for (int id = 0; id < NUMSURFACES; ++id) {
    if (table[id]) continue;
    char text[128];
    std::snprintf(text, sizeof text, "Surface内部矛盾チェックエラー：surfaces[%d]がNULLです。", id);
    ShowCreationFailure(owner, text, platform::MB_OK);
    return false;
  }
  if (table[NUMSURFACES]) {
    ShowCreationFailure(owner, "Surface内部矛盾チェックエラー：surfaces[NUMSURFACES]がNULLではありません。", kWarningBox);
    return false;
  }
  return true;
}

HRESULT InitDirect3D(platform::WindowHandle window, bool create, bool logo) {
  WriteDebugLog("Direct3Dを初期化しています");
  if (create) {
    if (logo) pictures.currentSet = kOpeningLogoPictureSet;
    if (!CheckPictureTable(surfaces, window)) return platform::E_FAIL;

    WriteDebugLog("Direct3Dの初回呼び出しです");
    graphics.direct3d = platform::Gfx().CreateDirect3D(platform::kDirect3DSdkVersion);
    if (!graphics.direct3d) {
      ShowCreationFailure(window, "Direct3Dの作成に失敗しました。(errno=0001)", kWarningBox);
      return platform::E_FAIL;
    }
    if (appState.enable_debug_write >= 1) LogAdapter();
    if (!CreateDevice(window)) return platform::E_FAIL;
  }
  // Reloading needs a device; only a caller out of order gets here without one.
  if (!graphics.pDevice) return platform::E_FAIL;

  if (appState.enable_debug_write >= 1) {
    const std::uint32_t memory = graphics.pDevice->GetAvailableTextureMem();
    char line[96];
    std::snprintf(line, sizeof line, "残テクスチャメモリ(推定)：%u bytes (%u MB)", memory, memory >> 20);
    WriteDebugLog(line);
  }
  if (!CreateSprite(window)) return platform::E_FAIL;
  if (!LoadPictures(window, logo)) return platform::E_FAIL;
  for (int slot = 0; slot < 3; ++slot) {
    if (!CreateFont(window, slot)) return platform::E_FAIL;
  }
  WriteDebugLog("Direct3D初期化処理終了");
  return platform::S_OK;
}

HRESULT ResetDirect3D(platform::WindowHandle window) {
  WriteDebugLog("Direct3Dをリセットします");
  if (!graphics.pDevice) return platform::E_FAIL;
  const HRESULT level = graphics.pDevice->TestCooperativeLevel();
  if (level == platform::S_OK) return platform::S_OK;
  if (level == platform::D3DERR_DEVICELOST) {
    // Not ours to reset yet; the next failed Present asks again.
    WriteDebugLog("D3DERR_DEVICELOST");
    return platform::S_OK;
  }
  static const char* const kFontLost[3] = {"pDxFont[0]復帰", "pDxFont[1]復帰", "pDxFont[2]復帰"};
  if (graphics.pSprite) {
    WriteDebugLog("pSprite復帰");
    graphics.pSprite->OnLostDevice();
  }
  for (int slot = 2; slot >= 0; --slot) {
    if (!graphics.pDxFont[slot]) continue;
    WriteDebugLog(kFontLost[slot]);
    graphics.pDxFont[slot]->OnLostDevice();
  }
  ClearPictures();
  if (level != platform::D3DERR_DEVICENOTRESET) return platform::S_OK;

  WriteDebugLog(graphics.d3dpp.windowed ? "d3dpp.Windowed == TRUE" : "d3dpp.Windowed != TRUE");
  WriteDebugLog("デバイスをリセット");
  const HRESULT result = graphics.pDevice->Reset(graphics.d3dpp);
  if (platform::Failed(result)) {
    bool known = false;
    const std::string text = ResetFailureText(result, &known);
    if (!known) WriteDebugLog(text.c_str());
    platform::Boxes().MessageBox(window, text.c_str(), "Reset", kErrorBox);
    return platform::E_FAIL;
  }
  if (graphics.pSprite) {
    WriteDebugLog("pSprite復帰");
    graphics.pSprite->OnResetDevice();
  }
  for (int slot = 2; slot >= 0; --slot) {
    if (!graphics.pDxFont[slot]) continue;
    WriteDebugLog(kFontLost[slot]);
    graphics.pDxFont[slot]->OnResetDevice();
  }
  return InitDirect3D(window, false, false);
}

void ReleaseDirect3D() {
  if (graphics.pSprite) {
    WriteDebugLog("スプライトを開放します");
    graphics.pSprite.reset();
  }
  static const char* const kFontRelease[3] = {"小フォント解放", "中フォント解放", "大フォント解放"};
  for (int slot = 2; slot >= 0; --slot) {
    if (!graphics.pDxFont[slot]) continue;
    WriteDebugLog(kFontRelease[slot]);
    graphics.pDxFont[slot].reset();
  }
  ClearPictures();
  if (graphics.pDevice) {
    WriteDebugLog("Direct3Dデバイスを開放します");
    graphics.pDevice.reset();
  }
  if (graphics.direct3d) {
    WriteDebugLog("Direct3Dを開放します");
    graphics.direct3d.reset();
  }
  WriteDebugLog("Direct3Dを開放完了");
}
