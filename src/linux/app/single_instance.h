#pragma once

#include <QString>

namespace kelvado::qt {

// Keeps a second copy of the keyer from starting for the same user: both would fight over
// the global keys, the sound card and the PTT port. An advisory lock on a file in the
// runtime directory, which the system drops when the holder ends, however it ends.
class SingleInstance {
 public:
  explicit SingleInstance(const QString& lock_path = DefaultLockPath());
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // False when another copy holds the lock.
  bool claimed() const { return claimed_; }

  static QString DefaultLockPath();

 private:
  int descriptor_ = -1;
  bool claimed_ = false;
};

}  // namespace kelvado::qt
