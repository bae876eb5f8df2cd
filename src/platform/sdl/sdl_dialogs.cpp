// Dialog service on SDL, placeholder: no dialog shows; message boxes print one line each.
#include "platform/sdl/sdl_dialogs.h"

#include <cstdio>
#include <string>

namespace platform::sdl {

// Placeholder: with no dialog there is no control to address, so these have nothing to do.
int SdlDialogs::RunModal(const DialogTemplate&, WindowHandle, DialogProc, void*) { return -1; }
void SdlDialogs::EndDialog(WindowHandle, int) {}
void SdlDialogs::SetCaption(WindowHandle, const char*) {}
void SdlDialogs::SetControlText(WindowHandle, int, const char*) {}
void SdlDialogs::EnableControl(WindowHandle, int, bool) {}
void SdlDialogs::SetCheck(WindowHandle, int, bool) {}
bool SdlDialogs::IsChecked(WindowHandle, int) { return false; }
int SdlDialogs::AddListEntry(WindowHandle, int, const char*) { return -1; }
int SdlDialogs::ListEntryCount(WindowHandle, int) { return 0; }
void SdlDialogs::SelectListEntry(WindowHandle, int, int) {}
int SdlDialogs::SelectedListEntry(WindowHandle, int) { return -1; }
bool SdlDialogs::AddTooltip(WindowHandle, int, const char*) { return false; }

// Placeholder: the text goes to standard error on one line (the game's texts break lines
// with CR LF) and the answer is the one that lets the program go on.
int SdlDialogs::MessageBox(WindowHandle, const char* text, const char* caption, std::uint32_t flags) {
  std::string line = caption ? caption : "";
  line += ": ";
  for (const char* c = text ? text : ""; *c; ++c) {
    if (*c == '\r') continue;
    line += *c == '\n' ? ' ' : *c;
  }
  std::fprintf(stderr, "%s\n", line.c_str());
  return (flags & 0x0F) == MB_YESNO ? IDYES : IDOK;
}

}  // namespace platform::sdl
