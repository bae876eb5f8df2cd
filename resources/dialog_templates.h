// The launcher and settings dialog templates, as data, with the ids their procedures address.
#pragma once

#include "platform/dialogs.h"

enum : int {
  IDD_LAUNCHER = 129,
  IDB_LAUNCHER = 130,
  IDD_SETTINGS = 131,
  IDI_MAINICON = 107,
};

enum : int {
  IDC_LAUNCHER_SETTINGS = 1001,
  IDC_RESET_RANKING = 1000,
  IDC_WINDOWED = 1003,
  IDC_NO_DIRECTINPUT = 1005,
  IDC_BUTTON1 = 1006,
  IDC_NO_BGM = 1007,
  IDC_BUTTON2 = 1008,  // ..IDC_BUTTON16 = 1022, in order
  IDC_DEBUG_LOG = 1023,
  IDC_NO_SE = 1024,
  IDC_HALF_RATE = 1025,
  IDC_CONTROLLER = 1026,
  IDC_CPU_IDLE = 1027,
};

// The sixteen button lists in button order: 1006, then 1008..1022.
constexpr int ButtonListId(int button) { return button == 0 ? IDC_BUTTON1 : IDC_BUTTON2 + button - 1; }

extern const platform::DialogTemplate kLauncherTemplate;
extern const platform::DialogTemplate kSettingsTemplate;
