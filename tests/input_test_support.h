// Shared fixture of the input tests: the fake backend with the run log on and helpers to start
// input with a number of pads.
#pragma once

#include "app/app.h"
#include "input/input.h"
#include "test_support.h"

class InputTest : public GameTest {
 protected:
  static constexpr platform::WindowHandle kWindow = 1;

  InputTest() { appState.enable_debug_write = 1; }

  // Attaches the pads, then runs the set-up; returns nothing, the tests look at the state.
  void Start(int pads = 0) {
    for (int i = 0; i < pads; ++i) backend.input.AttachPad();
    InitInput(kWindow);
  }

  platform::JoystickState& Pad(std::size_t index) { return backend.input.PadAt(index).state; }

  // Deflects a pad; the next poll sees it.
  void Deflect(std::size_t index, std::int32_t x, std::int32_t y) {
    Pad(index).x = x;
    Pad(index).y = y;
  }
};
