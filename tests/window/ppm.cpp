#include "tests/window/ppm.h"

#include <cctype>
#include <stdexcept>
#include <string>

namespace xtest {
namespace {

// The header's fields are separated by whitespace, with '#' comments to the end
// of a line; exactly one whitespace byte follows the last field.
class HeaderReader {
 public:
  explicit HeaderReader(std::string_view data) : data_(data) {}

  int number() {
    skip_blanks_and_comments();
    int value = 0;
    std::size_t digits = 0;
    while (pos_ < data_.size() && std::isdigit(static_cast<unsigned char>(data_[pos_]))) {
      value = value * 10 + (data_[pos_++] - '0');
      if (++digits > 6) throw std::runtime_error("PPM: number too large");
    }
    if (digits == 0) throw std::runtime_error("PPM: number expected");
    return value;
  }

  std::size_t end_of_header() {
    if (pos_ >= data_.size() || !std::isspace(static_cast<unsigned char>(data_[pos_]))) {
      throw std::runtime_error("PPM: no blank after the header");
    }
    return pos_ + 1;
  }

 private:
  void skip_blanks_and_comments() {
    while (pos_ < data_.size()) {
      if (std::isspace(static_cast<unsigned char>(data_[pos_]))) {
        ++pos_;
      } else if (data_[pos_] == '#') {
        while (pos_ < data_.size() && data_[pos_] != '\n') ++pos_;
      } else {
        break;
      }
    }
  }

  std::string_view data_;
  std::size_t pos_ = 2;  // after the magic
};

}  // namespace

RgbImage parse_ppm(std::string_view data) {
  if (data.substr(0, 2) != "P6") throw std::runtime_error("PPM: not a binary PPM (P6)");
  HeaderReader header(data);
  RgbImage image;
  image.width = header.number();
  image.height = header.number();
  if (header.number() != 255) throw std::runtime_error("PPM: only a maximum value of 255 is read");
  const std::size_t start = header.end_of_header();
  const std::size_t count = static_cast<std::size_t>(image.width) * image.height;
  if (data.size() - start < count * 3) throw std::runtime_error("PPM: pixel data cut short");
  image.pixels.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const auto* p = reinterpret_cast<const unsigned char*>(data.data() + start + 3 * i);
    image.pixels[i] = {p[0], p[1], p[2]};
  }
  return image;
}

}  // namespace xtest
