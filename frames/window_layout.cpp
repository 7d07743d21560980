#include "frames/window_layout.h"

#include <array>
#include <bit>
#include <string>

#include "frames/stored_pictures.h"

namespace frames {
namespace {

// The picture area's user scale, as single-precision bit patterns.
constexpr float kScaleWidth = std::bit_cast<float>(0x416E1FF3u);   // 14.8828
constexpr float kScaleHeight = std::bit_cast<float>(0x41EEC000u);  // 29.84375

// Image54 down to Image15, then 14, 12, 11, 13, then Image10 down to Image1.
constexpr std::array<int, kFrameCount> kCreationOrder = [] {
  std::array<int, kFrameCount> order{};
  int i = 0;
  for (int n = 54; n >= 15; --n) order[i++] = n;
  for (int n : {14, 12, 11, 13}) order[i++] = n;
  for (int n = 10; n >= 1; --n) order[i++] = n;
  return order;
}();

const std::array<std::string, kFrameCount>& holder_names() {
  static const auto names = [] {
    std::array<std::string, kFrameCount> out;
    for (int i = 0; i < kFrameCount; ++i) out[i] = holder_name(kCreationOrder[i]);
    return out;
  }();
  return names;
}

}  // namespace

const rt::WindowLayout& window_layout() {
  static const std::array<rt::ImageHolderLayout, kFrameCount> holders = [] {
    std::array<rt::ImageHolderLayout, kFrameCount> out{};
    for (int i = 0; i < kFrameCount; ++i) {
      out[i] = {.name = holder_names()[i], .picture = stored_picture(kCreationOrder[i])};
    }
    return out;
  }();
  static const rt::WindowLayout layout{
      .caption = "   morvelin zunmar  zemkotron(ZEMK)Ferrolan  Use: SpaceBar +-*/,. V B N mouse  ",
      .client_width = 8565,
      .client_height = 8490,
      .title_bar = {.control_box = false, .min_button = false, .max_button = false},
      .picture_box = {.name = "Picture1",
                      .width = 8565,
                      .height = 11520,
                      .sunken_border = true,
                      .scale_width = kScaleWidth,
                      .scale_height = kScaleHeight},
      .image_holders = holders,
  };
  return layout;
}

}  // namespace frames
