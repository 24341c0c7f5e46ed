#include "shell/hot_keys.h"

namespace kelvado {

void HotKeys::registerItem(int id) {
  Item& item = items_[static_cast<size_t>(id)];
  if (!item.registered) item.registered = ui_.registerHotKey(id, VirtualKey(id));
}

void HotKeys::unregisterItem(int id) {
  Item& item = items_[static_cast<size_t>(id)];
  if (!item.registered) return;
  ui_.unregisterHotKey(id);
  item.registered = false;
}

void HotKeys::registerAll() {
  for (int id = 0; id < kHotKeyCount; ++id) {
    if (enabled(id)) registerItem(id);
  }
}

void HotKeys::setEnabled(int id, bool enabled) {
  Item& item = items_[static_cast<size_t>(id)];
  if (item.enabled == enabled) return;
  item.enabled = enabled;
  if (enabled) {
    registerItem(id);
  } else {
    unregisterItem(id);
  }
}

void HotKeys::releaseAll() {
  for (int id = 0; id < kHotKeyCount; ++id) {
    unregisterItem(id);
    items_[static_cast<size_t>(id)].enabled = false;
  }
}

}  // namespace kelvado
