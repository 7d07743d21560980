#include "runtime/services.h"

#include <cfenv>
#include <cmath>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "runtime/errors.h"

namespace rt {
namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// The body of one step of a busy wait: the processor's spin-wait hint where it
// has one. It spares power and the sibling hardware thread, and it gives a step a
// cost that a person can watch, far above a bare addition's (viewer_bench measures
// a step). Elsewhere only a compiler barrier. Either way `counter` is opaque.
void spin_wait_step(std::int64_t& counter) {
#if defined(__x86_64__) || defined(__i386__)
  _mm_pause();
  asm volatile("" : "+r"(counter));
#elif defined(__aarch64__)
  // isb stalls about as long as pause; yield is close to free on many cores.
  asm volatile("isb" : "+r"(counter));
#else
  asm volatile("" : "+r"(counter));
#endif
}

void append_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string key_string(std::int16_t key_code) {
  // Key codes come from typed characters, so they are never negative; a negative
  // code set by a handler has no character and gives the replacement character.
  std::string out;
  append_utf8(out, key_code < 0 ? kReplacementCharacter : static_cast<char32_t>(key_code));
  return out;
}

std::int64_t counted_loop(std::int32_t start, double end, std::int32_t step) {
  if (step == 0) raise(ErrorNumber::failed_call, "counted loop with step 0 would never end");
  // The counter is 64 bits wide so that no end value that fits a double's exact
  // integers can make it overflow, and it passes through the spin-wait step, so
  // the compiler must do every addition and comparison instead of computing the
  // result.
  std::int64_t counter = start;
  std::int64_t steps = 0;
  const auto more = [&] {
    return step > 0 ? static_cast<double>(counter) <= end : static_cast<double>(counter) >= end;
  };
  while (more()) {
    counter += step;
    ++steps;
    spin_wait_step(counter);
  }
  return steps;
}

float single_product(float x, float factor, float y) {
  // A float times a small whole factor times a float needs at most 53 significant
  // bits, so the double intermediate is exact and the conversion to float is the
  // one rounding. The volatiles keep the arithmetic between the flag operations.
  volatile double vx = x, vfactor = factor, vy = y;
  std::feclearexcept(FE_ALL_EXCEPT);
  volatile double exact = vx * vfactor * vy;
  volatile float result = static_cast<float>(exact);
  const bool faulted = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW) != 0;
  const float value = result;
  // A quiet NaN or an infinite operand passes through without raising a flag; the
  // product of such operands is no delay count either, so it is treated alike.
  if (faulted || !std::isfinite(value)) raise(ErrorNumber::floating_point, "floating-point fault in a product");
  return value;
}

}  // namespace rt
