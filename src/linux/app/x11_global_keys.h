#pragma once

#include <functional>
#include <memory>

namespace kelvado::qt {

// System-wide function keys on X11: passive grabs on the root window, so a key acts
// whichever application has the focus and does not reach it. The X headers stay in the
// .cpp, as their macros clash with Qt's and GoogleTest's names.
class X11GlobalKeys {
 public:
  using Handler = std::function<void(int id)>;

  // `on_hot_key` gets the id of each registered key pressed, on the GUI thread.
  explicit X11GlobalKeys(Handler on_hot_key);
  ~X11GlobalKeys();
  X11GlobalKeys(const X11GlobalKeys&) = delete;
  X11GlobalKeys& operator=(const X11GlobalKeys&) = delete;

  // Claims the function key `virtual_key` (0x70 F1 .. 0x7A F11) without modifiers, whatever
  // the state of the lock keys. False, and nothing held, when another client holds the key
  // or the display is no X11 one. An id registered again first lets go of its old key.
  bool registerKey(int id, int virtual_key);
  void unregisterKey(int id);

 private:
  class Grabs;
  std::unique_ptr<Grabs> grabs_;
};

}  // namespace kelvado::qt
