// The main window's procedure.
#pragma once

#include <cstdint>

#include "platform/handles.h"

std::int32_t MainWindowProc(platform::WindowHandle window, std::uint32_t message, std::uint32_t wParam,
                            std::uint32_t lParam);
