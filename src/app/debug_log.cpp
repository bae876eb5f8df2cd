// The run log "sorvani.log": one time-stamped Shift-JIS line per event while the level is on.
#include "app/debug_log.h"

#include <cstdio>

#include "app/app_state.h"
#include "app/output_paths.h"
#include "app/shift_jis.h"
#include "platform/backend.h"

namespace {

constexpr const char* kLogFileName = "sorvani.log";
bool started = false;

}  // namespace

void ResetDebugLog() { started = false; }

void ContinueDebugLog() { started = true; }

const char* WriteDebugLog(const char* text) {
  if (appState.enable_debug_write == 0) return text;
  platform::LocalTime now = platform::Time().Now();

  // Opened and closed per line so that every line is on disk if the program stops abruptly.
  std::FILE* file = nullptr;
  const std::string path = OutputPrefix() + kLogFileName;
  if (!started) {
    file = std::fopen(path.c_str(), "wb");
    if (file) std::fprintf(file, "Sorvani Starting... [%4d/%2d/%2d]\r\n", now.year, now.month, now.day);
    started = true;
  } else {
    file = std::fopen(path.c_str(), "ab");
  }
  if (file) {
    std::string line = Utf8ToShiftJis(text ? text : "(null)");
    std::fprintf(file, "[%2d:%02d:%02d.%03d] %s\r\n", now.hour, now.minute, now.second, now.millisecond, line.c_str());
    std::fclose(file);
  }
  return text;
}
