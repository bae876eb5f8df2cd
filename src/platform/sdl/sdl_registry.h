// Registry service on SDL. Placeholder until the settings file is written: every key is
// refused, so the game runs on its built-in defaults and stores nothing.
#pragma once

#include "platform/registry.h"

namespace platform::sdl {

class SdlRegistry final : public Registry {
 public:
  LSTATUS OpenKey(const char* path, RegistryKey* out) override;
  LSTATUS CreateKey(const char* path, RegistryKey* out) override;
  LSTATUS CloseKey(RegistryKey key) override;
  LSTATUS QueryValue(RegistryKey key, const char* name, std::uint32_t* type, void* data,
                     std::uint32_t* size) override;
  LSTATUS SetValue(RegistryKey key, const char* name, std::uint32_t type, const void* data,
                   std::uint32_t size) override;
};

}  // namespace platform::sdl
