#include "phrases/silence_trimmer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/error.h"
#include "unit/wave_fixture.h"

namespace kelvado {
namespace {

using test::ReadBytes;
using test::ReadSamples;
using test::WriteWave;

namespace fs = std::filesystem;

constexpr int64_t kThreshold = 500;
constexpr int16_t kLoud = 1000;

// `quiet_before` quiet samples, `loud` loud ones, `quiet_after` quiet ones.
std::vector<int16_t> Passage(size_t quiet_before, size_t loud, size_t quiet_after) {
  std::vector<int16_t> s(quiet_before, 10);
  s.insert(s.end(), loud, kLoud);
  s.insert(s.end(), quiet_after, -10);
  return s;
}

// Samples first..last, numbered from 1 as the trimmer numbers them.
std::vector<int16_t> Samples(const std::vector<int16_t>& all, size_t first, size_t last) {
  return {all.begin() + static_cast<ptrdiff_t>(first - 1),
          all.begin() + static_cast<ptrdiff_t>(last)};
}

class TrimSilenceTest : public ::testing::Test {
 protected:
  test::ScopedWorkDir dir_;
};

TEST_F(TrimSilenceTest, KeepsMarginsAroundTheLoudSpanAndFixesTheHeader) {
  // Loud samples 101..150 of 250; margins of 1 ms (22 samples) each.
  const auto original = Passage(100, 50, 100);
  WriteWave("F1.wav", original);
  EXPECT_EQ(TrimSilence("F1.wav", 1, 1, kThreshold), TrimResult::Trimmed);
  // Start 101 - 22 = 79 and End 150 + 22 = 172: the copy is samples 80..171, so 21 quiet
  // samples (22 x B - 1) on each side.
  EXPECT_EQ(ReadSamples("F1.wav"), Samples(original, 80, 171));
  const std::string bytes = ReadBytes("F1.wav");
  EXPECT_EQ(bytes.size(), 44u + 2 * 92);
  EXPECT_EQ(test::Le32At(bytes, 4), bytes.size() - 8);
  EXPECT_EQ(test::Le32At(bytes, 40), bytes.size() - 44);
  EXPECT_FALSE(fs::exists(kTrimTempFile));
}

TEST_F(TrimSilenceTest, MarginsThatDoNotFitAreNotAdded) {
  // First loud sample 10 lies within 22 samples of the start; the last loud one (89) so
  // near the end that 2 x End + 44 x E is not below the data length.
  const auto original = Passage(9, 80, 20);
  WriteWave("F1.wav", original);
  EXPECT_EQ(TrimSilence("F1.wav", 1, 1, kThreshold), TrimResult::Trimmed);
  EXPECT_EQ(ReadSamples("F1.wav"), Samples(original, 11, 88));
}

TEST_F(TrimSilenceTest, OnlyPositiveSamplesAboveTheThresholdAreLoud) {
  auto samples = Passage(100, 50, 100);
  samples[20] = kThreshold;  // equal: quiet
  samples[30] = -30000;      // large but negative: quiet
  samples[230] = kThreshold;
  samples[240] = -32768;
  samples.back() = kLoud;  // the last sample is never scanned
  WriteWave("F1.wav", samples);
  TrimSilence("F1.wav", 1, 1, kThreshold);
  EXPECT_EQ(ReadSamples("F1.wav"), Samples(samples, 80, 171));
}

TEST_F(TrimSilenceTest, OneSecondOfSamplesIsScannedByTheTailAlone) {
  // 22050 samples: no whole block is read; the tail scans all but the last sample.
  std::vector<int16_t> samples(22050, 0);
  for (size_t k = 5001; k <= 6000; ++k) samples[k - 1] = kLoud;
  samples[22049] = kLoud;
  WriteWave("F1.wav", samples);
  TrimSilence("F1.wav", 100, 100, kThreshold);
  EXPECT_EQ(ReadSamples("F1.wav"), Samples(samples, 5001 - 2200 + 1, 6000 + 2200 - 1));
}

TEST_F(TrimSilenceTest, SpansCrossingBlocksAreFoundInLongRecordings) {
  // Three seconds and a bit: two whole blocks, then the tail.
  std::vector<int16_t> samples(3 * 22050 + 777, 0);
  for (size_t k = 22000; k <= 50000; ++k) samples[k - 1] = kLoud;
  WriteWave("F1.wav", samples);
  TrimSilence("F1.wav", 200, 200, kThreshold);
  EXPECT_EQ(ReadSamples("F1.wav"), Samples(samples, 22000 - 4400 + 1, 50000 + 4400 - 1));
}

TEST_F(TrimSilenceTest, LeavesTheFileAsRecordedWhenThereIsNothingToTrim) {
  struct Case {
    const char* what;
    std::vector<int16_t> samples;
  } cases[] = {
      {"silence", std::vector<int16_t>(5000, 0)},
      {"one loud sample", Passage(100, 1, 100)},
      {"span not longer than both margins", Passage(100, 20, 100)},
      {"header only", {}},
  };
  for (const Case& c : cases) {
    WriteWave("F1.wav", c.samples);
    const std::string before = ReadBytes("F1.wav");
    test::WriteBytes(kTrimTempFile, "left over from an earlier run");
    EXPECT_EQ(TrimSilence("F1.wav", 1, 1, kThreshold), TrimResult::NothingToTrim) << c.what;
    EXPECT_EQ(ReadBytes("F1.wav"), before) << c.what;
    EXPECT_FALSE(fs::exists(kTrimTempFile)) << c.what;
  }
}

TEST_F(TrimSilenceTest, LeavesFilesOfAnotherLayoutUntouched) {
  WriteWave("F1.wav", Passage(100, 50, 100));
  std::string stereo = ReadBytes("F1.wav");
  stereo[22] = 2;  // two channels
  test::WriteBytes("F1.wav", stereo);
  EXPECT_EQ(TrimSilence("F1.wav", 1, 1, kThreshold), TrimResult::UnsupportedFormat);
  EXPECT_EQ(ReadBytes("F1.wav"), stereo);
  test::WriteBytes("F2.wav", "RIFF");
  EXPECT_EQ(TrimSilence("F2.wav", 1, 1, kThreshold), TrimResult::UnsupportedFormat);
  EXPECT_EQ(ReadBytes("F2.wav"), "RIFF");
}

TEST_F(TrimSilenceTest, ReportsFilesItCannotOpenOrCreate) {
  try {
    TrimSilence("F3.wav", 1, 1, kThreshold);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Cannot open file F3.wav");
  }
  WriteWave("F1.wav", Passage(100, 50, 100));
  const std::string before = ReadBytes("F1.wav");
  fs::create_directory(kTrimTempFile);  // cannot be created as a file
  try {
    TrimSilence("F1.wav", 1, 1, kThreshold);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Cannot create file ~temp.wav");
  }
  EXPECT_EQ(ReadBytes("F1.wav"), before);
}

TEST_F(TrimSilenceTest, WorksBesideAFileInAnotherFolder) {
  fs::create_directory("phrases");
  const auto original = Passage(100, 50, 100);
  WriteWave("phrases/F1.wav", original);
  EXPECT_EQ(TrimSilence("phrases/F1.wav", 1, 1, kThreshold), TrimResult::Trimmed);
  EXPECT_EQ(ReadSamples("phrases/F1.wav"), Samples(original, 80, 171));
  EXPECT_FALSE(fs::exists("phrases/~temp.wav"));
}

}  // namespace
}  // namespace kelvado
