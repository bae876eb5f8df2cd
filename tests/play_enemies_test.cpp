// The four fighting kinds: the walker's and clinger's walks and shots, the fire cart's volleys,
// the wisp's aim and dash, their wobble phases and their pictures.
#include <cmath>

#include "play_test_support.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class PlayEnemiesTest : public PlayTest {
 protected:
  // A run of the entry type with stage 1's formation and shots cleared away.
  void Begin(int entryType, bool lKey = false) {
    Hold('L', lKey);
    Start(entryType);
    Hold('L', false);
    ClearRecords(gameRecord.enemies, kEnemySlots);
    ClearRecords(gameRecord.enemyShots, kEnemyShotSlots);
    gameRecord.fadeAlpha = 255;
  }
  EnemySlot& Put(std::uint8_t kind, double x, double y, int state = 0) {
    EnemySlot& enemy = PlaceAt(kind, x, y);
    enemy.state = static_cast<std::uint8_t>(state);
    enemy.angle = 0;
    return enemy;
  }
  void Move(int frames = 1) {
    for (int i = 0; i < frames; ++i) MoveEnemySlots();
  }
  std::vector<EnemyShot> Shots() const {
    std::vector<EnemyShot> shots;
    for (const EnemyShot& shot : gameRecord.enemyShots)
      if (shot.active != 0) shots.push_back(shot);
    return shots;
  }
  // The next draw of the run's generator, without disturbing the run: the same seed is put back.
  static int NextDraw(std::uint32_t seed) {
    SeedRandom(seed);
    const int draw = Rand();
    SeedRandom(seed);
    return draw;
  }
  struct Drawn {
    PictureId id;
    float x, y;
    std::uint32_t alpha;
  };
  std::vector<Drawn> DrawEnemies() {
    backend.graphics.ClearDraws();
    DrawEnemySlots();
    std::vector<Drawn> drawn;
    for (const fake::DrawCall& call : backend.graphics.draws)
      drawn.push_back({idOfSerial.at(call.textureSerial), call.translation.x, call.translation.y, call.colour >> 24});
    return drawn;
  }
};

TEST_F(PlayEnemiesTest, WalkerSpeedsAndEdgeShotsFollowStageAndMode) {
  struct Case {
    const char* name;
    int entry;
    bool lKey;
    int stageIndex;
    double left, right;   // px per frame
    bool spreadAtLeft;    // false: straight right
    bool firesAtRight;
  };
  const Case cases[] = {
      {"trial, first stage", 1, false, 0, 4, 2, false, false},
      {"trial, later stage", 1, false, 6, 4, 2, true, false},
      {"trial, two players", 2, false, 2, 4, 2, true, false},
      {"extra, first stage", 4, false, 0, 8, 4, false, true},
      {"lunatic, later stage", 4, true, 11, 8, 4, true, true},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    Begin(test.entry, test.lKey);
    gameRecord.stageIndex = static_cast<std::int16_t>(test.stageIndex);
    EnemySlot& walker = Put(KIND_WALKER, 300, 200);
    const int w = PictureWidth(walker.picture);
    const int h = PictureHeight(walker.picture);
    Move();
    EXPECT_EQ(walker.baseX, 300 - test.left);
    EXPECT_EQ(walker.x, walker.baseX);
    EXPECT_TRUE(Shots().empty());

    // Reaches the left edge: turns, fires from its centre at 8 and shows the firing frames.
    walker.x = walker.baseX = test.left;
    walker.y = 200;
    const int draw = NextDraw(77);
    Move();
    EXPECT_EQ(walker.state, 1);
    EXPECT_EQ(walker.counter, 19);
    std::vector<EnemyShot> shots = Shots();
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(shots[0].x, test.left + w / 2);
    EXPECT_EQ(shots[0].y, 200 + h / 2);
    EXPECT_EQ(shots[0].speed, 8);
    EXPECT_DOUBLE_EQ(shots[0].angle, test.spreadAtLeft ? (draw % 3) * kPi / 4 - kPi / 4 : 0.0);
    ClearRecords(gameRecord.enemyShots, kEnemyShotSlots);

    walker.x = walker.baseX = 300;
    walker.counter = 0;
    Move();
    EXPECT_EQ(walker.baseX, 300 + test.right);

    // Reaches the right edge: turns, and fires back outside trial runs.
    walker.baseX = 640 - w - test.right;
    walker.x = walker.baseX;
    walker.y = 210;
    const int back = NextDraw(78);
    Move();
    EXPECT_EQ(walker.state, 0);
    shots = Shots();
    if (test.firesAtRight) {
      ASSERT_EQ(shots.size(), 1u);
      EXPECT_EQ(shots[0].x, 640 - w - test.right + w / 2);
      EXPECT_EQ(shots[0].y, 210 + h / 2);
      EXPECT_DOUBLE_EQ(shots[0].angle, (back % 3) * kPi / 4 - kPi / 4 + kPi);
      EXPECT_EQ(walker.counter, 19);
    } else {
      EXPECT_TRUE(shots.empty());
      EXPECT_EQ(walker.counter, 0);
    }
  }
}

TEST_F(PlayEnemiesTest, LaterWalkersSpreadOverThreeDirectionsOnly) {
  Begin(4);
  gameRecord.stageIndex = 1;
  EnemySlot& walker = Put(KIND_WALKER, 0, 200);
  int seen[3] = {};
  for (int i = 0; i < 60; ++i) {
    walker.state = 0;
    walker.baseX = 0;
    ClearRecords(gameRecord.enemyShots, kEnemyShotSlots);
    Move();
    ASSERT_EQ(Shots().size(), 1u);
    const double degrees = Shots()[0].angle * 180 / kPi;
    const int index = static_cast<int>(std::lround(degrees / 45)) + 1;
    ASSERT_TRUE(index >= 0 && index <= 2) << degrees;
    EXPECT_NEAR(degrees, 45.0 * (index - 1), 1e-9);
    ++seen[index];
  }
  for (int count : seen) EXPECT_GT(count, 0);
}

TEST_F(PlayEnemiesTest, AFullShotPoolFiresNothingButTheEnemyActsAsIfItHad) {
  Begin(4);
  for (EnemyShot& shot : gameRecord.enemyShots) {
    shot.active = 1;
    shot.x = -1;
  }
  EnemySlot& walker = Put(KIND_WALKER, 4, 200);
  EnemySlot& cart = Put(KIND_FIRE_CART, 300, 200);
  cart.counter = 89;
  Move();
  EXPECT_EQ(walker.state, 1);
  EXPECT_EQ(walker.counter, 19);
  EXPECT_EQ(cart.counter, 0);
  for (const EnemyShot& shot : gameRecord.enemyShots) EXPECT_EQ(shot.x, -1);
}

TEST_F(PlayEnemiesTest, CeilingClingerArmsOnceWalkingRightAndAgainOnlyAfterTheLeftEdge) {
  Begin(1);
  PlayerRecord& player = gameRecord.players[0];
  player.x = 300;
  EnemySlot& probe = Put(KIND_CLINGER, 0, 0);
  const int w = PictureWidth(probe.picture);
  const int h = PictureHeight(probe.picture);
  ClearRecords(gameRecord.enemies, kEnemySlots);
  // Walking right along the ceiling: arms once the player is no more than her width ahead.
  EnemySlot& clinger = Put(KIND_CLINGER, 300 - PlayerWidth() - 8, h);
  Move();
  EXPECT_EQ(clinger.counter, 0);
  Move();
  EXPECT_EQ(clinger.counter, 2) << "armed, and the sequence has begun";
  Move(3);
  EXPECT_EQ(clinger.counter, 5);
  EXPECT_TRUE(Shots().empty());
  const double x = clinger.x;
  const double y = clinger.y;
  Move();
  EXPECT_EQ(clinger.counter, 6);
  std::vector<EnemyShot> shots = Shots();
  ASSERT_EQ(shots.size(), 1u);
  EXPECT_EQ(shots[0].x, x + w / 2);
  EXPECT_EQ(shots[0].y, y + h / 2);
  EXPECT_EQ(shots[0].speed, 8);
  EXPECT_DOUBLE_EQ(shots[0].angle, kPi / 2);
  Move(20);
  EXPECT_EQ(clinger.counter, 18);
  EXPECT_EQ(Shots().size(), 1u);

  // Over to the right edge and back: no re-arming until the left edge.
  while (clinger.state == 0) Move();
  EXPECT_GE(clinger.baseX, 640 - w);
  player.x = 0;
  while (clinger.state == 1) {
    EXPECT_EQ(clinger.counter, 18);
    Move();
  }
  EXPECT_LE(clinger.baseX, 0);
  EXPECT_EQ(clinger.counter, 0);
  Move();
  EXPECT_EQ(clinger.counter, 2);
}

TEST_F(PlayEnemiesTest, FloorClingerArmsOnceWalkingLeftAndAgainOnlyAfterTheRightEdge) {
  Begin(1);
  PlayerRecord& player = gameRecord.players[0];
  player.x = 100;
  EnemySlot& clinger = Put(KIND_CLINGER, 0, 0);
  const int w = PictureWidth(clinger.picture);
  const int h = PictureHeight(clinger.picture);
  clinger.baseY = clinger.y = 480 - h;
  // Walking right along the floor never arms, whatever the player does.
  clinger.baseX = 80;
  Move(5);
  EXPECT_EQ(clinger.counter, 0);
  clinger.state = 1;
  clinger.baseX = player.x + 2 * w + 4;
  Move();
  EXPECT_EQ(clinger.counter, 0);
  Move();
  EXPECT_EQ(clinger.counter, 2);
  Move(4);
  std::vector<EnemyShot> shots = Shots();
  ASSERT_EQ(shots.size(), 1u);
  EXPECT_DOUBLE_EQ(shots[0].angle, -kPi / 2);

  player.x = 639;
  while (clinger.state == 1) Move();
  EXPECT_EQ(clinger.counter, 18) << "the left edge does not re-arm a floor clinger";
  while (clinger.state == 0) {
    EXPECT_EQ(clinger.counter, 18);
    Move();
  }
  EXPECT_EQ(clinger.counter, 0);
  Move();
  EXPECT_EQ(clinger.counter, 2);
}

TEST_F(PlayEnemiesTest, ClingersApproachTheirSurfaceThenWalkFasterOutsideTrial) {
  struct Case {
    int entry;
    bool ceiling;
    double step;
  };
  const Case cases[] = {{1, true, 4}, {1, false, 4}, {4, true, 6}, {4, false, 8}};
  for (const Case& test : cases) {
    SCOPED_TRACE(std::to_string(test.entry) + (test.ceiling ? " ceiling" : " floor"));
    Begin(test.entry);
    gameRecord.players[0].x = test.ceiling ? 639 : -100;  // never arms: only the walk matters
    EnemySlot& clinger = Put(KIND_CLINGER, 200, test.ceiling ? 100 : 200, test.ceiling ? 0 : 1);
    const int h = PictureHeight(clinger.picture);
    const double surface = test.ceiling ? h : 480 - 2 * h;
    // The approach moves at plain speed and does not walk.
    int frames = 0;
    while (test.ceiling ? clinger.baseY > h : clinger.baseY < surface) {
      const double before = clinger.baseY;
      Move();
      EXPECT_EQ(std::fabs(clinger.baseY - before), test.ceiling && before - 4 < h ? before - h : 4);
      EXPECT_EQ(clinger.baseX, 200);
      ASSERT_LT(++frames, 200);
    }
    if (test.ceiling) {
      EXPECT_EQ(clinger.baseY, h);
    }
    EXPECT_LE(clinger.baseY, 480 - h);
    Move();
    EXPECT_EQ(clinger.baseX, 200 + (test.ceiling ? test.step : -test.step));
  }
}

TEST_F(PlayEnemiesTest, FireCartVolleysDependOnModeAndPlayers) {
  struct Case {
    const char* name;
    int entry;
    bool lKey;
    double speed;  // 0: never fires
  };
  const Case cases[] = {
      {"trial alone", 1, false, 0}, {"trial, two", 2, false, 4},     {"extra alone", 4, false, 10},
      {"extra, two", 5, false, 14}, {"lunatic alone", 4, true, 10},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    Begin(test.entry, test.lKey);
    EnemySlot& cart = Put(KIND_FIRE_CART, 300, 240);
    Move(89);
    EXPECT_TRUE(Shots().empty());
    Move();
    const std::vector<EnemyShot> shots = Shots();
    if (test.speed == 0) {
      EXPECT_TRUE(shots.empty());
      EXPECT_EQ(cart.counter, 0);
      Move(200);
      EXPECT_TRUE(Shots().empty());
      continue;
    }
    EXPECT_EQ(cart.counter, 0);
    ASSERT_EQ(static_cast<int>(shots.size()), gameRecord.playerCount);
    for (int p = 0; p < gameRecord.playerCount; ++p) {
      const PlayerRecord& player = gameRecord.players[p];
      EXPECT_EQ(shots[p].x, cart.x + 15);
      EXPECT_EQ(shots[p].y, cart.y + 21);
      EXPECT_EQ(shots[p].speed, test.speed);
      EXPECT_DOUBLE_EQ(shots[p].angle, std::atan2(player.y + PlayerHeight() / 2 - (cart.y + 21),
                                                  player.x + PlayerWidth() / 2 - (cart.x + 15)));
    }
    Move(89);
    EXPECT_EQ(static_cast<int>(Shots().size()), gameRecord.playerCount);
    Move();
    EXPECT_EQ(static_cast<int>(Shots().size()), 2 * gameRecord.playerCount);
  }
}

TEST_F(PlayEnemiesTest, FireCartBouncesOffEveryEdge) {
  struct Case {
    int entry;
    int state;
    double baseX, baseY;
    double stepX, stepY;  // the expected move
    int stateAfter;
  };
  // Bit 0 set: moving right; bit 1 set: moving down.
  const Case cases[] = {
      {1, 0, 300, 200, -4, -4, 0}, {1, 0, 4, 4, -4, -4, 3},     {4, 3, 300, 200, 6, 6, 3},
      {4, 0, 6, 100, -6, -6, 1},   {1, 1, 800, 200, 4, -4, 0},  {1, 2, 200, 600, -4, 4, 0},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(std::to_string(test.entry) + " state " + std::to_string(test.state));
    Begin(test.entry);
    EnemySlot& cart = Put(KIND_FIRE_CART, test.baseX, test.baseY, test.state);
    Move();
    EXPECT_EQ(cart.baseX, test.baseX + test.stepX);
    EXPECT_EQ(cart.baseY, test.baseY + test.stepY);
    EXPECT_EQ(cart.state, test.stateAfter);
  }
}

TEST_F(PlayEnemiesTest, WispsAimBySlotParityAndFireOutsideOnePlayerTrial) {
  struct Case {
    int entry;
    bool fires;
  };
  for (const Case& test : {Case{1, false}, Case{2, true}, Case{4, true}, Case{5, true}}) {
    SCOPED_TRACE(test.entry);
    Begin(test.entry);
    const int tw = PictureWidth(PIX_TEKITAMA);
    const int th = PictureHeight(PIX_TEKITAMA);
    for (int i = 0; i < 4; ++i) Put(KIND_WISP, 400 + 30 * i, 150 + 40 * i);
    Move();
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(i);
      const EnemySlot& wisp = gameRecord.enemies[i];
      const PlayerRecord& target = gameRecord.players[i % 2 == 0 ? 0 : gameRecord.playerCount - 1];
      const double launchX = 400 + 30 * i + (PictureWidth(wisp.picture) - tw) / 2;
      const double launchY = 150 + 40 * i + (PictureHeight(wisp.picture) - th) / 2;
      const double dx = target.x - launchX;
      const double dy = target.y - launchY;
      EXPECT_EQ(wisp.counter, 1);
      EXPECT_DOUBLE_EQ(wisp.angle, std::atan2(dy, dx));
      EXPECT_DOUBLE_EQ(wisp.dashLength, std::sqrt(dx * dx + dy * dy));
      EXPECT_EQ(wisp.speed, 1.0);
      EXPECT_EQ(wisp.x, 400 + 30 * i) << "the aiming frame does not move";
      const std::vector<EnemyShot> shots = Shots();
      if (!test.fires) {
        EXPECT_TRUE(shots.empty());
        continue;
      }
      ASSERT_EQ(shots.size(), 4u);
      EXPECT_EQ(shots[i].x, launchX);
      EXPECT_EQ(shots[i].y, launchY);
      EXPECT_EQ(shots[i].speed, 10);
      EXPECT_EQ(shots[i].angle, wisp.angle);
    }
  }
}

TEST_F(PlayEnemiesTest, WispDashesFasterThenSlowsByATenthUntilBelowOneAndAimsAgain) {
  Begin(1);
  PlayerRecord& player = gameRecord.players[0];
  player.x = 100;
  player.y = 100;
  // Launch point 30 px right of the player's corner: a dash of 30 px to the left.
  EnemySlot& wisp = Put(KIND_WISP, 0, 0);
  wisp.x = 130 - (PictureWidth(wisp.picture) - PictureWidth(PIX_TEKITAMA)) / 2;
  wisp.y = 100 - (PictureHeight(wisp.picture) - PictureHeight(PIX_TEKITAMA)) / 2;
  const double startX = wisp.x;
  Move();
  ASSERT_DOUBLE_EQ(wisp.dashLength, 30);
  ASSERT_DOUBLE_EQ(wisp.angle, kPi);
  // 1.01 + 1.02 + .. first reaches 30 px after 27 frames.
  Move(26);
  EXPECT_NEAR(wisp.speed, 1.26, 1e-9);
  EXPECT_LT(wisp.baseY, 30);
  Move();
  EXPECT_NEAR(wisp.speed, 1.27, 1e-9);
  EXPECT_GE(wisp.baseY, 30);
  for (double speed : {1.17, 1.07, 0.97}) {
    Move();
    EXPECT_NEAR(wisp.speed, speed, 1e-9);
    EXPECT_EQ(wisp.counter, 1);
  }
  Move();
  EXPECT_EQ(wisp.counter, 0);
  // Every dashing frame moved it by its speed, straight left.
  double travelled = 0;
  for (int n = 1; n <= 27; ++n) travelled += 1 + 0.01 * n;
  travelled += 1.17 + 1.07 + 0.97 + 0.97;
  EXPECT_NEAR(startX - wisp.x, travelled, 1e-6);

  // The next frame aims afresh at where the player is now.
  player.y = 300;
  Move();
  EXPECT_EQ(wisp.counter, 1);
  EXPECT_EQ(wisp.speed, 1.0);
  EXPECT_GT(wisp.angle, 0) << "now below it";
  // Dashes top out at 16 px per frame.
  wisp.speed = 16;
  wisp.dashLength = 1e9;
  Move();
  EXPECT_EQ(wisp.speed, 16);
}

TEST_F(PlayEnemiesTest, WobblePhaseComesFromTheColumnAndAdvancesEachFrame) {
  Begin(1);
  struct Placed {
    std::uint8_t kind;
    std::int8_t column;
    double phase;
  };
  const Placed placed[] = {{KIND_WALKER, 50, 4 * kPi / 3},  {KIND_CLINGER, 50, 4 * kPi / 3},
                           {KIND_WALKER, 10, 2 * kPi / 3},  {KIND_CLINGER, 10, 2 * kPi / 3},
                           {KIND_FIRE_CART, 50, 0},         {KIND_WISP, 50, 0}};
  for (const Placed& test : placed) {
    SCOPED_TRACE(std::to_string(test.kind) + " at " + std::to_string(test.column));
    ClearRecords(gameRecord.enemies, kEnemySlots);
    const int slot = PlaceEnemy(StageEntry{test.column, 20, test.kind, 0}, 1);
    ASSERT_EQ(slot, 0);
    EXPECT_NEAR(gameRecord.enemies[0].angle, test.phase, 1e-12);
  }

  // Walkers and clingers bob 16 px up and down, the fire cart swings 16 px sideways; each wraps
  // its phase past a full turn.
  struct Advance {
    std::uint8_t kind;
    double step;
  };
  for (const Advance& test : {Advance{KIND_WALKER, kPi / 15}, Advance{KIND_CLINGER, kPi / 30},
                              Advance{KIND_FIRE_CART, 2 * kPi / 45}}) {
    SCOPED_TRACE(test.kind);
    ClearRecords(gameRecord.enemies, kEnemySlots);
    EnemySlot& enemy = Put(test.kind, 300, 0);
    const double y = PictureHeight(enemy.picture);  // a ceiling clinger already in place
    enemy.baseY = y;
    const double before = 2 * kPi - 0.01;
    enemy.angle = before;
    Move();
    EXPECT_NEAR(enemy.angle, before + test.step - 2 * kPi, 1e-12);
    if (test.kind == KIND_FIRE_CART) {
      EXPECT_NEAR(enemy.x - enemy.baseX, 16 * std::cos(before), 1e-12);
    } else {
      EXPECT_NEAR(enemy.y - enemy.baseY, 16 * std::sin(before), 1e-12);
      EXPECT_EQ(enemy.x, enemy.baseX);
    }
  }
}

TEST_F(PlayEnemiesTest, FireCartHeadLooksAtItsPlayerOverTheCentredWheel) {
  Begin(1);
  gameRecord.frameCounter = 7;  // wheel frame 2
  struct Case {
    int dx, dy;  // player relative to the cart
    PictureId head;
  };
  const Case cases[] = {
      {-5, -5, PIC_KASHA_HEAD_7}, {0, -5, PIC_KASHA_HEAD_8}, {5, -5, PIC_KASHA_HEAD_9},
      {5, 0, PIC_KASHA_HEAD_6},   {5, 5, PIC_KASHA_HEAD_3},  {0, 5, PIC_KASHA_HEAD_2},
      {-5, 5, PIC_KASHA_HEAD_1},  {-5, 0, PIC_KASHA_HEAD_4}, {0, 0, PIC_KASHA_HEAD_1},
  };
  EnemySlot& cart = Put(KIND_FIRE_CART, 300, 200);
  const int w = PictureWidth(cart.picture);
  const int h = PictureHeight(cart.picture);
  for (const Case& test : cases) {
    SCOPED_TRACE(std::to_string(test.dx) + "," + std::to_string(test.dy));
    gameRecord.players[0].x = 300 + test.dx;
    gameRecord.players[0].y = 200 + test.dy;
    const std::vector<Drawn> drawn = DrawEnemies();
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].id, PIC_KASHA_KURUMA_3);
    EXPECT_EQ(drawn[0].x, static_cast<float>(300 - (PictureWidth(PIC_KASHA_KURUMA_1) - w) / 2));
    EXPECT_EQ(drawn[0].y, static_cast<float>(200 - (PictureHeight(PIC_KASHA_KURUMA_1) - h) / 2));
    EXPECT_EQ(drawn[1].id, test.head);
    EXPECT_EQ(drawn[1].x, 300.0f);
    EXPECT_EQ(drawn[1].y, 200.0f);
  }

  // With two players, the cart in slot n looks at player n mod 2.
  Begin(2);
  gameRecord.players[0].x = 100, gameRecord.players[0].y = 100;  // up-left of the carts
  gameRecord.players[1].x = 500, gameRecord.players[1].y = 400;  // down-right
  Put(KIND_FIRE_CART, 300, 200);
  Put(KIND_FIRE_CART, 300, 200);
  Put(KIND_FIRE_CART, 300, 200);
  const std::vector<Drawn> drawn = DrawEnemies();
  ASSERT_EQ(drawn.size(), 6u);
  EXPECT_EQ(drawn[1].id, PIC_KASHA_HEAD_7);
  EXPECT_EQ(drawn[3].id, PIC_KASHA_HEAD_3);
  EXPECT_EQ(drawn[5].id, PIC_KASHA_HEAD_7);
}

TEST_F(PlayEnemiesTest, PicturesFollowDirectionFiringAndTheFrameCounter) {
  Begin(1);
  gameRecord.fadeAlpha = 90;
  struct Case {
    const char* name;
    std::uint8_t kind;
    double baseY;
    int state, counter, frameCounter;
    PictureId picture;
  };
  const Case cases[] = {
      {"walker left", KIND_WALKER, 200, 0, 0, 0, PIC_OTA_LEFT_STAND_1},
      {"walker left firing", KIND_WALKER, 200, 0, 5, 7, PIC_OTA_LEFT_FIRE_3},
      {"walker right", KIND_WALKER, 200, 1, 0, 11, PIC_OTA_RIGHT_STAND_4},
      {"walker right firing", KIND_WALKER, 200, 1, 1, 12, PIC_OTA_RIGHT_FIRE_1},
      {"ceiling clinger", KIND_CLINGER, 100, 0, 0, 5, PIC_HYO_DOWN_1},
      {"ceiling, counter 1", KIND_CLINGER, 100, 0, 1, 0, PIC_HYO_DOWN_2},
      {"ceiling, counter 3", KIND_CLINGER, 100, 0, 3, 0, PIC_HYO_DOWN_2},
      {"ceiling, counter 4", KIND_CLINGER, 100, 0, 4, 0, PIC_HYO_DOWN_3},
      {"ceiling, counter 5", KIND_CLINGER, 100, 0, 5, 0, PIC_HYO_DOWN_3},
      {"ceiling, counter 6", KIND_CLINGER, 159, 0, 6, 0, PIC_HYO_DOWN_4},
      {"ceiling, counter 17", KIND_CLINGER, 100, 0, 17, 0, PIC_HYO_DOWN_4},
      {"ceiling, done", KIND_CLINGER, 100, 0, 18, 0, PIC_HYO_DOWN_1},
      {"floor clinger", KIND_CLINGER, 160, 1, 0, 0, PIC_HYO_UP_1},
      {"floor, counter 2", KIND_CLINGER, 400, 1, 2, 0, PIC_HYO_UP_2},
      {"floor, counter 5", KIND_CLINGER, 400, 1, 5, 0, PIC_HYO_UP_3},
      {"floor, counter 10", KIND_CLINGER, 400, 1, 10, 0, PIC_HYO_UP_4},
      {"wisp", KIND_WISP, 200, 0, 1, 9, PIC_HITOTAMA_4},
      {"wisp, wrapped frame", KIND_WISP, 200, 0, 0, 359, PIC_HITOTAMA_4},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    ClearRecords(gameRecord.enemies, kEnemySlots);
    EnemySlot& enemy = Put(test.kind, 250, 300, test.state);
    enemy.baseY = test.baseY;
    enemy.counter = static_cast<std::uint8_t>(test.counter);
    gameRecord.frameCounter = static_cast<std::int16_t>(test.frameCounter);
    const std::vector<Drawn> drawn = DrawEnemies();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].id, test.picture);
    EXPECT_EQ(drawn[0].x, 250.0f);
    EXPECT_EQ(drawn[0].y, 300.0f);
    EXPECT_EQ(drawn[0].alpha, 90u);
  }
}

}  // namespace
