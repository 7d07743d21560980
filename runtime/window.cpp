#include "runtime/runtime.h"

namespace rt {

Status PictureBox::set_picture(PictureRef picture) {
  picture_ = std::move(picture);
  request_repaint();
  return drawable_ ? Status::ok : Status::failed;
}

Window::Window(std::unique_ptr<PictureBox> picture_box,
               std::vector<std::unique_ptr<ImageHolder>> image_holders,
               std::function<Status()> hide)
    : picture_box_(std::move(picture_box)), holders_(std::move(image_holders)), hide_(std::move(hide)) {}

Control& Window::control(std::string_view name) {
  if (picture_box_->name() == name) return *picture_box_;
  for (const auto& holder : holders_) {
    if (holder->name() == name) return *holder;
  }
  raise(ErrorNumber::failed_call, "the window has no control named " + std::string(name));
}

// Without a desktop to hide it the window stays where it is: that is no success.
Status Window::hide() { return hide_ ? hide_() : Status::failed; }

PictureRef picture_of(const Control& control) {
  if (const auto* holder = dynamic_cast<const ImageHolder*>(&control)) return holder->picture();
  raise(ErrorNumber::failed_call, control.name() + " is not an image holder and gives no picture");
}

void check_call(Status status, std::string_view object, std::string_view interface_name,
                std::string_view method) {
  if (status == Status::ok) return;
  raise(ErrorNumber::failed_call, std::string(object) + ": " + std::string(interface_name) + "." +
                                      std::string(method) + " failed");
}

}  // namespace rt
