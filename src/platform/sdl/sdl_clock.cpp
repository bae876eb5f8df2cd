// Clock service on SDL: the 32-bit tick counter the frame pacing compares by difference.
#include "platform/sdl/sdl_clock.h"

#include <SDL.h>

#include <ctime>

namespace platform::sdl {

std::uint32_t SdlClock::Milliseconds() { return SDL_GetTicks(); }

void SdlClock::Sleep(std::uint32_t milliseconds) { SDL_Delay(milliseconds); }

// Linux timers already have millisecond resolution; there is no system setting to raise.
void SdlClock::BeginPeriod(std::uint32_t) {}
void SdlClock::EndPeriod(std::uint32_t) {}

LocalTime SdlClock::Now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  std::tm local{};
  localtime_r(&now.tv_sec, &local);
  LocalTime out;
  out.year = local.tm_year + 1900;
  out.month = local.tm_mon + 1;
  out.day = local.tm_mday;
  out.hour = local.tm_hour;
  out.minute = local.tm_min;
  out.second = local.tm_sec;
  out.millisecond = static_cast<int>(now.tv_nsec / 1000000);
  return out;
}

}  // namespace platform::sdl
