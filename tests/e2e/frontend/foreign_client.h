#pragma once

#include <memory>
#include <string>

namespace kelvado::e2e {

// Another X client on the display: it holds keys as another program (or another copy of
// the keyer) would.
class ForeignClient {
 public:
  explicit ForeignClient(const std::string& display);
  ~ForeignClient();
  ForeignClient(const ForeignClient&) = delete;
  ForeignClient& operator=(const ForeignClient&) = delete;

  // Grabs function key F`number` on the root window with exactly `modifiers` (an X modifier
  // mask); false when refused.
  bool grabFunctionKey(int number, unsigned modifiers = 0);
  void ungrabFunctionKey(int number, unsigned modifiers = 0);

 private:
  struct Connection;
  std::unique_ptr<Connection> connection_;
};

}  // namespace kelvado::e2e
