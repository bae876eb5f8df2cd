// System service on Linux: the executable's path, kernel and memory figures, a hardware report.
#pragma once

#include "platform/system.h"

namespace platform::sdl {

class SdlSystem final : public System {
 public:
  bool ExecutablePath(std::string* out) override;
  bool GetOsVersion(OsVersion* out) override;
  bool GetMemoryStatus(MemoryStatus* out) override;
  bool HardwareReport(std::string* out) override;
  bool IsWritableDirectory(const std::string& path) override;
  bool UserStateDirectory(std::string* out) override;
};

// Splits a kernel release such as "6.1.0-18-amd64" into its three numbers and the rest.
void ParseKernelRelease(const char* release, OsVersion* out);

}  // namespace platform::sdl
