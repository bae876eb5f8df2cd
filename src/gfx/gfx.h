// Graphics as the other subsystems see it: the device, the shared sprite and the fonts, and
// their lifecycle.
#pragma once

#include <memory>

#include "platform/graphics.h"
#include "platform/handles.h"

struct GraphicsState {
  std::unique_ptr<platform::Direct3D> direct3d;
  std::unique_ptr<platform::Device> pDevice;
  std::unique_ptr<platform::Sprite> pSprite;
  std::unique_ptr<platform::Font> pDxFont[3];
  platform::PresentParameters d3dpp;
};

extern GraphicsState graphics;

// create: make the device first (false: only reload after a reset). logo: start with the
// opening-logo picture set. 0 or E_FAIL.
platform::HRESULT InitDirect3D(platform::WindowHandle window, bool create, bool logo);
// After Present reported a lost device: 0 when restored or not yet restorable, else E_FAIL.
platform::HRESULT ResetDirect3D(platform::WindowHandle window);
void ReleaseDirect3D();
