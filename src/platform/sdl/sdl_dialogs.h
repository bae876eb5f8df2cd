// Dialog service on GTK 3: template dialogs laid out from their dialog units, message boxes.
// Without a display a message box prints one line and answers its safe button, and a dialog
// reports that it cannot be shown.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace platform::sdl {

class SdlDialogs final : public Dialogs {
 public:
  SdlDialogs();
  ~SdlDialogs() override;

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

  // For tests: runs once each dialog is on screen and drawn.
  void OnShown(std::function<void(WindowHandle dialog)> hook) { onShown_ = std::move(hook); }
  // For tests: the dialog as drawn, saved as PNG; false when it is not on screen.
  bool SaveSnapshot(WindowHandle dialog, const char* pngPath);
  // For tests: the texts of the dialog's buttons, in template order.
  std::vector<std::string> ButtonTexts(WindowHandle dialog);

  // For tests: what a message box showed, and the button that answered it.
  struct AnsweredBox {
    std::string text;
    std::string caption;
    std::uint32_t icon = 0;  // MB_ICONERROR, MB_ICONWARNING, MB_ICONINFORMATION or 0
    std::vector<std::string> buttons;
    int answer = 0;
  };
  // For tests: runs for each message box once it is answered, before it goes.
  void OnBoxAnswered(std::function<void(const AnsweredBox&)> hook) { onBoxAnswered_ = std::move(hook); }

  struct OpenDialog;

 private:
  OpenDialog* Find(WindowHandle dialog);

  std::map<WindowHandle, std::unique_ptr<OpenDialog>> open_;
  std::function<void(WindowHandle)> onShown_;
  std::function<void(const AnsweredBox&)> onBoxAnswered_;
  WindowHandle nextHandle_ = 0x100;
};

// True when a display is there for GTK; GTK is brought up on the first call that finds one.
bool GtkDisplayAvailable();

}  // namespace platform::sdl
