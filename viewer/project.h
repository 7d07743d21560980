#pragma once
// The program's project record: the window class ZEMK with its built-in layout and
// the events its procedures handle.

#include "runtime/runtime.h"

namespace viewer {

// The startup object it makes is a ZEMK, owned by StartupObject::instance.
rt::ProjectRecord zemk_project();

}  // namespace viewer
