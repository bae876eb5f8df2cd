// Virtual clock: time moves only when a test advances it (or through sleeps and waits).
#pragma once

#include <cstdint>

#include "platform/clock.h"
#include "platform/fake/fault_plan.h"

namespace fake {

class FakeClock : public platform::Clock {
 public:
  explicit FakeClock(CallLog& log) : log_(log) {}

  std::uint32_t Milliseconds() override;
  void Sleep(std::uint32_t milliseconds) override;
  void BeginPeriod(std::uint32_t milliseconds) override;
  void EndPeriod(std::uint32_t milliseconds) override;
  platform::LocalTime Now() override;

  void Advance(std::uint32_t milliseconds) { now_ += milliseconds; }
  void Set(std::uint32_t milliseconds) { now_ = milliseconds; }
  // Each Milliseconds() read moves time on by this much, so a spinning loop makes progress.
  void SetAdvancePerRead(std::uint32_t milliseconds) { advancePerRead_ = milliseconds; }
  // Local time at virtual millisecond 0; Now() adds the elapsed virtual time.
  void SetLocalTimeAtZero(const platform::LocalTime& time) { localAtZero_ = time; }
  std::uint32_t Current() const { return now_; }

 private:
  CallLog& log_;
  std::uint32_t now_ = 0;
  std::uint32_t advancePerRead_ = 0;
  platform::LocalTime localAtZero_{2026, 1, 2, 3, 4, 5, 6};
};

}  // namespace fake
