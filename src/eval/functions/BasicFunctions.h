#pragma once

#include "FunctionEntry.h"

#include <span>

// The single-argument functions: each receives Eval of its whole argument text, so a ";"
// inside it is an ordinary character. A value a function cannot take throws OrvantaError,
// which Token reports in its "Syntax error" box.
std::span<const FunctionEntry> basicFunctions();
