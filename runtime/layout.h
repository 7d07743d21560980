#pragma once
// A window class's built-in layout: the window, its one picture area and the image
// holders inside it. Lengths are in twips (1/1440 inch); the runtime builds the
// window at kTwipsPerPixel.
//
// What every desktop assumes rather than reads: the window has a fixed single
// border, so the user cannot resize it, and it opens centred on the screen; the
// picture area is the only control that takes the keyboard focus; the image
// holders are never shown, so only their pictures matter.

#include <cstdint>
#include <span>
#include <string_view>

namespace rt {

inline constexpr int kTwipsPerPixel = 15;

struct ImageHolderLayout {
  std::string_view name{};
  std::span<const std::uint8_t> picture{};  // stored picture value
};

struct PictureBoxLayout {
  std::string_view name{};
  int left = 0, top = 0, width = 0, height = 0;  // outer size, within the client area
  bool sunken_border = false;                    // fixed single border, 3-D look: 2 pixels
  float scale_left = 0, scale_top = 0;           // user scale over the inner area
  float scale_width = 0, scale_height = 0;
};

// The title bar's controls besides the caption; a close from the window manager
// ends the program whatever they say.
struct TitleBarControls {
  bool control_box = true;  // the window menu and the close button
  bool min_button = true;
  bool max_button = true;
};

struct WindowLayout {
  std::string_view caption{};
  int client_width = 0, client_height = 0;
  TitleBarControls title_bar{};
  PictureBoxLayout picture_box{};
  std::span<const ImageHolderLayout> image_holders{};  // in creation order
};

}  // namespace rt
