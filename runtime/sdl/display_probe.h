#pragma once
// Why an X display cannot be opened. Xlib only says that it failed; this asks the
// display's socket and, if a server answers there, the server itself.

#include <string>

namespace rt {

// A sentence saying why the display named `name` (as DISPLAY gives it) refuses
// a client that brings no credentials: no server there, the connection refused,
// the server's own reason for refusing. `other` is said when the server accepts.
std::string display_refusal(const std::string& name, const std::string& other);

}  // namespace rt
