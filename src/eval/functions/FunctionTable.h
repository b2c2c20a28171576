#pragma once

#include "FunctionEntry.h"

#include <QStringView>

// Every built-in function of the formula language, found by its name in any letter case.
class FunctionTable
{
public:
    // The entry for a name as Token read it (LEFT, Left and left are the same call), or
    // null for a name that is no built-in function.
    static const FunctionEntry *find(QStringView name);
};
