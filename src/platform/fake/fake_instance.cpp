// In-memory single-instance lock and the machine facts tests want fixed.
#include "platform/fake/fake_instance.h"

namespace fake {

platform::InstanceLock FakeInstance::Acquire(const char* name) {
  log_.Record(std::string("Instance::Acquire(") + name + ")");
  if (failLock) return platform::InstanceLock::kFailed;
  if (otherCopyRunning) return platform::InstanceLock::kAlreadyRunning;
  held = true;
  return platform::InstanceLock::kAcquired;
}

void FakeInstance::Release() {
  log_.Record("Instance::Release");
  held = false;
}

bool FakeInstance::RaiseRunningCopy(const char* name) {
  log_.Record(std::string("Instance::RaiseRunningCopy(") + name + ")");
  return otherCopyRunning && otherCopyHasWindow;
}

bool FakeInstance::TakeRaiseRequest() {
  if (raiseRequests == 0) return false;
  --raiseRequests;
  return true;
}

bool FakeSystem::ExecutablePath(std::string* out) {
  if (executablePath.empty()) return false;
  *out = executablePath;
  return true;
}

bool FakeSystem::GetOsVersion(platform::OsVersion* out) {
  *out = osVersion;
  return true;
}

bool FakeSystem::GetMemoryStatus(platform::MemoryStatus* out) {
  *out = memory;
  return true;
}

bool FakeSystem::HardwareReport(std::string* out) {
  if (hardwareReport.empty()) return false;
  *out = hardwareReport;
  return true;
}

bool FakeSystem::IsWritableDirectory(const std::string&) { return programDirectoryWritable; }

bool FakeSystem::UserStateDirectory(std::string* out) {
  if (stateDirectory.empty() || !out) return false;
  *out = stateDirectory;
  return true;
}

}  // namespace fake
