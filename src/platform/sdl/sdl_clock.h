// Clock service on SDL: SDL's millisecond counter and sleeps, the C library's local time.
#pragma once

#include "platform/clock.h"

namespace platform::sdl {

class SdlClock final : public Clock {
 public:
  std::uint32_t Milliseconds() override;
  void Sleep(std::uint32_t milliseconds) override;
  void BeginPeriod(std::uint32_t milliseconds) override;
  void EndPeriod(std::uint32_t milliseconds) override;
  LocalTime Now() override;
};

}  // namespace platform::sdl
