// Instance service: one running copy per user, and a way for a second copy to wake the first.
#pragma once

namespace platform {

enum class InstanceLock { kAcquired, kAlreadyRunning, kFailed };

class Instance {
 public:
  virtual ~Instance() = default;
  // Held until Release or the end of the process.
  virtual InstanceLock Acquire(const char* name) = 0;
  virtual void Release() = 0;
  // Asks the running copy to restore and raise its window; false when no copy answered or it
  // has no window yet.
  virtual bool RaiseRunningCopy(const char* name) = 0;
  // For the running copy: true once per request a second copy has made since the last call.
  virtual bool TakeRaiseRequest() = 0;
};

}  // namespace platform
