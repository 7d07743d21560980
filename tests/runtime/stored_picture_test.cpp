#include <gtest/gtest.h>

#include <ostream>

#include <functional>

#include "runtime/errors.h"
#include "runtime/picture.h"
#include "tests/runtime/tiny_bitmap.h"

namespace {

using rt_test::put_u16;
using rt_test::put_u32;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kFile = rt_test::kFramingBytes;

std::string decode_error(const Bytes& value) {
  try {
    rt::decode_stored_picture(value, "Image7");
  } catch (const rt::RuntimeError& e) {
    EXPECT_EQ(e.number(), rt::ErrorNumber::invalid_picture);
    return e.what();
  }
  return "(decoded)";
}

TEST(StoredPicture, DecodesTheTinyBitmapTopDownWithItsPalette) {
  const rt::PictureRef picture = rt::decode_stored_picture(rt_test::tiny_picture_value(), "Image1");
  ASSERT_EQ(picture->width(), rt_test::kTinyWidth);
  ASSERT_EQ(picture->height(), rt_test::kTinyHeight);
  EXPECT_EQ(picture->pixels(), (Bytes{1, 1, 2, 3, 5, 5, 5, 5}));
  EXPECT_TRUE(picture->covers_every_pixel());
  EXPECT_EQ(picture->palette()[0], (rt::Rgb{0, 255, 0}));
  EXPECT_EQ(picture->palette()[200], (rt::Rgb{200, 55, 100}));
  EXPECT_EQ(picture->palette()[255], (rt::Rgb{255, 0, 127}));
}

// Replaces the RLE stream and fixes every size field around it.
Bytes with_stream(const Bytes& stream) {
  Bytes file = rt_test::tiny_bitmap();
  file.resize(54 + 256 * 4);
  file.insert(file.end(), stream.begin(), stream.end());
  put_u32(file, 2, static_cast<std::uint32_t>(file.size()));
  put_u32(file, 34, static_cast<std::uint32_t>(stream.size()));
  return rt_test::picture_value(file);
}

struct Malformed {
  const char* what;
  std::function<void(Bytes&)> spoil;
  const char* message;
};
// Test names and failure messages show the case by its name.
void PrintTo(const Malformed& c, std::ostream* out) { *out << c.what; }

class MalformedPicture : public testing::TestWithParam<Malformed> {};

TEST_P(MalformedPicture, RaisesInvalidPictureNamingHolderAndFault) {
  Bytes value = rt_test::tiny_picture_value();
  GetParam().spoil(value);
  EXPECT_EQ(decode_error(value), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, MalformedPicture,
    testing::Values(
        Malformed{"short", [](Bytes& v) { v.resize(11); }, "Image7: picture value is too short"},
        Malformed{"size_field", [](Bytes& v) { put_u32(v, 0, static_cast<std::uint32_t>(v.size() - 3)); },
                  "Image7: picture value has the wrong size field"},
        Malformed{"tag", [](Bytes& v) { v[5] = 'T'; }, "Image7: picture value has the wrong stream tag"},
        Malformed{"tag_padding", [](Bytes& v) { v[7] = 1; }, "Image7: picture value has the wrong stream tag"},
        Malformed{"length_field", [](Bytes& v) { put_u32(v, 8, static_cast<std::uint32_t>(v.size() - 13)); },
                  "Image7: picture value has the wrong length field"},
        Malformed{"too_short_for_headers",
                  [](Bytes& v) {
                    v.resize(kFile + 30);
                    put_u32(v, 0, 38), put_u32(v, 8, 30);
                  },
                  "Image7: bitmap is too short for its headers"},
        Malformed{"signature", [](Bytes& v) { v[kFile + 1] = 'A'; }, "Image7: bitmap has no BM signature"},
        Malformed{"file_size", [](Bytes& v) { put_u32(v, kFile + 2, 99); }, "Image7: bitmap has the wrong file size"},
        Malformed{"info_header", [](Bytes& v) { put_u32(v, kFile + 14, 12); },
                  "Image7: bitmap has the wrong information header size"},
        Malformed{"zero_width", [](Bytes& v) { put_u32(v, kFile + 18, 0); },
                  "Image7: bitmap width and height must be positive"},
        Malformed{"top_down", [](Bytes& v) { put_u32(v, kFile + 22, static_cast<std::uint32_t>(-2)); },
                  "Image7: bitmap width and height must be positive"},
        Malformed{"huge", [](Bytes& v) { put_u32(v, kFile + 18, 1u << 30); }, "Image7: bitmap is too large"},
        Malformed{"planes", [](Bytes& v) { put_u16(v, kFile + 26, 2); }, "Image7: bitmap has the wrong number of planes"},
        Malformed{"four_bit", [](Bytes& v) { put_u16(v, kFile + 28, 4); }, "Image7: bitmap is not 8 bits per pixel"},
        Malformed{"uncompressed", [](Bytes& v) { put_u32(v, kFile + 30, 0); }, "Image7: bitmap is not RLE8 compressed"},
        Malformed{"colours", [](Bytes& v) { put_u32(v, kFile + 46, 257); }, "Image7: bitmap has more than 256 colours"},
        Malformed{"offset_into_palette", [](Bytes& v) { put_u32(v, kFile + 10, 54); },
                  "Image7: bitmap has a bad pixel data offset"},
        Malformed{"offset_past_end", [](Bytes& v) { put_u32(v, kFile + 10, static_cast<std::uint32_t>(v.size())); },
                  "Image7: bitmap has a bad pixel data offset"}),
    [](const testing::TestParamInfo<Malformed>& info) { return std::string(info.param.what); });

// Pixel data of the tiny 4 x 2 picture and what it decodes to, rows from the top.
struct Stream {
  const char* what;
  Bytes codes;
  Bytes pixels;
  bool covers_every_pixel;
};
void PrintTo(const Stream& c, std::ostream* out) { *out << c.what; }

class PixelData : public testing::TestWithParam<Stream> {};

TEST_P(PixelData, DecodesToItsPixels) {
  const rt::PictureRef picture = rt::decode_stored_picture(with_stream(GetParam().codes), "Image7");
  EXPECT_EQ(picture->pixels(), GetParam().pixels);
  EXPECT_EQ(picture->covers_every_pixel(), GetParam().covers_every_pixel);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, PixelData,
    testing::Values(
        Stream{"odd_literal_with_its_pad", {0, 3, 7, 8, 9, 0, 1, 4, 0, 0, 4, 2, 0, 1}, {2, 2, 2, 2, 7, 8, 9, 4}, true},
        Stream{"long_runs_and_end_of_row_after_the_top_row", {4, 1, 0, 0, 4, 2, 0, 0, 0, 1}, {2, 2, 2, 2, 1, 1, 1, 1}, true},
        Stream{"delta_leaves_index_0", {0, 2, 1, 1, 1, 9, 0, 1}, {0, 9, 0, 0, 0, 0, 0, 0}, false},
        Stream{"end_of_row_before_the_row_is_full", {2, 5, 0, 0, 0, 1}, {0, 0, 0, 0, 5, 5, 0, 0}, false},
        Stream{"end_of_bitmap_before_the_top_row", {4, 6, 0, 1}, {0, 0, 0, 0, 6, 6, 6, 6}, false}),
    [](const testing::TestParamInfo<Stream>& info) { return std::string(info.param.what); });

class BadPixelData : public testing::TestWithParam<Malformed> {};

TEST_P(BadPixelData, RaisesInvalidPictureNamingHolderAndFault) {
  Bytes value;
  GetParam().spoil(value);
  EXPECT_EQ(decode_error(value), GetParam().message);
}

constexpr const char* kEndsEarly = "Image7: bitmap pixel data ends before its end code";
constexpr const char* kOutside = "Image7: bitmap pixel data runs outside the picture";
Malformed bad(const char* what, Bytes codes, const char* message) {
  return {what, [codes](Bytes& v) { v = with_stream(codes); }, message};
}

INSTANTIATE_TEST_SUITE_P(
    Codes, BadPixelData,
    testing::Values(bad("half_a_code", {0}, kEndsEarly),
                    bad("run_without_its_index", {4, 5, 0, 0, 2}, kEndsEarly),
                    bad("no_end_code", {4, 5, 0, 0, 4, 1}, kEndsEarly),
                    bad("literal_cut_short", {0, 4, 1, 2}, kEndsEarly),
                    bad("literal_without_its_pad", {0, 3, 1, 2, 3}, kEndsEarly),
                    bad("delta_without_its_offsets", {0, 2, 1}, kEndsEarly),
                    bad("run_past_the_row", {5, 1, 0, 1}, kOutside),
                    bad("literal_past_the_row", {2, 1, 0, 4, 1, 2, 3, 4, 0, 1}, kOutside),
                    bad("row_above_the_top", {4, 5, 0, 0, 4, 1, 0, 0, 1, 1, 0, 1}, kOutside),
                    bad("delta_past_the_row", {1, 1, 0, 2, 4, 0, 0, 1}, kOutside),
                    bad("delta_above_the_top", {0, 2, 0, 3, 0, 1}, kOutside)),
    [](const testing::TestParamInfo<Malformed>& info) { return std::string(info.param.what); });

// Every prefix of a valid value is refused cleanly; under the address sanitizer
// this also shows that no check reads past the bytes it was given.
TEST(StoredPicture, EveryTruncationIsRefused) {
  const Bytes value = rt_test::tiny_picture_value();
  for (std::size_t n = 0; n < value.size(); ++n) {
    const Bytes prefix(value.begin(), value.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_THROW(rt::decode_stored_picture(prefix, "Image7"), rt::RuntimeError) << "length " << n;
  }
}

}  // namespace
