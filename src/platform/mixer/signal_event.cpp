// Auto-reset events for the sound buffers' position notifications, shared by every backend.
#include "platform/mixer/signal_event.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

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
  auto takeFirst = [&]() -> int {
    for (std::size_t i = 0; i < count; ++i) {
      auto* event = static_cast<SignalEvent*>(events[i]);
      if (event->signalled) {
        event->signalled = false;
        return static_cast<int>(i);
      }
    }
    return platform::kWaitTimeout;
  };
  int found = takeFirst();
  if (timeoutMilliseconds == platform::kInfinite) {
    while (found == platform::kWaitTimeout) {
      HubCondition().wait(lock);
      found = takeFirst();
    }
    return found;
  }
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
  while (found == platform::kWaitTimeout) {
    if (HubCondition().wait_until(lock, deadline) == std::cv_status::timeout) return takeFirst();
    found = takeFirst();
  }
  return found;
}

}  // namespace mixer
