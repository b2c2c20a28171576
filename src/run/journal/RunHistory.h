#pragma once

#include "JournalEntries.h"

#include <QString>
#include <vector>

// The list of journaled runs as orvanta --history prints it, newest first.
class RunHistory
{
public:
    static QString table(const std::vector<JournalRun> &runs);
};
