// In-memory registry: keys by path, values with their type and bytes.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/fake/fault_plan.h"
#include "platform/registry.h"

namespace fake {

class FakeRegistry : public platform::Registry {
 public:
  struct Value {
    std::uint32_t type = platform::REG_NONE;
    std::vector<unsigned char> bytes;
  };
  using Key = std::map<std::string, Value>;

  FakeRegistry(CallLog& log, FaultPlan& faults) : log_(log), faults_(faults) {}

  platform::LSTATUS OpenKey(const char* path, platform::RegistryKey* out) override;
  platform::LSTATUS CreateKey(const char* path, platform::RegistryKey* out) override;
  platform::LSTATUS CloseKey(platform::RegistryKey key) override;
  platform::LSTATUS QueryValue(platform::RegistryKey key, const char* name, std::uint32_t* type, void* data,
                               std::uint32_t* size) override;
  platform::LSTATUS SetValue(platform::RegistryKey key, const char* name, std::uint32_t type, const void* data,
                             std::uint32_t size) override;

  // Test access to the stored tree.
  std::map<std::string, Key> keys;
  void Put(const std::string& path, const std::string& name, std::uint32_t type, std::vector<unsigned char> bytes);
  void PutDword(const std::string& path, const std::string& name, std::uint32_t value);
  void PutString(const std::string& path, const std::string& name, const std::string& text,
                 std::uint32_t type = platform::REG_SZ);
  const Value* Get(const std::string& path, const std::string& name) const;
  std::size_t OpenHandles() const { return open_.size(); }

 private:
  platform::LSTATUS Open(const char* path, platform::RegistryKey* out, bool create);
  CallLog& log_;
  FaultPlan& faults_;
  std::map<platform::RegistryKey, std::string> open_;
  platform::RegistryKey nextKey_ = 1;
};

}  // namespace fake
