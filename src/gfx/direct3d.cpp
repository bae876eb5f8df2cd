// Device lifecycle: creation, reset after a loss, release. This first cut makes a device and
// the sprite for the frame loop; the full creation walk, fonts and messages come with the
// graphics work.
#include "app/app.h"
#include "gfx/gfx.h"
#include "platform/backend.h"

GraphicsState graphics;

platform::HRESULT InitDirect3D(platform::WindowHandle window, bool create, bool) {
  if (!create) return platform::S_OK;
  graphics.direct3d = platform::Gfx().CreateDirect3D(platform::kDirect3DSdkVersion);
  if (!graphics.direct3d) return platform::E_FAIL;
  graphics.d3dpp = platform::PresentParameters{};
  graphics.d3dpp.backBufferCount = 1;
  graphics.d3dpp.swapEffect = platform::D3DSWAPEFFECT_DISCARD;
  graphics.d3dpp.windowed = appState.bWindowed != 0;
  if (!graphics.d3dpp.windowed) {
    graphics.d3dpp.backBufferWidth = 640;
    graphics.d3dpp.backBufferHeight = 480;
    graphics.d3dpp.backBufferFormat = platform::D3DFMT_A8R8G8B8;
  }
  platform::HRESULT result = graphics.direct3d->CreateDevice(0, platform::D3DDEVTYPE_HAL, window,
                                                             platform::D3DCREATE_MIXED_VERTEXPROCESSING,
                                                             &graphics.d3dpp, &graphics.pDevice);
  if (platform::Failed(result) || platform::Failed(graphics.pDevice->CreateSprite(&graphics.pSprite))) {
    ReleaseDirect3D();
    return platform::E_FAIL;
  }
  return platform::S_OK;
}

platform::HRESULT ResetDirect3D(platform::WindowHandle window) {
  platform::HRESULT result = graphics.pDevice->TestCooperativeLevel();
  if (result != platform::D3DERR_DEVICENOTRESET) return platform::S_OK;
  graphics.pSprite->OnLostDevice();
  if (platform::Failed(graphics.pDevice->Reset(graphics.d3dpp))) return platform::E_FAIL;
  graphics.pSprite->OnResetDevice();
  return InitDirect3D(window, false, false);
}

void ReleaseDirect3D() {
  graphics.pSprite.reset();
  for (int i = 2; i >= 0; --i) graphics.pDxFont[i].reset();
  graphics.pDevice.reset();
  graphics.direct3d.reset();
}
