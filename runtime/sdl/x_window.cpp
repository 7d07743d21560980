#include "runtime/sdl/x_window.h"

#include "runtime/sdl/x_handles.h"

namespace rt {
namespace {

const char* class_name(int visual_class) {
  switch (visual_class) {
    case StaticGray: return "StaticGray";
    case GrayScale: return "GrayScale";
    case StaticColor: return "StaticColor";
    case PseudoColor: return "PseudoColor";
    case TrueColor: return "TrueColor";
    case DirectColor: return "DirectColor";
    default: return "unknown";
  }
}

}  // namespace

WindowVisual visual_of(SDL_Window* window) {
  const XHandles x = x_handles_of(window);
  XWindowAttributes attributes{};
  if (x.display == nullptr || !XGetWindowAttributes(x.display, x.window, &attributes)) return {};
  const Visual* visual = attributes.visual;
  return {.depth = attributes.depth,
          .true_colour = visual->c_class == TrueColor,
          .class_name = class_name(visual->c_class),
          .masks = {.red = std::uint32_t(visual->red_mask),
                     .green = std::uint32_t(visual->green_mask),
                     .blue = std::uint32_t(visual->blue_mask)}};
}

unsigned long true_colour_visual(SDL_Window* window) {
  constexpr int kDeepestWithoutAlpha = 30;
  const XHandles x = x_handles_of(window);
  if (x.display == nullptr) return 0;
  XVisualInfo wanted{};
  wanted.screen = DefaultScreen(x.display);
  wanted.c_class = TrueColor;
  int count = 0;
  XVisualInfo* found = XGetVisualInfo(x.display, VisualScreenMask | VisualClassMask, &wanted, &count);
  unsigned long best = 0;
  int best_depth = 0;
  for (int i = 0; i < count; ++i) {
    if (found[i].depth > best_depth && found[i].depth <= kDeepestWithoutAlpha) {
      best = found[i].visualid, best_depth = found[i].depth;
    }
  }
  if (found != nullptr) XFree(found);
  return best;
}

void set_background(SDL_Window* window, std::uint32_t pixel) {
  const XHandles x = x_handles_of(window);
  if (x.display != nullptr) XSetWindowBackground(x.display, x.window, pixel);
}

void set_title_bar(SDL_Window* window, const MotifHints& hints) {
  const XHandles x = x_handles_of(window);
  if (x.display == nullptr) return;
  const Atom property = XInternAtom(x.display, "_MOTIF_WM_HINTS", False);
  // Xlib takes 32-bit items as longs.
  XChangeProperty(x.display, x.window, property, property, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(hints.data()), int(hints.size()));
}

void set_icon_name(SDL_Window* window, std::string_view caption) {
  const XHandles x = x_handles_of(window);
  if (x.display == nullptr) return;
  const std::string name(caption);
  // WM_ICON_NAME in the encoding X expects, and _NET_WM_ICON_NAME in UTF-8.
  Xutf8SetWMProperties(x.display, x.window, nullptr, name.c_str(), nullptr, 0, nullptr, nullptr, nullptr);
  XChangeProperty(x.display, x.window, XInternAtom(x.display, "_NET_WM_ICON_NAME", False),
                  XInternAtom(x.display, "UTF8_STRING", False), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(name.data()), int(name.size()));
}

}  // namespace rt
