// The launcher: a picture and three buttons (start, settings, exit), captioned with the version.
#include <cstdio>

#include "app/app.h"
#include "app/dialogs.h"
#include "app/tooltips.h"
#include "platform/backend.h"
#include "resources/dialog_templates.h"
#include "resources/version_record.h"

namespace {

const TooltipEntry kLauncherTooltips[] = {
    {platform::IDOK, "ゲームを開始します"},
    {IDC_LAUNCHER_SETTINGS, "ジョイスティック/ゲームパッドの割り当てや、ゲームが動かない場合の各種調整を行います"},
    {platform::IDCANCEL, "ゲームを開始せずに終了します"},
    {0, nullptr},
};

void SetVersionCaption(platform::WindowHandle dialog) {
  const VersionRecord* record = ProgramVersionRecord();
  if (record == nullptr) return;
  std::string caption = LauncherCaption(record->fileVersion, record->specialBuild ? record->specialBuild : "");
  if (caption.empty()) return;
  platform::Boxes().SetCaption(dialog, WriteDebugLog(caption.c_str()));
}

bool LauncherProc(platform::WindowHandle dialog, platform::DialogEvent event, int controlId, void*) {
  platform::Dialogs& dialogs = platform::Boxes();
  switch (event) {
    case platform::DialogEvent::kInit:
      SetVersionCaption(dialog);
      AddTooltips(dialog, kLauncherTooltips);
      return true;
    case platform::DialogEvent::kCommand:
      if (controlId == platform::IDOK || controlId == platform::IDCANCEL) {
        dialogs.EndDialog(dialog, controlId);
        return true;
      }
      if (controlId == IDC_LAUNCHER_SETTINGS) {
        RunSettingsDialog(dialog);
        return true;
      }
      return false;
    default:
      return false;
  }
}

}  // namespace

std::string LauncherCaption(const char* fileVersion, const char* specialBuild) {
  unsigned major = 0, minor = 0, release = 0, build = 0;
  if (std::sscanf(fileVersion, "%u,%u,%u,%u", &major, &minor, &release, &build) != 4) return {};
  char caption[128];
  std::snprintf(caption, sizeof caption, "Sorvani ver.%u.%u%u.%02u%s", major, minor, release, build, specialBuild);
  return caption;
}

int RunLauncherDialog() {
  return platform::Boxes().RunModal(kLauncherTemplate, platform::kNoWindow, LauncherProc, nullptr);
}
