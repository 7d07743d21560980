// Double-clicks from the presses' own times and places.
#include "runtime/sdl/click_counter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using rt::ButtonPress;

struct Case {
  const char* name;
  std::vector<ButtonPress> presses;
  std::vector<int> counts;
};

TEST(ClickCounter, CountsPressesOfOneButtonCloseInServerTimeAndPlace) {
  const Case cases[] = {
      {"one press", {{1, 1000, 10, 10}}, {1}},
      {"a double-click", {{1, 1000, 10, 10}, {1, 1200, 12, 11}}, {1, 2}},
      {"a triple-click", {{1, 1000, 10, 10}, {1, 1200, 10, 10}, {1, 1400, 10, 10}}, {1, 2, 3}},
      // Read together after a stall, they are still seconds apart.
      {"far apart in time", {{1, 1000, 10, 10}, {1, 5000, 15, 10}}, {1, 1}},
      {"just within the time", {{1, 1000, 10, 10}, {1, 1499, 10, 10}}, {1, 2}},
      {"just beyond it", {{1, 1000, 10, 10}, {1, 1500, 10, 10}}, {1, 1}},
      {"just within the distance", {{1, 1000, 10, 10}, {1, 1100, 42, 42}}, {1, 2}},
      {"just beyond it across", {{1, 1000, 10, 10}, {1, 1100, 43, 10}}, {1, 1}},
      {"just beyond it down", {{1, 1000, 10, 10}, {1, 1100, 10, 43}}, {1, 1}},
      {"another button between", {{1, 1000, 10, 10}, {3, 1100, 10, 10}, {1, 1200, 10, 10}}, {1, 1, 1}},
      // The server's clock wraps round after some 49 days.
      {"across the clock's wrap", {{1, 0xFFFFFF00u, 10, 10}, {1, 0x00000010u, 10, 10}}, {1, 2}},
      // A clock that went back is no double-click.
      {"earlier than the last", {{1, 5000, 10, 10}, {1, 4900, 10, 10}}, {1, 1}},
  };
  for (const Case& c : cases) {
    rt::ClickCounter counter;
    std::vector<int> counts;
    for (const ButtonPress& press : c.presses) counts.push_back(counter.count(press));
    EXPECT_EQ(c.counts, counts) << c.name;
  }
}

}  // namespace
