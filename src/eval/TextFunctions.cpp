#include "TextFunctions.h"

std::span<const FunctionEntry> textFunctions()
{
    return {};
}
