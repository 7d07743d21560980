#pragma once
// What a program sees of the runtime: its window and controls, the event pump, and
// the entry that starts it from its project record. No desktop library shows here.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/errors.h"
#include "runtime/layout.h"

namespace rt {

class Picture;  // an immutable 8-bit picture with its palette (picture.h)
using PictureRef = std::shared_ptr<const Picture>;

enum class Status { ok, failed };

class Control {
 public:
  explicit Control(std::string name) : name_(std::move(name)) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  const std::string& name() const { return name_; }

 private:
  std::string name_;
};

// A hidden holder of one picture.
class ImageHolder final : public Control {
 public:
  ImageHolder(std::string name, PictureRef picture)
      : Control(std::move(name)), picture_(std::move(picture)) {}
  const PictureRef& picture() const { return picture_; }

 private:
  PictureRef picture_;
};

// The picture area: shows one picture, repainted in the next event pump.
class PictureBox final : public Control {
 public:
  using Control::Control;
  // Fails once a repaint has drawn nothing: the picture would not be seen.
  Status set_picture(PictureRef picture);
  const PictureRef& picture() const { return picture_; }
  bool repaint_pending() const { return repaint_pending_; }
  void request_repaint() { repaint_pending_ = true; }
  // The repaint is done; `drawn` says whether the desktop drew it.
  void repainted(bool drawn) { repaint_pending_ = false, drawable_ = drawn; }

 private:
  PictureRef picture_;
  bool repaint_pending_ = false;
  bool drawable_ = true;
};

// The window built from a layout, with its controls by name.
class Window {
 public:
  PictureBox& picture_box() { return *picture_box_; }
  // The control of that name; a name the layout does not hold raises failed_call.
  Control& control(std::string_view name);
  // The window's quit method: hides the window. Its status is a failure if the
  // desktop refused, or if the window was built without one to ask.
  Status hide();

  // Built by the runtime; holds the image holders in creation order.
  Window(std::unique_ptr<PictureBox> picture_box,
         std::vector<std::unique_ptr<ImageHolder>> image_holders,
         std::function<Status()> hide);
  const std::vector<std::unique_ptr<ImageHolder>>& image_holders() const { return holders_; }

 private:
  std::unique_ptr<PictureBox> picture_box_;
  std::vector<std::unique_ptr<ImageHolder>> holders_;
  std::function<Status()> hide_;
};

// The conversion of a control to the picture interface: the picture that an image
// holder holds, as a counted reference. Any other control raises failed_call.
PictureRef picture_of(const Control& control);

// A failed status raises failed_call, naming the object, its interface and the method.
void check_call(Status status, std::string_view object, std::string_view interface_name,
                std::string_view method);

class Desktop;

// The running program's services: its window and the event pump.
class Runtime {
 public:
  virtual ~Runtime() = default;
  virtual Window& window() = 0;
  // Runs every pending event and the pending repaint; returns without waiting.
  virtual void do_events() = 0;
  // The counted loop of services.h; the runtime tells its desktop of each one.
  virtual std::int64_t counted_loop(std::int32_t start, double end, std::int32_t step) = 0;
};

// The event procedures of the startup object, as the runtime dispatches them.
struct EventProcedures {
  std::function<void()> activate;
  std::function<void()> click;
  std::function<void()> dbl_click;
  std::function<void(std::int16_t& key_code)> key_press;
  std::function<void(std::int16_t& button, std::int16_t& shift, float& x, float& y)> mouse_move;
};

struct StartupObject {
  std::shared_ptr<void> instance;  // owns the object; released at program end
  EventProcedures procedures;
};

// The static description of a program: its window class's layout, and how to make
// its startup object on the window the runtime built.
struct ProjectRecord {
  const WindowLayout* layout = nullptr;
  std::function<StartupObject(Runtime&)> create_startup_object;
};

// The runtime's entry: builds and shows the window, raises Activate, and returns
// the exit status once program end (0) or an unhandled error (non-zero) unwinds to it.
int run(const ProjectRecord& project, Desktop& desktop);

}  // namespace rt
