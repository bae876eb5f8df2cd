// The play scene allocates nothing once a run is under way: a replaced global allocator counts
// every allocation while the test asks it to.
#include <atomic>
#include <cstdlib>
#include <new>

#include "play_test_support.h"

// The replacements below pair malloc with free; the compiler, seeing the library's inlined
// allocators, cannot tell that they are the same pair.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
}  // namespace

// Process-wide, but it only counts while the test below has switched counting on. Every plain
// form is replaced, so that whatever the library pairs with what, malloc meets free.
namespace {
void* Allocate(std::size_t size) noexcept {
  if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
  return std::malloc(size == 0 ? 1 : size);
}
}  // namespace

void* operator new(std::size_t size) {
  if (void* memory = Allocate(size)) return memory;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  if (void* memory = Allocate(size)) return memory;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }

namespace {

class PlayAllocationTest : public PlayTest {};

TEST_F(PlayAllocationTest, FiveThousandFramesOfPlayAllocateNothing) {
  for (int entry : {1, 5}) {
    SCOPED_TRACE(entry);
    Start(entry, 0x0201);
    gameRecord.timeLeft = 30000;  // no time up: its ranking write goes to the settings store
    Hold(platform::VK_SPACE);
    Hold('X');
    // The fake keeps every draw; give its list room first so only the game could allocate.
    backend.graphics.draws.reserve(1 << 16);
    allocations = 0;
    counting = true;
    for (int frame = 0; frame < 5000; ++frame) {
      Hold(platform::VK_UP, frame % 200 < 60);
      Hold(platform::VK_DOWN, frame % 200 >= 100 && frame % 200 < 160);
      backend.graphics.draws.clear();
      PlayScene(window, SCENE_STEP);
    }
    counting = false;
    Hold(platform::VK_SPACE, false);
    Hold('X', false);
    EXPECT_EQ(allocations.load(), 0);
    EXPECT_EQ(currentScene, PlayScene);
    EXPECT_GT(gameRecord.players[0].score, 0) << "the frames should have played";
  }
}

}  // namespace
