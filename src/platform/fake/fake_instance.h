// In-memory single-instance lock and the machine facts tests want fixed.
#pragma once

#include <string>

#include "platform/fake/fault_plan.h"
#include "platform/instance.h"
#include "platform/system.h"

namespace fake {

class FakeInstance : public platform::Instance {
 public:
  explicit FakeInstance(CallLog& log) : log_(log) {}
  platform::InstanceLock Acquire(const char* name) override;
  void Release() override;
  bool RaiseRunningCopy(const char* name) override;
  bool TakeRaiseRequest() override;

  // Another copy of the program, as the test sets it up.
  bool otherCopyRunning = false;
  bool otherCopyHasWindow = false;
  bool failLock = false;
  bool held = false;
  int raiseRequests = 0;  // raise requests that reached this copy, not yet taken

 private:
  CallLog& log_;
};

class FakeSystem : public platform::System {
 public:
  bool ExecutablePath(std::string* out) override;
  bool GetOsVersion(platform::OsVersion* out) override;
  bool GetMemoryStatus(platform::MemoryStatus* out) override;
  bool HardwareReport(std::string* out) override;
  bool IsWritableDirectory(const std::string& path) override;
  bool UserStateDirectory(std::string* out) override;

  bool programDirectoryWritable = true;  // answers for every directory
  std::string stateDirectory;            // empty: there is none
  std::string executablePath;  // empty: the path cannot be read
  platform::OsVersion osVersion{"Linux", 6, 1, 0, "#1 SMP Debian"};
  platform::MemoryStatus memory{42, 8ull << 30, 4ull << 30, 2ull << 30, 1ull << 30, 16ull << 30, 12ull << 30};
  std::string hardwareReport = "CPU: Fake Processor\r\nCores: 2";  // empty: no report
};

}  // namespace fake
