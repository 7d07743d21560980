#pragma once
// Operations on values that the program computes with.

#include <cstdint>
#include <string>

namespace rt {

// The one-character string of a key code (UTF-8).
std::string key_string(std::int16_t key_code);

// A counted loop from start to end by step whose body does nothing but the
// processor's spin-wait hint. It performs every step (an addition and a
// comparison the compiler cannot remove) and reads no clock. Returns the number
// of steps performed: for step 1, the whole part of (end - start) + 1, or 0 when
// end < start.
std::int64_t counted_loop(std::int32_t start, double end, std::int32_t step);

// x * factor * y with the intermediate product kept exact and the result rounded
// once to single precision. An invalid operation, division by zero or overflow
// raises floating_point.
float single_product(float x, float factor, float y);

}  // namespace rt
