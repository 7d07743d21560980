#pragma once
// A window class's built-in layout: the window, its one picture area and the image
// holders inside it. Lengths are in twips (1/1440 inch); the runtime builds the
// window at kTwipsPerPixel.

#include <cstdint>
#include <span>
#include <string_view>

namespace rt {

inline constexpr int kTwipsPerPixel = 15;

struct ImageHolderLayout {
  std::string_view name{};
  int left = 0, top = 0, width = 0, height = 0;  // within the picture area's inner area
  bool visible = false;
  std::span<const std::uint8_t> picture{};         // stored picture value
};

struct PictureBoxLayout {
  std::string_view name{};
  int left = 0, top = 0, width = 0, height = 0;  // outer size, within the client area
  bool sunken_border = false;                    // fixed single border, 3-D look: 2 pixels
  float scale_left = 0, scale_top = 0;           // user scale over the inner area
  float scale_width = 0, scale_height = 0;
  int tab_index = 0;
};

struct WindowLayout {
  std::string_view class_name{};
  std::string_view caption{};
  int client_width = 0, client_height = 0;
  bool fixed_border = false;  // the user cannot resize the window
  bool centred = false;       // centred on the screen when first shown
  bool control_box = true, min_button = true, max_button = true;
  PictureBoxLayout picture_box{};
  std::span<const ImageHolderLayout> image_holders{};  // in creation order
};

}  // namespace rt
