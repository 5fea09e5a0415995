#pragma once

#include <functional>

// Ending the program: the event loop ends once the current event has been handled.
// Tests install a hook to observe the request instead.
namespace AppLifetime {
void RequestQuit();
// An empty hook restores the real behaviour.
void InstallQuitHook(std::function<void()> hook);
} // namespace AppLifetime
