// Instance service on Linux: a lock file held with flock, and a Unix socket on which the
// running copy hears a second copy ask it to come forward. Both live in $XDG_RUNTIME_DIR/sorvani
// (or a private folder under /tmp when that is not set).
#pragma once

#include <string>

#include "platform/instance.h"

namespace platform::sdl {

class SdlInstance final : public Instance {
 public:
  SdlInstance() = default;
  ~SdlInstance() override;
  SdlInstance(const SdlInstance&) = delete;
  SdlInstance& operator=(const SdlInstance&) = delete;

  InstanceLock Acquire(const char* name) override;
  void Release() override;
  bool RaiseRunningCopy(const char* name) override;
  bool TakeRaiseRequest() override;

 private:
  int lockFile_ = -1;
  int listener_ = -1;
  std::string socketPath_;
};

}  // namespace platform::sdl
