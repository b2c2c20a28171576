#pragma once

#include "RunProgress.h"

// A run's progress nobody watches.
class NoProgress : public RunProgress
{
public:
    void begin(qint32) override { }
    void advance(qint32) override { }
    void end() override { }
};
