// The scene machine: the one slot the frame loop calls, and every scene outside play.
#pragma once

#include "platform/handles.h"

// A scene is called with kind SCENE_STEP once per frame, or with a non-zero kind to be entered.
// Nobody reads the result.
using SceneFunction = int (*)(platform::WindowHandle window, int kind);
constexpr int SCENE_STEP = 0;

extern SceneFunction currentScene;

// The first half of every entry: the scene's tag in the run log, then the scene becomes current.
void BecomeCurrentScene(const char* tag, SceneFunction scene);
// Empties the slot and every scene's own variables.
void ResetScenes();

int OpeningLogoScene(platform::WindowHandle window, int kind);
int TitleScene(platform::WindowHandle window, int kind);
int StoryScene(platform::WindowHandle window, int kind);
int WeaponSelectScene(platform::WindowHandle window, int kind);
int EndingScene(platform::WindowHandle window, int kind);
int ProgramExitScene(platform::WindowHandle window, int kind);

// The ending's entry as the play scene performs it itself: tag, slot and cleared state.
void SwitchToEnding();
