// Shared fixture of the front-end scene tests: a window, the device and the keyboard on the
// fake backend, frames run one at a time, and the draws of the last frame by picture name.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/frame_loop.h"
#include "gfx/gfx.h"
#include "input/input.h"
#include "platform/fake/fake_graphics.h"
#include "scenes/scenes.h"
#include "test_support.h"

// One draw as a scene describes it: which picture, where, how opaque.
struct SceneDraw {
  PictureId id;
  float x;
  float y;
  int alpha;
};

class SceneTest : public GameTest {
 protected:
  SceneTest() {
    appState.enable_debug_write = 1;
    appState.active = 1;
    backend.window.RegisterWindowClass(platform::WindowClass{"sorvani", nullptr, 0});
    window = backend.window.CreateMainWindow("sorvani", "Sorvani", 640, 480);
    appState.mainWindow = window;
    EXPECT_EQ(InitDirect3D(window, true, true), platform::S_OK);
    InitInput(window);
    StartLogAfresh();
  }

  // The run log from here on only.
  void StartLogAfresh() {
    std::filesystem::remove("sorvani.log");
    ResetDebugLog();
  }

  void Hold(std::uint8_t scanCode, bool held = true) { backend.input.SetKey(scanCode, held); }
  void ReleaseAll() { backend.input.keyboard.fill(0); }

  // One frame of the loop; the draws it made are kept for Draws().
  void Frame() {
    backend.graphics.ClearDraws();
    RunFrame();
  }
  void Frames(int count) {
    for (int i = 0; i < count; ++i) Frame();
  }
  // Frames until the scene changes, at most `limit`; the number run, counting the one in which
  // it changed.
  int FramesUntilLeaving(int limit) {
    const SceneFunction scene = currentScene;
    for (int i = 1; i <= limit; ++i) {
      Frame();
      if (currentScene != scene) return i;
    }
    return -1;
  }

  // The last frame's draws, the textures traced back to their pictures.
  std::vector<SceneDraw> Draws() const {
    std::vector<SceneDraw> drawn;
    for (const fake::DrawCall& call : backend.graphics.draws) {
      drawn.push_back({IdOfSerial(call.textureSerial), call.translation.x, call.translation.y,
                       static_cast<int>(call.colour >> 24)});
    }
    return drawn;
  }
  std::vector<SceneDraw> DrawsOf(PictureId id) const {
    std::vector<SceneDraw> drawn;
    for (const SceneDraw& draw : Draws())
      if (draw.id == id) drawn.push_back(draw);
    return drawn;
  }
  bool Drew(PictureId id) const { return !DrawsOf(id).empty(); }

  // The run log's scene tags in order.
  static std::vector<std::string> SceneTags() {
    std::vector<std::string> tags;
    for (const std::string& line : LogMessages())
      if (!line.empty() && line.front() == '[') tags.push_back(line);
    return tags;
  }

  platform::WindowHandle window = platform::kNoWindow;

 private:
  static PictureId IdOfSerial(int serial) {
    for (int id = 0; id < NUMSURFACES; ++id) {
      const auto* texture = static_cast<const fake::FakeTexture*>(PictureTexture(static_cast<PictureId>(id)));
      if (texture && texture->serial == serial) return static_cast<PictureId>(id);
    }
    return kPictureListEnd;
  }
};
