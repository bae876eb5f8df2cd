// The test backend: every service faked, sharing one call record, one fault plan and one
// virtual clock. Construct one per test; it installs itself and uninstalls when destroyed.
#include "platform/fake/fake_backend.h"

namespace fake {

FakeBackend::FakeBackend() { platform::InstallBackend(this); }

FakeBackend::~FakeBackend() { platform::InstallBackend(nullptr); }

}  // namespace fake
