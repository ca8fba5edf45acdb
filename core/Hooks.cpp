#include "core/Hooks.h"

ProgramHooks& hooks() {
    static ProgramHooks instance;
    return instance;
}
