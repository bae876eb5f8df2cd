// The program's one random generator: a linear congruential sequence shared by every user.
#include <cstdint>

#include "game/game.h"

namespace {

std::uint32_t randomState = 1;

}  // namespace

void SeedRandom(std::uint32_t seed) { randomState = seed; }

int Random() {
  randomState = randomState * 214013u + 2531011u;
  return static_cast<int>((randomState >> 16) & 32767u);
}
