#include "runtime/sdl/display_probe.h"

#include <netdb.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

namespace rt {
namespace {

constexpr int kFirstTcpPort = 6000;     // display N listens on 6000 + N
constexpr int kProbeTimeoutSeconds = 2;  // for a host that never answers

struct DisplayName {
  std::string host;  // empty or "unix": the local socket
  int number = 0;
};

// "[host]:number[.screen]", the forms Xlib takes.
std::optional<DisplayName> parse(const std::string& name) {
  const auto colon = name.rfind(':');
  if (colon == std::string::npos || colon + 1 >= name.size()) return std::nullopt;
  DisplayName parsed{name.substr(0, colon), 0};
  std::size_t digits = 0;
  const std::string rest = name.substr(colon + 1);
  try {
    parsed.number = std::stoi(rest, &digits);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  if (parsed.number < 0 || (digits < rest.size() && rest[digits] != '.')) return std::nullopt;
  return parsed;
}

// A socket that gives up on a silent peer, in connect and in reads alike.
int timed_socket(int family) {
  const int fd = socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return fd;
  const timeval limit{kProbeTimeoutSeconds, 0};
  setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  return fd;
}

// The local server's socket: the abstract one Linux servers offer first, then the
// file. The errno of the last try is left for the caller.
int connect_local(int number) {
  const std::string path = "/tmp/.X11-unix/X" + std::to_string(number);
  for (const bool abstract : {true, false}) {
    const int fd = timed_socket(AF_UNIX);
    if (fd < 0) return fd;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t offset = abstract ? 1 : 0;  // abstract names start with a NUL
    std::memcpy(address.sun_path + offset, path.data(), path.size());
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + offset + path.size() + (abstract ? 0 : 1));
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0) return fd;
    const int error = errno;
    close(fd);
    errno = error;
  }
  return -1;
}

// A connected socket, or the reason there is none.
int connect_to(const DisplayName& display, std::string& reason) {
  if (display.host.empty() || display.host == "unix") {
    const int fd = connect_local(display.number);
    if (fd < 0) reason = errno == ENOENT || errno == ECONNREFUSED ? "no X server is running there" : std::strerror(errno);
    return fd;
  }
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const std::string port = std::to_string(kFirstTcpPort + display.number);
  if (const int error = getaddrinfo(display.host.c_str(), port.c_str(), &hints, &found); error != 0) {
    reason = "cannot find host " + display.host + ": " + gai_strerror(error);
    return -1;
  }
  int fd = -1;
  for (const addrinfo* at = found; at != nullptr && fd < 0; at = at->ai_next) {
    fd = timed_socket(at->ai_family);
    if (fd >= 0 && connect(fd, at->ai_addr, at->ai_addrlen) != 0) {
      reason = errno == ECONNREFUSED ? "the connection was refused" : std::strerror(errno);
      close(fd);
      fd = -1;
    }
  }
  freeaddrinfo(found);
  return fd;
}

// The server's answer to a connection setup without credentials: empty if it
// accepts, else its reason for refusing.
std::string setup_refusal(int fd) {
  // Little-endian byte order, protocol 11.0, no authorisation name or data.
  const std::uint8_t request[12] = {'l', 0, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  if (write(fd, request, sizeof request) != ssize_t(sizeof request)) return "the X server does not take requests";
  std::uint8_t reply[8 + 256] = {};
  ssize_t got = 0;
  for (ssize_t n; got < ssize_t(sizeof reply) && (n = read(fd, reply + got, sizeof reply - std::size_t(got))) > 0;) {
    got += n;
    if (reply[0] == 1) return "";  // accepted: the rest of its answer is of no interest
  }
  if (got < 8) return "the X server does not answer";
  // Failed (0) gives the reason's length in byte 1; Authenticate (2) pads it.
  std::size_t length = reply[0] == 0 ? std::min<std::size_t>(reply[1], std::size_t(got) - 8) : std::size_t(got) - 8;
  std::string reason(reinterpret_cast<const char*>(reply + 8), length);
  reason = reason.substr(0, reason.find_first_of(std::string("\n\0", 2)));
  return "the X server refused the connection: " + (reason.empty() ? std::string("it gave no reason") : reason);
}

}  // namespace

std::string display_refusal(const std::string& name, const std::string& other) {
  const auto display = parse(name);
  if (!display) return "it is not an X display name ([host]:number)";
  std::string reason;
  const int fd = connect_to(*display, reason);
  if (fd < 0) return reason;
  reason = setup_refusal(fd);
  close(fd);
  return reason.empty() ? other : reason;
}

}  // namespace rt
