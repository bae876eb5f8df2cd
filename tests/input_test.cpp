// Input set-up, release and polling on the fake backend: the log lines, the keyboard-only
// fallbacks, the joystick table, the re-acquire rules and pads plugged in and out mid-run.
#include <gtest/gtest.h>

#include "input_test_support.h"

namespace {

using platform::DIERR_INPUTLOST;
using platform::DIERR_OTHERAPPHASPRIO;
using platform::E_FAIL;

const std::vector<std::string> kSetUpLines = {"DirectInputオブジェクト作成", "DirectInputデバイス作成",
                                              "DirectInputモード設定", "ジョイスティックデバイスの検索中..."};

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(InputTest, SetUpLogsEachStepAndConfiguresKeyboardAndEveryPad) {
  Start(2);
  EXPECT_EQ(LogMessages(), Concat(kSetUpLines, {"ジョイスティックデバイスを有効化しています",
                                                "ジョイスティックデバイスを有効化しています", "完了"}));
  EXPECT_FALSE(inputState.keyboardOnly);
  EXPECT_EQ(inputState.joystickCount, 2);
  EXPECT_EQ(backend.log.Matching("Input::"), (std::vector<std::string>{"Input::CreateDirectInput(0x0500)"}));
  EXPECT_EQ(backend.log.Matching("Keyboard::"),
            (std::vector<std::string>{"Keyboard::SetDataFormat", "Keyboard::SetCooperativeLevel(1,0x5)",
                                      "Keyboard::Acquire"}));
  for (const char* pad : {"Joystick1::", "Joystick2::"}) {
    EXPECT_EQ(backend.log.Matching(pad),
              (std::vector<std::string>{std::string(pad) + "SetDataFormat", std::string(pad) + "SetCooperativeLevel(1,0x6)",
                                        std::string(pad) + "SetRange(X,-1000,1000)", std::string(pad) + "SetRange(Y,-1000,1000)",
                                        std::string(pad) + "SetDeadZone(X,100)", std::string(pad) + "SetDeadZone(Y,100)",
                                        std::string(pad) + "Acquire"}))
        << pad;
  }
}

TEST_F(InputTest, NoDirectInputSettingLogsOneLineAndIgnoresPads) {
  appState.NoDirectInput = 1;
  Start(1);
  EXPECT_EQ(LogMessages(), (std::vector<std::string>{"キーボードのみ使用モードです"}));
  EXPECT_TRUE(inputState.keyboardOnly);
  EXPECT_EQ(backend.input.liveDevices, 0);

  Deflect(0, -1000, 0);
  backend.input.SetKey(platform::DIK_SPACE, true);
  backend.log.Clear();
  EXPECT_FALSE(GetInput(INPUT_POLL));
  EXPECT_TRUE(backend.log.Calls().empty()) << "the poll must not touch any device";
  EXPECT_FALSE(GetInput(INPUT_LEFT));
  EXPECT_FALSE(GetInput(INPUT_SHOT)) << "a scan-code key counts only in DirectInput mode";
  backend.input.SetVirtualKey(platform::VK_SPACE, true);
  EXPECT_TRUE(GetInput(INPUT_SHOT));
}

TEST_F(InputTest, SetUpFailuresFallBackToKeyboardOnlyWithoutAMessageBox) {
  struct Case {
    const char* call;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"Input::CreateDirectInput", {"DirectInputオブジェクト作成", "DirectInputオブジェクト作成に失敗。キーボードモードで再起動"}},
      {"DirectInput::CreateKeyboard",
       {"DirectInputオブジェクト作成", "DirectInputデバイス作成", "DirectInputデバイス作成に失敗。キーボードモードで再起動"}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.call);
    ResetInput();
    ResetDebugLog();
    backend.faults.Fail(test.call, 1, E_FAIL);
    InitInput(kWindow);
    EXPECT_EQ(LogMessages(), test.lines);
    EXPECT_TRUE(inputState.keyboardOnly);
    EXPECT_FALSE(inputState.directInput) << "nothing of DirectInput is kept in keyboard-only mode";
    EXPECT_EQ(backend.log.Count("Dialogs::"), 0u);
    backend.input.SetVirtualKey('Z', true);
    EXPECT_TRUE(GetInput(INPUT_SHOT));
    backend.input.SetVirtualKey('Z', false);

    ResetDebugLog();
    ReleaseInput();
    EXPECT_EQ(LogMessages(), (std::vector<std::string>{"DirectInputデバイスを開放しています...", "完了"}));
    EXPECT_EQ(backend.input.liveDevices, 0) << "a device made before the failure is let go";
  }
}

TEST_F(InputTest, ReleaseLogsAndLetsGoOfEveryDevice) {
  Start(3);
  ResetDebugLog();
  backend.log.Clear();
  ReleaseInput();
  EXPECT_EQ(LogMessages(), (std::vector<std::string>{"DirectInputデバイスを開放しています...", "キーボードデバイスを初期化中...",
                                                     "ジョイスティックデバイスを初期化中...", "DirectInputを開放中...", "完了"}));
  EXPECT_EQ(backend.log.Count("Keyboard::Unacquire"), 1u);
  EXPECT_EQ(backend.log.Count("Joystick3::Unacquire"), 1u);
  EXPECT_EQ(backend.input.liveDevices, 0);
  EXPECT_FALSE(inputState.directInput);
  EXPECT_EQ(inputState.joystickCount, 0);
}

// Each failing step leaves pad 1 out; pad 2 still comes in and takes slot 0.
TEST_F(InputTest, PadThatFailsAnySetUpStepIsLeftOut) {
  const char* steps[] = {"DirectInput::CreateDevice", "DirectInput::QueryPollableDevice", "Joystick::SetDataFormat",
                         "Joystick::SetCooperativeLevel", "Joystick::SetRange", "Joystick::SetDeadZone"};
  for (const char* step : steps) {
    SCOPED_TRACE(step);
    ResetInput();
    backend.input.pads.clear();
    backend.faults.Fail(step, 1, E_FAIL);
    Start(2);
    ASSERT_EQ(inputState.joystickCount, 1);
    EXPECT_EQ(inputState.joystickIds[0], 2u);
    EXPECT_EQ(backend.input.liveDevices, 2) << "keyboard and the one good pad";
    Deflect(1, 0, 900);
    GetInput(INPUT_POLL);
    EXPECT_TRUE(GetInput(INPUT_DOWN));
  }
}

TEST_F(InputTest, SeventeenthPadIsNeverOpened) {
  Start(17);
  EXPECT_EQ(inputState.joystickCount, 16);
  EXPECT_EQ(backend.log.Count("DirectInput::CreateDevice("), 16u);
  EXPECT_EQ(backend.log.Count("DirectInput::CreateDevice(17)"), 0u);
  EXPECT_EQ(backend.input.liveDevices, 17);
  Deflect(16, 1000, 0);
  GetInput(INPUT_POLL);
  EXPECT_FALSE(GetInput(INPUT_RIGHT));
  Deflect(15, 1000, 0);
  GetInput(INPUT_POLL);
  EXPECT_TRUE(GetInput(INPUT_RIGHT));
}

TEST_F(InputTest, LostKeyboardIsReacquiredAndReadAgain) {
  Start();
  backend.input.SetKey(platform::DIK_SPACE, true);
  backend.faults.Fail("Keyboard::GetDeviceState", 1, DIERR_INPUTLOST);
  backend.log.Clear();
  GetInput(INPUT_POLL);
  EXPECT_EQ(backend.log.Matching("Keyboard::"),
            (std::vector<std::string>{"Keyboard::GetDeviceState", "Keyboard::Acquire", "Keyboard::GetDeviceState"}));
  EXPECT_TRUE(GetInput(INPUT_SHOT));
}

TEST_F(InputTest, KeyboardSnapshotStaysWhenTheReadCannotBeMended) {
  struct Case {
    const char* name;
    platform::HRESULT readFailure;
    bool acquireFails;
    std::size_t acquires;
  };
  const Case cases[] = {
      {"lost, re-acquire refused", DIERR_INPUTLOST, true, 1},
      {"other failure, no re-acquire", E_FAIL, false, 0},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    ResetInput();
    Start();
    backend.input.SetKey(platform::DIK_UP, true);
    GetInput(INPUT_POLL);
    ASSERT_TRUE(GetInput(INPUT_UP));

    backend.input.SetKey(platform::DIK_UP, false);
    backend.input.SetKey(platform::DIK_ESCAPE, true);
    backend.faults.Fail("Keyboard::GetDeviceState", 1, test.readFailure);
    if (test.acquireFails) backend.faults.Fail("Keyboard::Acquire", 1, DIERR_OTHERAPPHASPRIO);
    backend.log.Clear();
    GetInput(INPUT_POLL);
    EXPECT_EQ(backend.log.Count("Keyboard::Acquire"), test.acquires);
    EXPECT_TRUE(GetInput(INPUT_UP)) << "the old snapshot stays";
    EXPECT_FALSE(GetInput(INPUT_PAUSE));
    backend.input.SetKey(platform::DIK_ESCAPE, false);
  }
}

TEST_F(InputTest, PadReadIsRetriedTwiceAfterReacquiring) {
  struct Case {
    const char* name;
    int readFailures;
    int acquireFailures;
    bool counts;
    std::size_t reads;
  };
  const Case cases[] = {
      {"fails once", 1, 0, true, 2},
      {"fails twice", 2, 0, true, 3},
      {"fails three times", 3, 0, false, 3},
      {"re-acquire refused", 1, 1, false, 1},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    ResetInput();
    backend.input.pads.clear();
    Start(1);
    Deflect(0, 0, -900);
    Pad(0).buttons[0] = 0x80;
    GetInput(INPUT_POLL);
    ASSERT_TRUE(GetInput(INPUT_UP));

    backend.faults.Fail("Joystick1::GetDeviceState", test.readFailures, DIERR_INPUTLOST);
    backend.faults.Fail("Joystick1::Acquire", test.acquireFailures, DIERR_OTHERAPPHASPRIO);
    backend.log.Clear();
    GetInput(INPUT_POLL);
    EXPECT_EQ(backend.log.Count("Joystick1::GetDeviceState"), test.reads);
    EXPECT_EQ(backend.log.Count("Joystick1::Poll"), test.reads) << "every read is preceded by a poll";
    EXPECT_EQ(GetInput(INPUT_UP), test.counts);
    EXPECT_EQ(GetInput(INPUT_SHOT), test.counts);
    backend.faults.Clear();
  }
}

TEST_F(InputTest, PadPluggedInAfterStartIsPickedUpAtThePoll) {
  Start(0);
  EXPECT_EQ(inputState.joystickCount, 0);
  const std::size_t pad = backend.input.AttachPad();
  Deflect(pad, 600, 0);
  ResetDebugLog();
  GetInput(INPUT_POLL);
  EXPECT_EQ(LogMessages(), (std::vector<std::string>{"ジョイスティックデバイスを有効化しています"}));
  EXPECT_EQ(inputState.joystickCount, 1);
  EXPECT_TRUE(GetInput(INPUT_RIGHT));
  GetPlayerInput(0, INPUT_POLL);
  EXPECT_TRUE(GetPlayerInput(0, INPUT_RIGHT)) << "the first pad is player 1's";

  backend.log.Clear();
  GetInput(INPUT_POLL);
  EXPECT_EQ(backend.log.Count("DirectInput::EnumJoysticks"), 0u) << "no enumeration while nothing changes";
}

TEST_F(InputTest, UnpluggedPadContributesNothingAndItsSlotWaitsForTheNextPad) {
  Start(2);
  Deflect(0, -800, 0);
  Deflect(1, 0, 800);
  backend.input.SetPadAttached(0, false);
  GetInput(INPUT_POLL);
  EXPECT_FALSE(GetInput(INPUT_LEFT));
  EXPECT_TRUE(GetInput(INPUT_DOWN)) << "the other pad goes on";
  EXPECT_EQ(backend.input.liveDevices, 2) << "the unplugged pad is let go";

  // Plugged back in (or another pad): slot 0, player 1's, not slot 2.
  backend.input.SetPadAttached(0, true);
  GetPlayerInput(0, INPUT_POLL);
  EXPECT_TRUE(GetPlayerInput(0, INPUT_LEFT));
  EXPECT_FALSE(GetPlayerInput(0, INPUT_DOWN));
  GetPlayerInput(1, INPUT_POLL);
  EXPECT_TRUE(GetPlayerInput(1, INPUT_DOWN));
  EXPECT_EQ(inputState.joystickCount, 2);
}

TEST_F(InputTest, PadPluggedInWithSixteenOpenWaitsForAFreeSlot) {
  Start(16);
  const std::size_t extra = backend.input.AttachPad();
  GetInput(INPUT_POLL);
  EXPECT_EQ(backend.log.Count("DirectInput::CreateDevice(17)"), 0u);
  backend.input.SetPadAttached(3, false);
  Deflect(extra, 0, -700);
  GetPlayerInput(0, INPUT_POLL);
  EXPECT_EQ(inputState.joystickIds[3], 17u);
  EXPECT_EQ(inputState.joystickCount, 16);
  GetInput(INPUT_POLL);
  EXPECT_TRUE(GetInput(INPUT_UP));
}

TEST_F(InputTest, LKeyIsReadFromTheKeyStateInBothModes) {
  for (bool keyboardOnly : {false, true}) {
    SCOPED_TRACE(keyboardOnly ? "keyboard only" : "DirectInput");
    ResetInput();
    appState.NoDirectInput = keyboardOnly;
    Start();
    EXPECT_FALSE(IsLKeyDown());
    backend.input.SetVirtualKey(76, true);
    EXPECT_TRUE(IsLKeyDown());
    backend.input.SetVirtualKey(76, false);
    backend.input.SetKey(0x26, true);  // the L key's scan code: not what this check reads
    EXPECT_FALSE(IsLKeyDown());
    backend.input.SetKey(0x26, false);
  }
}

}  // namespace
