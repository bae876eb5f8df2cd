// Font handles on SDL: a table of descriptions keyed by small numbers.
#include "platform/sdl/sdl_fonts.h"

namespace platform::sdl {

GdiFont SdlGdiFonts::Create(const FontDesc& desc) {
  const GdiFont handle = nextHandle++;
  FontRecord& record = fonts[handle];
  record.faceName = desc.faceName ? desc.faceName : "";
  record.desc = desc;
  record.desc.faceName = record.faceName.c_str();
  return handle;
}

void SdlGdiFonts::Delete(GdiFont font) { fonts.erase(font); }

const FontRecord* SdlGdiFonts::Find(GdiFont font) const {
  auto found = fonts.find(font);
  return found == fonts.end() ? nullptr : &found->second;
}

SdlFont::SdlFont(const FontRecord& source) : record(source) { record.desc.faceName = record.faceName.c_str(); }

}  // namespace platform::sdl
