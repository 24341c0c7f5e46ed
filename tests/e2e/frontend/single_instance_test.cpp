#include <gtest/gtest.h>
#include <csignal>

#include "frontend_session.h"
#include "single_instance.h"
#include "support/child_process.h"
#include "support/polling.h"

namespace kelvado::e2e {
namespace {

using qt::SingleInstance;

TEST(SingleInstance, SecondCopyIsRefusedUntilTheFirstEnds) {
  const QString lock = QString::fromStdString(Scratch() / "kelvado.lock");
  auto first = std::make_unique<SingleInstance>(lock);
  EXPECT_TRUE(first->claimed());
  EXPECT_FALSE(SingleInstance(lock).claimed());
  first.reset();
  EXPECT_TRUE(SingleInstance(lock).claimed());
}

TEST(SingleInstance, CopyThatWasKilledHoldsNothing) {
  const std::string lock = Scratch() / "kelvado.lock";
  ChildProcess holder({"flock", lock, "sleep", "600"});
  ASSERT_TRUE(WaitUntil([&] { return !SingleInstance(QString::fromStdString(lock)).claimed(); }));
  holder.stop(SIGKILL);
  EXPECT_TRUE(SingleInstance(QString::fromStdString(lock)).claimed());
}

TEST(SingleInstance, LockLivesInTheRuntimeDirectory) {
  EXPECT_EQ(SingleInstance::DefaultLockPath().toStdString(), Scratch() / "kelvado.lock");
}

}  // namespace
}  // namespace kelvado::e2e
