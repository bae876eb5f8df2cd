// Fonts on SDL: the system font handles the game creates and the device fonts made from them.
// The game draws no text with them; they carry their description for whoever asks later.
#pragma once

#include <map>
#include <string>

#include "platform/graphics.h"

namespace platform::sdl {

struct FontRecord {
  FontDesc desc;         // desc.faceName points into faceName
  std::string faceName;
};

class SdlGdiFonts {
 public:
  GdiFont Create(const FontDesc& desc);
  void Delete(GdiFont font);
  // Null for a handle that was never made or is already deleted.
  const FontRecord* Find(GdiFont font) const;

 private:
  std::map<GdiFont, FontRecord> fonts;
  GdiFont nextHandle = 1;
};

class SdlFont final : public Font {
 public:
  explicit SdlFont(const FontRecord& record);
  HRESULT OnLostDevice() override { return D3D_OK; }
  HRESULT OnResetDevice() override { return D3D_OK; }
  const FontDesc& Desc() const { return record.desc; }

 private:
  FontRecord record;
};

}  // namespace platform::sdl
