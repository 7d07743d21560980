#include <SDL.h>
#include <gtest/gtest.h>

#include <bit>
#include <memory>
#include <ostream>
#include <vector>

#include "frames/stored_pictures.h"
#include "runtime/picture.h"
#include "runtime/sdl/blit.h"

namespace {

struct SurfaceFree {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

constexpr Uint8 kUntouched = 0x5A;  // what the target holds where nothing is drawn

Surface target_of(Uint32 format, int width, int height) {
  Surface target(SDL_CreateRGBSurfaceWithFormat(0, width, height, 0, format));
  if (target) SDL_memset(target->pixels, kUntouched, static_cast<std::size_t>(target->pitch) * height);
  return target;
}

// An intensity at the channel's nearest level, written as SDL's blit writes
// the level: in the intensity's top bits. For a full 8-bit channel, itself.
Uint8 nearest_level(Uint8 intensity, Uint32 mask) {
  const int bits = std::popcount(mask);
  const unsigned full = (1u << bits) - 1;
  return Uint8(((intensity * full + 127) / 255) << (8 - bits));
}

// SDL's own blit of the decoded picture through an 8-bit surface: the reference.
// SDL keeps a colour's top bits where the desktop takes the nearest level, so the
// palette goes in at the levels the target can show.
void sdl_blit(const rt::Picture& picture, SDL_Surface* target, int x, int y, int width, int height) {
  std::vector<std::uint8_t> pixels = picture.pixels();
  const Surface source(SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), picture.width(), picture.height(), 8,
                                                          picture.width(), SDL_PIXELFORMAT_INDEX8));
  ASSERT_TRUE(source) << SDL_GetError();
  SDL_Color colours[256];
  for (int i = 0; i < 256; ++i) {
    const rt::Rgb& c = picture.palette()[i];
    const SDL_PixelFormat& f = *target->format;
    colours[i] = {nearest_level(c.r, f.Rmask), nearest_level(c.g, f.Gmask), nearest_level(c.b, f.Bmask), 255};
  }
  SDL_SetPaletteColors(source->format->palette, colours, 0, 256);
  SDL_Rect from{0, 0, width, height}, to{x, y, 0, 0};
  ASSERT_EQ(SDL_BlitSurface(source.get(), &from, target, &to), 0) << SDL_GetError();
}

// A 5 x 3 picture that sets some pixels only: a delta skips two, and the top row ends early.
rt::PictureRef gappy_picture() {
  rt::Picture::Palette palette{};
  for (int i = 0; i < 256; ++i) palette[i] = {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7)};
  const std::vector<std::uint8_t> codes = {5, 3, 0, 0,                   // bottom row: five 3s
                                           1, 4, 0, 2, 2, 0, 2, 9, 0, 0,  // middle: 4, two unset, 9 9
                                           0, 3, 1, 2, 3, 0, 0, 1};        // top: 1 2 3, then the end
  return std::make_shared<const rt::Picture>(5, 3, codes, palette);
}

rt::PictureRef frame_one() { return rt::decode_stored_picture(frames::stored_picture(1), "Image1"); }

struct Case {
  const char* what;
  rt::PictureRef (*picture)();
  int target_width, target_height;
  int x, y, width, height;  // what blit_picture is asked to draw
};
void PrintTo(const Case& c, std::ostream* out) { *out << c.what; }

const Uint32 kFormats[] = {SDL_PIXELFORMAT_RGB888, SDL_PIXELFORMAT_ARGB8888, SDL_PIXELFORMAT_BGR888,
                           SDL_PIXELFORMAT_RGB565, SDL_PIXELFORMAT_RGB24,    SDL_PIXELFORMAT_BGR24};

class Blit : public testing::TestWithParam<std::tuple<Case, Uint32>> {};

TEST_P(Blit, MatchesSdlsBlitOfTheDecodedPicture) {
  const auto& [c, format] = GetParam();
  const rt::PictureRef picture = c.picture();
  const Surface ours = target_of(format, c.target_width, c.target_height);
  const Surface reference = target_of(format, c.target_width, c.target_height);
  ASSERT_TRUE(ours && reference) << SDL_GetError();

  rt::blit_picture(*picture, rt::pixels_of(ours.get()), c.x, c.y, c.width, c.height);
  sdl_blit(*picture, reference.get(), c.x, c.y, c.width, c.height);

  const std::size_t row_bytes = static_cast<std::size_t>(c.target_width) * ours->format->BytesPerPixel;
  int wrong_rows = 0;
  for (int y = 0; y < c.target_height; ++y) {
    const auto* a = static_cast<const Uint8*>(ours->pixels) + y * ours->pitch;
    const auto* b = static_cast<const Uint8*>(reference->pixels) + y * reference->pitch;
    wrong_rows += SDL_memcmp(a, b, row_bytes) != 0;
  }
  EXPECT_EQ(wrong_rows, 0) << SDL_GetPixelFormatName(format);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, Blit,
    testing::Combine(
        testing::Values(
            Case{"gaps_in_index_0", gappy_picture, 9, 7, 2, 3, 5, 3},
            Case{"cut_to_the_rectangle", gappy_picture, 9, 7, 1, 1, 3, 2},
            Case{"cut_to_the_target", gappy_picture, 4, 3, 1, 1, 5, 3},
            Case{"frame_in_the_window", frame_one, 571, 566, 2, 2, 567, 562},
            Case{"frame_below_the_window", frame_one, 571, 566, 2, 2, 567, 764}),
        testing::ValuesIn(kFormats)),
    [](const testing::TestParamInfo<std::tuple<Case, Uint32>>& info) {
      std::string name = std::string(std::get<0>(info.param).what) + "_" +
                         SDL_GetPixelFormatName(std::get<1>(info.param));
      for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      }
      return name;
    });

TEST(Blit, DrawsNothingOutsideTheTarget) {
  const rt::PictureRef picture = gappy_picture();
  const Surface target = target_of(SDL_PIXELFORMAT_RGB888, 4, 4);
  ASSERT_TRUE(target);
  rt::blit_picture(*picture, rt::pixels_of(target.get()), 4, 0, 5, 3);   // starts at the right edge
  rt::blit_picture(*picture, rt::pixels_of(target.get()), 0, 4, 5, 3);   // starts below the bottom edge
  rt::blit_picture(*picture, rt::pixels_of(target.get()), -1, 0, 5, 3);  // starts left of it
  const auto* bytes = static_cast<const Uint8*>(target->pixels);
  int changed = 0;
  for (int i = 0; i < target->pitch * target->h; ++i) changed += bytes[i] != kUntouched;
  EXPECT_EQ(changed, 0);
}

// Pixel values of the X visuals SDL has no format for, and of a common one: each
// channel at its nearest level, full intensity full at any width.
TEST(ChannelMasks, EachChannelTakesItsNearestLevel) {
  struct Row {
    rt::ChannelMasks masks;
    rt::Rgb colour;
    std::uint32_t value;
  };
  const rt::ChannelMasks ten_bits{.red = 0x3ff00000, .green = 0xffc00, .blue = 0x3ff};
  const rt::ChannelMasks three_three_two{.red = 0x7, .green = 0x38, .blue = 0xc0};
  const rt::ChannelMasks rgb565{.red = 0xf800, .green = 0x7e0, .blue = 0x1f};
  const Row rows[] = {
      {ten_bits, {255, 255, 255}, 0x3fffffff},
      {ten_bits, {255, 128, 0}, 0x3ff00000 | 514u << 10},
      {ten_bits, {192, 192, 192}, 770u << 20 | 770u << 10 | 770u},
      {three_three_two, {255, 0, 255}, 0x7 | 0xc0},
      {three_three_two, {192, 192, 192}, 5 | 5 << 3 | 2 << 6},  // 182, 182, 170
      {rgb565, {192, 192, 192}, 23u << 11 | 47u << 5 | 23u},
      {{.red = 0xff0000, .green = 0xff00, .blue = 0xff, .opaque = 0xff000000}, {1, 2, 3}, 0xff010203},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(row.masks.value(row.colour), row.value) << std::hex << row.masks.red << " " << int(row.colour.r);
  }
}

}  // namespace
