#include <gtest/gtest.h>

#include "pulse_daemon.h"

namespace {

// Every test here talks to the private sound server that the CTest fixture started.
class PulseDaemonEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { kelvado::test::UsePulseDaemon(); }
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new PulseDaemonEnvironment);
  return RUN_ALL_TESTS();
}
