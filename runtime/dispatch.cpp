#include "runtime/dispatch.h"

#include <limits>
#include <optional>

namespace rt {
namespace {

constexpr std::int16_t kEscape = 27, kEnter = 13, kBackspace = 8, kTab = 9;

// Decodes the code point at `pos` and moves past it; a malformed sequence yields
// nothing and skips one byte.
std::optional<char32_t> next_code_point(const std::string& text, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  int length = 0;
  char32_t c = 0;
  if (lead < 0x80) {
    length = 1, c = lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, c = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, c = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, c = lead & 0x07;
  } else {
    ++pos;
    return std::nullopt;
  }
  if (pos + length > text.size()) {
    ++pos;
    return std::nullopt;
  }
  for (int i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) {
      ++pos;
      return std::nullopt;
    }
    c = (c << 6) | (byte(pos + i) & 0x3F);
  }
  pos += length;
  return c;
}

std::optional<std::int16_t> key_code_of(NamedKey key) {
  switch (key) {
    case NamedKey::escape: return kEscape;
    case NamedKey::enter: return kEnter;
    case NamedKey::backspace: return kBackspace;
    case NamedKey::tab: return kTab;
    case NamedKey::other: break;
  }
  return std::nullopt;
}

}  // namespace

EventDispatcher::EventDispatcher(const EventProcedures& procedures, const PointerScale& scale,
                                 PictureBox& picture_box)
    : procedures_(procedures), scale_(scale), picture_box_(picture_box) {}

void EventDispatcher::dispatch(const DesktopEvent& event) {
  using Kind = DesktopEvent::Kind;
  switch (event.kind) {
    case Kind::text: typed(event.text); break;
    case Kind::key: key(event.key); break;
    case Kind::button_down: button_down(event); break;
    case Kind::button_up: button_up(event); break;
    case Kind::motion: motion(event); break;
    case Kind::expose: picture_box_.request_repaint(); break;
    case Kind::close: end_program();
  }
}

void EventDispatcher::typed(const std::string& text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const auto c = next_code_point(text, pos);
    // A key code is a signed 16-bit number; characters beyond it have no key code.
    if (c && *c <= static_cast<char32_t>(std::numeric_limits<std::int16_t>::max())) {
      key_press(static_cast<std::int16_t>(*c));
    }
  }
}

void EventDispatcher::key(NamedKey key) {
  if (const auto code = key_code_of(key)) key_press(*code);
}

void EventDispatcher::key_press(std::int16_t code) {
  if (procedures_.key_press) procedures_.key_press(code);
}

// A desktop reports a double-click as press, release, press (clicks 2), release:
// the first release is a click, the second press the double-click, and the
// release after it nothing.
void EventDispatcher::button_down(const DesktopEvent& event) {
  if (event.button != MouseButton::left) return;
  const bool second_press = event.clicks >= 2 && event.clicks % 2 == 0;
  single_press_ = !second_press;
  if (second_press && procedures_.dbl_click) procedures_.dbl_click();
}

void EventDispatcher::button_up(const DesktopEvent& event) {
  if (event.button != MouseButton::left || !single_press_) return;
  single_press_ = false;
  if (procedures_.click) procedures_.click();
}

// Without a button held only movement over the inner area is reported; with one
// held the desktop keeps reporting wherever the pointer goes, and so do we.
void EventDispatcher::motion(const DesktopEvent& event) {
  if (event.buttons == 0 && !over_inner_area(scale_, event.x, event.y)) return;
  if (!procedures_.mouse_move) return;
  std::int16_t button = static_cast<std::int16_t>(event.buttons);
  std::int16_t shift = static_cast<std::int16_t>(event.shift);
  float x = user_x(scale_, event.x);
  float y = user_y(scale_, event.y);
  procedures_.mouse_move(button, shift, x, y);
}

}  // namespace rt
