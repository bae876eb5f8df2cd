// Registry service on Linux: one settings file per user, "sorvani.reg" under
// $XDG_CONFIG_HOME/sorvani/ (default ~/.config/sorvani/). Every write re-reads the file under a
// lock and replaces it atomically, so two copies of the game never lose each other's values.
#include "platform/sdl/sdl_registry.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace platform::sdl {
namespace {

// Holds an exclusive lock on "<file>.lock" while it lives.
class FileLock {
 public:
  explicit FileLock(const std::string& path) : fd_(::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
    if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) {
      ::close(fd_);
      fd_ = -1;
    }
  }
  ~FileLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
  }
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_;
};

bool ReadWholeFile(const std::string& path, std::string* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  *out = text.str();
  return true;
}

bool WriteAtomically(const std::string& path, const std::string& text) {
  std::string temporary = path + ".tmp";
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  std::size_t written = 0;
  while (written < text.size()) {
    ssize_t n = ::write(fd, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  bool ok = written == text.size() && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (!ok || std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  // The rename itself reaches the disk only with the directory.
  std::string directory = std::filesystem::path(path).parent_path().string();
  int dirFd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return true;
}

}  // namespace

std::string DefaultRegistryPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (config && config[0] == '/') {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    if (!home || !home[0]) {
      const passwd* user = getpwuid(getuid());
      home = user ? user->pw_dir : "/tmp";
    }
    base = std::string(home) + "/.config";
  }
  return base + "/sorvani/sorvani.reg";
}

SdlRegistry::SdlRegistry(std::string filePath)
    : filePath_(filePath.empty() ? DefaultRegistryPath() : std::move(filePath)) {}

void SdlRegistry::Load() {
  std::string text;
  std::vector<std::string> problems;
  if (!ReadWholeFile(filePath_, &text)) text.clear();
  file_.Parse(text, &problems);
  std::string joined;
  for (const auto& problem : problems) joined += problem + "\n";
  if (joined == lastProblemText_) return;
  lastProblemText_ = joined;
  for (const auto& problem : problems) problems_.push_back(filePath_ + ": " + problem);
}

bool SdlRegistry::Update(const std::string& path, const std::string* name, const RegValue* value) {
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(filePath_).parent_path(), error);
  FileLock lock(filePath_);
  if (!lock.Held()) return false;
  Load();  // the newest file, with what another copy may have written meanwhile
  file_.AddKey(path);
  if (name) file_.Set(path, *name, *value);
  return WriteAtomically(filePath_, file_.Serialize());
}

LSTATUS SdlRegistry::OpenKey(const char* path, RegistryKey* out) {
  if (!path || !out) return ERROR_INVALID_PARAMETER;
  Load();
  if (!file_.HasKey(path)) return ERROR_FILE_NOT_FOUND;
  *out = nextKey_++;
  open_[*out] = path;
  return ERROR_SUCCESS;
}

LSTATUS SdlRegistry::CreateKey(const char* path, RegistryKey* out) {
  if (!path || !out || !path[0]) return ERROR_INVALID_PARAMETER;
  Load();
  if (!file_.HasKey(path) && !Update(path, nullptr, nullptr)) return ERROR_ACCESS_DENIED;
  *out = nextKey_++;
  open_[*out] = path;
  return ERROR_SUCCESS;
}

LSTATUS SdlRegistry::CloseKey(RegistryKey key) { return open_.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE; }

LSTATUS SdlRegistry::QueryValue(RegistryKey key, const char* name, std::uint32_t* type, void* data,
                                std::uint32_t* size) {
  auto open = open_.find(key);
  if (open == open_.end()) return ERROR_INVALID_HANDLE;
  const RegValue* value = file_.Find(open->second, name ? name : "");
  if (!value) return ERROR_FILE_NOT_FOUND;
  if (type) *type = value->type;
  auto stored = static_cast<std::uint32_t>(value->bytes.size());
  if (data) {
    if (!size) return ERROR_INVALID_PARAMETER;
    if (*size < stored) {
      *size = stored;
      return ERROR_MORE_DATA;
    }
    if (stored) std::memcpy(data, value->bytes.data(), stored);
  }
  if (size) *size = stored;
  return ERROR_SUCCESS;
}

LSTATUS SdlRegistry::SetValue(RegistryKey key, const char* name, std::uint32_t type, const void* data,
                              std::uint32_t size) {
  auto open = open_.find(key);
  if (open == open_.end()) return ERROR_INVALID_HANDLE;
  if (size && !data) return ERROR_INVALID_PARAMETER;
  RegValue value;
  value.type = type;
  const auto* bytes = static_cast<const unsigned char*>(data);
  value.bytes.assign(bytes, bytes + size);
  std::string valueName = name ? name : "";
  return Update(open->second, &valueName, &value) ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

bool SdlRegistry::TakeProblem(std::string* out) {
  if (problems_.empty()) return false;
  *out = problems_.front();
  problems_.erase(problems_.begin());
  return true;
}

}  // namespace platform::sdl
