// The run log: exact bytes, levels, truncation per run, failures that stay silent.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/app.h"
#include "app/output_paths.h"
#include "app/shift_jis.h"
#include "test_support.h"

namespace {

// The one untimed line, with the date.
const std::string kBanner = "Sorvani Starting... [2026/ 3/ 7]\r\n";

class DebugLogTest : public GameTest {
 protected:
  void At(int hour, int minute, int second, int millisecond) {
    backend.clock.SetLocalTimeAtZero({2026, 3, 7, hour, minute, second, millisecond});
    backend.clock.Set(0);
  }
};

TEST_F(DebugLogTest, LevelZeroTouchesNoFile) {
  const char* text = "多重起動チェック";
  EXPECT_EQ(WriteDebugLog(text), text);
  EXPECT_FALSE(std::filesystem::exists("sorvani.log"));
}

TEST_F(DebugLogTest, WritesBannerAndShiftJisLinesWithPaddedTime) {
  for (int level : {1, 2}) {
    SCOPED_TRACE(level);
    ResetDebugLog();
    appState.enable_debug_write = static_cast<std::uint8_t>(level);
    At(9, 5, 3, 7);
    WriteDebugLog("多重起動チェック");
    backend.clock.Advance(62'123);  // 9:06:05.130
    WriteDebugLog("[title]");
    WriteDebugLog(nullptr);

    // 多重起動チェック in code page 932.
    const std::string shiftJis = "\x91\xBD\x8F\x64\x8B\x4E\x93\xAE\x83\x60\x83\x46\x83\x62\x83\x4E";
    EXPECT_EQ(ReadFileBytes("sorvani.log"), kBanner +
                                            "[ 9:05:03.007] " + shiftJis + "\r\n"
                                            "[ 9:06:05.130] [title]\r\n"
                                            "[ 9:06:05.130] (null)\r\n");
  }
}

TEST_F(DebugLogTest, TwoDigitHoursAreNotPadded) {
  appState.enable_debug_write = 1;
  At(23, 59, 59, 999);
  WriteDebugLog("x");
  EXPECT_EQ(ReadFileBytes("sorvani.log"), kBanner + "[23:59:59.999] x\r\n");
}

TEST_F(DebugLogTest, FirstLineOfARunTruncatesLaterLinesAppend) {
  appState.enable_debug_write = 1;
  At(10, 0, 0, 0);
  WriteDebugLog("first run");
  WriteDebugLog("first run again");

  ResetDebugLog();  // a new run of the program
  At(11, 0, 0, 0);
  WriteDebugLog("second run");
  EXPECT_EQ(ReadFileBytes("sorvani.log"), kBanner + "[11:00:00.000] second run\r\n");
}

TEST_F(DebugLogTest, LoweringTheLevelStopsAndRaisingItStartsTheLog) {
  WriteDebugLog("before");  // level 0: the log is not started
  appState.enable_debug_write = 1;
  At(12, 0, 0, 0);
  WriteDebugLog("on");
  appState.enable_debug_write = 0;
  WriteDebugLog("off");
  appState.enable_debug_write = 1;
  WriteDebugLog("on again");
  EXPECT_EQ(LogMessages(), (std::vector<std::string>{"on", "on again"}));
}

TEST_F(DebugLogTest, UnwritableLogIsIgnoredAndAppendsWithoutBannerLater) {
  appState.enable_debug_write = 1;
  At(8, 0, 0, 0);
  std::filesystem::create_directory("sorvani.log");  // cannot be opened as a file
  const char* text = "lost";
  EXPECT_EQ(WriteDebugLog(text), text);

  std::filesystem::remove("sorvani.log");
  { std::ofstream existing("sorvani.log", std::ios::binary); existing << "old\r\n"; }
  WriteDebugLog("kept");
  EXPECT_EQ(ReadFileBytes("sorvani.log"), "old\r\n[ 8:00:00.000] kept\r\n");
}

TEST_F(DebugLogTest, CharactersOutsideShiftJisBecomeQuestionMarks) {
  appState.enable_debug_write = 1;
  At(8, 0, 0, 0);
  WriteDebugLog("a\xF0\x9F\x98\x80z");  // an emoji has no code page 932 form
  WriteDebugLog("b\xFFz");              // not UTF-8 at all
  EXPECT_EQ(ReadFileBytes("sorvani.log"), kBanner + "[ 8:00:00.000] a?z\r\n[ 8:00:00.000] b?z\r\n");
}

// An installed copy cannot write beside itself: the log goes to the user's state folder and
// says so.
TEST_F(DebugLogTest, InstalledCopyLogsInTheUsersStateFolder) {
  std::filesystem::create_directory("state");
  backend.system.programDirectoryWritable = false;
  backend.system.stateDirectory = (scratch / "state").string();
  ChooseOutputDirectory();
  EXPECT_EQ(OutputPrefix(), (scratch / "state").string() + "/");
  appState.enable_debug_write = 1;
  At(8, 0, 0, 0);
  LogOutputDirectory();
  EXPECT_FALSE(std::filesystem::exists("sorvani.log"));
  EXPECT_EQ(ReadFileBytes("state/sorvani.log"),
            kBanner + "[ 8:00:00.000] " + Utf8ToShiftJis("ログとスクリーンショットの保存先：" + OutputPrefix()) + "\r\n");

  backend.system.programDirectoryWritable = true;  // a portable copy
  ChooseOutputDirectory();
  EXPECT_EQ(OutputPrefix(), "");
  LogOutputDirectory();
  EXPECT_EQ(LogMessages(), (std::vector<std::string>{"ログとスクリーンショットの保存先：プログラムのフォルダ"}));
  { std::ofstream("sorvani.installed") << "marker"; }  // an installed one, whoever may write there
  ChooseOutputDirectory();
  EXPECT_EQ(OutputPrefix(), (scratch / "state").string() + "/");
}

}  // namespace
