// The GTK dialogs under real keys and clicks on a private X server (xdotool): Esc and the close
// box cancel, the ranking question takes Enter as Yes, and OK on a settings folder that takes no
// writes says it saved nothing.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "app/app.h"
#include "app/dialogs.h"
#include "app/rega.h"
#include "app/score_ranking.h"
#include "platform/sdl/sdl_backend.h"
#include "sdl_test_support.h"

// Last: its macros (None, Status, True...) would clash with names above.
#include <X11/Xlib.h>

namespace {

using platform::sdl::SdlDialogs;

constexpr const char* kSettingsTitle = "^設定 - Sorvani$";
constexpr const char* kLauncherTitle = "^Sorvani ver";
// Waits for a visible message box ("Sorvani") other than the one named by $1 and prints its id.
constexpr const char* kBoxFunction =
    "box() { while :; do id=$(xdotool search --onlyvisible --name '^Sorvani$' 2>/dev/null | head -n 1); "
    "[ -n \"$id\" ] && [ \"$id\" != \"$1\" ] && break; sleep 0.05; done; echo \"$id\"; }; ";
// Dialog pixels of the settings dialog's buttons (dialog units times 1.75, at their middle).
constexpr const char* kSettingsOk = "206 462";
constexpr const char* kRankingReset = "446 462";
constexpr const char* kWindowModeBox = "40 318";

bool OnPath(const char* program) {
  return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// Work done beside the dialog's own loop, on a thread of its own; Succeeded() waits for it.
class Beside {
 public:
  explicit Beside(std::function<bool()> work) : thread_([this, work] { succeeded_ = work(); }) {}
  ~Beside() {
    if (thread_.joinable()) thread_.join();
  }
  bool Succeeded() {
    if (thread_.joinable()) thread_.join();
    return succeeded_;
  }

 private:
  bool succeeded_ = false;
  std::thread thread_;
};

// A shell script of xdotool commands, given at most 20 seconds.
std::function<bool()> Keys(const std::string& script) {
  return [script] {
    std::string quoted;
    for (char c : std::string(kBoxFunction) + script) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return std::system(("timeout 20 sh -c '" + quoted + "' >/dev/null 2>&1").c_str()) == 0;
  };
}

// What a window manager sends when the close box is clicked, to the first visible window
// whose name matches.
std::function<bool()> CloseBox(const std::string& title) {
  return [title] {
    FILE* search = popen(("timeout 20 xdotool search --sync --onlyvisible --name '" + title + "' 2>/dev/null").c_str(), "r");
    if (!search) return false;
    unsigned long id = 0;
    const bool found = std::fscanf(search, "%lu", &id) == 1;
    pclose(search);
    Display* display = found ? XOpenDisplay(nullptr) : nullptr;
    if (!display) return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = id;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const bool sent = XSendEvent(display, id, False, NoEventMask, &event) != 0;
    XFlush(display);
    XCloseDisplay(display);
    return sent;
  };
}

class GtkDialogKeysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!OnPath("xdotool")) GTEST_SKIP() << "xdotool is not installed here (package xdotool)";
    if (!sdltest::GtkServer().Started()) GTEST_SKIP() << "Xvfb is not installed here (package xvfb)";
    char pattern[] = "/tmp/sorvani-dialog-keys-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    configHome = pattern;
    settingsFile = configHome + "/sorvani/sorvani.reg";
    std::filesystem::create_directory(configHome + "/sorvani");
    std::ofstream(settingsFile, std::ios::binary)
        << "Windows Registry Editor Version 5.00\r\n\r\n"
           "[HKEY_CURRENT_USER\\Software\\Ostrelan\\sorvaniTrial\\CurrentVersion]\r\n"
           "\"bWindowed\"=dword:00000000\r\n";
    setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
    setenv("DISPLAY", sdltest::GtkServer().Display().c_str(), 1);
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    savedDriver = driver ? driver : "";
    unsetenv("SDL_VIDEODRIVER");
    ASSERT_TRUE(platform::sdl::GtkDisplayAvailable()) << "GTK could not open " << sdltest::GtkServer().Display();
    backend = std::make_unique<platform::sdl::SdlBackend>();  // its settings file is the one above
    platform::InstallBackend(backend.get());
    ResetAppState();
    scoreRanking = ScoreRanking{};
    backend->GtkDialogs().OnShown([this](platform::WindowHandle dialog) { shown = dialog; });
    backend->GtkDialogs().OnBoxAnswered([this](const SdlDialogs::AnsweredBox& box) { boxes.push_back(box); });
  }

  void TearDown() override {
    if (watchdog != 0) g_source_remove(watchdog);
    platform::InstallBackend(nullptr);
    backend.reset();
    unsetenv("DISPLAY");
    unsetenv("XDG_CONFIG_HOME");
    if (!savedDriver.empty()) setenv("SDL_VIDEODRIVER", savedDriver.c_str(), 1);
    std::error_code ignored;
    if (!configHome.empty()) std::filesystem::remove_all(configHome, ignored);
  }

  // Runs a dialog while `work` plays beside it. Should the events never come, the dialog and
  // any box of it are ended after 30 seconds, so a fault fails the test instead of hanging it.
  int RunWith(std::function<int()> run, std::function<bool()> work, bool* workSucceeded) {
    ticks = 0;
    watchdog = g_timeout_add_seconds(1, Watchdog, this);
    int result = 0;
    {
      Beside beside(std::move(work));
      result = run();
      *workSucceeded = beside.Succeeded();
    }
    g_source_remove(watchdog);
    watchdog = 0;
    return result;
  }

  static gboolean Watchdog(gpointer data) {
    auto* test = static_cast<GtkDialogKeysTest*>(data);
    if (++test->ticks < 30) return G_SOURCE_CONTINUE;
    GList* windows = gtk_window_list_toplevels();
    for (GList* at = windows; at; at = at->next) {
      if (GTK_IS_MESSAGE_DIALOG(at->data)) gtk_dialog_response(GTK_DIALOG(at->data), GTK_RESPONSE_DELETE_EVENT);
    }
    g_list_free(windows);
    test->backend->GtkDialogs().EndDialog(test->shown, kTimedOut);
    return G_SOURCE_CONTINUE;
  }

  static constexpr int kTimedOut = -99;
  std::string configHome;
  std::string settingsFile;
  std::string savedDriver;
  std::unique_ptr<platform::sdl::SdlBackend> backend;
  platform::WindowHandle shown = platform::kNoWindow;
  std::vector<SdlDialogs::AnsweredBox> boxes;
  guint watchdog = 0;
  int ticks = 0;
};

TEST_F(GtkDialogKeysTest, EscAndTheCloseBoxEndBothDialogsAsCancelDoes) {
  struct Case {
    const char* what;
    std::function<int()> run;
    std::function<bool()> work;
  };
  const Case cases[] = {
      {"Esc in the launcher", RunLauncherDialog,
       Keys(std::string("xdotool search --sync --onlyvisible --name '") + kLauncherTitle +
            "' windowfocus --sync; xdotool key Escape")},
      {"the launcher's close box", RunLauncherDialog, CloseBox(kLauncherTitle)},
      {"Esc in the settings", [] { return RunSettingsDialog(platform::kNoWindow); },
       Keys(std::string("xdotool search --sync --onlyvisible --name '") + kSettingsTitle +
            "' windowfocus --sync mousemove --window %1 " + kWindowModeBox + " click 1; xdotool key Escape")},
      {"the settings' close box", [] { return RunSettingsDialog(platform::kNoWindow); }, CloseBox(kSettingsTitle)},
  };
  const std::string before = ReadText(settingsFile);
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    bool delivered = false;
    EXPECT_EQ(RunWith(test.run, test.work, &delivered), 2);
    EXPECT_TRUE(delivered) << "the events did not reach the dialog";
  }
  EXPECT_EQ(appState.bWindowed, 0);  // ticked, then cancelled
  EXPECT_EQ(ReadText(settingsFile), before);
  EXPECT_TRUE(boxes.empty());
}

// Enter on the question is Yes, the box's default; the buttons read as the game's own.
TEST_F(GtkDialogKeysTest, EnterAnswersTheRankingQuestionWithYes) {
  scoreRanking.tables[4][0] = RankingEntry{9, 9, 9};
  bool delivered = false;
  const int result = RunWith(
      [] { return RunSettingsDialog(platform::kNoWindow); },
      Keys(std::string("xdotool search --sync --onlyvisible --name '") + kSettingsTitle +
           "' windowfocus --sync mousemove --window %1 " + kRankingReset + " click 1; " +
           "asked=$(box none); xdotool windowfocus --sync $asked; xdotool key Return; "
           "told=$(box $asked); xdotool windowfocus --sync $told; xdotool key Return; "
           "while xdotool search --onlyvisible --name '^Sorvani$' >/dev/null; do sleep 0.05; done; "
           "xdotool search --sync --onlyvisible --name '" + kSettingsTitle + "' windowfocus --sync; xdotool key Escape"),
      &delivered);
  EXPECT_TRUE(delivered) << "the events did not reach the dialog";
  EXPECT_EQ(result, 2);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "ランキングを初期化しますか。");
  EXPECT_EQ(boxes[0].buttons, (std::vector<std::string>{"はい", "いいえ"}));
  EXPECT_EQ(boxes[0].answer, platform::IDYES);
  EXPECT_EQ(boxes[1].text, "ランキングを初期化しました。");
  EXPECT_EQ(boxes[1].buttons, (std::vector<std::string>{"OK"}));
  EXPECT_EQ(scoreRanking.tables[4][0].score, 0);
  platform::sdl::SdlRegistry stored(settingsFile);
  platform::RegistryKey key = platform::kNoKey;
  ASSERT_EQ(stored.OpenKey(kSettingsKeyPath, &key), platform::ERROR_SUCCESS);
  std::vector<unsigned char> block(324, 0xFF);
  std::uint32_t type = 0, size = 324;
  ASSERT_EQ(stored.QueryValue(key, "scoredata", &type, block.data(), &size), platform::ERROR_SUCCESS);
  EXPECT_EQ(block, std::vector<unsigned char>(324, 0));
}

// A settings folder that takes no writes, even to root: a directory stands where the new file
// would be written. OK then says nothing was saved, and the running game keeps its options.
TEST_F(GtkDialogKeysTest, OkOnASettingsFolderThatTakesNoWritesSaysNothingWasSaved) {
  std::filesystem::create_directory(settingsFile + ".tmp");
  const std::string before = ReadText(settingsFile);
  bool delivered = false;
  const int result = RunWith(
      [] { return RunSettingsDialog(platform::kNoWindow); },
      Keys(std::string("xdotool search --sync --onlyvisible --name '") + kSettingsTitle +
           "' windowfocus --sync mousemove --window %1 " + kWindowModeBox + " click 1 mousemove --window %1 " +
           kSettingsOk + " click 1; told=$(box none); xdotool windowfocus --sync $told; xdotool key Return"),
      &delivered);
  EXPECT_TRUE(delivered) << "the events did not reach the dialog";
  EXPECT_EQ(result, 1);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "レジストリキーを開けません。\n設定を保存できませんでした。");
  EXPECT_EQ(boxes[0].icon, platform::MB_ICONERROR);
  EXPECT_EQ(boxes[0].caption, "Sorvani");
  EXPECT_EQ(appState.bWindowed, 0);
  EXPECT_EQ(ReadText(settingsFile), before);
}

}  // namespace
