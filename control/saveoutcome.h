#pragma once

#include "platform/save/outcome.h"

#include <optional>

// What a save of the list came to, as the user is told it: how the save
// into the last place tried ended, and, when the program folder refused, its
// refusal. Then the list went to the fallback folder, which `end` tells of,
// or, with `nowhereElse`, there is none and `end` is the refusal itself.
struct SaveOutcome
{
    Save::Outcome end;
    std::optional<Save::Failed> refused;
    bool nowhereElse = false;
};
