// Inside the input folder only: the device poll that both queries share.
#pragma once

#include "input/input.h"

// Fills the snapshot from the keyboard and the joysticks; player -1 reads every joystick,
// otherwise only the slot of that number. Does nothing in keyboard-only mode.
void PollInput(InputSnapshot& snapshot, int player);
