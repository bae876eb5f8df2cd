// Sprite batch on SDL: each Draw is one SDL_RenderCopyExF with the sprite's transform.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/graphics.h"
#include "platform/sdl/sdl_render_link.h"

namespace platform::sdl {

class SdlSprite final : public Sprite {
 public:
  SdlSprite(std::shared_ptr<SdlRenderLink> link, std::uint32_t serial);

  HRESULT Begin(std::uint32_t flags) override;
  HRESULT Draw(Texture* texture, const Rect* source, const Vector2* scaling, const Vector2* rotationCentre,
               float rotation, const Vector2* translation, std::uint32_t colour) override;
  HRESULT End() override;
  HRESULT OnLostDevice() override;
  HRESULT OnResetDevice() override;

 private:
  std::shared_ptr<SdlRenderLink> link;
  std::uint32_t serial;
};

}  // namespace platform::sdl
