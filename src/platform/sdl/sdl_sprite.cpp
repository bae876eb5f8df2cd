// Sprite drawing on SDL. The transform is the original sprite's: scale about the sprite's
// origin, rotate about the centre (given in scaled units), then translate.
#include "platform/sdl/sdl_sprite.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "platform/sdl/sdl_device.h"

namespace platform::sdl {
namespace {
constexpr double kPi = 3.14159265358979323846;

// A quarter turn in float radians comes out a hair off 90 degrees, and SDL's software renderer
// turns only exact right angles texel for texel; a near miss there smears small sprites.
double RightAngleSnapped(double degrees) {
  const double nearest = std::round(degrees / 90.0) * 90.0;
  return std::fabs(degrees - nearest) < 1e-3 ? nearest : degrees;
}

}  // namespace

SdlSprite::SdlSprite(std::shared_ptr<SdlRenderLink> renderLink, std::uint32_t rendererSerial)
    : link(std::move(renderLink)), serial(rendererSerial) {}

// Every draw goes straight to the renderer, which batches by itself; there is nothing to open
// or flush, and nothing the sprite holds is lost with the device.
HRESULT SdlSprite::Begin(std::uint32_t) { return D3D_OK; }
HRESULT SdlSprite::End() { return D3D_OK; }
HRESULT SdlSprite::OnLostDevice() { return D3D_OK; }
HRESULT SdlSprite::OnResetDevice() { return D3D_OK; }

HRESULT SdlSprite::Draw(Texture* texture, const Rect* source, const Vector2* scaling, const Vector2* rotationCentre,
                        float rotation, const Vector2* translation, std::uint32_t colour) {
  auto* sdlTexture = dynamic_cast<SdlTexture*>(texture);
  if (!sdlTexture || !IsCurrentRenderer(*link, serial) || sdlTexture->Link() != link.get() || !sdlTexture->Get()) {
    return D3DERR_INVALIDCALL;
  }
  Rect wanted{0, 0, sdlTexture->Width(), sdlTexture->Height()};
  if (source) wanted = *source;
  const float scaleX = scaling ? scaling->x : 1.0f;
  const float scaleY = scaling ? scaling->y : 1.0f;
  const Vector2 centre = rotationCentre ? *rotationCentre : Vector2{};
  const Vector2 offset = translation ? *translation : Vector2{};

  // The original texture is padded to a power of two with transparent texels; ours is the
  // image's exact size, so a source rectangle reaching past it draws only the part inside.
  const int left = std::max(wanted.left, 0);
  const int top = std::max(wanted.top, 0);
  const int right = std::min(wanted.right, sdlTexture->Width());
  const int bottom = std::min(wanted.bottom, sdlTexture->Height());
  if (right <= left || bottom <= top) return D3D_OK;

  // Where the clipped texels land, relative to the sprite's origin, after scaling (a negative
  // scale mirrors the sprite to the other side of its origin).
  const float u0 = static_cast<float>(left - wanted.left) * scaleX;
  const float u1 = static_cast<float>(right - wanted.left) * scaleX;
  const float v0 = static_cast<float>(top - wanted.top) * scaleY;
  const float v1 = static_cast<float>(bottom - wanted.top) * scaleY;
  const float x0 = std::min(u0, u1);
  const float y0 = std::min(v0, v1);
  const SDL_FRect destination{offset.x + x0, offset.y + y0, std::fabs(u1 - u0), std::fabs(v1 - v0)};
  const SDL_FPoint pivot{centre.x - x0, centre.y - y0};
  const SDL_Rect texels{left, top, right - left, bottom - top};
  int flip = SDL_FLIP_NONE;
  if (scaleX < 0) flip |= SDL_FLIP_HORIZONTAL;
  if (scaleY < 0) flip |= SDL_FLIP_VERTICAL;

  SDL_Texture* drawn = sdlTexture->Get();
  SDL_SetTextureAlphaMod(drawn, static_cast<Uint8>(colour >> 24));
  SDL_SetTextureColorMod(drawn, (colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
  // Positive angles turn clockwise on screen in both systems.
  const double degrees = RightAngleSnapped(static_cast<double>(rotation) * 180.0 / kPi);
  if (SDL_RenderCopyExF(link->renderer, drawn, &texels, &destination, degrees, &pivot,
                        static_cast<SDL_RendererFlip>(flip)) != 0) {
    return D3DERR_INVALIDCALL;
  }
  return D3D_OK;
}

}  // namespace platform::sdl
