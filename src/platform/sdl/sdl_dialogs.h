// Dialog service on SDL. Placeholder until the GTK dialogs are written: message boxes go to
// standard error and answer yes, modal dialogs cannot be shown.
#pragma once

#include "platform/dialogs.h"

namespace platform::sdl {

class SdlDialogs final : public Dialogs {
 public:
  int RunModal(const DialogTemplate& dialogTemplate, WindowHandle owner, DialogProc procedure,
               void* context) override;
  void EndDialog(WindowHandle dialog, int result) override;
  void SetCaption(WindowHandle dialog, const char* text) override;
  void SetControlText(WindowHandle dialog, int controlId, const char* text) override;
  void EnableControl(WindowHandle dialog, int controlId, bool enabled) override;
  void SetCheck(WindowHandle dialog, int controlId, bool checked) override;
  bool IsChecked(WindowHandle dialog, int controlId) override;
  int AddListEntry(WindowHandle dialog, int controlId, const char* text) override;
  int ListEntryCount(WindowHandle dialog, int controlId) override;
  void SelectListEntry(WindowHandle dialog, int controlId, int index) override;
  int SelectedListEntry(WindowHandle dialog, int controlId) override;
  bool AddTooltip(WindowHandle dialog, int controlId, const char* text) override;
  int MessageBox(WindowHandle owner, const char* text, const char* caption, std::uint32_t flags) override;
};

}  // namespace platform::sdl
