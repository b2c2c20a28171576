#pragma once

#include "FunctionEntry.h"

#include <span>

std::span<const FunctionEntry> textFunctions();
