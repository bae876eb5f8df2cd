// Virtual clock: time moves only when a test advances it (or through sleeps and waits).
#include "platform/fake/fake_clock.h"

#include <ctime>
#include <string>

namespace fake {

std::uint32_t FakeClock::Milliseconds() {
  std::uint32_t reading = now_;
  now_ += advancePerRead_;
  return reading;
}

void FakeClock::Sleep(std::uint32_t milliseconds) {
  log_.Record("Clock::Sleep(" + std::to_string(milliseconds) + ")");
  now_ += milliseconds;
}

void FakeClock::BeginPeriod(std::uint32_t milliseconds) {
  log_.Record("Clock::BeginPeriod(" + std::to_string(milliseconds) + ")");
}

void FakeClock::EndPeriod(std::uint32_t milliseconds) {
  log_.Record("Clock::EndPeriod(" + std::to_string(milliseconds) + ")");
}

platform::LocalTime FakeClock::Now() {
  // Calendar arithmetic through timegm so that days and months roll over like a real clock.
  std::tm start{};
  start.tm_year = localAtZero_.year - 1900;
  start.tm_mon = localAtZero_.month - 1;
  start.tm_mday = localAtZero_.day;
  start.tm_hour = localAtZero_.hour;
  start.tm_min = localAtZero_.minute;
  start.tm_sec = localAtZero_.second;
  std::uint64_t totalMs = static_cast<std::uint64_t>(localAtZero_.millisecond) + now_;
  std::time_t seconds = timegm(&start) + static_cast<std::time_t>(totalMs / 1000);
  std::tm moved{};
  gmtime_r(&seconds, &moved);
  return platform::LocalTime{moved.tm_year + 1900, moved.tm_mon + 1, moved.tm_mday, moved.tm_hour,
                             moved.tm_min,         moved.tm_sec,     static_cast<int>(totalMs % 1000)};
}

}  // namespace fake
