#pragma once
// Translation of one SDL event into the runtime's desktop event. Pure: the
// modifier state is passed in, since SDL's motion events do not carry it.

#include <optional>

#include "runtime/desktop.h"

union SDL_Event;

namespace rt {

// The desktop event that `event` stands for, or none for an event the runtime
// does not use. `modifiers` is SDL's modifier state (SDL_Keymod bits).
std::optional<DesktopEvent> translate_sdl_event(const SDL_Event& event, int modifiers);

}  // namespace rt
