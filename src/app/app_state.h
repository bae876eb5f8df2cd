// The shell's run-wide state: window, options and frame pacing, one instance for the process.
#pragma once

#include <cstdint>

#include "platform/handles.h"

struct AppState {
  std::uint32_t active = 0;  // last WM_ACTIVATEAPP; frames run only while non-zero
  std::uint8_t bWindowed = 0;
  std::uint8_t enable_debug_write = 0;  // run-log level: 0 off, 1 on, 2 with per-picture lines
  std::uint8_t NoDirectInput = 0;
  std::uint8_t NoSE = 0;
  std::uint8_t NoBGM = 0;
  std::uint8_t halfRate = 0;  // stored as "30fps": draw only every second frame
  std::uint8_t renderThisFrame = 1;
  std::uint8_t CpuIdle = 0;
  std::uint8_t noOpeningDialog = 0;
  std::uint32_t demowait = 30;
  std::uint8_t integerScale = 0;  // "integerScale": the frame grows by whole multiples only
  std::uint8_t smoothScale = 0;   // "smoothScale": filtered rather than sharp pixels when scaled
  // Joystick button functions, one byte per button 1..16 (0 none, 1 shot, 3 pause): "Buttons"
  // for player 1 and the combined query, "Buttons2" for player 2.
  std::uint8_t buttonTable1[16] = {1, 1, 3};
  std::uint8_t buttonTable2[16] = {1, 1, 3};
  std::uint8_t screenshotOn = 0;
  std::uint32_t screenshotCounter = 0;
  std::uint32_t lastFrameTime = 0;
  platform::WindowHandle mainWindow = platform::kNoWindow;
};

extern AppState appState;

void ResetAppState();

// Draw calls are made only in frames that are drawn (every frame unless "30fps" is on).
inline bool DrawsThisFrame() { return !appState.halfRate || appState.renderThisFrame; }
