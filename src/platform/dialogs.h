// Dialog service: modal dialogs built from templates (controls with ids and dialog-unit
// rectangles), the control operations their procedures use, tooltips and message boxes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/handles.h"

namespace platform {

enum : std::uint32_t {
  MB_OK = 0x00000000,
  MB_YESNO = 0x00000004,
  MB_ICONERROR = 0x00000010,
  MB_ICONEXCLAMATION = 0x00000030,
  MB_ICONWARNING = 0x00000030,
  MB_ICONINFORMATION = 0x00000040,
  MB_TOPMOST = 0x00040000,
};

enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

enum class ControlKind {
  kPicture,        // text names the bitmap resource
  kPushButton,
  kDefaultButton,
  kCheckBox,
  kDropDownList,
  kGroupBox,
  kLabel,
  kSunkenLabel,
};

struct ControlTemplate {
  int id = 0;  // 0 for controls nobody addresses
  ControlKind kind = ControlKind::kLabel;
  const char* text = nullptr;  // UTF-8
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct DialogTemplate {
  int resourceId = 0;
  const char* caption = nullptr;
  int width = 0;  // dialog units
  int height = 0;
  const char* fontName = nullptr;
  int fontPoints = 0;
  const ControlTemplate* controls = nullptr;
  std::size_t controlCount = 0;
};

enum class DialogEvent {
  kInit,             // before the dialog shows
  kCommand,          // a button or check box was clicked, or the close box (id IDCANCEL)
  kSelectionChange,  // a drop-down list changed its selection
};

// Returns true when it handled the event. The dialog ends only through EndDialog.
using DialogProc = bool (*)(WindowHandle dialog, DialogEvent event, int controlId, void* context);

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Runs until the procedure calls EndDialog; returns its result, or -1 when the dialog cannot
  // be shown.
  virtual int RunModal(const DialogTemplate& dialogTemplate, WindowHandle owner, DialogProc procedure,
                       void* context) = 0;
  virtual void EndDialog(WindowHandle dialog, int result) = 0;

  virtual void SetCaption(WindowHandle dialog, const char* text) = 0;
  virtual void SetControlText(WindowHandle dialog, int controlId, const char* text) = 0;
  virtual void EnableControl(WindowHandle dialog, int controlId, bool enabled) = 0;
  virtual void SetCheck(WindowHandle dialog, int controlId, bool checked) = 0;
  virtual bool IsChecked(WindowHandle dialog, int controlId) = 0;
  virtual int AddListEntry(WindowHandle dialog, int controlId, const char* text) = 0;
  virtual int ListEntryCount(WindowHandle dialog, int controlId) = 0;
  virtual void SelectListEntry(WindowHandle dialog, int controlId, int index) = 0;
  // -1 when nothing is selected.
  virtual int SelectedListEntry(WindowHandle dialog, int controlId) = 0;
  // False when no tooltip can be attached; the dialog works on without.
  virtual bool AddTooltip(WindowHandle dialog, int controlId, const char* text) = 0;

  // Returns the button pressed (IDOK, IDYES, IDNO...).
  virtual int MessageBox(WindowHandle owner, const char* text, const char* caption, std::uint32_t flags) = 0;
};

}  // namespace platform
