// Reading the stored settings and scores at start-up, and the few values written back.
#include "app/settings_store.h"

#include <string>

#include "app/app_state.h"
#include "app/debug_log.h"
#include "app/rega.h"
#include "app/score_ranking.h"
#include "platform/backend.h"

namespace {

// A stored flag is on only when its integer is exactly 1.
std::uint8_t ReadFlag(REGA& rega, const char* name) { return rega.ReadIntegerA(name, 0) == 1 ? 1 : 0; }

}  // namespace

void ReadStartupSettings() {
  REGA rega;
  if (!rega.OpenKey()) return;
  std::string executable;
  if (platform::Machine().ExecutablePath(&executable)) rega.WriteStringA("ProgramFile", executable.c_str());
  appState.NoDirectInput = ReadFlag(rega, "NoDirectInput");
  appState.NoSE = ReadFlag(rega, "NoSE");
  appState.NoBGM = ReadFlag(rega, "NoBGM");
  if (rega.ValueExistA("Buttons") != -1) rega.ReadStringA("Buttons", appState.buttonTable1, sizeof appState.buttonTable1);
  appState.halfRate = ReadFlag(rega, "30fps");
  appState.CpuIdle = ReadFlag(rega, "CpuIdle");
  appState.noOpeningDialog = ReadFlag(rega, "noOpeningDialog");
  appState.bWindowed = ReadFlag(rega, "bWindowed");
  rega.ReadStringA("scoredata", &scoreRanking, sizeof scoreRanking);
  if (rega.ValueExistA("Buttons2") != -1)
    rega.ReadStringA("Buttons2", appState.buttonTable2, sizeof appState.buttonTable2);
  appState.demowait = static_cast<std::uint32_t>(rega.ReadIntegerA("demowait", 30));
  if (appState.demowait == 0) appState.demowait = 30;
  appState.enable_debug_write = static_cast<std::uint8_t>(rega.ReadIntegerA("enable_debug_write", 0));
  appState.integerScale = ReadFlag(rega, "integerScale");
  appState.smoothScale = ReadFlag(rega, "smoothScale");
  rega.CloseKey();
}

void StoreWindowedSetting() {
  REGA rega;
  bool stored = rega.OpenKey();
  if (stored) {
    stored = rega.WriteIntegerA("bWindowed", appState.bWindowed);
    rega.CloseKey();
  }
  // The switch itself has happened; only the next start will not know of it.
  if (!stored) WriteDebugLog("bWindowedを保存できませんでした");
}
