// Instance service on SDL. Placeholder until the lock file and socket are written: every
// copy thinks it is the only one.
#pragma once

#include "platform/instance.h"

namespace platform::sdl {

class SdlInstance final : public Instance {
 public:
  InstanceLock Acquire(const char* name) override;
  void Release() override;
  bool RaiseRunningCopy(const char* name) override;
  bool TakeRaiseRequest() override;
};

}  // namespace platform::sdl
