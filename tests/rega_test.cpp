// REGA: integer conversion by stored type, the guard boxes, how values are written, and the
// score ranking kept through it.
#include <gtest/gtest.h>

#include <cstring>

#include "app/app.h"
#include "app/rega.h"
#include "app/score_ranking.h"
#include "app/settings_store.h"
#include "test_support.h"

namespace {

class RegaTest : public GameTest {
 protected:
  void Store(const std::string& name, std::uint32_t type, std::vector<unsigned char> bytes) {
    backend.registry.Put(kSettingsKeyPath, name, type, std::move(bytes));
  }
  std::vector<unsigned char> Text(const std::string& text) {
    std::vector<unsigned char> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
  }
};

TEST_F(RegaTest, ReadIntegerConvertsByStoredType) {
  struct Case {
    const char* what;
    std::uint32_t type;
    std::vector<unsigned char> bytes;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"text 1", platform::REG_SZ, Text("1"), 1},
      {"text +1", platform::REG_SZ, Text("+1"), 1},
      {"text -12", platform::REG_EXPAND_SZ, Text("-12"), -12},
      {"text 1a", platform::REG_SZ, Text("1a"), 77},
      {"lone +", platform::REG_SZ, Text("+"), 0},
      {"lone -", platform::REG_MULTI_SZ, Text("-"), 0},
      {"empty text", platform::REG_SZ, Text(""), 77},
      {"text with a space", platform::REG_SZ, Text(" 1"), 77},
      {"dword", platform::REG_DWORD, {0x78, 0x56, 0x34, 0x12}, 0x12345678},
      {"negative dword", platform::REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, -1},
      {"big endian", platform::REG_DWORD_BIG_ENDIAN, {0x12, 0x34, 0x56, 0x78}, 0x12345678},
      {"qword low half", platform::REG_QWORD, {2, 0, 0, 0, 9, 9, 9, 9}, 2},
      {"binary", platform::REG_BINARY, {30, 0, 0, 0, 5}, 30},
      {"short dword padded with zeros", platform::REG_DWORD, {0x34, 0x12}, 0x1234},
      {"empty binary", platform::REG_BINARY, {}, 0},
      {"unknown type", platform::REG_LINK, {1, 0, 0, 0}, 77},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Store("value", c.type, c.bytes);
    REGA rega;
    ASSERT_TRUE(rega.OpenKey());
    EXPECT_EQ(rega.ReadIntegerA("value", 77), c.expected);
    EXPECT_EQ(rega.ReadIntegerA("missing", 77), 77);
    rega.CloseKey();
  }
  EXPECT_TRUE(backend.dialogs.boxes.empty());
}

TEST_F(RegaTest, MisuseIsRefusedAndWarnedAbout) {
  const std::string tail =
      "\nこのメッセージが表示されたら、現在編集している/していたダイアログの名前を、メッセージの内容と共に正確に作者まで報告して下さい。";
  {
    REGA rega;
    unsigned char buffer[4] = {9};
    EXPECT_EQ(rega.ValueExistA("x"), -1);
    EXPECT_FALSE(rega.ReadStringA("x", buffer, 4));
    EXPECT_EQ(buffer[0], 0);  // cleared before the refusal
    EXPECT_EQ(rega.ReadIntegerA("x", 5), 5);
    EXPECT_FALSE(rega.WriteStringA("x", "y"));
    EXPECT_FALSE(rega.WriteIntegerA("x", 1));
    EXPECT_FALSE(rega.WriteBinaryA("x", buffer, 4));
    EXPECT_FALSE(rega.CloseKey());
    EXPECT_TRUE(rega.OpenKey());
    EXPECT_TRUE(rega.OpenKey());  // closes the first key, then opens again
  }  // destroyed with the key open
  const char* const firsts[] = {
      "開かれていないキーを対象に ValueExistA が行われようとしたので保護します。",
      "開かれていないキーを対象に ReadStringA が行われようとしたので保護します。",
      "開かれていないキーを対象に ReadIntegerA が行われようとしたので保護します。",
      "開かれていないキーを対象に WriteStringA が行われようとしたので保護します。",
      "開かれていないキーを対象に WriteIntegerA が行われようとしたので保護します。",
      "開かれていないキーを対象に WriteBinaryA が行われようとしたので保護します。",
      "レジストリを多重クローズしようとしたので保護しました(REGA::CloseKey)。",
      "レジストリキーを多重オープンしようとしたので保護しました(REGA::OpenKey())。",
      "レジストリを自動クローズしました。",
  };
  ASSERT_EQ(backend.dialogs.boxes.size(), std::size(firsts));
  for (std::size_t i = 0; i < std::size(firsts); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(backend.dialogs.boxes[i].text, firsts[i] + tail);
    EXPECT_EQ(backend.dialogs.boxes[i].caption, "Registory Class");
    EXPECT_EQ(backend.dialogs.boxes[i].flags, platform::MB_ICONWARNING);
    EXPECT_EQ(backend.dialogs.boxes[i].owner, platform::kNoWindow);
  }
  EXPECT_EQ(backend.registry.OpenHandles(), 0u);
}

TEST_F(RegaTest, WritesKeepTheirTypesAndTextStaysExpandable) {
  Store("Path", platform::REG_EXPAND_SZ, Text("%HOME%"));
  REGA rega;
  ASSERT_TRUE(rega.OpenKey());
  EXPECT_TRUE(rega.WriteStringA("Path", "/new"));
  EXPECT_TRUE(rega.WriteStringA("ProgramFile", "/opt/x"));
  EXPECT_TRUE(rega.WriteIntegerA("NoSE", -2));
  unsigned char block[3] = {1, 2, 3};
  EXPECT_TRUE(rega.WriteBinaryA("Buttons", block, 3));
  EXPECT_EQ(rega.ValueExistA("Buttons"), 3);
  EXPECT_EQ(rega.ValueExistA("Missing"), -1);
  rega.CloseKey();
  const auto* path = backend.registry.Get(kSettingsKeyPath, "Path");
  EXPECT_EQ(path->type, platform::REG_EXPAND_SZ);
  EXPECT_EQ(path->bytes, Text("/new"));
  EXPECT_EQ(backend.registry.Get(kSettingsKeyPath, "ProgramFile")->type, platform::REG_SZ);
  EXPECT_EQ(backend.registry.Get(kSettingsKeyPath, "NoSE")->bytes, (std::vector<unsigned char>{0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(backend.registry.Get(kSettingsKeyPath, "Buttons")->type, platform::REG_BINARY);
}

TEST_F(RegaTest, KeyIsCreatedWhenMissingAndAnUnusableStoreOpensNothing) {
  backend.registry.keys.clear();
  REGA rega;
  EXPECT_TRUE(rega.OpenKey());
  EXPECT_EQ(backend.registry.keys.count(kSettingsKeyPath), 1u);
  rega.CloseKey();
  backend.faults.Fail("Registry::OpenKey", 1, platform::ERROR_FILE_NOT_FOUND);
  backend.faults.Fail("Registry::CreateKey", 1, platform::ERROR_ACCESS_DENIED);
  EXPECT_FALSE(rega.OpenKey());
  EXPECT_TRUE(backend.dialogs.boxes.empty());
}

TEST_F(RegaTest, LongerStoredBlockThanTheBufferFailsWithAnEmptyFirstByte) {
  Store("Buttons", platform::REG_BINARY, std::vector<unsigned char>(17, 1));
  REGA rega;
  ASSERT_TRUE(rega.OpenKey());
  unsigned char table[16];
  std::memset(table, 5, sizeof table);
  EXPECT_FALSE(rega.ReadStringA("Buttons", table, sizeof table));
  EXPECT_EQ(table[0], 0);
  EXPECT_EQ(table[1], 5);
  rega.CloseKey();
}

class RankingTest : public GameTest {
 protected:
  RankingTest() {
    scoreRanking = ScoreRanking{};
    appState.enable_debug_write = 1;
  }
  const RankingEntry& At(int table, int place) { return scoreRanking.tables[table][place]; }
};

TEST_F(RankingTest, BetterStageThenScoreThenTimeRanksHigherAndTiesRankBelow) {
  scoreRanking.tables[0][0] = RankingEntry{31, 100, 5000};
  EXPECT_EQ(InsertRanking(0, 0, 31, 200, 5000), 0);  // same stage and score, more time
  EXPECT_EQ(At(0, 0).timeValue, 200);
  EXPECT_EQ(At(0, 1).timeValue, 100);
  EXPECT_EQ(InsertRanking(0, 0, 31, 100, 5000), 2);  // equal to place 1: below it
  EXPECT_EQ(InsertRanking(0, 0, 31, 100, 5000), -1);  // ranks nowhere any more
  EXPECT_EQ(InsertRanking(0, 0, 12, 0, 999999), -1);
  EXPECT_EQ(InsertRanking(0, 0, 31, 0, 6000), 0);  // a better score beats any time
  EXPECT_EQ(At(0, 2).timeValue, 100);
  EXPECT_EQ(At(0, 1).timeValue, 200);
}

TEST_F(RankingTest, TablesAreByModeAndWeaponAndEveryInsertSavesTheBlock) {
  EXPECT_EQ(InsertRanking(2, 1, 4, 10, 300), 0);  // table 7
  EXPECT_EQ(At(7, 0).score, 300);
  const auto* stored = backend.registry.Get(kSettingsKeyPath, "scoredata");
  ASSERT_NE(stored, nullptr);
  ASSERT_EQ(stored->bytes.size(), 324u);
  // Table 7, place 0, little-endian: stage 4, time 10, score 300 at byte 7 * 36.
  const std::vector<unsigned char> entry(stored->bytes.begin() + 252, stored->bytes.begin() + 264);
  EXPECT_EQ(entry, (std::vector<unsigned char>{4, 0, 0, 0, 10, 0, 0, 0, 0x2C, 1, 0, 0}));
  EXPECT_EQ(LogMessages(), std::vector<std::string>{"スコアランキングの書き込みをしています"});
  EXPECT_EQ(InsertRanking(3, 0, 1, 1, 1), -1);  // no such mode
}

TEST_F(RankingTest, AfterAResetAnyFinishedRunTakesTheTopPlace) {
  scoreRanking.tables[4][0] = RankingEntry{9, 9, 9};
  ResetRanking();
  EXPECT_EQ(At(4, 0).stageReached, 0);
  EXPECT_EQ(InsertRanking(1, 1, 1, 0, 0), 0);
  EXPECT_EQ(backend.registry.Get(kSettingsKeyPath, "scoredata")->bytes[4 * 36], 1);
}

// A ranking or window-mode write that does not reach the store is said in the log; the game
// keeps what it has in memory.
TEST_F(RankingTest, WritesThatDoNotReachTheStoreAreLogged) {
  for (const char* failingCall : {"Registry::SetValue", "Registry::OpenKey"}) {
    SCOPED_TRACE(failingCall);
    ResetDebugLog();
    backend.registry.keys.clear();
    backend.registry.PutDword(kSettingsKeyPath, "bWindowed", 0);
    const bool noKey = std::string(failingCall) == "Registry::OpenKey";
    backend.faults.Fail(failingCall, 3, platform::ERROR_ACCESS_DENIED);
    if (noKey) backend.faults.Fail("Registry::CreateKey", 3, platform::ERROR_ACCESS_DENIED);
    EXPECT_EQ(InsertRanking(0, 2, 5, 0, 100), 0);
    ResetRanking();
    appState.bWindowed = 1;
    StoreWindowedSetting();
    EXPECT_EQ(LogMessages(), (std::vector<std::string>{
                                 "スコアランキングの書き込みをしています", "スコアランキングを保存できませんでした",
                                 "スコアランキングの書き込みをしています", "スコアランキングを保存できませんでした",
                                 "bWindowedを保存できませんでした"}));
    EXPECT_EQ(backend.registry.Get(kSettingsKeyPath, "scoredata"), nullptr);
    EXPECT_EQ(backend.registry.Get(kSettingsKeyPath, "bWindowed")->bytes[0], 0);
    EXPECT_TRUE(backend.dialogs.boxes.empty());
    backend.faults.Clear();
  }
}

}  // namespace
