// Holds the installed backend and forwards the service accessors to it.
#include "platform/backend.h"

#include <cassert>

namespace platform {
namespace {
Backend* installed = nullptr;

Backend& Current() {
  assert(installed && "no platform backend installed");
  return *installed;
}
}  // namespace

void InstallBackend(Backend* backend) { installed = backend; }
bool HasBackend() { return installed != nullptr; }

WindowSystem& Windows() { return Current().Windows(); }
Clock& Time() { return Current().Time(); }
Graphics& Gfx() { return Current().Gfx(); }
Sound& Audio() { return Current().Audio(); }
Input& Controls() { return Current().Controls(); }
Registry& Settings() { return Current().Settings(); }
Dialogs& Boxes() { return Current().Boxes(); }
Instance& SingleInstance() { return Current().SingleInstance(); }
System& Machine() { return Current().Machine(); }

}  // namespace platform
