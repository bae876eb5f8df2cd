// Handles that cross the porting boundary: small opaque numbers, 0 meaning none.
#pragma once

#include <cstdint>

namespace platform {

// A top-level window or a modal dialog; message boxes and dialogs take either as owner.
using WindowHandle = std::uint32_t;
constexpr WindowHandle kNoWindow = 0;

}  // namespace platform
