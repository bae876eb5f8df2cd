// Fixture for the play scene's tests: a window and device on the fake backend, keyboard-only
// input the test holds and releases, frame steps, and the pictures each step drew.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "app/app.h"
#include "game/game.h"
#include "game/play.h"
#include "gfx/gfx.h"
#include "input/input.h"
#include "platform/window.h"
#include "scenes/scenes.h"
#include "sound/sound.h"
#include "sound_fixtures.h"
#include "test_support.h"

class PlayTest : public GameTest {
 public:
  PlayTest() {
    backend.window.RegisterWindowClass(platform::WindowClass{"sorvani", nullptr, 0});
    window = backend.window.CreateMainWindow("sorvani", "Sorvani", 640, 480);
    EXPECT_EQ(InitDirect3D(window, true, true), platform::S_OK);
    // Keyboard-only mode reads the window system's key state, which the fake lets us hold.
    inputState.keyboardOnly = true;
    for (std::uint32_t key : {std::uint32_t{platform::VK_SPACE}, std::uint32_t{platform::VK_ESCAPE}, std::uint32_t{platform::VK_UP}, std::uint32_t{platform::VK_DOWN},
                              std::uint32_t{platform::VK_LEFT}, std::uint32_t{platform::VK_RIGHT}, std::uint32_t{'X'}, std::uint32_t{'T'},
                              std::uint32_t{'B'}, std::uint32_t{'L'}})
      backend.input.SetVirtualKey(key, false);
  }

  // Enters the play scene as the weapon selection does, and runs the first stage's set-up.
  void Start(int entryType, std::uint16_t weapons = 0) {
    gameRecord.weaponChoice = weapons;
    PlayScene(window, entryType);
    MapTextures();
    Step();
  }
  void Step(int frames = 1) {
    for (int i = 0; i < frames; ++i) {
      backend.graphics.ClearDraws();
      PlayScene(window, SCENE_STEP);
    }
  }
  void Hold(std::uint32_t key, bool held = true) { backend.input.SetVirtualKey(key, held); }

  // The stage keeps running (nothing to clear it) with one capsule parked in a corner, far
  // from the players and their shots.
  void EmptyStageThatKeepsRunning() {
    ClearRecords(gameRecord.enemies, kEnemySlots);
    PlaceEnemy(StageEntry{70, 55, KIND_CAPSULE, 0}, 1);
    gameRecord.enemies[0].speed = 0;
  }
  // An enemy of the kind in the lowest free slot, at exactly (x, y).
  EnemySlot& PlaceAt(std::uint8_t kind, double x, double y, int hitPoints = 1) {
    const int slot = PlaceEnemy(StageEntry{0, 0, kind, 0}, hitPoints);
    EXPECT_GE(slot, 0);
    EnemySlot& enemy = gameRecord.enemies[slot < 0 ? 0 : slot];
    enemy.x = enemy.baseX = x;
    enemy.y = enemy.baseY = y;
    return enemy;
  }
  int LiveShots(int owner) const {
    int count = 0;
    for (const PlayerShot& shot : gameRecord.playerShots) count += shot.owner == owner;
    return count;
  }

  // Sound on, with the thirteen effects loaded; the call record starts empty.
  void EnableSound() {
    WriteEffectArchive();
    InitSound(window);
    EXPECT_FALSE(IsSoundSilent());
    backend.log.Clear();
  }
  struct Played {
    int effect;
    int volume;
    bool operator==(const Played& other) const { return effect == other.effect && volume == other.volume; }
    friend std::ostream& operator<<(std::ostream& out, const Played& played) {
      return out << "effect " << played.effect << " at " << played.volume;
    }
  };
  // The effects played since the last call, in order, with their volumes: effect buffers are
  // made in slot order (six one-voice effects, then sixteen voices each), serial = slot + 1.
  std::vector<Played> PlayedEffects() {
    std::vector<Played> played;
    std::map<int, int> volumes;
    for (const std::string& call : backend.log.Matching("SoundBuffer")) {
      const std::size_t colons = call.find("::");
      const int slot = std::stoi(call.substr(11, colons - 11)) - 1;
      if (slot >= kEffectSlotCount) continue;
      const std::string operation = call.substr(colons + 2);
      if (operation.rfind("SetVolume(", 0) == 0) volumes[slot] = std::stoi(operation.substr(10));
      if (operation.rfind("Play(", 0) == 0) played.push_back({slot < 6 ? slot : 6 + (slot - 6) / 16, volumes[slot]});
    }
    backend.log.Clear();
    return played;
  }

  // The pictures of the last step's draws, in order.
  std::vector<PictureId> DrawnPictures() {
    std::vector<PictureId> ids;
    for (const fake::DrawCall& call : backend.graphics.draws) {
      auto found = idOfSerial.find(call.textureSerial);
      ids.push_back(found == idOfSerial.end() ? kPictureListEnd : found->second);
    }
    return ids;
  }
  int CountDrawn(PictureId id) {
    int count = 0;
    for (PictureId drawn : DrawnPictures()) count += drawn == id;
    return count;
  }
  void MapTextures() {
    idOfSerial.clear();
    for (int id = 0; id < NUMSURFACES; ++id) {
      if (const auto* texture = static_cast<const fake::FakeTexture*>(PictureTexture(static_cast<PictureId>(id))))
        idOfSerial[texture->serial] = static_cast<PictureId>(id);
    }
  }

  platform::WindowHandle window = platform::kNoWindow;
  std::map<int, PictureId> idOfSerial;
};
