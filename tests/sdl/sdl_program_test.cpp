// The built program on the real backend: it runs until interrupted and then closes cleanly,
// without a display it says so in one line, without its pictures it says that and ends, and a
// second copy hands over to the first.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include "sdl_test_support.h"

namespace {

using Clock = std::chrono::steady_clock;
using Environment = std::map<std::string, std::string>;

// One run of a copy of the program in a directory of its own (the program works in its own
// directory), with its standard error kept in a file there. Its stored settings skip the
// launcher and the sound effects, which the copy has none of.
class ProgramRun {
 public:
  ProgramRun(const Environment& environment, bool withPictures = true, bool logOn = false) {
    char pattern[] = "/tmp/sorvani-sdl-run-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) return;
    directory = made;
    errorPath = directory + "/stderr.txt";
    // The program's folder beside the settings folder ($XDG_CONFIG_HOME/sorvani).
    gameDirectory = directory + "/game";
    const std::string program = gameDirectory + "/sorvani";
    std::error_code failed;
    std::filesystem::create_directory(gameDirectory, failed);
    std::filesystem::copy_file(SORVANI_EXECUTABLE, program, failed);
    if (failed) return;
    std::filesystem::permissions(program, std::filesystem::perms::owner_all, failed);
    if (withPictures) sdltest::WriteTestPictureArchive(gameDirectory + "/svdata01.dat");
    std::filesystem::create_directory(directory + "/sorvani", failed);
    std::ofstream(directory + "/sorvani/sorvani.reg", std::ios::binary)
        << "Windows Registry Editor Version 5.00\r\n\r\n"
           "[HKEY_CURRENT_USER\\Software\\Ostrelan\\sorvaniTrial\\CurrentVersion]\r\n"
           "\"noOpeningDialog\"=dword:00000001\r\n"
           "\"NoSE\"=dword:00000001\r\n"
        << (logOn ? "\"enable_debug_write\"=dword:00000001\r\n" : "");
    pid = fork();
    if (pid == 0) {
      const int errorFile = open(errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (errorFile >= 0) dup2(errorFile, STDERR_FILENO);
      const int nothing = open("/dev/null", O_RDWR);
      if (nothing >= 0) {
        dup2(nothing, STDIN_FILENO);
        dup2(nothing, STDOUT_FILENO);
      }
      // Settings, locks and sockets of a test run stay in its own directory.
      setenv("XDG_CONFIG_HOME", directory.c_str(), 1);
      setenv("XDG_RUNTIME_DIR", directory.c_str(), 1);
      for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
      // In sanitizer builds the GL drivers' own leftovers are not the program's leaks.
      const char* sanitizerOptions = getenv("ASAN_OPTIONS");
      setenv("ASAN_OPTIONS", (std::string(sanitizerOptions ? sanitizerOptions : "") + ":detect_leaks=0").c_str(), 1);
      execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
  }

  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  ~ProgramRun() {
    if (pid > 0 && !finished) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
    std::error_code ignored;
    if (!directory.empty()) std::filesystem::remove_all(directory, ignored);
  }

  bool Started() const { return pid > 0 && !directory.empty(); }
  const std::string& GameDirectory() const { return gameDirectory; }

  // True once the child has ended; its wait status is then in status.
  bool Ended() {
    if (!finished && waitpid(pid, &status, WNOHANG) == pid) finished = true;
    return finished;
  }

  bool WaitForEnd(std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    while (!Ended() && Clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return finished;
  }

  void Signal(int number) { kill(pid, number); }
  int Status() const { return status; }

  std::string ErrorOutput() const {
    std::ifstream file(errorPath);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }

 private:
  std::string directory;
  std::string gameDirectory;
  std::string errorPath;
  pid_t pid = -1;
  int status = 0;
  bool finished = false;
};

std::string Describe(int status) {
  if (WIFEXITED(status)) return "exit " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return "killed by signal " + std::to_string(WTERMSIG(status));
  return "status " + std::to_string(status);
}

// SIGINT reaches the program as a quit event, which must go the way of the close box:
// WM_CLOSE, the window destroyed, WM_QUIT, exit code 0.
TEST(SdlProgramTest, RunsUntilInterruptedThenExitsCleanly) {
  // No data pack sits next to the program in the build yet, and without "svdata02.dat" the
  // sound start-up rightly shows a box per effect: this run goes without sound effects.
  ProgramRun run(Environment{{"SDL_VIDEODRIVER", "offscreen"}, {"SDL_AUDIODRIVER", "dummy"}});
  ASSERT_TRUE(run.Started());
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  ASSERT_FALSE(run.Ended()) << "the program stopped by itself (" << Describe(run.Status()) << "); standard error:\n"
                            << run.ErrorOutput();
  run.Signal(SIGINT);
  ASSERT_TRUE(run.WaitForEnd(std::chrono::seconds(20))) << "the program ignored SIGINT; standard error:\n"
                                                        << run.ErrorOutput();
  EXPECT_TRUE(WIFEXITED(run.Status()) && WEXITSTATUS(run.Status()) == 0)
      << Describe(run.Status()) << "; standard error:\n"
      << run.ErrorOutput();
  EXPECT_EQ(run.ErrorOutput().find("Sorvani: "), std::string::npos) << "a message box was shown:\n"
                                                                    << run.ErrorOutput();
}

TEST(SdlProgramTest, WithoutADisplayItFailsWithOneLine) {
  ProgramRun run(Environment{{"SDL_VIDEODRIVER", "nosuchdriver"}});
  ASSERT_TRUE(run.Started());
  ASSERT_TRUE(run.WaitForEnd(std::chrono::seconds(20))) << "the program kept running without a display";
  EXPECT_TRUE(WIFEXITED(run.Status()) && WEXITSTATUS(run.Status()) != 0) << Describe(run.Status());
  const std::string errors = run.ErrorOutput();
  EXPECT_EQ(errors.rfind("sorvani: ", 0), 0u) << errors;
  ASSERT_FALSE(errors.empty());
  EXPECT_EQ(errors.find('\n'), errors.size() - 1) << "exactly one line, got:\n" << errors;
}

// At first start without its picture archive the program names the damaged archive (errno
// 0010) and ends by itself with exit code 0, after logging which picture it missed.
TEST(SdlProgramTest, WithoutItsPicturesItSaysSoAndEnds) {
  ProgramRun run(Environment{{"SDL_VIDEODRIVER", "offscreen"}, {"SDL_AUDIODRIVER", "dummy"}}, false, true);
  ASSERT_TRUE(run.Started());
  ASSERT_TRUE(run.WaitForEnd(std::chrono::seconds(20))) << "the program kept running without its pictures";
  EXPECT_TRUE(WIFEXITED(run.Status()) && WEXITSTATUS(run.Status()) == 0) << Describe(run.Status());
  EXPECT_NE(run.ErrorOutput().find("(errno=0010)"), std::string::npos) << run.ErrorOutput();
  const std::string log = sdltest::ReadShiftJisLog(run.GameDirectory() + "/sorvani.log");
  EXPECT_NE(log.find("以下のピクチャデータを取得しようとして失敗しました：\nPIC_SHIRO\n"), std::string::npos) << log;
  EXPECT_NE(log.find("Direct3Dを開放完了"), std::string::npos) << log;
}

// A second start while the game runs brings the running window forward and leaves at once
// with exit code 0, without a box.
TEST(SdlProgramTest, SecondCopyHandsOverToTheRunningOne) {
  char pattern[] = "/tmp/sorvani-runtime-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string runtime = pattern;
  const Environment environment{
      {"SDL_VIDEODRIVER", "offscreen"}, {"SDL_AUDIODRIVER", "dummy"}, {"XDG_RUNTIME_DIR", runtime}};
  ProgramRun first(environment);
  ASSERT_TRUE(first.Started());
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  ASSERT_FALSE(first.Ended()) << first.ErrorOutput();
  ProgramRun second(environment);
  ASSERT_TRUE(second.WaitForEnd(std::chrono::seconds(20))) << "the second copy kept running";
  EXPECT_TRUE(WIFEXITED(second.Status()) && WEXITSTATUS(second.Status()) == 0) << Describe(second.Status());
  EXPECT_EQ(second.ErrorOutput(), "") << "the running copy did not answer";
  EXPECT_FALSE(first.Ended());
  first.Signal(SIGINT);
  EXPECT_TRUE(first.WaitForEnd(std::chrono::seconds(20)));
  std::error_code ignored;
  std::filesystem::remove_all(runtime, ignored);
}

// A second copy started with the early log switch adds its two lines to the running copy's
// log; the running copy's lines stay, and every line but the banner carries its time.
TEST(SdlProgramTest, SecondCopyAddsToTheRunningCopysLog) {
  char pattern[] = "/tmp/sorvani-runtime-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string runtime = pattern;
  const Environment environment{
      {"SDL_VIDEODRIVER", "offscreen"}, {"SDL_AUDIODRIVER", "dummy"}, {"XDG_RUNTIME_DIR", runtime}};
  ProgramRun first(environment, true, true);
  ASSERT_TRUE(first.Started());
  const std::string logPath = first.GameDirectory() + "/sorvani.log";
  const auto deadline = Clock::now() + std::chrono::seconds(20);
  while (sdltest::ReadShiftJisLog(logPath).find("メッセージループを開始します") == std::string::npos &&
         !first.Ended() && Clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  ASSERT_NE(sdltest::ReadShiftJisLog(logPath).find("メッセージループを開始します"), std::string::npos)
      << first.ErrorOutput();
  std::ifstream runningFile(logPath, std::ios::binary);
  const std::string running((std::istreambuf_iterator<char>(runningFile)), std::istreambuf_iterator<char>());

  // The same program in the same folder, as a user starting it twice does.
  const pid_t second = fork();
  ASSERT_NE(second, -1);
  if (second == 0) {
    const int nothing = open("/dev/null", O_RDWR);
    if (nothing >= 0) {
      dup2(nothing, STDOUT_FILENO);
      dup2(nothing, STDERR_FILENO);
    }
    setenv("XDG_CONFIG_HOME", std::filesystem::path(first.GameDirectory()).parent_path().c_str(), 1);
    for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
    const std::string program = first.GameDirectory() + "/sorvani";
    execl(program.c_str(), program.c_str(), "/d", static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  const auto secondDeadline = Clock::now() + std::chrono::seconds(20);
  while (waitpid(second, &status, WNOHANG) != second && Clock::now() < secondDeadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  if (Clock::now() >= secondDeadline) {
    kill(second, SIGKILL);
    waitpid(second, &status, 0);
    FAIL() << "the second copy kept running";
  }
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << Describe(status);

  first.Signal(SIGINT);
  EXPECT_TRUE(first.WaitForEnd(std::chrono::seconds(20)));
  std::ifstream endFile(logPath, std::ios::binary);
  const std::string ended((std::istreambuf_iterator<char>(endFile)), std::istreambuf_iterator<char>());
  EXPECT_EQ(ended.rfind(running, 0), 0u) << "the running copy's log was started anew";
  const std::string log = sdltest::ReadShiftJisLog(logPath);
  EXPECT_NE(log.find("\n多重起動チェック\n多重起動を検知しました。起動を中止します。\n"), std::string::npos) << log;
  EXPECT_LT(log.find("メッセージループを開始します"), log.find("多重起動チェック")) << log;
  EXPECT_NE(log.find("アプリケーションを終了します"), std::string::npos) << log;
  std::size_t lines = 0;
  for (std::size_t at = ended.find("\r\n"); at != std::string::npos; at = ended.find("\r\n", at + 2)) ++lines;
  EXPECT_EQ(ended.rfind("Sorvani Starting... [", 0), 0u);
  EXPECT_EQ(lines, static_cast<std::size_t>(std::count(log.begin(), log.end(), '\n')) + 1)
      << "a line besides the banner has no time stamp";
  std::error_code ignored;
  std::filesystem::remove_all(runtime, ignored);
}

}  // namespace
