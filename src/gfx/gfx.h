// Graphics as the other subsystems see it: the device with its sprite and fonts, the picture
// table and picture sets, and the drawing conventions every scene follows.
#pragma once

#include <cstdint>
#include <memory>

#include "gfx/picture_names.h"
#include "platform/graphics.h"
#include "platform/handles.h"

// ---- Device, sprite and fonts ----

struct GraphicsState {
  std::unique_ptr<platform::Direct3D> direct3d;
  std::unique_ptr<platform::Device> pDevice;
  std::unique_ptr<platform::Sprite> pSprite;
  std::unique_ptr<platform::Font> pDxFont[3];  // small, medium, large
  platform::PresentParameters d3dpp;           // kept for Reset
};

extern GraphicsState graphics;

// create: make the device first (false: only reload after a reset). logo: start with the
// opening-logo picture set. 0 or E_FAIL; every failure has shown its own message box.
platform::HRESULT InitDirect3D(platform::WindowHandle window, bool create, bool logo);
// After Present reported a lost device: 0 when restored or not yet restorable, else E_FAIL.
platform::HRESULT ResetDirect3D(platform::WindowHandle window);
// Releases whatever exists, in reverse order of making; safe to call again.
void ReleaseDirect3D();

// The start-up check of a picture-name table: entries 0..NUMSURFACES-1 named, the end entry
// null. Shows the consistency box and returns false when it is not so.
bool CheckPictureTable(const char* const* table, platform::WindowHandle owner);

// ---- Picture table and picture sets ----

constexpr const char* kPictureArchive = "svdata01.dat";

struct PictureSlot {
  std::unique_ptr<platform::Texture> texture;  // none while not loaded
  std::int16_t width = 0;                      // the stored image's size, not the texture's
  std::int16_t height = 0;
};

struct PictureTable {
  PictureSlot slots[NUMSURFACES];
  // The list made current last; lists are static and end with kPictureListEnd.
  const PictureId* currentSet = nullptr;
};

extern PictureTable pictures;

// 0 on success (also when already loaded or not a picture name), -1 for an id out of range or
// an entry that cannot be read, else the device's failure code.
platform::HRESULT LoadPicture(PictureId id);
// Releases every texture; the sizes stay.
void ClearPictures();
// Makes the list (null: the opening logos) current: every texture goes, then the list is loaded
// from its last id to its first. 0, or the error of the first listed id that failed.
platform::HRESULT LoadPictureSet(const PictureId* list);
// Forgets sizes and the current set as well; the textures must already be cleared.
void ResetPictureTable();

// The texture: null while not loaded or for an id out of range. The size: the stored image's,
// known once the picture was read (0 before), kept when the texture goes.
platform::Texture* PictureTexture(PictureId id);
int PictureWidth(PictureId id);
int PictureHeight(PictureId id);

// The scenes' picture sets, in load order, each ending with kPictureListEnd.
extern const PictureId kOpeningLogoPictureSet[];
extern const PictureId kTitlePictureSet[];
extern const PictureId kStoryPictureSet[];
extern const PictureId kWeaponSelectPictureSet[];
extern const PictureId kPlayPictureSet[];
extern const PictureId kEndingPictureSet[];
// Ids before kPictureListEnd.
int PictureSetSize(const PictureId* list);

// ---- Drawing ----
// Every helper draws through the shared sprite at the picture's top-left corner, in screen
// pixels, and only in frames that are drawn (the half-rate option); a picture that is not
// loaded draws as nothing.

// White with the given opacity in the top byte: the colour every picture is drawn with.
constexpr std::uint32_t PictureColour(int alpha) {
  return static_cast<std::uint32_t>(alpha) * 0x1000000u + 0xFFFFFFu;
}

void DrawPicture(PictureId id, float x, float y, int alpha);
// A rectangle of the picture, placed with the rectangle's top-left corner at (x, y).
void DrawPicturePart(PictureId id, const platform::Rect& source, float x, float y, int alpha);
void DrawPictureScaled(PictureId id, const platform::Rect& source, platform::Vector2 scaling, float x, float y,
                       int alpha);

// PIC_0..PIC_9, 16 pixels apart, with leading zeros: 2 to 6 digits as digitCount asks, higher
// digits cut off; a negative value shows as 0.
void DrawNumber(int value, int alpha, float x, float y, int digitCount);
// PIC_STAGE0..9 in a two-digit field as wide as two PIC_STAGE0: one digit sits in its middle.
void DrawStageNumber(int value, int alpha, float x, float y);
