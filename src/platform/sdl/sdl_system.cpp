// System service on Linux, from /proc, uname, sysinfo and SDL's display and renderer lists.
#include "platform/sdl/sdl_system.h"

#include <SDL.h>
#include <sys/resource.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

namespace platform::sdl {
namespace {

// A "Key: value" line of a /proc text file, value trimmed; empty when missing.
std::string ProcField(const char* path, const char* key) {
  std::ifstream file(path);
  std::string line;
  const std::size_t keyLength = std::strlen(key);
  while (std::getline(file, line)) {
    if (line.compare(0, keyLength, key) != 0) continue;
    std::size_t colon = line.find(':', keyLength);
    if (colon == std::string::npos) continue;
    std::size_t begin = line.find_first_not_of(" \t", colon + 1);
    return begin == std::string::npos ? std::string() : line.substr(begin);
  }
  return std::string();
}

// The user part of the address space, when no limit says otherwise.
std::uint64_t AddressSpaceSize() {
  rlimit limit{};
  if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) return limit.rlim_cur;
  return sizeof(void*) == 8 ? (std::uint64_t{1} << 47) : (std::uint64_t{3} << 30);
}

std::uint64_t AddressSpaceInUse() {
  std::ifstream statm("/proc/self/statm");
  std::uint64_t pages = 0;
  statm >> pages;
  return pages * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
}

std::string Megabytes(std::uint64_t bytes) { return std::to_string(bytes >> 20) + " MB"; }

}  // namespace

bool SdlSystem::ExecutablePath(std::string* out) {
  if (!out) return false;
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return false;
    if (static_cast<std::size_t>(length) < buffer.size()) {
      out->assign(buffer.data(), static_cast<std::size_t>(length));
      return true;
    }
    buffer.resize(buffer.size() * 2);
  }
}

void ParseKernelRelease(const char* release, OsVersion* out) {
  int* parts[] = {&out->major, &out->minor, &out->build};
  const char* cursor = release;
  for (int* part : parts) {
    *part = 0;
    if (*cursor < '0' || *cursor > '9') continue;
    char* end = nullptr;
    *part = static_cast<int>(std::strtol(cursor, &end, 10));
    cursor = end;
    // The dot belongs to the numbers only when another of the three follows it.
    if (part != parts[2] && *cursor == '.' && cursor[1] >= '0' && cursor[1] <= '9') ++cursor;
  }
  out->extra = cursor;
}

bool SdlSystem::GetOsVersion(OsVersion* out) {
  utsname names{};
  if (!out || uname(&names) != 0) return false;
  out->name = names.sysname;
  ParseKernelRelease(names.release, out);
  return true;
}

bool SdlSystem::GetMemoryStatus(MemoryStatus* out) {
  struct sysinfo info {};
  if (!out || sysinfo(&info) != 0) return false;
  const std::uint64_t unit = info.mem_unit ? info.mem_unit : 1;
  *out = MemoryStatus{};
  out->totalPhysical = info.totalram * unit;
  // The kernel's own estimate counts reclaimable cache as available, as the free figure does not.
  const std::string available = ProcField("/proc/meminfo", "MemAvailable");
  out->availablePhysical = available.empty() ? (info.freeram + info.bufferram) * unit
                                             : std::strtoull(available.c_str(), nullptr, 10) * 1024;
  if (out->availablePhysical > out->totalPhysical) out->availablePhysical = out->totalPhysical;
  out->totalPageFile = info.totalswap * unit;
  out->availablePageFile = info.freeswap * unit;
  out->totalVirtual = AddressSpaceSize();
  const std::uint64_t inUse = AddressSpaceInUse();
  out->availableVirtual = inUse < out->totalVirtual ? out->totalVirtual - inUse : 0;
  if (out->totalPhysical > 0) {
    out->memoryLoad =
        static_cast<std::uint32_t>((out->totalPhysical - out->availablePhysical) * 100 / out->totalPhysical);
  }
  return true;
}

bool SdlSystem::HardwareReport(std::string* out) {
  if (!out) return false;
  out->clear();
  const std::string model = ProcField("/proc/cpuinfo", "model name");
  if (!model.empty()) *out += "Processor: " + model + "\n";
  if (unsigned cores = std::thread::hardware_concurrency()) {
    *out += "Logical processors: " + std::to_string(cores) + "\n";
  }

  MemoryStatus memory;
  if (GetMemoryStatus(&memory)) {
    *out += "Memory: " + Megabytes(memory.availablePhysical) + " available of " + Megabytes(memory.totalPhysical) +
            ", swap " + Megabytes(memory.availablePageFile) + " free of " + Megabytes(memory.totalPageFile) + "\n";
  }
  utsname names{};
  if (uname(&names) == 0) {
    *out += std::string("Kernel: ") + names.sysname + " " + names.release + " " + names.version + " " +
            names.machine + "\n";
  }

  if (SDL_WasInit(SDL_INIT_VIDEO)) {
    const char* video = SDL_GetCurrentVideoDriver();
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
      *out += "Display: " + std::to_string(mode.w) + "x" + std::to_string(mode.h) + " at " +
              std::to_string(mode.refresh_rate) + " Hz, " + SDL_GetPixelFormatName(mode.format) + " (" +
              (video ? video : "?") + ")\n";
    }
    std::string renderers;
    SDL_RendererInfo info;
    for (int index = 0; index < SDL_GetNumRenderDrivers(); ++index) {
      if (SDL_GetRenderDriverInfo(index, &info) != 0) continue;
      if (!renderers.empty()) renderers += ", ";
      renderers += info.name;
    }
    if (!renderers.empty()) *out += "Renderers: " + renderers + "\n";
  }
  return !out->empty();
}

bool SdlSystem::IsWritableDirectory(const std::string& path) { return access(path.c_str(), W_OK | X_OK) == 0; }

bool SdlSystem::UserStateDirectory(std::string* out) {
  if (!out) return false;
  const char* state = std::getenv("XDG_STATE_HOME");
  const char* home = std::getenv("HOME");
  std::filesystem::path directory;
  if (state && *state == '/') {
    directory = state;
  } else if (home && *home) {
    directory = std::filesystem::path(home) / ".local" / "state";
  } else {
    return false;
  }
  directory /= "sorvani";
  std::error_code failed;
  std::filesystem::create_directories(directory, failed);
  if (failed || !IsWritableDirectory(directory.string())) return false;
  *out = directory.string();
  return true;
}

}  // namespace platform::sdl
