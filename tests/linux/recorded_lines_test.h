#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "line_log.h"
#include "unit/wave_fixture.h"

namespace kelvado::test {

// A test run under the line-recorder interposer (LD_PRELOAD, set by CTest), with its own
// log in a fresh working directory and no faked ports until the test names some.
class RecordedLinesTest : public ::testing::Test {
 protected:
  RecordedLinesTest() : log_(dir_.path() + "/lines.log") {
    setenv("KELVADO_LINE_LOG", log_.c_str(), 1);
    unsetenv("KELVADO_FAKE_PORTS");
  }
  ~RecordedLinesTest() override {
    unsetenv("KELVADO_LINE_LOG");
    unsetenv("KELVADO_FAKE_PORTS");
  }

  void SetUp() override {
    ASSERT_NE(std::string(getenv("LD_PRELOAD") ? getenv("LD_PRELOAD") : ""), "")
        << "run under the line recorder (ctest sets LD_PRELOAD)";
  }

  void fakePorts(const std::string& specs) { setenv("KELVADO_FAKE_PORTS", specs.c_str(), 1); }

  // The recorded calls named in `calls`, summarised with the named fields.
  std::vector<std::string> recorded(const std::vector<std::string>& calls,
                                    const std::vector<std::string>& fields) const {
    std::vector<std::string> summaries;
    for (const LineEvent& event : ReadLineLog(log_)) {
      for (const std::string& call : calls) {
        if (event.call == call) summaries.push_back(event.summary(fields));
      }
    }
    return summaries;
  }

  ScopedWorkDir dir_;
  std::string log_;
};

}  // namespace kelvado::test
