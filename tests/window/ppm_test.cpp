// The screenshot reader: pixels land where they belong, and a damaged image is
// refused rather than read past its end.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "tests/window/ppm.h"

namespace {

using namespace std::string_literals;

TEST(PpmReader, ReadsPixelsRowByRowPastAHeaderComment) {
  const std::string data = "P6\n# made by a tool\n3 2\n255\n"s +
                           "\x01\x02\x03" "\x04\x05\x06" "\x07\x08\x09"
                           "\xff\x00\x80" "\x00\x00\x00" "\x0a\x0b\x0c"s;
  const xtest::RgbImage image = xtest::parse_ppm(data);
  ASSERT_EQ(3, image.width);
  ASSERT_EQ(2, image.height);
  EXPECT_EQ((xtest::Rgb{4, 5, 6}), image.at(1, 0));
  EXPECT_EQ((xtest::Rgb{255, 0, 128}), image.at(0, 1));
  EXPECT_EQ((xtest::Rgb{10, 11, 12}), image.at(2, 1));
}

TEST(PpmReader, RefusesWhatItCannotReadWhole) {
  const std::string cases[] = {
      "P3\n1 1\n255\n1 2 3\n",         // text PPM
      "P6\n2 1\n255\n\x01\x02\x03"s,   // pixel data cut short
      "P6\n1 1\n65535\n\x01\x02\x03"s, // two bytes a sample
      "P6\n1\n",                       // header cut short
      "P6\n1 1\n255",                  // no blank before the pixels
  };
  for (const std::string& data : cases) {
    SCOPED_TRACE(data);
    EXPECT_THROW(xtest::parse_ppm(data), std::runtime_error);
  }
}

}  // namespace
