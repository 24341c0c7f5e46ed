#pragma once

#include <map>
#include <string>
#include <vector>

namespace kelvado::test {

// One call recorded by the line-recorder interposer (see interposer/line_recorder.c).
struct LineEvent {
  double time = 0;  // CLOCK_MONOTONIC seconds, the clock of std::chrono::steady_clock
  int pid = 0;
  std::string call;  // "open", "close", "TIOCMBIS", "PPWDATA", "ioperm", ...
  std::map<std::string, std::string> fields;

  std::string field(const std::string& name) const;
  // "TIOCMBIS bits=DTR result=0 DTR=1 RTS=1": the call and the named fields, in that order.
  std::string summary(const std::vector<std::string>& names) const;
};

// The events logged so far; none when the file does not exist.
std::vector<LineEvent> ReadLineLog(const std::string& path);

}  // namespace kelvado::test
