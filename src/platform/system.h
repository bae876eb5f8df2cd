// System service: facts about the machine for the start-up report, and where the program lives.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct OsVersion {
  std::string name;  // kernel name
  int major = 0;
  int minor = 0;
  int build = 0;
  std::string extra;  // the rest of the release text
};

struct MemoryStatus {
  std::uint32_t memoryLoad = 0;  // percent in use
  std::uint64_t totalPhysical = 0;
  std::uint64_t availablePhysical = 0;
  std::uint64_t totalPageFile = 0;
  std::uint64_t availablePageFile = 0;
  std::uint64_t totalVirtual = 0;
  std::uint64_t availableVirtual = 0;
};

class System {
 public:
  virtual ~System() = default;
  // Full path of the running executable; false when it cannot be found.
  virtual bool ExecutablePath(std::string* out) = 0;
  virtual bool GetOsVersion(OsVersion* out) = 0;
  virtual bool GetMemoryStatus(MemoryStatus* out) = 0;
  // Several lines about processor, memory, kernel and display; false when none can be made.
  virtual bool HardwareReport(std::string* out) = 0;
  // Whether this process may create files in the directory.
  virtual bool IsWritableDirectory(const std::string& path) = 0;
  // The user's own folder for the program's logs and pictures, made when missing; false when
  // there is none.
  virtual bool UserStateDirectory(std::string* out) = 0;
};

}  // namespace platform
