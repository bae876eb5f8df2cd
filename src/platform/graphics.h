// Graphics service: the drawing device, its sprite batch, textures made from image bytes and the
// fonts, in the shape of the calls the game's device code makes and with their result codes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/handles.h"
#include "platform/result.h"

namespace platform {

enum DeviceType : std::uint32_t { D3DDEVTYPE_HAL = 1, D3DDEVTYPE_REF = 2 };

enum Format : std::uint32_t {
  D3DFMT_UNKNOWN = 0,
  D3DFMT_R8G8B8 = 20,
  D3DFMT_A8R8G8B8 = 21,
  D3DFMT_X8R8G8B8 = 22,
  D3DFMT_A4R4G4B4 = 26,
  D3DFMT_A16B16G16R16 = 36,
};

enum : std::uint32_t {
  D3DCREATE_SOFTWARE_VERTEXPROCESSING = 0x20,
  D3DCREATE_HARDWARE_VERTEXPROCESSING = 0x40,
  D3DCREATE_MIXED_VERTEXPROCESSING = 0x80,
};

enum : std::uint32_t { D3DSWAPEFFECT_DISCARD = 1 };
enum : std::uint32_t { D3DPRESENT_INTERVAL_DEFAULT = 0 };
enum : std::uint32_t { D3DCLEAR_TARGET = 1 };
enum : std::uint32_t { D3DXSPRITE_ALPHABLEND = 0x10 };
constexpr std::uint32_t kDirect3DSdkVersion = 31;

struct PresentParameters {
  std::uint32_t backBufferWidth = 0;  // 0 in a window: the client area decides
  std::uint32_t backBufferHeight = 0;
  Format backBufferFormat = D3DFMT_UNKNOWN;
  std::uint32_t backBufferCount = 0;
  std::uint32_t multiSampleType = 0;
  std::uint32_t swapEffect = 0;
  WindowHandle deviceWindow = kNoWindow;
  bool windowed = false;
  bool enableAutoDepthStencil = false;
  std::uint32_t flags = 0;
  std::uint32_t fullScreenRefreshRate = 0;
  std::uint32_t presentationInterval = 0;
  // Ours, for a window or screen larger than the frame: whole multiples of the frame size only
  // (bars all round), and smooth rather than sharp pixels where the frame is scaled.
  bool integerScaling = false;
  bool smoothScaling = false;
};

struct AdapterIdentifier {
  char driver[512] = {};
  char description[512] = {};
  char deviceName[32] = {};
  std::uint64_t driverVersion = 0;  // four 16-bit parts, most significant first
  std::uint32_t vendorId = 0;
  std::uint32_t deviceId = 0;
  std::uint32_t subSysId = 0;
  std::uint32_t revision = 0;
};

struct ImageInfo {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  Format format = D3DFMT_UNKNOWN;
};

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

struct Vector2 {
  float x = 0;
  float y = 0;
};

// Argument of GDI-style font creation; the game fills every field it names.
struct FontDesc {
  int height = 0;
  int width = 0;
  int weight = 0;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::uint32_t charSet = 0;
  std::uint32_t outputPrecision = 0;
  std::uint32_t clipPrecision = 0;
  std::uint32_t quality = 0;
  std::uint32_t pitchAndFamily = 0;
  const char* faceName = nullptr;  // UTF-8
};

// A system font object between its creation and its conversion for the device; 0 is none.
using GdiFont = std::uint32_t;

class Texture {
 public:
  virtual ~Texture() = default;
};

// Draws a rectangle of a texture. Arguments that may be absent are pointers, as the game passes
// them: no source rectangle means the whole texture, no scaling means 1:1. The colour multiplies
// the texels (alpha in the top byte).
class Sprite {
 public:
  virtual ~Sprite() = default;
  virtual HRESULT Begin(std::uint32_t flags) = 0;
  virtual HRESULT Draw(Texture* texture, const Rect* source, const Vector2* scaling, const Vector2* rotationCentre,
                       float rotation, const Vector2* translation, std::uint32_t colour) = 0;
  virtual HRESULT End() = 0;
  virtual HRESULT OnLostDevice() = 0;
  virtual HRESULT OnResetDevice() = 0;
};

class Font {
 public:
  virtual ~Font() = default;
  virtual HRESULT OnLostDevice() = 0;
  virtual HRESULT OnResetDevice() = 0;
};

class Device {
 public:
  virtual ~Device() = default;
  virtual HRESULT BeginScene() = 0;
  virtual HRESULT EndScene() = 0;
  virtual HRESULT Clear(std::uint32_t flags, std::uint32_t colour, float z, std::uint32_t stencil) = 0;
  virtual HRESULT Present() = 0;
  virtual HRESULT TestCooperativeLevel() = 0;
  virtual HRESULT Reset(const PresentParameters& parameters) = 0;
  virtual std::uint32_t GetAvailableTextureMem() = 0;
  // Writes render target 0 as an uncompressed BMP file.
  virtual HRESULT SaveRenderTargetToBmp(const char* path) = 0;

  virtual HRESULT CreateSprite(std::unique_ptr<Sprite>* out) = 0;
  // Decodes an image file held in memory into a texture; pixels equal to an opaque colour key
  // (ARGB, 0 for none) become fully transparent.
  virtual HRESULT CreateTextureFromMemory(const void* data, std::size_t size, std::uint32_t colourKey,
                                          std::unique_ptr<Texture>* out) = 0;
  virtual HRESULT CreateFontFromGdi(GdiFont font, std::unique_ptr<Font>* out) = 0;
};

class Direct3D {
 public:
  virtual ~Direct3D() = default;
  virtual HRESULT GetAdapterIdentifier(std::uint32_t adapter, std::uint32_t flags, AdapterIdentifier* out) = 0;
  virtual HRESULT CreateDevice(std::uint32_t adapter, DeviceType type, WindowHandle focusWindow,
                               std::uint32_t behaviourFlags, PresentParameters* parameters,
                               std::unique_ptr<Device>* out) = 0;
};

class Graphics {
 public:
  virtual ~Graphics() = default;
  // Null when the drawing system cannot be brought up.
  virtual std::unique_ptr<Direct3D> CreateDirect3D(std::uint32_t sdkVersion) = 0;
  // Reads the size and format from an image file held in memory, without decoding it all.
  virtual HRESULT GetImageInfoFromMemory(const void* data, std::size_t size, ImageInfo* out) = 0;
  // 0 on failure; the reason is then in LastError().
  virtual GdiFont CreateGdiFont(const FontDesc& desc) = 0;
  virtual void DeleteGdiFont(GdiFont font) = 0;
  virtual std::uint32_t LastError() = 0;
  // The system's text for an error number; false when it has none.
  virtual bool FormatErrorMessage(std::uint32_t error, char* out, std::size_t outSize) = 0;
};

}  // namespace platform
