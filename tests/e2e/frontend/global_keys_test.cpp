#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "foreign_client.h"
#include "frontend_session.h"
#include "support/x_tools.h"
#include "x11_global_keys.h"

namespace kelvado::e2e {
namespace {

using qt::X11GlobalKeys;

constexpr int kF1 = 0x70;
constexpr int kMarkerId = 10;            // F11
constexpr unsigned kNumLockMask = 0x10;  // Mod2, where Xvfb's keymap puts Num Lock

int VirtualKey(int number) {
  return kF1 + number - 1;
}

class GlobalKeysTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(keys_.registerKey(kMarkerId, VirtualKey(11))); }

  // Presses `keys`, then the marker F11, and returns the ids delivered before the marker:
  // X delivers in order, so a key that was going to arrive has arrived by then.
  std::vector<int> press(std::vector<std::string> keys) {
    keys.push_back("F11");
    PressKeys(Display(), keys);
    EXPECT_TRUE(
        ProcessEventsUntil([&] { return !delivered_.empty() && delivered_.back() == kMarkerId; }));
    std::vector<int> before_marker(delivered_.begin(),
                                   delivered_.end() - (delivered_.empty() ? 0 : 1));
    delivered_.clear();
    return before_marker;
  }

  std::vector<int> delivered_;
  X11GlobalKeys keys_{[this](int id) { delivered_.push_back(id); }};
};

TEST_F(GlobalKeysTest, DeliversEachKeyWithTheIdItWasRegisteredUnder) {
  std::vector<std::string> names;
  std::vector<int> expected;
  for (int number = 1; number <= 10; ++number) {
    const int id = 10 - number;  // ids unrelated to key order, to catch a mix-up
    ASSERT_TRUE(keys_.registerKey(id, VirtualKey(number)));
    names.push_back("F" + std::to_string(number));
    expected.push_back(id);
  }
  EXPECT_EQ(press(names), expected);
}

TEST_F(GlobalKeysTest, ActsWhateverLockKeysAreOn) {
  ASSERT_TRUE(keys_.registerKey(0, VirtualKey(1)));
  const std::vector<std::vector<std::string>> lock_sets = {
      {"Num_Lock"}, {"Caps_Lock"}, {"Num_Lock", "Caps_Lock"}};
  for (const std::vector<std::string>& locks : lock_sets) {
    SCOPED_TRACE(locks.size() == 2 ? "both" : locks[0]);
    PressKeys(Display(), locks);  // on
    EXPECT_EQ(press({"F1"}), std::vector<int>{0});
    PressKeys(Display(), locks);  // off again
  }
}

TEST_F(GlobalKeysTest, IgnoresTheKeyWithAModifier) {
  ASSERT_TRUE(keys_.registerKey(0, VirtualKey(1)));
  EXPECT_EQ(press({"ctrl+F1", "shift+F1", "alt+F1", "super+F1"}), std::vector<int>{});
}

TEST_F(GlobalKeysTest, KeyHeldByAnotherClientIsRefusedAndTriedAgainLater) {
  ForeignClient other(Display());
  ASSERT_TRUE(other.grabFunctionKey(2));

  EXPECT_FALSE(keys_.registerKey(1, VirtualKey(2)));

  // The refused registration keeps none of the lock-key variants it did get.
  ForeignClient third(Display());
  EXPECT_TRUE(third.grabFunctionKey(2, kNumLockMask));
  third.ungrabFunctionKey(2, kNumLockMask);

  other.ungrabFunctionKey(2);
  ASSERT_TRUE(keys_.registerKey(1, VirtualKey(2)));
  EXPECT_EQ(press({"F2"}), std::vector<int>{1});
}

TEST_F(GlobalKeysTest, UnregisteredKeyGoesBackToOtherPrograms) {
  ASSERT_TRUE(keys_.registerKey(2, VirtualKey(3)));
  keys_.unregisterKey(2);

  EXPECT_EQ(press({"F3"}), std::vector<int>{});
  ForeignClient other(Display());
  EXPECT_TRUE(other.grabFunctionKey(3));
  EXPECT_TRUE(other.grabFunctionKey(3, kNumLockMask));
}

TEST(GlobalKeysLifetime, EndingReleasesEveryKey) {
  {
    X11GlobalKeys keys([](int) {});
    for (int number = 1; number <= 11; ++number)
      ASSERT_TRUE(keys.registerKey(number - 1, VirtualKey(number)));
  }
  ForeignClient other(Display());
  for (int number = 1; number <= 11; ++number) {
    EXPECT_TRUE(other.grabFunctionKey(number)) << "F" << number;
    EXPECT_TRUE(other.grabFunctionKey(number, kNumLockMask)) << "F" << number;
  }
}

TEST(GlobalKeysLifetime, RefusesKeysOtherThanF1ToF11) {
  X11GlobalKeys keys([](int) {});
  EXPECT_FALSE(keys.registerKey(0, kF1 - 1));
  EXPECT_FALSE(keys.registerKey(0, VirtualKey(12)));
}

}  // namespace
}  // namespace kelvado::e2e
