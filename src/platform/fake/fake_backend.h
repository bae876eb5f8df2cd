// The test backend: every service faked, sharing one call record, one fault plan and one
// virtual clock. Construct one per test; it installs itself and uninstalls when destroyed.
#pragma once

#include "platform/backend.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_graphics.h"
#include "platform/fake/fake_input.h"
#include "platform/fake/fake_instance.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_sound.h"
#include "platform/fake/fake_window.h"
#include "platform/fake/fault_plan.h"

namespace fake {

class FakeBackend : public platform::Backend {
 public:
  FakeBackend();
  ~FakeBackend() override;
  FakeBackend(const FakeBackend&) = delete;
  FakeBackend& operator=(const FakeBackend&) = delete;

  platform::WindowSystem& Windows() override { return window; }
  platform::Clock& Time() override { return clock; }
  platform::Graphics& Gfx() override { return graphics; }
  platform::Sound& Audio() override { return sound; }
  platform::Input& Controls() override { return input; }
  platform::Registry& Settings() override { return registry; }
  platform::Dialogs& Boxes() override { return dialogs; }
  platform::Instance& SingleInstance() override { return instance; }
  platform::System& Machine() override { return system; }

  CallLog log;
  FaultPlan faults;
  FakeClock clock{log};
  FakeWindowSystem window{log, faults, clock};
  FakeGraphics graphics{log, faults};
  FakeSound sound{log, faults};
  FakeInput input{log, faults};
  FakeRegistry registry{log, faults};
  FakeDialogs dialogs{log, faults};
  FakeInstance instance{log};
  FakeSystem system;
};

}  // namespace fake
