// The SDL tests' entry: no display and no sound card are needed unless a test asks for one.
#include <gtest/gtest.h>
#include <stdlib.h>

// The GL drivers behind the offscreen renderer keep memory the leak checker cannot name; the
// game's own code is leak-checked by the fake-backend tests. (Read only by sanitizer builds.)
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
