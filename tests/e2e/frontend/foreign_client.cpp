#include "foreign_client.h"

#include <cstdlib>
#include <stdexcept>

#include <X11/keysym.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace kelvado::e2e {

struct ForeignClient::Connection {
  xcb_connection_t* xcb = nullptr;
  xcb_window_t root = 0;
  xcb_key_symbols_t* symbols = nullptr;

  xcb_keycode_t functionKey(int number) const {
    xcb_keycode_t* codes =
        xcb_key_symbols_get_keycode(symbols, static_cast<xcb_keysym_t>(XK_F1 + number - 1));
    const xcb_keycode_t code = codes != nullptr ? codes[0] : xcb_keycode_t{0};
    std::free(codes);
    return code;
  }
};

ForeignClient::ForeignClient(const std::string& display)
    : connection_(std::make_unique<Connection>()) {
  connection_->xcb = xcb_connect(display.c_str(), nullptr);
  if (xcb_connection_has_error(connection_->xcb) != 0)
    throw std::runtime_error("cannot connect to " + display);
  connection_->root = xcb_setup_roots_iterator(xcb_get_setup(connection_->xcb)).data->root;
  connection_->symbols = xcb_key_symbols_alloc(connection_->xcb);
}

ForeignClient::~ForeignClient() {
  xcb_key_symbols_free(connection_->symbols);
  xcb_disconnect(connection_->xcb);
}

bool ForeignClient::grabFunctionKey(int number, unsigned modifiers) {
  xcb_generic_error_t* error = xcb_request_check(
      connection_->xcb,
      xcb_grab_key_checked(connection_->xcb, 0, connection_->root, static_cast<uint16_t>(modifiers),
                           connection_->functionKey(number), XCB_GRAB_MODE_ASYNC,
                           XCB_GRAB_MODE_ASYNC));
  std::free(error);
  return error == nullptr;
}

void ForeignClient::ungrabFunctionKey(int number, unsigned modifiers) {
  std::free(xcb_request_check(
      connection_->xcb,
      xcb_ungrab_key_checked(connection_->xcb, connection_->functionKey(number), connection_->root,
                             static_cast<uint16_t>(modifiers))));
}

}  // namespace kelvado::e2e
