// Registry service on Linux: one settings file per user, "sorvani.reg" under
// $XDG_CONFIG_HOME/sorvani/ (default ~/.config/sorvani/). Every write re-reads the file under a
// lock and replaces it atomically, so two copies of the game never lose each other's values.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/sdl/reg_file.h"

namespace platform::sdl {

class SdlRegistry final : public Registry {
 public:
  // The file's location; empty means the default from the environment.
  explicit SdlRegistry(std::string filePath = "");

  LSTATUS OpenKey(const char* path, RegistryKey* out) override;
  LSTATUS CreateKey(const char* path, RegistryKey* out) override;
  LSTATUS CloseKey(RegistryKey key) override;
  LSTATUS QueryValue(RegistryKey key, const char* name, std::uint32_t* type, void* data,
                     std::uint32_t* size) override;
  LSTATUS SetValue(RegistryKey key, const char* name, std::uint32_t type, const void* data,
                   std::uint32_t size) override;
  bool TakeProblem(std::string* out) override;

  const std::string& FilePath() const { return filePath_; }

 private:
  // Reads the file into file_; a missing file is an empty one.
  void Load();
  // Applies the change to the newest file on disk and writes it back; false when it cannot.
  bool Update(const std::string& path, const std::string* name, const RegValue* value);

  std::string filePath_;
  RegFile file_;
  std::map<RegistryKey, std::string> open_;
  RegistryKey nextKey_ = 1;
  std::vector<std::string> problems_;
  std::string lastProblemText_;  // the same damage is reported once, not at every open
};

// Where the settings file lives by default.
std::string DefaultRegistryPath();

}  // namespace platform::sdl
