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

// Thrown by end_program(). Deliberately not a std::exception, so that no
// catch-all for errors can swallow it on its way to the entry.
struct ProgramEnd {};

[[noreturn]] void raise(ErrorNumber number, const std::string& message);

// Program end: does not return; everything the program holds is released as the
// stack unwinds to the entry, which exits with status 0.
[[noreturn]] void end_program();

}  // namespace rt
