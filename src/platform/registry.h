// Registry service: one tree of keys with typed values under the current user, kept by the
// backend (a settings file on disk, or memory in tests).
#pragma once

#include <cstdint>
#include <string>

#include "platform/result.h"

namespace platform {

enum : std::uint32_t {
  REG_NONE = 0,
  REG_SZ = 1,
  REG_EXPAND_SZ = 2,
  REG_BINARY = 3,
  REG_DWORD = 4,
  REG_DWORD_BIG_ENDIAN = 5,
  REG_LINK = 6,
  REG_MULTI_SZ = 7,
  REG_QWORD = 11,
};

using RegistryKey = std::uint32_t;  // 0 is no key
constexpr RegistryKey kNoKey = 0;

class Registry {
 public:
  virtual ~Registry() = default;
  // Key paths are relative to the current user's root and use backslashes.
  virtual LSTATUS OpenKey(const char* path, RegistryKey* out) = 0;
  virtual LSTATUS CreateKey(const char* path, RegistryKey* out) = 0;
  virtual LSTATUS CloseKey(RegistryKey key) = 0;
  // With data null only type and size are reported. With a buffer smaller than the value the
  // answer is ERROR_MORE_DATA, *size is the stored size and the buffer is left as it was.
  virtual LSTATUS QueryValue(RegistryKey key, const char* name, std::uint32_t* type, void* data,
                             std::uint32_t* size) = 0;
  virtual LSTATUS SetValue(RegistryKey key, const char* name, std::uint32_t type, const void* data,
                           std::uint32_t size) = 0;
  // Problems met while reading the stored settings (a damaged or hand-edited file), one at a
  // time, so the game can report them; false when there are none left.
  virtual bool TakeProblem(std::string* out) { return false; }
};

}  // namespace platform
