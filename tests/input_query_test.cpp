// The two input queries on the fake backend: every key of every table (and no other key), the
// axis threshold, the button functions, the merge of several pads and the per-player slots.
#include <gtest/gtest.h>

#include <set>

#include "input_test_support.h"

namespace {

using namespace platform;

const int kCodes[] = {INPUT_SHOT, INPUT_PAUSE, INPUT_UP, INPUT_DOWN, INPUT_LEFT, INPUT_RIGHT};

const char* CodeName(int code) {
  switch (code) {
    case INPUT_SHOT: return "shot";
    case INPUT_PAUSE: return "pause";
    case INPUT_UP: return "up";
    case INPUT_DOWN: return "down";
    case INPUT_LEFT: return "left";
    case INPUT_RIGHT: return "right";
    default: return "?";
  }
}

// Keys that must count for each code, in kCodes order; every other key must not.
using KeyTable = std::vector<std::set<int>>;

const std::set<int> kUp = {DIK_NUMPAD7, DIK_NUMPAD9, DIK_NUMPAD8, DIK_UP};
const std::set<int> kDown = {DIK_NUMPAD1, DIK_NUMPAD3, DIK_NUMPAD2, DIK_DOWN};
const std::set<int> kLeft = {DIK_NUMPAD7, DIK_NUMPAD1, DIK_NUMPAD4, DIK_LEFT};
const std::set<int> kRight = {DIK_NUMPAD3, DIK_NUMPAD9, DIK_NUMPAD6, DIK_RIGHT};

const KeyTable kCombinedKeys = {
    {DIK_NUMPAD5, DIK_SPACE, DIK_LSHIFT, DIK_RSHIFT, DIK_X, DIK_Z, DIK_RETURN, DIK_LCONTROL, DIK_RCONTROL},
    {DIK_ESCAPE}, kUp, kDown, kLeft, kRight};
const KeyTable kFirstPlayerKeys = {{DIK_SPACE, DIK_LSHIFT, DIK_RSHIFT, DIK_RETURN, DIK_LCONTROL, DIK_RCONTROL},
                                   {DIK_ESCAPE}, kUp, kDown, kLeft, kRight};
const KeyTable kSecondPlayerKeys = {{DIK_X, DIK_Z}, {}, {DIK_T}, {DIK_B}, {DIK_F}, {DIK_H}};

int Np(int n) { return VK_NUMPAD0 + n; }
const std::set<int> kUpVk = {VK_UP, Np(7), Np(8), Np(9)};
const std::set<int> kDownVk = {VK_DOWN, Np(3), Np(2), Np(1)};
const std::set<int> kLeftVk = {VK_LEFT, Np(1), Np(4), Np(7)};
const std::set<int> kRightVk = {VK_RIGHT, Np(3), Np(6), Np(9)};
const KeyTable kCombinedVirtualKeys = {{'Z', VK_CONTROL, VK_RETURN, 'X', Np(5), VK_SPACE, VK_SHIFT},
                                       {VK_ESCAPE}, kUpVk, kDownVk, kLeftVk, kRightVk};
const KeyTable kFirstPlayerVirtualKeys = {{Np(5), VK_SPACE, VK_SHIFT, VK_CONTROL, VK_RETURN},
                                          {VK_ESCAPE}, kUpVk, kDownVk, kLeftVk, kRightVk};
const KeyTable kSecondPlayerVirtualKeys = {{'X', 'Z'}, {}, {'T'}, {'B'}, {'F'}, {'H'}};

// -1: the combined query; 0 or 1: the per-player query for that player.
bool Ask(int player, int code) { return player < 0 ? GetInput(code) : GetPlayerInput(player, code); }
void Poll(int player) { EXPECT_FALSE(Ask(player, INPUT_POLL)) << "a poll always answers false"; }

class InputQueryTest : public InputTest {
 protected:
  // Holds each of the 256 keys alone and checks every code against the table.
  void CheckEveryKey(int player, const KeyTable& table, bool virtualKeys) {
    for (int key = 0; key < 256; ++key) {
      if (virtualKeys) {
        backend.input.SetVirtualKey(static_cast<std::uint32_t>(key), true);
      } else {
        backend.input.SetKey(static_cast<std::uint8_t>(key), true);
      }
      Poll(player);
      for (std::size_t row = 0; row < table.size(); ++row) {
        EXPECT_EQ(Ask(player, kCodes[row]), table[row].count(key) == 1)
            << "player " << player << ", key 0x" << std::hex << key << ", " << CodeName(kCodes[row]);
      }
      if (virtualKeys) {
        backend.input.SetVirtualKey(static_cast<std::uint32_t>(key), false);
      } else {
        backend.input.SetKey(static_cast<std::uint8_t>(key), false);
      }
    }
  }
};

TEST_F(InputQueryTest, EveryScanCodeCountsExactlyForItsCodes) {
  Start(2);
  CheckEveryKey(-1, kCombinedKeys, false);
  CheckEveryKey(0, kFirstPlayerKeys, false);
  CheckEveryKey(1, kSecondPlayerKeys, false);
}

TEST_F(InputQueryTest, EveryVirtualKeyCountsExactlyForItsCodesInKeyboardOnlyMode) {
  appState.NoDirectInput = 1;
  Start();
  CheckEveryKey(-1, kCombinedVirtualKeys, true);
  CheckEveryKey(0, kFirstPlayerVirtualKeys, true);
  CheckEveryKey(1, kSecondPlayerVirtualKeys, true);
}

TEST_F(InputQueryTest, SecondPlayersPauseIsNeverHeldInKeyboardOnlyMode) {
  appState.NoDirectInput = 1;
  Start(1);
  for (std::uint32_t key = 0; key < 256; ++key) backend.input.SetVirtualKey(key, true);
  Pad(0).buttons[2] = 0x80;
  GetPlayerInput(1, INPUT_POLL);
  EXPECT_FALSE(GetPlayerInput(1, INPUT_PAUSE));
  EXPECT_TRUE(GetPlayerInput(1, INPUT_SHOT));
}

TEST_F(InputQueryTest, CodesWithoutMeaningAnswerFalseWithEverythingHeld) {
  Start(1);
  for (int key = 0; key < 256; ++key) backend.input.SetKey(static_cast<std::uint8_t>(key), true);
  for (auto& button : Pad(0).buttons) button = 0x80;
  appState.buttonTable1[3] = 2;
  GetInput(INPUT_POLL);
  GetPlayerInput(0, INPUT_POLL);
  for (int code : {1, 3, 50, 97, 103, -1, 255}) {
    EXPECT_FALSE(GetInput(code)) << code;
    EXPECT_FALSE(GetPlayerInput(0, code)) << code;
  }
  EXPECT_TRUE(GetInput(INPUT_SHOT));
  EXPECT_FALSE(GetPlayerInput(2, INPUT_SHOT)) << "there is no third player";
}

TEST_F(InputQueryTest, AxisCountsOnlyBeyondTwoHundred) {
  struct Case {
    std::int32_t x, y;
    bool up, down, left, right;
  };
  const Case cases[] = {
      {0, 0, false, false, false, false},        {200, 200, false, false, false, false},
      {-200, -200, false, false, false, false},  {201, 0, false, false, false, true},
      {-201, 0, false, false, true, false},      {0, 201, false, true, false, false},
      {0, -201, true, false, false, false},      {-1000, 1000, false, true, true, false},
      {1000, -1000, true, false, false, true},
  };
  Start(2);
  for (const Case& test : cases) {
    Deflect(0, test.x, test.y);
    Deflect(1, test.x, test.y);
    for (int player : {-1, 0, 1}) {
      Poll(player);
      SCOPED_TRACE("player " + std::to_string(player) + " at (" + std::to_string(test.x) + "," +
                   std::to_string(test.y) + ")");
      EXPECT_EQ(Ask(player, INPUT_UP), test.up);
      EXPECT_EQ(Ask(player, INPUT_DOWN), test.down);
      EXPECT_EQ(Ask(player, INPUT_LEFT), test.left);
      EXPECT_EQ(Ask(player, INPUT_RIGHT), test.right);
    }
  }
}

TEST_F(InputQueryTest, ButtonsActByTheirTableEntry) {
  struct Case {
    std::uint8_t function;
    bool shot, pause;
  };
  const Case cases[] = {{0, false, false}, {1, true, false}, {2, false, false}, {3, false, true}, {4, false, false}, {255, false, false}};
  Start(2);
  for (const Case& test : cases) {
    for (int button = 0; button < kJoystickButtons; ++button) {
      SCOPED_TRACE("button " + std::to_string(button + 1) + " assigned " + std::to_string(test.function));
      for (auto& entry : appState.buttonTable1) entry = 0;
      for (auto& entry : appState.buttonTable2) entry = 0;
      appState.buttonTable1[button] = test.function;
      appState.buttonTable2[button] = test.function;
      Pad(0) = JoystickState{};
      Pad(1) = JoystickState{};
      Pad(0).buttons[button] = 0x80;
      Pad(1).buttons[button] = 0x80;
      for (int player : {-1, 0, 1}) {
        Poll(player);
        EXPECT_EQ(Ask(player, INPUT_SHOT), test.shot) << "player " << player;
        EXPECT_EQ(Ask(player, INPUT_PAUSE), test.pause) << "player " << player;
      }
    }
  }
}

TEST_F(InputQueryTest, EachPlayerUsesItsOwnButtonTable) {
  Start(2);
  appState.buttonTable1[4] = 3;  // button 5: pause for player 1, nothing for player 2
  appState.buttonTable2[4] = 1;  // and shot for player 2
  Pad(0).buttons[4] = 0x80;
  Pad(1).buttons[4] = 0x80;
  GetPlayerInput(0, INPUT_POLL);
  EXPECT_TRUE(GetPlayerInput(0, INPUT_PAUSE));
  EXPECT_FALSE(GetPlayerInput(0, INPUT_SHOT));
  GetPlayerInput(1, INPUT_POLL);
  EXPECT_TRUE(GetPlayerInput(1, INPUT_SHOT));
  EXPECT_FALSE(GetPlayerInput(1, INPUT_PAUSE));
  GetInput(INPUT_POLL);
  EXPECT_TRUE(GetInput(INPUT_PAUSE)) << "the combined query uses table 1 for every pad";
  EXPECT_FALSE(GetInput(INPUT_SHOT));
}

TEST_F(InputQueryTest, ButtonsBeyondSixteenAndBitsBelowSevenDoNothing) {
  Start(1);
  for (auto& entry : appState.buttonTable1) entry = 1;
  for (int button = 16; button < 32; ++button) Pad(0).buttons[button] = 0x80;
  Pad(0).buttons[0] = 0x7F;
  GetInput(INPUT_POLL);
  EXPECT_FALSE(GetInput(INPUT_SHOT));
}

TEST_F(InputQueryTest, LargerDeflectionWinsTheMergeAndTheLowerSlotWinsATie) {
  struct Case {
    std::int32_t first, second;
    bool left, right;
  };
  const Case cases[] = {{-500, 700, false, true}, {-700, 500, true, false}, {-600, 600, true, false},
                        {600, -600, false, true}, {0, -201, true, false}};
  Start(2);
  for (const Case& test : cases) {
    SCOPED_TRACE(std::to_string(test.first) + " and " + std::to_string(test.second));
    Deflect(0, test.first, test.first);
    Deflect(1, test.second, test.second);
    GetInput(INPUT_POLL);
    EXPECT_EQ(GetInput(INPUT_LEFT), test.left);
    EXPECT_EQ(GetInput(INPUT_RIGHT), test.right);
    EXPECT_EQ(GetInput(INPUT_UP), test.left) << "Y merges the same way";
    EXPECT_EQ(GetInput(INPUT_DOWN), test.right);
  }
}

TEST_F(InputQueryTest, ButtonsOfEveryPadCountInTheCombinedQuery) {
  Start(3);
  Pad(2).buttons[2] = 0x80;
  GetInput(INPUT_POLL);
  EXPECT_TRUE(GetInput(INPUT_PAUSE));
  EXPECT_FALSE(GetInput(INPUT_SHOT));
}

TEST_F(InputQueryTest, SecondPlayerWithOnePadAttachedReadsNoPad) {
  Start(1);
  Deflect(0, 900, 900);
  Pad(0).buttons[0] = 0x80;
  backend.log.Clear();
  GetPlayerInput(1, INPUT_POLL);
  EXPECT_EQ(backend.log.Count("Joystick"), 0u);
  for (int code : kCodes) EXPECT_FALSE(GetPlayerInput(1, code)) << CodeName(code);
  backend.input.SetKey(DIK_H, true);
  backend.input.SetKey(DIK_Z, true);
  GetPlayerInput(1, INPUT_POLL);
  EXPECT_TRUE(GetPlayerInput(1, INPUT_RIGHT));
  EXPECT_TRUE(GetPlayerInput(1, INPUT_SHOT));
}

TEST_F(InputQueryTest, EachPlayerReadsOnlyThePadInItsSlotAndThePollsOverwriteEachOther) {
  Start(2);
  Deflect(0, -900, 0);
  Deflect(1, 900, 0);
  GetPlayerInput(0, INPUT_POLL);
  EXPECT_TRUE(GetPlayerInput(0, INPUT_LEFT));
  EXPECT_FALSE(GetPlayerInput(0, INPUT_RIGHT));
  GetPlayerInput(1, INPUT_POLL);
  EXPECT_TRUE(GetPlayerInput(1, INPUT_RIGHT));
  EXPECT_FALSE(GetPlayerInput(1, INPUT_LEFT));
  EXPECT_FALSE(GetPlayerInput(0, INPUT_LEFT)) << "one per-player snapshot, now player 2's";

  // The combined snapshot is its own.
  GetInput(INPUT_POLL);
  Deflect(0, 0, 0);
  Deflect(1, 0, 0);
  GetPlayerInput(0, INPUT_POLL);
  EXPECT_TRUE(GetInput(INPUT_LEFT)) << "both pads at 900: slot 0 won the tie when it was polled";
}

TEST_F(InputQueryTest, NoPadLeavesEveryJoystickConditionFalse) {
  Start(0);
  appState.buttonTable1[0] = 1;
  GetInput(INPUT_POLL);
  for (int code : kCodes) EXPECT_FALSE(GetInput(code)) << CodeName(code);
  backend.input.SetKey(DIK_UP, true);
  backend.input.SetKey(DIK_NUMPAD9, true);
  GetInput(INPUT_POLL);
  EXPECT_TRUE(GetInput(INPUT_UP));
  EXPECT_TRUE(GetInput(INPUT_RIGHT));
  EXPECT_FALSE(GetInput(INPUT_DOWN));
}

}  // namespace
