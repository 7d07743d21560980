#include "runtime/errors.h"

namespace rt {

void raise(ErrorNumber number, const std::string& message) { throw RuntimeError(number, message); }

void end_program() { throw ProgramEnd{}; }

}  // namespace rt
