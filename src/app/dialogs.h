// The launcher shown before the game window, and the settings dialog behind it or "/S".
#pragma once

#include <string>

#include "platform/handles.h"

// 1 to start the game, 2 to leave; -1 when no dialog can be shown.
int RunLauncherDialog();
// 1 after OK, 2 after cancel or the close box; -1 when no dialog can be shown.
int RunSettingsDialog(platform::WindowHandle owner);

// "Sorvani ver.%u.%u%u.%02u%s" from a "%u,%u,%u,%u" file version; empty when it does not parse.
std::string LauncherCaption(const char* fileVersion, const char* specialBuild);
