// Tooltips for a dialog's controls.
#include "app/tooltips.h"

#include "platform/backend.h"

void AddTooltips(platform::WindowHandle dialog, const TooltipEntry* entries) {
  for (const TooltipEntry* entry = entries; entry->controlId != 0 && entry->text != nullptr; ++entry) {
    platform::Boxes().AddTooltip(dialog, entry->controlId, entry->text);
  }
}
