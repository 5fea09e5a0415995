#pragma once

#include <functional>

// Ending the program: the event loop ends once the current event has been handled.
// Tests install a hook to observe the request instead.
namespace AppLifetime {
void requestQuit();
// An empty hook restores the real behaviour.
void installQuitHook(std::function<void()> hook);
} // namespace AppLifetime
