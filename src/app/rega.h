// REGA: the one way to the settings key. Owns one open key handle, refuses every operation
// without it, and warns in a box when it is misused.
#pragma once

#include <cstdint>

#include "platform/registry.h"

constexpr const char* kSettingsKeyPath = "Software\\Ostrelan\\sorvaniTrial\\CurrentVersion";

class REGA {
 public:
  REGA() = default;
  ~REGA();
  REGA(const REGA&) = delete;
  REGA& operator=(const REGA&) = delete;

  // Opens the key, creating it when missing. True when a key is open.
  bool OpenKey();
  bool CloseKey();
  // The stored size in bytes, or -1 when the value does not exist.
  std::int32_t ValueExistA(const char* name);
  // Raw bytes into the buffer, no type check and no terminator added; the first byte is
  // cleared first, so a failed read leaves an empty string.
  bool ReadStringA(const char* name, void* buffer, std::uint32_t bufferSize);
  // Converted by the stored type; the default when missing or not an integer.
  std::int32_t ReadIntegerA(const char* name, std::int32_t defaultValue);
  bool WriteStringA(const char* name, const char* text);
  bool WriteIntegerA(const char* name, std::int32_t value);
  bool WriteBinaryA(const char* name, const void* data, std::uint32_t size);

 private:
  platform::RegistryKey key_ = platform::kNoKey;
};

// ReadIntegerA's conversion of stored bytes, by registry type.
std::int32_t ConvertStoredInteger(std::uint32_t type, const unsigned char* data, std::uint32_t size,
                                  std::int32_t defaultValue);
