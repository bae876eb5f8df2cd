// The demonstration's input bytes: what one byte of the table means for player 1, and back.
#include "game/play.h"

namespace {

enum : std::uint8_t { BIT_SHOT = 1, BIT_UP = 2, BIT_DOWN = 4, BIT_LEFT = 8, BIT_RIGHT = 16 };

}  // namespace

PlayerInput DemoInput(std::uint8_t bits) {
  PlayerInput input{};
  input.shot = (bits & BIT_SHOT) != 0;
  input.up = (bits & BIT_UP) != 0;
  input.down = !input.up && (bits & BIT_DOWN) != 0;
  input.left = (bits & BIT_LEFT) != 0;
  input.right = !input.left && (bits & BIT_RIGHT) != 0;
  return input;
}

std::uint8_t DemoBits(const PlayerInput& input) {
  std::uint8_t bits = 0;
  if (input.shot) bits |= BIT_SHOT;
  if (input.up) bits |= BIT_UP;
  if (input.down && !input.up) bits |= BIT_DOWN;
  if (input.left) bits |= BIT_LEFT;
  if (input.right && !input.left) bits |= BIT_RIGHT;
  return bits;
}
