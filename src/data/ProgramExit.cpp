#include "data/ProgramExit.h"

#include <cstdlib>

namespace {
ExitHook gHook;
}

void setExitHook(ExitHook hook)
{
    gHook = std::move(hook);
}

void endProgram(int code)
{
    if (gHook) {
        gHook(code);
        return;
    }
    std::exit(code);
}
