// Clock service: the millisecond counter the frame pacing runs on, sleeps, and local time.
#pragma once

#include <cstdint>

namespace platform {

struct LocalTime {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;

  // Milliseconds since an arbitrary start; wraps after 2^32 ms, so compare by unsigned difference.
  virtual std::uint32_t Milliseconds() = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  // Asks for a timer resolution of the given milliseconds for the time between the two calls.
  virtual void BeginPeriod(std::uint32_t milliseconds) = 0;
  virtual void EndPeriod(std::uint32_t milliseconds) = 0;
  virtual LocalTime Now() = 0;
};

}  // namespace platform
