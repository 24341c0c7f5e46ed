#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "unit/wave_fixture.h"

namespace kelvado {
namespace {

int RunTool(const std::string& arguments) {
  const std::string command =
      std::string(KELVADO_TRIM_TOOL) + " " + arguments + " >out.txt 2>err.txt";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(TrimTool, TrimsWithItsOptionsAndReportsFilesItCannotProcess) {
  test::ScopedWorkDir dir;
  std::vector<int16_t> samples(22050, 0);
  for (size_t i = 5000; i < 6000; ++i) samples[i] = 20000;
  test::WriteWave("F1.wav", samples);
  test::WriteBytes("odd.wav", "RIFF but not a wave");

  EXPECT_EQ(RunTool("-b 100 -e 100 -t 100 F1.wav"), 0);
  EXPECT_EQ(test::ReadSamples("F1.wav").size(), 1000u + 2 * 2200 - 2);

  EXPECT_EQ(RunTool("missing.wav F1.wav"), 1);
  EXPECT_NE(test::ReadBytes("err.txt").find("missing.wav: Cannot open file missing.wav"),
            std::string::npos);
  EXPECT_EQ(RunTool("odd.wav"), 1);
  EXPECT_NE(test::ReadBytes("err.txt").find("left unchanged"), std::string::npos);
  EXPECT_EQ(test::ReadBytes("odd.wav"), "RIFF but not a wave");

  EXPECT_EQ(RunTool("-t 300 F1.wav"), 2);
  EXPECT_EQ(RunTool(""), 2);
}

}  // namespace
}  // namespace kelvado
