#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/picture.h"
#include "runtime/window_builder.h"
#include "tests/runtime/tiny_bitmap.h"

namespace {

std::string error_of(const std::function<void()>& action, rt::ErrorNumber number) {
  try {
    action();
  } catch (const rt::RuntimeError& e) {
    EXPECT_EQ(e.number(), number);
    return e.what();
  }
  return "(no error)";
}

// Three holders listed out of name order, all with the tiny picture.
struct TinyLayout {
  std::vector<std::uint8_t> value = rt_test::tiny_picture_value();
  std::vector<rt::ImageHolderLayout> holders{{.name = "Image3", .picture = value},
                                             {.name = "Image1", .picture = value},
                                             {.name = "Image2", .picture = value}};
  rt::WindowLayout layout{.picture_box = {.name = "Picture1", .width = 600, .height = 300, .sunken_border = true},
                          .image_holders = holders};
};

TEST(Window, HoldsTheHoldersInCreationOrderEachWithItsOwnPicture) {
  TinyLayout tiny;
  const auto window = rt::build_window(tiny.layout, nullptr);
  ASSERT_EQ(window->image_holders().size(), 3u);
  EXPECT_EQ(window->image_holders()[0]->name(), "Image3");
  EXPECT_EQ(window->image_holders()[1]->name(), "Image1");
  EXPECT_EQ(window->image_holders()[2]->name(), "Image2");
  const rt::PictureRef one = rt::picture_of(window->control("Image1"));
  const rt::PictureRef two = rt::picture_of(window->control("Image2"));
  ASSERT_TRUE(one && two);
  EXPECT_NE(one, two);  // each holder decoded its own value
  EXPECT_EQ(one, window->image_holders()[1]->picture());
  EXPECT_EQ(one->pixels().front(), 1);
  EXPECT_EQ(&window->control("Picture1"), &window->picture_box());
}

TEST(Window, PicturesAreSharedNotCopied) {
  TinyLayout tiny;
  const auto window = rt::build_window(tiny.layout, nullptr);
  rt::PictureRef frame = rt::picture_of(window->control("Image1"));
  const long held_by_holder_and_frame = frame.use_count();
  EXPECT_EQ(window->picture_box().set_picture(frame), rt::Status::ok);
  EXPECT_EQ(window->picture_box().picture(), frame);
  EXPECT_EQ(frame.use_count(), held_by_holder_and_frame + 1);
  EXPECT_TRUE(window->picture_box().repaint_pending());
}

// An assignment fails once a repaint has drawn nothing, and holds again once
// one has drawn.
TEST(Window, PictureAssignmentFailsWhileRepaintsDrawNothing) {
  TinyLayout tiny;
  const auto window = rt::build_window(tiny.layout, nullptr);
  rt::PictureBox& box = window->picture_box();
  const rt::PictureRef frame = rt::picture_of(window->control("Image1"));
  EXPECT_EQ(box.set_picture(frame), rt::Status::ok);
  box.repainted(false);
  EXPECT_EQ(box.set_picture(frame), rt::Status::failed);
  EXPECT_EQ(box.picture(), frame);
  box.repainted(true);
  EXPECT_EQ(box.set_picture(frame), rt::Status::ok);
}

TEST(Window, UnknownNamesAndNonHoldersRaiseFailedCall) {
  TinyLayout tiny;
  const auto window = rt::build_window(tiny.layout, nullptr);
  EXPECT_EQ(error_of([&] { window->control("Image4"); }, rt::ErrorNumber::failed_call),
            "the window has no control named Image4");
  EXPECT_EQ(error_of([&] { rt::picture_of(window->control("Picture1")); }, rt::ErrorNumber::failed_call),
            "Picture1 is not an image holder and gives no picture");
}

TEST(Window, HideReportsTheDesktopsStatus) {
  TinyLayout tiny;
  int hides = 0;
  const auto window = rt::build_window(tiny.layout, [&] { return ++hides == 1 ? rt::Status::ok : rt::Status::failed; });
  EXPECT_EQ(window->hide(), rt::Status::ok);
  EXPECT_EQ(window->hide(), rt::Status::failed);
  EXPECT_EQ(hides, 2);
}

TEST(Window, CheckCallRaisesOnAFailedStatusOnly) {
  EXPECT_NO_THROW(rt::check_call(rt::Status::ok, "ZEMK", "Form", "Hide"));
  EXPECT_EQ(error_of([] { rt::check_call(rt::Status::failed, "Picture1", "PictureBox", "Picture"); },
                     rt::ErrorNumber::failed_call),
            "Picture1: PictureBox.Picture failed");
}

TEST(Window, AHolderWithABadPictureStopsTheBuild) {
  TinyLayout tiny;
  std::vector<std::uint8_t> bad = tiny.value;
  bad[4] = 0;
  tiny.holders[2].picture = bad;
  EXPECT_EQ(error_of([&] { rt::build_window(tiny.layout, nullptr); }, rt::ErrorNumber::invalid_picture),
            "Image2: picture value has the wrong stream tag");
}

TEST(Window, TheFirstBadPictureInHolderOrderIsRaised) {
  TinyLayout tiny;
  std::vector<std::uint8_t> wrong_tag = tiny.value, short_value(tiny.value.begin(), tiny.value.begin() + 6);
  wrong_tag[4] = 0;
  tiny.holders[2].picture = short_value;
  tiny.holders[1].picture = wrong_tag;
  EXPECT_EQ(error_of([&] { rt::build_window(tiny.layout, nullptr); }, rt::ErrorNumber::invalid_picture),
            "Image1: picture value has the wrong stream tag");
}

TEST(PictureAreaGeometry, ConvertsTwipsAndKeepsTheBorderInside) {
  const rt::PictureAreaGeometry area = rt::picture_area_geometry(
      {.name = "Picture1", .left = 30, .top = 15, .width = 8565, .height = 11520, .sunken_border = true});
  EXPECT_EQ(area.left, 2);
  EXPECT_EQ(area.top, 1);
  EXPECT_EQ(area.width, 571);
  EXPECT_EQ(area.height, 768);
  EXPECT_EQ(area.border, 2);
  EXPECT_EQ(rt::picture_area_geometry({.name = "Flat", .width = 150, .height = 150}).border, 0);
  EXPECT_EQ(error_of([] { rt::picture_area_geometry({.name = "Tiny", .width = 60, .height = 60, .sunken_border = true}); },
                     rt::ErrorNumber::failed_call),
            "Tiny has no room inside its border");
}

}  // namespace
