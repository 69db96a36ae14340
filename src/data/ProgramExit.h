#pragma once
// Ending the program at once goes through one hook, so tests can observe it instead.
#include <functional>

using ExitHook = std::function<void(int code)>;

// Installs a hook; an empty hook restores the real one (std::exit).
void setExitHook(ExitHook hook);
// Ends the program at once (or calls the installed hook, which returns).
void endProgram(int code = 0);
