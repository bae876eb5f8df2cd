// Registry service on SDL, placeholder: no key can be opened, so no value is ever read or kept.
#include "platform/sdl/sdl_registry.h"

namespace platform::sdl {

LSTATUS SdlRegistry::OpenKey(const char*, RegistryKey* out) {
  if (out) *out = kNoKey;
  return ERROR_ACCESS_DENIED;
}

LSTATUS SdlRegistry::CreateKey(const char*, RegistryKey* out) {
  if (out) *out = kNoKey;
  return ERROR_ACCESS_DENIED;
}

// No key was ever handed out, so every handle is a bad one.
LSTATUS SdlRegistry::CloseKey(RegistryKey) { return ERROR_INVALID_HANDLE; }

LSTATUS SdlRegistry::QueryValue(RegistryKey, const char*, std::uint32_t*, void*, std::uint32_t*) {
  return ERROR_INVALID_HANDLE;
}

LSTATUS SdlRegistry::SetValue(RegistryKey, const char*, std::uint32_t, const void*, std::uint32_t) {
  return ERROR_INVALID_HANDLE;
}

}  // namespace platform::sdl
