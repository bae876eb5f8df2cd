// Tooltips for a dialog's controls, from a list of (control id, text) pairs.
#pragma once

#include "platform/handles.h"

struct TooltipEntry {
  int controlId;  // 0 ends the list
  const char* text;
};

// Stops at a zero id or a missing text; a control that cannot take a tooltip goes without.
void AddTooltips(platform::WindowHandle dialog, const TooltipEntry* entries);
