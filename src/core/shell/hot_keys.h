#pragma once

#include <array>

#include "shell/shell_ui.h"

namespace kelvado {

inline constexpr int kHotKeyCount = 11;
inline constexpr int kVirtualKeyF1 = 0x70;

// The eleven global keys F1..F11, item n holding F(n+1). An enabled item is registered with
// the system; a refused registration is silent and tried again when the item is enabled.
class HotKeys {
 public:
  explicit HotKeys(ShellUi& ui) : ui_(ui) {}

  // Once the main window exists: registers every enabled item.
  void registerAll();
  void setEnabled(int id, bool enabled);
  // When the main window is destroyed: every registered item is released and left disabled.
  void releaseAll();

  bool enabled(int id) const { return items_[static_cast<size_t>(id)].enabled; }
  bool registered(int id) const { return items_[static_cast<size_t>(id)].registered; }
  static int VirtualKey(int id) { return kVirtualKeyF1 + id; }

 private:
  struct Item {
    bool enabled = true;
    bool registered = false;
  };
  void registerItem(int id);
  void unregisterItem(int id);

  ShellUi& ui_;
  std::array<Item, kHotKeyCount> items_{};
};

}  // namespace kelvado
