#pragma once
// The runtime's errors and program end. Both unwind to the runtime's entry (run),
// which turns them into the process's exit status.

#include <stdexcept>
#include <string>
#include <string_view>

namespace rt {

// Numbers that an unhandled error reports.
enum class ErrorNumber : int {
  bounds = 1,          // an index outside its table
  floating_point = 2,  // invalid operation, division by zero or overflow
  failed_call = 3,     // a control or window call returned a failure status
  invalid_picture = 4, // a stored picture value failed its checks
  desktop = 5,         // the display is missing or went away
};

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(ErrorNumber number, const std::string& message)
      : std::runtime_error(message), number_(number) {}
  ErrorNumber number() const { return number_; }

 private:
  ErrorNumber number_;
};

// The exit status of a run that an error ended.
inline constexpr int kFailureStatus = 1;

// An unhandled error as the user is told of it: "runtime error N: message".
inline std::string unhandled_error_text(ErrorNumber number, std::string_view message) {
  return "runtime error " + std::to_string(static_cast<int>(number)) + ": " + std::string(message);
}

// Thrown by end_program(). Deliberately not a std::exception, so that no
// catch-all for errors can swallow it on its way to the entry.
struct ProgramEnd {};

[[noreturn]] void raise(ErrorNumber number, const std::string& message);

// Program end: does not return; everything the program holds is released as the
// stack unwinds to the entry, which exits with status 0.
[[noreturn]] void end_program();

}  // namespace rt
