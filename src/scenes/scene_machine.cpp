// The scene machine: the one slot the frame loop calls, and the entry step all scenes share.
#include "app/app.h"
#include "scenes/scene_states.h"
#include "scenes/scenes.h"

SceneFunction currentScene = nullptr;

void BecomeCurrentScene(const char* tag, SceneFunction scene) {
  WriteDebugLog(tag);
  currentScene = scene;
}

void ResetScenes() {
  currentScene = nullptr;
  ResetOpeningLogoState();
  ResetTitleState();
  ResetStoryState();
  ResetWeaponSelectState();
  ResetEndingState();
}
