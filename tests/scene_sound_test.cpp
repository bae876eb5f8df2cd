// The front-end scenes' sound: the title music on fresh entries and not on returns, the exit's
// music stop, and the effect each menu action plays.
#include <gtest/gtest.h>

#include <algorithm>

#include "scene_test_support.h"
#include "sound/sound.h"
#include "sound_fixtures.h"

namespace {

using platform::DIK_DOWN;
using platform::DIK_ESCAPE;
using platform::DIK_LEFT;
using platform::DIK_SPACE;
using platform::DIK_UP;

const std::vector<std::string> kOggTitleStart = {"BGM(svdata03.m)準備中...", "BGM(svdata03.mx)準備中...",
                                                 "BGM開いています...",       "BGM停止準備",
                                                 "BGM停止完了/開始準備",     "BGM開始完了"};

class SceneSoundTest : public SceneTest {
 protected:
  SceneSoundTest() {
    WriteEffectArchive();
    InitSound(window);
    WriteBytes("svdata03.mx", Masked(EncodeOgg(44100, 2, 40000)));
    StartLogAfresh();
    backend.log.Clear();
  }

  // Recorded backend calls that contain `text` anywhere.
  std::size_t CallsContaining(const std::string& text) const {
    std::size_t count = 0;
    for (const std::string& call : backend.log.Matching(""))
      if (call.find(text) != std::string::npos) ++count;
    return count;
  }
  // The music stream: the one buffer that plays looping; "" before it played.
  std::string StreamBuffer() const {
    for (const std::string& call : backend.log.Matching("SoundBuffer")) {
      const auto at = call.find("::Play(1)");
      if (at != std::string::npos) return call.substr(0, at);
    }
    return "";
  }
  // Plays of a one-voice effect: its one buffer was made in the effect's slot order.
  std::size_t Plays(int effect) const {
    return backend.log.Count("SoundBuffer" + std::to_string(effect + 1) + "::Play(");
  }
  void Press(std::uint8_t key) {
    Hold(key);
    Frame();
    Hold(key, false);
    Frame();
  }
  // The run log's lines from the last scene tag `tag` on, that tag included.
  static std::vector<std::string> LinesFrom(const std::string& tag) {
    const std::vector<std::string> log = LogMessages();
    auto at = std::find(log.rbegin(), log.rend(), tag);
    if (at == log.rend()) return {};
    return std::vector<std::string>(at.base() - 1, log.end());
  }
};

TEST_F(SceneSoundTest, FreshTitleEntryStartsTheOggMusicAndAReturnLeavesItPlaying) {
  TitleScene(window, 1);
  std::vector<std::string> expected = {"[title]"};
  expected.insert(expected.end(), kOggTitleStart.begin(), kOggTitleStart.end());
  expected.push_back("準備完了");
  EXPECT_EQ(LogMessages(), expected);
  EXPECT_EQ(CallsContaining("::Play(1)"), 1u);  // the stream, looping
  const std::string stream = StreamBuffer();
  ASSERT_FALSE(stream.empty());

  // A return: no music line, the stream untouched.
  StartLogAfresh();
  const std::size_t stops = backend.log.Count(stream + "::Stop");
  TitleScene(window, 2);
  EXPECT_EQ(LogMessages(), (std::vector<std::string>{"[title]", "準備完了"}));
  EXPECT_EQ(backend.log.Count(stream + "::Stop"), stops);
  EXPECT_EQ(backend.log.Count(stream + "::Play"), 1u);

  // A second fresh entry stops the music first and starts the piece over.
  StartLogAfresh();
  TitleScene(window, 1);
  const std::vector<std::string> log = LogMessages();
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 3),
            (std::vector<std::string>{"[title]", "BGM停止準備", "BGM停止完了"}));
  EXPECT_EQ(log[log.size() - 2], "BGM開始完了");
}

TEST_F(SceneSoundTest, MusicOffWritesNoMusicLineOnTheTitleOrTheExit) {
  appState.NoBGM = 1;
  TitleScene(window, 1);
  EXPECT_EQ(LogMessages(), (std::vector<std::string>{"[title]", "準備完了"}));
  backend.window.RegisterWindowClass(platform::WindowClass{"sorvani", nullptr, 0});
  ProgramExitScene(window, 1);
  EXPECT_EQ(LogMessages().back(), "[program_exit]");
  EXPECT_EQ(backend.window.Find(window), nullptr);
}

TEST_F(SceneSoundTest, ExitFromTheTitleStopsTheMusicBeforeTheWindowGoes) {
  TitleScene(window, 1);
  Frames(30);
  Press(DIK_ESCAPE);
  Press(DIK_SPACE);
  FramesUntilLeaving(40);
  EXPECT_EQ(currentScene, ProgramExitScene);
  EXPECT_EQ(LinesFrom("[program_exit]"),
            (std::vector<std::string>{"[program_exit]", "BGM停止準備", "BGM停止完了"}));
  const auto calls = backend.log.Matching("");
  const auto stop = std::find_if(calls.rbegin(), calls.rend(),
                                 [](const std::string& call) { return call.find("::Stop") != std::string::npos; });
  const auto destroy = std::find_if(calls.rbegin(), calls.rend(), [](const std::string& call) {
    return call.rfind("Window::DestroyWindow", 0) == 0;
  });
  ASSERT_NE(stop, calls.rend());
  ASSERT_NE(destroy, calls.rend());
  EXPECT_GT(stop - calls.rbegin(), destroy - calls.rbegin());  // the stop came first
}

TEST_F(SceneSoundTest, MenuActionsPlayTheirEffectsOncePerPress) {
  TitleScene(window, 1);
  const std::string stream = StreamBuffer();
  ASSERT_FALSE(stream.empty());
  Frames(30);
  Hold(DIK_DOWN);
  Frames(5);
  Hold(DIK_DOWN, false);
  Frame();
  Press(DIK_UP);
  Press(DIK_ESCAPE);
  EXPECT_EQ(Plays(WAV_MENU_SELECT), 3u);
  Press(DIK_DOWN);  // EXIT -> START
  Press(DIK_SPACE);
  EXPECT_EQ(Plays(WAV_MENU_DECIDE), 1u);
  FramesUntilLeaving(40);
  ASSERT_EQ(currentScene, WeaponSelectScene);

  const std::size_t stops = backend.log.Count(stream + "::Stop");
  Frames(30);
  Press(DIK_LEFT);
  Press(DIK_ESCAPE);
  EXPECT_EQ(Plays(WAV_MENU_SELECT), 5u);
  EXPECT_EQ(Plays(WAV_MENU_CANCEL), 1u);
  FramesUntilLeaving(40);
  EXPECT_EQ(currentScene, TitleScene);
  EXPECT_EQ(backend.log.Count(stream + "::Stop"), stops);  // back in the title, the music goes on

  backend.log.Clear();
  StoryScene(window, 1);
  Hold(DIK_SPACE);
  Frames(1 + 81 + 41);  // the first page turned, the second just stopped and turned
  EXPECT_EQ(Plays(WAV_KAIWA_NEXT), 2u);

  // The ending: a shot turns a page, the last one leaves the result.
  backend.log.Clear();
  Hold(DIK_SPACE, false);
  SwitchToEnding();
  Frames(1 + 32 + 10);
  Press(DIK_SPACE);
  EXPECT_EQ(Plays(WAV_KAIWA_NEXT), 1u);
  Frames(31 + 4 * 364 + 40);
  Press(DIK_SPACE);
  EXPECT_EQ(Plays(WAV_MENU_DECIDE), 1u);
  EXPECT_EQ(FramesUntilLeaving(40), 31);
}

}  // namespace
