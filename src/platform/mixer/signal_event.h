// Auto-reset events for the sound buffers' position notifications, shared by every backend.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/sound.h"

namespace mixer {

std::unique_ptr<platform::Event> CreateSignalEvent();
// Waits on events made by CreateSignalEvent; same answers as platform::Sound::WaitForAnyEvent.
int WaitForAnySignal(platform::Event* const* events, std::size_t count, std::uint32_t timeoutMilliseconds);
// Waits until at least `waiters` threads are blocked waiting, every thread that took an event
// has come back to wait, and no waiter has a set event left to take: the workers have caught
// up. False on time-out. For tests.
bool WaitUntilSignalsHandled(std::size_t waiters, std::uint32_t timeoutMilliseconds);

}  // namespace mixer
