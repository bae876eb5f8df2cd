// In-memory registry: keys by path, values with their type and bytes.
#include "platform/fake/fake_registry.h"

#include <cstring>

namespace fake {
using platform::LSTATUS;

LSTATUS FakeRegistry::Open(const char* path, platform::RegistryKey* out, bool create) {
  std::string call = std::string(create ? "Registry::CreateKey" : "Registry::OpenKey");
  log_.Record(call + "(" + (path ? path : "") + ")");
  platform::HRESULT code;
  if (faults_.Take(call, &code)) return code;
  if (!path || !out) return platform::ERROR_INVALID_PARAMETER;
  if (!create && keys.count(path) == 0) return platform::ERROR_FILE_NOT_FOUND;
  keys[path];
  *out = nextKey_++;
  open_[*out] = path;
  return platform::ERROR_SUCCESS;
}

LSTATUS FakeRegistry::OpenKey(const char* path, platform::RegistryKey* out) { return Open(path, out, false); }
LSTATUS FakeRegistry::CreateKey(const char* path, platform::RegistryKey* out) { return Open(path, out, true); }

LSTATUS FakeRegistry::CloseKey(platform::RegistryKey key) {
  log_.Record("Registry::CloseKey");
  platform::HRESULT code;
  if (faults_.Take("Registry::CloseKey", &code)) return code;
  return open_.erase(key) ? platform::ERROR_SUCCESS : platform::ERROR_INVALID_HANDLE;
}

LSTATUS FakeRegistry::QueryValue(platform::RegistryKey key, const char* name, std::uint32_t* type, void* data,
                                 std::uint32_t* size) {
  log_.Record(std::string("Registry::QueryValue(") + (name ? name : "") + ")");
  platform::HRESULT code;
  if (faults_.Take("Registry::QueryValue", &code)) return code;
  auto open = open_.find(key);
  if (open == open_.end()) return platform::ERROR_INVALID_HANDLE;
  const Value* value = Get(open->second, name ? name : "");
  if (!value) return platform::ERROR_FILE_NOT_FOUND;
  if (type) *type = value->type;
  auto stored = static_cast<std::uint32_t>(value->bytes.size());
  if (data) {
    if (!size) return platform::ERROR_INVALID_PARAMETER;
    if (*size < stored) {
      *size = stored;
      return platform::ERROR_MORE_DATA;
    }
    if (stored) std::memcpy(data, value->bytes.data(), stored);
  }
  if (size) *size = stored;
  return platform::ERROR_SUCCESS;
}

LSTATUS FakeRegistry::SetValue(platform::RegistryKey key, const char* name, std::uint32_t type, const void* data,
                               std::uint32_t size) {
  log_.Record(std::string("Registry::SetValue(") + (name ? name : "") + "," + std::to_string(type) + "," +
              std::to_string(size) + ")");
  platform::HRESULT code;
  if (faults_.Take("Registry::SetValue", &code)) return code;
  auto open = open_.find(key);
  if (open == open_.end()) return platform::ERROR_INVALID_HANDLE;
  if (size && !data) return platform::ERROR_INVALID_PARAMETER;
  const auto* bytes = static_cast<const unsigned char*>(data);
  Put(open->second, name ? name : "", type, std::vector<unsigned char>(bytes, bytes + size));
  return platform::ERROR_SUCCESS;
}

void FakeRegistry::Put(const std::string& path, const std::string& name, std::uint32_t type,
                       std::vector<unsigned char> bytes) {
  keys[path][name] = Value{type, std::move(bytes)};
}

void FakeRegistry::PutDword(const std::string& path, const std::string& name, std::uint32_t value) {
  Put(path, name, platform::REG_DWORD,
      {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8), static_cast<unsigned char>(value >> 16),
       static_cast<unsigned char>(value >> 24)});
}

void FakeRegistry::PutString(const std::string& path, const std::string& name, const std::string& text,
                             std::uint32_t type) {
  std::vector<unsigned char> bytes(text.begin(), text.end());
  bytes.push_back(0);
  Put(path, name, type, std::move(bytes));
}

const FakeRegistry::Value* FakeRegistry::Get(const std::string& path, const std::string& name) const {
  auto key = keys.find(path);
  if (key == keys.end()) return nullptr;
  auto value = key->second.find(name);
  return value == key->second.end() ? nullptr : &value->second;
}

}  // namespace fake
