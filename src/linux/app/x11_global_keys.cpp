#include "x11_global_keys.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>
#include <vector>

#include <X11/keysym.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace kelvado::qt {
namespace {

constexpr int kVirtualKeyF1 = 0x70;
constexpr int kVirtualKeyF11 = 0x7A;
// Only the eight modifier bits; pointer buttons and the keyboard group do not count.
constexpr uint16_t kModifierBits = 0xFF;

std::optional<xcb_keysym_t> FunctionKeySym(int virtual_key) {
  if (virtual_key < kVirtualKeyF1 || virtual_key > kVirtualKeyF11) return std::nullopt;
  return static_cast<xcb_keysym_t>(XK_F1 + (virtual_key - kVirtualKeyF1));
}

std::vector<xcb_keycode_t> KeycodesOf(xcb_key_symbols_t* symbols, xcb_keysym_t keysym) {
  std::vector<xcb_keycode_t> result;
  xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
  for (xcb_keycode_t* code = codes; code != nullptr && *code != XCB_NO_SYMBOL; ++code)
    result.push_back(*code);
  std::free(codes);
  return result;
}

// The modifier bit that a lock key (Num Lock, Scroll Lock) is mapped to, 0 when none.
uint16_t ModifierOf(xcb_connection_t* connection, xcb_key_symbols_t* symbols, xcb_keysym_t keysym) {
  const std::vector<xcb_keycode_t> lock_codes = KeycodesOf(symbols, keysym);
  xcb_get_modifier_mapping_reply_t* mapping =
      xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr);
  if (mapping == nullptr) return 0;
  const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(mapping);
  const int per_modifier = mapping->keycodes_per_modifier;
  uint16_t mask = 0;
  for (int modifier = 0; modifier < 8 && mask == 0; ++modifier) {
    for (int i = 0; i < per_modifier; ++i) {
      const xcb_keycode_t code = codes[modifier * per_modifier + i];
      if (code != 0 && std::ranges::count(lock_codes, code) > 0) {
        mask = static_cast<uint16_t>(1u << modifier);
        break;
      }
    }
  }
  std::free(mapping);
  return mask;
}

// Every combination of the lock modifiers, the empty one included: a grab matches only
// its exact modifier state, so each needs a grab of its own.
std::vector<uint16_t> LockCombinations(uint16_t locks) {
  std::vector<uint16_t> combinations{0};
  for (uint16_t bit = 1; bit != 0 && bit <= locks; bit = static_cast<uint16_t>(bit << 1)) {
    if ((locks & bit) == 0) continue;
    const std::size_t count = combinations.size();
    for (std::size_t i = 0; i < count; ++i)
      combinations.push_back(static_cast<uint16_t>(combinations[i] | bit));
  }
  return combinations;
}

}  // namespace

class X11GlobalKeys::Grabs : public QAbstractNativeEventFilter {
 public:
  explicit Grabs(Handler on_hot_key) : on_hot_key_(std::move(on_hot_key)) {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    if (x11 == nullptr) return;
    connection_ = x11->connection();
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    symbols_ = xcb_key_symbols_alloc(connection_);
    locks_ =
        static_cast<uint16_t>(XCB_MOD_MASK_LOCK | ModifierOf(connection_, symbols_, XK_Num_Lock) |
                              ModifierOf(connection_, symbols_, XK_Scroll_Lock));
    qGuiApp->installNativeEventFilter(this);
  }

  ~Grabs() override {
    if (connection_ == nullptr) return;
    qGuiApp->removeNativeEventFilter(this);
    while (!keys_.empty()) release(keys_.begin()->first);
    xcb_flush(connection_);
    xcb_key_symbols_free(symbols_);
  }

  Grabs(const Grabs&) = delete;
  Grabs& operator=(const Grabs&) = delete;

  bool claim(int id, int virtual_key) {
    release(id);
    const std::optional<xcb_keysym_t> keysym = FunctionKeySym(virtual_key);
    if (connection_ == nullptr || !keysym) return false;
    const std::vector<xcb_keycode_t> keycodes = KeycodesOf(symbols_, *keysym);
    if (keycodes.empty()) return false;

    // Send every grab, then collect the replies: X reports a refusal (BadAccess) only
    // after the fact, and one round trip covers them all.
    std::vector<xcb_void_cookie_t> cookies;
    for (xcb_keycode_t keycode : keycodes)
      for (uint16_t locks : LockCombinations(locks_))
        cookies.push_back(xcb_grab_key_checked(connection_, 0, root_, locks, keycode,
                                               XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    bool refused = false;
    for (xcb_void_cookie_t cookie : cookies) {
      if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
        refused = true;
        std::free(error);
      }
    }
    keys_[id] = keycodes;
    if (!refused) return true;
    release(id);  // ungrabbing what another client holds leaves its grabs alone
    return false;
  }

  void release(int id) {
    const auto key = keys_.find(id);
    if (key == keys_.end()) return;
    for (xcb_keycode_t keycode : key->second)
      for (uint16_t locks : LockCombinations(locks_))
        xcb_ungrab_key(connection_, keycode, root_, locks);
    xcb_flush(connection_);
    keys_.erase(key);
  }

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_KEY_PRESS) return false;
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    if ((press->state & kModifierBits & ~locks_) != 0) return false;
    const auto key = std::ranges::find_if(keys_, [&](const auto& entry) {
      return std::ranges::count(entry.second, press->detail) > 0;
    });
    if (key == keys_.end()) return false;
    // The handler may let go of keys (the on/off switch does), so the lookup ends first.
    const int id = key->first;
    on_hot_key_(id);
    return true;
  }

 private:
  Handler on_hot_key_;
  xcb_connection_t* connection_ = nullptr;
  xcb_window_t root_ = 0;
  xcb_key_symbols_t* symbols_ = nullptr;
  uint16_t locks_ = 0;
  std::map<int, std::vector<xcb_keycode_t>> keys_;
};

X11GlobalKeys::X11GlobalKeys(Handler on_hot_key)
    : grabs_(std::make_unique<Grabs>(std::move(on_hot_key))) {}

X11GlobalKeys::~X11GlobalKeys() = default;

bool X11GlobalKeys::registerKey(int id, int virtual_key) {
  return grabs_->claim(id, virtual_key);
}

void X11GlobalKeys::unregisterKey(int id) {
  grabs_->release(id);
}

}  // namespace kelvado::qt
