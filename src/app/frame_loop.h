// The message loop that paces and runs the frames.
#pragma once

#include <cstdint>

// Minimum milliseconds from the start of one frame to the start of the next.
constexpr std::uint32_t kFrameInterval = 17;

// Runs until WM_QUIT and returns its exit code.
int RunMessageLoop();
// One frame: the draw bracket around one call of the current scene, then present.
void RunFrame();
