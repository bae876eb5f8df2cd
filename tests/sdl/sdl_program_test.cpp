// The built program on the real backend: it runs until interrupted and then closes cleanly,
// and without a display it says so in one line.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using Environment = std::map<std::string, std::string>;

constexpr const char* kNoLauncher = "\"noOpeningDialog\"=dword:00000001";

// One run of the program in a child process, its standard error kept in a file.
class ProgramRun {
 public:
  // The stored settings skip the launcher unless the test says otherwise.
  explicit ProgramRun(const Environment& environment, const std::string& storedValues = kNoLauncher) {
    char pattern[] = "/tmp/sorvani-sdl-run-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made) directory = made;
    errorPath = directory + "/stderr.txt";
    std::filesystem::create_directories(directory + "/sorvani");
    std::ofstream(directory + "/sorvani/sorvani.reg")
        << "Windows Registry Editor Version 5.00\r\n\r\n"
        << "[HKEY_CURRENT_USER\\Software\\Ostrelan\\sorvaniTrial\\CurrentVersion]\r\n"
        << storedValues << "\r\n";
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
      execl(SORVANI_EXECUTABLE, SORVANI_EXECUTABLE, static_cast<char*>(nullptr));
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
    std::filesystem::remove_all(directory, ignored);
  }

  bool Started() const { return pid > 0 && !directory.empty(); }

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

}  // namespace
