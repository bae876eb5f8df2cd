// Auto-reset events for the sound buffers' position notifications, shared by every backend.
#include "platform/mixer/signal_event.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>
#include <algorithm>

namespace mixer {
namespace {

// One lock and one condition for all events keeps wait-for-any simple: a waiter rechecks its
// events whenever any event is set. There are only a handful of events in the program.
std::mutex& HubMutex() {
  static std::mutex mutex;
  return mutex;
}
std::condition_variable& HubCondition() {
  static std::condition_variable condition;
  return condition;
}

// Threads that took an event and have not come back to wait: they are still handling it.
int busyWaiters = 0;  // guarded by HubMutex()

struct BusyMark {
  bool busy = false;
  ~BusyMark() {
    if (!busy) return;
    std::lock_guard<std::mutex> lock(HubMutex());
    --busyWaiters;
    HubCondition().notify_all();
  }
};
thread_local BusyMark busyMark;

struct BlockedWait {
  platform::Event* const* events;
  std::size_t count;
};
std::vector<BlockedWait*>& BlockedWaits() {
  static std::vector<BlockedWait*> waits;
  return waits;
}

class SignalEvent : public platform::Event {
 public:
  void Set() override {
    {
      std::lock_guard<std::mutex> lock(HubMutex());
      signalled = true;
    }
    HubCondition().notify_all();
  }
  bool signalled = false;  // guarded by HubMutex()
};

}  // namespace

std::unique_ptr<platform::Event> CreateSignalEvent() { return std::make_unique<SignalEvent>(); }

int WaitForAnySignal(platform::Event* const* events, std::size_t count, std::uint32_t timeoutMilliseconds) {
  if (!events || count == 0) return platform::kWaitFailed;
  for (std::size_t i = 0; i < count; ++i)
    if (!events[i]) return platform::kWaitFailed;
  std::unique_lock<std::mutex> lock(HubMutex());
  if (busyMark.busy) {
    busyMark.busy = false;
    --busyWaiters;
    HubCondition().notify_all();
  }
  auto takeFirst = [&]() -> int {
    for (std::size_t i = 0; i < count; ++i) {
      auto* event = static_cast<SignalEvent*>(events[i]);
      if (event->signalled) {
        event->signalled = false;
        // A thread that only polls is not a worker waiting for its next job.
        if (timeoutMilliseconds != 0) {
          busyMark.busy = true;
          ++busyWaiters;
        }
        return static_cast<int>(i);
      }
    }
    return platform::kWaitTimeout;
  };
  int found = takeFirst();
  if (found != platform::kWaitTimeout) return found;
  BlockedWait blocked{events, count};
  auto& waits = BlockedWaits();
  waits.push_back(&blocked);
  HubCondition().notify_all();  // a settle waiting for this waiter to block must hear of it
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
  while (found == platform::kWaitTimeout) {
    if (timeoutMilliseconds == platform::kInfinite) {
      HubCondition().wait(lock);
    } else if (HubCondition().wait_until(lock, deadline) == std::cv_status::timeout) {
      found = takeFirst();
      break;
    }
    found = takeFirst();
  }
  waits.erase(std::find(waits.begin(), waits.end(), &blocked));
  return found;
}

bool WaitUntilSignalsHandled(std::size_t waiters, std::uint32_t timeoutMilliseconds) {
  std::unique_lock<std::mutex> lock(HubMutex());
  auto settled = [waiters] {
    if (busyWaiters > 0 || BlockedWaits().size() < waiters) return false;
    for (const BlockedWait* wait : BlockedWaits())
      for (std::size_t i = 0; i < wait->count; ++i)
        if (static_cast<SignalEvent*>(wait->events[i])->signalled) return false;
    return true;
  };
  return HubCondition().wait_for(lock, std::chrono::milliseconds(timeoutMilliseconds), settled);
}

}  // namespace mixer
