// Where the run log and the screenshots go.
#include "app/output_paths.h"

#include <filesystem>

#include "app/debug_log.h"
#include "platform/backend.h"

namespace {

constexpr const char* kInstalledMarker = "sorvani.installed";
std::string prefix;

}  // namespace

void ChooseOutputDirectory() {
  prefix.clear();
  platform::System& machine = platform::Machine();
  // An install marks itself, since its folder may well be writable (to root, say).
  if (machine.IsWritableDirectory(".") && !std::filesystem::exists(kInstalledMarker)) return;
  std::string state;
  // With nowhere writable the log simply does not open; the game runs on without it.
  if (machine.UserStateDirectory(&state)) prefix = state + "/";
}

const std::string& OutputPrefix() { return prefix; }

void LogOutputDirectory() {
  // Which folder this copy writes to: its own, or the user's (an installed copy).
  const std::string folder = prefix.empty() ? "プログラムのフォルダ" : prefix;
  WriteDebugLog(("ログとスクリーンショットの保存先：" + folder).c_str());
}
