#include <bit>
#include <cstdlib>

#include "runtime/sdl/canvas.h"
#include "runtime/sdl/x_handles.h"
#include "runtime/sdl/x_window.h"

namespace rt {
namespace {

class XImageCanvas final : public WindowCanvas {
 public:
  XImageCanvas(Display* display, Window window, XImage* image, const ChannelMasks& masks)
      : display_(display), window_(window), image_(image), gc_(XCreateGC(display, window, 0, nullptr)) {
    target_ = {.pixels = reinterpret_cast<std::uint8_t*>(image->data),
               .pitch = image->bytes_per_line,
               .bytes_per_pixel = image->bits_per_pixel / 8,
               .width = image->width,
               .height = image->height,
               .masks = masks};
  }
  ~XImageCanvas() override {
    XFreeGC(display_, gc_);
    XDestroyImage(image_);  // and its pixels
  }
  XImageCanvas(const XImageCanvas&) = delete;
  XImageCanvas& operator=(const XImageCanvas&) = delete;

  PixelTarget* pixels() override { return &target_; }
  ChannelMasks masks() const override { return target_.masks; }

  // X answers an image with no reply: a failure shows only as a lost connection.
  bool show() override {
    XPutImage(display_, window_, gc_, image_, 0, 0, 0, 0, unsigned(image_->width), unsigned(image_->height));
    XFlush(display_);
    return true;
  }

 private:
  Display* display_;
  Window window_;
  XImage* image_;
  GC gc_;
  PixelTarget target_;
};

}  // namespace

std::unique_ptr<WindowCanvas> x_image_canvas(SDL_Window* window) {
  const XHandles x = x_handles_of(window);
  XWindowAttributes attributes{};
  if (x.display == nullptr || !XGetWindowAttributes(x.display, x.window, &attributes)) return nullptr;
  const WindowVisual visual = visual_of(window);
  if (!visual.true_colour) return nullptr;
  XImage* image = XCreateImage(x.display, attributes.visual, unsigned(attributes.depth), ZPixmap, 0, nullptr,
                               unsigned(attributes.width), unsigned(attributes.height), 32, 0);
  if (image == nullptr) return nullptr;
  if (image->bits_per_pixel % 8 != 0 || image->bits_per_pixel > 32) {
    XDestroyImage(image);
    return nullptr;
  }
  // Pixels written as the machine orders them; Xlib reorders them for the server.
  image->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
  image->data = static_cast<char*>(std::calloc(std::size_t(image->bytes_per_line), std::size_t(image->height)));
  if (image->data == nullptr) {
    XDestroyImage(image);
    return nullptr;
  }
  return std::make_unique<XImageCanvas>(x.display, x.window, image, visual.masks);
}

}  // namespace rt
