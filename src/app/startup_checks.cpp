// The start-up steps that look at the program itself and the machine: its directory, its
// integrity and the system report in the run log.
#include "app/startup_checks.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/debug_log.h"
#include "app/rega.h"
#include "platform/backend.h"

void EnterProgramDirectory() {
  std::string path;
  if (!platform::Machine().ExecutablePath(&path)) return;
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return;
  // A program in the root directory keeps its slash: "/" rather than "".
  std::string directory = path.substr(0, slash == 0 ? 1 : slash);
  std::error_code ignored;
  std::filesystem::current_path(directory, ignored);
}

bool CheckProgramIntegrity() {
  std::string path;
  if (platform::Machine().ExecutablePath(&path)) {
    // The program must still be a readable executable image of its own: a truncated or
    // replaced file is refused before anything else of it runs.
    std::ifstream file(path, std::ios::binary);
    char magic[4] = {};
    if (!file.read(magic, 4) || magic[0] != 0x7F || magic[1] != 'E' || magic[2] != 'L' || magic[3] != 'F') return false;
  }
  platform::LocalTime now = platform::Time().Now();
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d/%02d/%02d %02d:%02d:%02d", now.year, now.month, now.day, now.hour,
                now.minute, now.second);
  REGA rega;
  if (rega.OpenKey()) {
    rega.WriteStringA("LastNormalBoot", stamp);
    rega.CloseKey();
  }
  return true;
}

void LogSystemFacts() {
  WriteDebugLog("-----");
  char line[256];
  platform::OsVersion os;
  if (platform::Machine().GetOsVersion(&os)) {
    std::snprintf(line, sizeof line, "%s ver.%d.%02d.%d (%s)", os.name.c_str(), os.major, os.minor, os.build,
                  os.extra.c_str());
    WriteDebugLog(line);
  }
  platform::MemoryStatus memory;
  if (platform::Machine().GetMemoryStatus(&memory)) {
    std::snprintf(line, sizeof line, "メモリ使用率：%u%%", memory.memoryLoad);
    WriteDebugLog(line);
    std::snprintf(line, sizeof line, "物理メモリ：%llu/%llu バイト",
                  static_cast<unsigned long long>(memory.availablePhysical),
                  static_cast<unsigned long long>(memory.totalPhysical));
    WriteDebugLog(line);
    std::snprintf(line, sizeof line, "ページング：%llu/%llu バイト",
                  static_cast<unsigned long long>(memory.availablePageFile),
                  static_cast<unsigned long long>(memory.totalPageFile));
    WriteDebugLog(line);
    std::snprintf(line, sizeof line, "仮想メモリ：%llu/%llu バイト",
                  static_cast<unsigned long long>(memory.availableVirtual),
                  static_cast<unsigned long long>(memory.totalVirtual));
    WriteDebugLog(line);
  }
  WriteDebugLog("-----");
}

void LogHardwareReport() {
  WriteDebugLog("HWPROBE32.LIBを呼び出します");
  std::string report;
  if (!platform::Machine().HardwareReport(&report)) {
    WriteDebugLog("HWPROBE32.LIB呼び出し失敗");
    return;
  }
  // One log line per report line, so every line carries its own time stamp.
  std::size_t start = 0;
  while (start <= report.size()) {
    std::size_t end = report.find('\n', start);
    if (end == std::string::npos) end = report.size();
    std::string piece = report.substr(start, end - start);
    if (!piece.empty() && piece.back() == '\r') piece.pop_back();
    if (!piece.empty()) WriteDebugLog(piece.c_str());
    start = end + 1;
  }
  WriteDebugLog("-----");
}
