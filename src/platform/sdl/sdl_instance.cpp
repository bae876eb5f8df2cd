// Instance service on SDL, placeholder: the lock is always granted and no copy is ever asked
// to come forward.
#include "platform/sdl/sdl_instance.h"

namespace platform::sdl {

InstanceLock SdlInstance::Acquire(const char*) { return InstanceLock::kAcquired; }
void SdlInstance::Release() {}
bool SdlInstance::RaiseRunningCopy(const char*) { return false; }
bool SdlInstance::TakeRaiseRequest() { return false; }

}  // namespace platform::sdl
