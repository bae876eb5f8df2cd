// The built program with its data pack on its own X server, worked by real key presses: the
// logos skipped, the weapon selection cancelled, the story left, the title's EXIT chosen; the
// run log holds the scenes and the music lines in order and the program ends with code 0.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "sdl_test_support.h"

namespace {

using namespace std::chrono_literals;

bool OnPath(const char* program) {
  return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

class SdlFrontEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!OnPath("Xvfb") || !OnPath("xdotool")) GTEST_SKIP() << "needs Xvfb and xdotool";
    if (!std::filesystem::exists(std::string(SORVANI_DATA_DIR) + "/svdata01.dat"))
      GTEST_SKIP() << "needs the build's data pack in " << SORVANI_DATA_DIR;
    char pattern[] = "/tmp/sorvani-front-end-XXXXXX";
    const char* made = mkdtemp(pattern);
    ASSERT_NE(made, nullptr);
    directory = made;
    ASSERT_TRUE(server.Started()) << "Xvfb did not start";
    display = server.Display();
  }

  void TearDown() override {
    if (program > 0 && !ended) {
      kill(program, SIGKILL);
      waitpid(program, nullptr, 0);
    }
    std::error_code ignored;
    if (!directory.empty()) std::filesystem::remove_all(directory, ignored);
  }

  // A copy of the program with the build's data pack, the run log on and the launcher off. With
  // upperCase the pack's files are named as a copy from a Windows disc may name them.
  bool StartProgram(bool upperCase = false) {
    gameDirectory = directory + "/game";
    const std::string path = gameDirectory + "/sorvani";
    std::error_code failed;
    std::filesystem::create_directory(gameDirectory, failed);
    std::filesystem::copy_file(SORVANI_EXECUTABLE, path, failed);
    if (failed) return false;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all, failed);
    for (const char* name : {"svdata01.dat", "svdata02.dat", "svdata03.mx", "svdata04.mx"}) {
      std::string copy = name;
      if (upperCase) std::transform(copy.begin(), copy.end(), copy.begin(), [](char c) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      });
      std::filesystem::copy_file(std::string(SORVANI_DATA_DIR) + "/" + name, gameDirectory + "/" + copy, failed);
      if (failed) return false;
    }
    std::filesystem::create_directory(directory + "/sorvani", failed);
    std::ofstream(directory + "/sorvani/sorvani.reg", std::ios::binary)
        << "Windows Registry Editor Version 5.00\r\n\r\n"
           "[HKEY_CURRENT_USER\\Software\\Ostrelan\\sorvaniTrial\\CurrentVersion]\r\n"
           "\"noOpeningDialog\"=dword:00000001\r\n"
           "\"enable_debug_write\"=dword:00000001\r\n"
           "\"bWindowed\"=dword:00000001\r\n";
    errorPath = directory + "/stderr.txt";
    program = fork();
    if (program == 0) {
      const int errorFile = open(errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (errorFile >= 0) dup2(errorFile, STDERR_FILENO);
      setenv("XDG_CONFIG_HOME", directory.c_str(), 1);
      setenv("XDG_RUNTIME_DIR", directory.c_str(), 1);
      setenv("DISPLAY", display.c_str(), 1);
      setenv("SDL_VIDEODRIVER", "x11", 1);
      setenv("SDL_AUDIODRIVER", "dummy", 1);
      // The X11 driver's libraries keep memory the leak checker cannot name (sanitizer builds).
      const char* asan = std::getenv("ASAN_OPTIONS");
      setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + " detect_leaks=0").c_str(), 1);
      execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    return program > 0;
  }

  int Xdotool(const std::string& arguments) const {
    return std::system(("DISPLAY=" + display + " xdotool " + arguments + " >/dev/null 2>&1").c_str());
  }
  // Held long enough for several frames, then released for as long.
  void Tap(const char* key) const {
    Xdotool(std::string("keydown ") + key);
    std::this_thread::sleep_for(150ms);
    Xdotool(std::string("keyup ") + key);
    std::this_thread::sleep_for(150ms);
  }

  // Logos skipped by a held shot; the title menu has slid in.
  void ReachTheTitle() {
    ASSERT_EQ(Xdotool("search --sync --name '^Sorvani$' windowfocus --sync"), 0) << ErrorOutput();
    Xdotool("keydown space");
    const bool title = TagsReach(2, 10s);
    Xdotool("keyup space");
    ASSERT_TRUE(title) << Log() << ErrorOutput();
    std::this_thread::sleep_for(1000ms);
  }

  // Logos skipped by a held shot, START, the first weapon: the run has begun.
  void StartRunWithTheFirstWeapon() {
    ASSERT_TRUE(StartProgram());
    ReachTheTitle();
    if (HasFatalFailure()) return;
    Tap("space");  // START
    ASSERT_TRUE(TagsReach(3, 10s)) << Log();
    std::this_thread::sleep_for(1000ms);
    Tap("space");  // the first weapon
    ASSERT_TRUE(TagsReach(4, 10s)) << Log();
  }

  bool WaitForEnd(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
      if (waitpid(program, &status, WNOHANG) == program) return ended = true;
      std::this_thread::sleep_for(20ms);
    }
    return false;
  }

  std::string ErrorOutput() const {
    std::ifstream file(errorPath);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }

  std::string Log() const { return sdltest::ReadShiftJisLog(gameDirectory + "/sorvani.log"); }

  // Waits until the run log holds this text.
  bool LogHolds(const std::string& text, std::chrono::milliseconds limit) const {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
      if (Log().find(text) != std::string::npos) return true;
      std::this_thread::sleep_for(10ms);
    }
    return false;
  }

  // Waits until the run log holds this many scene tags.
  bool TagsReach(std::size_t count, std::chrono::milliseconds limit) const {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
      if (SceneTags().size() >= count) return true;
      std::this_thread::sleep_for(10ms);
    }
    return false;
  }

  std::vector<std::string> SceneTags() const {
    std::vector<std::string> tags;
    std::istringstream log(sdltest::ReadShiftJisLog(gameDirectory + "/sorvani.log"));
    for (std::string line; std::getline(log, line);)
      if (!line.empty() && line.front() == '[') tags.push_back(line);
    return tags;
  }

  std::string directory, gameDirectory, errorPath, display;
  sdltest::XServer server;
  pid_t program = -1;
  int status = 0;
  bool ended = false;
};

TEST_F(SdlFrontEndTest, LogosTitleWeaponSelectionStoryAndExitByKeyboard) {
  ASSERT_TRUE(StartProgram());
  ASSERT_EQ(Xdotool("search --sync --name '^Sorvani$' windowfocus --sync"), 0) << ErrorOutput();
  // A held shot skips the first logo at once and the second after its 26 deaf frames; it is
  // let go before the menu reads it.
  Xdotool("keydown space");
  const bool title = TagsReach(2, 10s);
  Xdotool("keyup space");
  ASSERT_TRUE(title) << Log() << ErrorOutput();
  std::this_thread::sleep_for(1000ms);  // the title fades in
  Tap("space");                         // START
  ASSERT_TRUE(TagsReach(3, 10s));
  std::this_thread::sleep_for(1000ms);  // the selection fades in
  Tap("Right");
  Tap("Escape");  // cancelled: back to the title
  ASSERT_TRUE(TagsReach(4, 10s));
  std::this_thread::sleep_for(1000ms);
  for (int i = 0; i < 4; ++i) Tap("Down");  // START -> STORY
  Tap("space");
  ASSERT_TRUE(TagsReach(5, 10s));
  // Held, the pause leaves as soon as the first page stops.
  Xdotool("keydown Escape");
  const bool back = TagsReach(6, 10s);
  Xdotool("keyup Escape");
  ASSERT_TRUE(back);
  std::this_thread::sleep_for(1000ms);
  Tap("Escape");  // the cursor jumps to EXIT
  Tap("space");
  ASSERT_TRUE(WaitForEnd(20s)) << "the program did not end; its log:\n" << Log() << "standard error:\n"
                               << ErrorOutput();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << "\n" << ErrorOutput();
  EXPECT_EQ(SceneTags(),
            (std::vector<std::string>{"[oplogo]", "[title]", "[weapon_select]", "[title]", "[story]", "[title]",
                                      "[program_exit]"}))
      << ErrorOutput();
  // The title music played until the exit stopped it.
  const std::string log = Log();
  EXPECT_NE(log.find("BGM(svdata03.mx)準備中...\nBGM開いています...\n"), std::string::npos) << log;
  EXPECT_NE(log.find("BGM開始完了\n"), std::string::npos) << log;
  EXPECT_NE(log.find("[program_exit]\nBGM停止準備\nBGM停止完了\n"), std::string::npos) << log;
}

// Start-up to close through a stretch of play: the run started from the weapon selection, flown
// and fired by held keys, then the window closed (SIGINT arrives as the close box).
TEST_F(SdlFrontEndTest, FullPathIntoPlayAndClosedWhilePlaying) {
  StartRunWithTheFirstWeapon();
  if (HasFatalFailure()) return;
  Xdotool("keydown space");
  for (const char* key : {"Up", "Down", "Right", "Left"}) {
    Xdotool(std::string("keydown ") + key);
    std::this_thread::sleep_for(500ms);
    Xdotool(std::string("keyup ") + key);
  }
  Xdotool("keyup space");
  ASSERT_EQ(waitpid(program, &status, WNOHANG), 0) << "the program ended while playing:\n" << Log();
  kill(program, SIGINT);
  ASSERT_TRUE(WaitForEnd(20s)) << "the program did not end; its log:\n" << Log() << "standard error:\n"
                               << ErrorOutput();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << "\n" << ErrorOutput();
  EXPECT_EQ(SceneTags(), (std::vector<std::string>{"[oplogo]", "[title]", "[weapon_select]", "[playgame]"}))
      << Log();
  // The run stopped the title music and started its own.
  const std::string log = Log();
  const auto play = log.find("[playgame]");
  ASSERT_NE(play, std::string::npos);
  EXPECT_NE(log.find("BGM停止準備\nBGM停止完了\nBGM(svdata04.m)準備中...", play), std::string::npos) << log;
  EXPECT_NE(log.find("BGM開始完了", play), std::string::npos) << log;
}

// Stage 1 flown and shot clear by held keys, then the pause menu's second choice back to the
// title, and the title's EXIT.
TEST_F(SdlFrontEndTest, StageOnePlayedThenThePauseMenuBackToTheTitleAndExit) {
  StartRunWithTheFirstWeapon();
  if (HasFatalFailure()) return;
  // Firing all the while, sweep the screen from top to bottom and back until the stage is clear.
  Xdotool("keydown space");
  bool cleared = false;
  for (int sweep = 0; sweep < 12 && !cleared; ++sweep) {
    const char* key = sweep % 2 == 0 ? "Down" : "Up";
    Xdotool(std::string("keydown ") + key);
    cleared = LogHolds("ステージ2 初期化開始", 2500ms);
    Xdotool(std::string("keyup ") + key);
  }
  Xdotool("keyup space");
  ASSERT_TRUE(cleared) << "stage 1 was not cleared:\n" << Log();
  std::this_thread::sleep_for(500ms);
  // Tapped, the pause opens the menu after its fade-in; down to the second choice and decided.
  Tap("Escape");
  std::this_thread::sleep_for(1000ms);
  Tap("Down");
  Tap("space");
  ASSERT_TRUE(TagsReach(5, 10s)) << Log();
  std::this_thread::sleep_for(1000ms);
  Tap("Escape");  // the cursor jumps to EXIT
  Tap("space");
  ASSERT_TRUE(WaitForEnd(20s)) << "the program did not end; its log:\n" << Log() << "standard error:\n"
                               << ErrorOutput();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << "\n" << ErrorOutput();
  EXPECT_EQ(SceneTags(), (std::vector<std::string>{"[oplogo]", "[title]", "[weapon_select]", "[playgame]", "[title]",
                                                   "[program_exit]"}))
      << Log();
}

// EXIT straight from the title: the window goes in the exit scene's frame, and that frame's
// present to it is no lost device; what follows in the log is the shutdown and nothing else.
TEST_F(SdlFrontEndTest, ExitFromTheTitleLogsOnlyTheShutdownAfterTheWindowGoes) {
  ASSERT_TRUE(StartProgram());
  ReachTheTitle();
  if (HasFatalFailure()) return;
  Tap("Escape");  // the cursor jumps to EXIT
  Tap("space");
  ASSERT_TRUE(WaitForEnd(20s)) << "the program did not end; its log:\n" << Log() << "standard error:\n"
                               << ErrorOutput();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << "\n" << ErrorOutput();
  std::vector<std::string> tail;
  std::istringstream lines(Log());
  const std::string underruns = "ストリームの音切れ：";
  for (std::string line; std::getline(lines, line);) {
    if (line == "[program_exit]") tail.clear();
    // How often the stream ran dry depends on the machine's load.
    if (line.rfind(underruns, 0) == 0) line = underruns + "N回";
    tail.push_back(line);
  }
  EXPECT_EQ(tail, (std::vector<std::string>{"[program_exit]", "BGM停止準備", "BGM停止完了", "WM_DESTROY受信",
                                            "メッセージループを終了します", "DirectInputデバイスを開放しています...",
                                            "キーボードデバイスを初期化中...", "ジョイスティックデバイスを初期化中...",
                                            "DirectInputを開放中...", "完了",
                                            "DirectSoundデバイスを開放しています...", "完了", "ストリームの音切れ：N回",
                                            "スプライトを開放します", "大フォント解放", "中フォント解放", "小フォント解放",
                                            "リソースをクリアしています", "リソースクリア完了",
                                            "Direct3Dデバイスを開放します", "Direct3Dを開放します",
                                            "Direct3Dを開放完了", "アプリケーションを終了します"}));
}

// The four data files as "SVDATA01.DAT", "SVDATA02.DAT", "SVDATA03.MX", "SVDATA04.MX": the
// pictures, the effects and both pieces are found, and the game plays and ends as usual.
TEST_F(SdlFrontEndTest, UpperCaseDataFileNamesAreFound) {
  ASSERT_TRUE(StartProgram(true));
  ReachTheTitle();
  if (HasFatalFailure()) return;
  Tap("space");  // START
  ASSERT_TRUE(TagsReach(3, 10s)) << Log();
  std::this_thread::sleep_for(1000ms);
  Tap("space");  // the first weapon
  ASSERT_TRUE(LogHolds("BGM(svdata04.m)準備中...", 10s)) << Log();
  ASSERT_TRUE(LogHolds("BGM開始完了", 5s)) << Log();
  std::this_thread::sleep_for(500ms);
  kill(program, SIGINT);
  ASSERT_TRUE(WaitForEnd(20s)) << "the program did not end; its log:\n" << Log() << "standard error:\n"
                               << ErrorOutput();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << "\n" << ErrorOutput();
  EXPECT_EQ(SceneTags(), (std::vector<std::string>{"[oplogo]", "[title]", "[weapon_select]", "[playgame]"})) << Log();
  const std::string log = Log();
  EXPECT_EQ(ErrorOutput().find("Sorvani: "), std::string::npos) << "a message box was shown:\n" << ErrorOutput();
  EXPECT_EQ(log.find("サウンドのロードに失敗"), std::string::npos) << log;
  EXPECT_EQ(log.find("読み出しエラー"), std::string::npos) << log;
  // Both pieces opened, as the game names them.
  EXPECT_NE(log.find("BGM(svdata03.mx)準備中...\nBGM開いています...\n"), std::string::npos) << log;
  EXPECT_NE(log.find("BGM(svdata04.mx)準備中...\nBGM開いています...\n"), std::string::npos) << log;
}

}  // namespace
